#pragma once

// All windows of the program, created once in the order the program defines and kept until exit:
// TFormA (launcher), TForm1 (main), TForm3, TForm2, TForm5, TForm4, TForm6, TForm7, TForm8,
// TForm10, TForm11.
//
// How to put a secondary window in: replace its entry in kSecondaryWindows (shell_windows.cpp) by
// a function that builds your window class from the Workbench and the MainWindow; keep its
// objectName (the form name) and caption. Pages of the main window are filled in
// ShellWindows::assemblePages().

#include <QString>
#include <QWidget>

#include <memory>
#include <vector>

namespace ravlin {

class LauncherWindow;
class MainWindow;
class Workbench;

class ShellWindows {
public:
    explicit ShellWindows(Workbench& workbench);
    ~ShellWindows();

    LauncherWindow& launcher() const { return *m_launcher; }
    MainWindow& mainWindow() const { return *m_main; }
    // Every window in creation order, the launcher first.
    std::vector<QWidget*> all() const;
    // A window by its form name ("TForm7"), nullptr when there is none.
    QWidget* byName(const QString& formName) const;

    // Shows the launcher; only it is visible at first.
    void showLauncher();

private:
    void assemblePages();
    void assembleStripAndBaseEntry();

    Workbench& m_wb;
    std::unique_ptr<LauncherWindow> m_launcher;
    std::unique_ptr<MainWindow> m_main;
    std::vector<std::unique_ptr<QWidget>> m_secondary;
};

} // namespace ravlin
