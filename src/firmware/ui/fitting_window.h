#pragma once

#include "firmware/core/fitting.h"

#include <QWidget>

#include <array>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;
class QTableWidget;

namespace ravlin {

class OutputSettingsWidget;

// The fitting window's tool bar actions (captions in comments), each created once.
struct FittingWindowActions {
    QAction* scan = nullptr; // "Scan Buffer"
    QAction* save = nullptr; // "Save Pach"
    QAction* exit = nullptr; // "Exit"
};

// The window "Подбор переменных ХЭШирования" (TForm7): tool bar "Scan Buffer", "Save Pach",
// "Exit"; tabs "Настройки выхода", the fitting tab, " Сообщения" (the messages memo and the panel
// "Проверка распознавания") and " Тестовая ".
class FittingWindow : public QWidget {
    Q_OBJECT

public:
    explicit FittingWindow(Fitting& fitting, QWidget* parent = nullptr);

    // Shows the window centred over `main` (top = main top + |height difference| div 2, left likewise).
    void showCentredOver(const QWidget& main);

    QTabWidget* tabs() const { return m_tabs; }
    const FittingWindowActions& actions() const { return m_barActions; }

    // Shows the core's settings and view state while the window is visible (a widget is set only
    // when its value differs).
    void refresh();
    void refreshNow();

signals:
    void changed();

private:
    void buildFittingTab(QWidget* page);
    QWidget* buildMessagesTab();
    void refreshRecognition();
    void storeBoxes();
    void scan();
    void save();

    Fitting& m_fitting;
    QTabWidget* m_tabs = nullptr;
    FittingWindowActions m_barActions;
    OutputSettingsWidget* m_output = nullptr;
    std::array<QLineEdit*, HashVariableSet::Count> m_boxes{};
    QLineEdit* m_tolerance = nullptr;
    QCheckBox* m_automatic = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_panel = nullptr;
    QLabel* m_pause = nullptr;
    QLabel* m_duplicates = nullptr;
    QLabel* m_breakingPoint = nullptr;
    QPlainTextEdit* m_messages = nullptr;
    QPlainTextEdit* m_patch = nullptr;
    QTableWidget* m_recognition = nullptr; // "Проверка распознавания": button x recognised as
    QLabel* m_verdict = nullptr;
    bool m_refreshing = false;
};

} // namespace ravlin
