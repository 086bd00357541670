#pragma once

// The main window (TForm1): 795 x 580, five tabs at the bottom, tool bar, "&File" menu,
// "About &Help", status bar.
//
// How to put a page in
// --------------------
// Every place a subsystem fills is an empty QWidget with a QVBoxLayout (no margins; the top area of
// " Kestrum " has a QHBoxLayout, its widgets side by side). The inner tabs, the " HEX Baza "
// controls, " Settings " and "IR Distribution" sit in scroll boxes, so a page never enlarges the window.
// Build your widget from the workbench's parts and add it to the place's layout, e.g. in the code
// that assembles the windows (shell/ui/shell_windows.cpp):
//
//     main.hashModulesPage()->layout()->addWidget(new HashPanelPage(parts.pipeline, parts.hashPanel));
//
//   aboutPage()            " About " (filled here)
//   hexBazaPage()          " HEX Baza ": base file options, checks, statistics, operations
//                          (above the result log memo Memo1, which the shell shows)
//   burstTopArea()       " Kestrum ": status and length lines at the top
//   receivedDataPage()     inner tab " Принятые данные " (six timing lines)
//   receptionParamsPage()  inner tab " Параметры приёма " (receiver settings)
//   hashModulesPage()      inner tab "Модули ХЭШирования"
//   module96Page()         inner tab "Модуль 96 и другие"
//   hashResultArea()       hash result line, under the inner tabs
//   baseEntryArea()        base entry group (record number, names, add/change/delete)
//   analogueArea()         analogue group ("Аналоги данной кодировки")
//   stripArea()            oscillogram strip (775 x 69 picture in a 779 x 79 box) with its readouts
//   settingsPage()         " Settings ": test-mode and unknown-button tools
//   irDistributionPage()   "IR Distribution"
//
// Tool bar and menu actions are typed members of actions(), created once; the window connects
// "Exit", "&Exit" and "About &Help", the code that assembles the windows connects the others. Each
// handler copies its widgets' values into the workbench, calls the core, then calls
// Workbench::notifyChanged().

#include "shell/core/shell_view.h"

#include <QMainWindow>

#include <cstdint>

class QAction;
class QLabel;
class QPlainTextEdit;
class QTabWidget;
class QToolBar;

namespace ravlin {

class LinkLabel;
class Workbench;

// The tool bar's and the "&File" menu's actions (captions in comments), each created once.
struct MainWindowActions {
    // Tool bar.
    QAction* open = nullptr;           // "Open"
    QAction* save = nullptr;           // "Save"
    QAction* pult = nullptr;           // "Pult"
    QAction* eprom = nullptr;          // "Eprom"
    QAction* captureSession = nullptr; // "Создание слепка"
    QAction* nameChoice = nullptr;     // "Выбор имени"
    QAction* exit = nullptr;           // "Exit"
    // "&File".
    QAction* openCodFile = nullptr;   // "&Open Cod File"
    QAction* saveCodFile = nullptr;   // "&Save Cod File"
    QAction* saveDiagram = nullptr;   // "Save &Diagram"
    QAction* signal = nullptr;        // "&Сигнал…"
    QAction* importSignals = nullptr; // "&Import Signals..."
    QAction* exportSignals = nullptr; // "E&xport Signals..."
    QAction* fileExit = nullptr;      // "&Exit"
    // Menu bar.
    QAction* help = nullptr; // "About &Help"
};

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int kWidth = 795;
    static constexpr int kHeight = 580;
    // Width of the " Kestrum " column that holds the base entry and analogue groups.
    static constexpr int kRightColumnWidth = 282;

    explicit MainWindow(Workbench& workbench, QWidget* parent = nullptr);

    // Places for the subsystems' widgets (see above).
    QWidget* aboutPage() const { return m_about; }
    QWidget* hexBazaPage() const { return m_hexBaza; }
    QWidget* burstTopArea() const { return m_burstTop; }
    QWidget* receivedDataPage() const { return m_receivedData; }
    QWidget* receptionParamsPage() const { return m_receptionParams; }
    QWidget* hashModulesPage() const { return m_hashModules; }
    QWidget* module96Page() const { return m_module96; }
    QWidget* hashResultArea() const { return m_hashResult; }
    QWidget* baseEntryArea() const { return m_baseEntry; }
    QWidget* analogueArea() const { return m_analogue; }
    QWidget* stripArea() const { return m_strip; }
    QWidget* settingsPage() const { return m_settings; }
    QWidget* irDistributionPage() const { return m_irDistribution; }

    QTabWidget* tabs() const { return m_tabs; }
    QTabWidget* burstTabs() const { return m_burstTabs; }
    QToolBar* toolBar() const { return m_toolBar; }
    QPlainTextEdit* resultMemo() const { return m_memo; }
    // The tool bar and menu actions.
    const MainWindowActions& actions() const { return m_actions; }

    void refresh();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildActions();
    void buildAbout();
    void buildHexBaza();
    void buildBurstPage();
    void pageChanged();
    void centreOnScreen();
    void showFromLauncher();
    void refreshMemo();

    Workbench& m_wb;
    QTabWidget* m_tabs;
    QTabWidget* m_burstTabs = nullptr;
    QToolBar* m_toolBar = nullptr;
    QPlainTextEdit* m_memo = nullptr;
    MainWindowActions m_actions;
    QLabel* m_version = nullptr;
    QLabel* m_author = nullptr;

    QWidget* m_about = nullptr;
    QWidget* m_hexBaza = nullptr;
    QWidget* m_burstPage = nullptr;
    QWidget* m_burstTop = nullptr;
    QWidget* m_receivedData = nullptr;
    QWidget* m_receptionParams = nullptr;
    QWidget* m_hashModules = nullptr;
    QWidget* m_module96 = nullptr;
    QWidget* m_hashResult = nullptr;
    QWidget* m_baseEntry = nullptr;
    QWidget* m_analogue = nullptr;
    QWidget* m_strip = nullptr;
    QWidget* m_settings = nullptr;
    QWidget* m_irDistribution = nullptr;

    bool m_refreshing = false; // a page switch made by refresh() is not a user's switch
    // How much of the result log the memo shows.
    qsizetype m_memoLines = 0;
    std::uint64_t m_memoClears = 0;
};

} // namespace ravlin
