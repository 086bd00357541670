#pragma once

// All windows of the program, created once in the order the program defines and kept until exit:
// TFormA (launcher), TForm1 (main), TForm3, TForm2, TForm5, TForm4, TForm6, TForm7, TForm8,
// TForm10, TForm11.
//
// How to put a secondary window in: in the ShellWindows constructor (shell_windows.cpp), replace its
// empty stand-in by your window class built from the workbench's parts (m_parts), keep its objectName (the
// form name) and caption, and keep a typed member for it. Pages of the main window are filled in
// ShellWindows::assemblePages().

#include <QString>
#include <QWidget>

#include <memory>
#include <vector>

namespace ravlin {

class LauncherWindow;
class ActionMapWindow;
class EepromWindow;
class FittingWindow;
class MainWindow;
class NameChoiceWindow;
class NamePictureWindow;
class SourcesWindow;
class SignalWindow;
class Workbench;
struct WorkbenchParts;
class ZoomSettingsWindow;

class ShellWindows {
public:
    // LauncherFirst creates only the launcher, so that it can be on screen before the other
    // windows are built (createOtherWindows(), once); All creates every window at once.
    enum class Creation { All, LauncherFirst };
    explicit ShellWindows(Workbench& workbench, Creation creation = Creation::All);
    ~ShellWindows();

    LauncherWindow& launcher() const { return *m_launcher; }
    MainWindow& mainWindow() const { return *m_main; }
    ZoomSettingsWindow& zoomWindow() const { return *m_zoom; }  // TForm6
    SourcesWindow& sourcesWindow() const { return *m_sources; } // TForm11
    NamePictureWindow& namePictureWindow() const { return *m_namePicture; }
    NameChoiceWindow& nameChoiceWindow() const { return *m_nameChoice; }
    SignalWindow& signalWindow() const { return *m_signal; }
    // Every window in creation order, the launcher first.
    std::vector<QWidget*> all() const;
    // A window by its form name ("TForm7"), nullptr when there is none.
    QWidget* byName(const QString& formName) const;

    // Shows the launcher; only it is visible at first.
    void showLauncher();
    // The main window and the secondary windows, in creation order; does nothing the second time.
    void createOtherWindows();

private:
    // Keeps a secondary window in creation order under its form name and caption.
    template <typename W>
    W* addSecondary(const char* formName, const char* caption, std::unique_ptr<W> window);
    void assemblePages();
    void assembleStripAndBaseEntry();

    Workbench& m_wb;
    std::unique_ptr<WorkbenchParts> m_parts; // taken once, handed to the windows it builds
    std::unique_ptr<LauncherWindow> m_launcher;
    std::unique_ptr<MainWindow> m_main;
    std::vector<std::unique_ptr<QWidget>> m_secondary;
    ZoomSettingsWindow* m_zoom = nullptr;
    SourcesWindow* m_sources = nullptr;
    NamePictureWindow* m_namePicture = nullptr; // TForm2
    NameChoiceWindow* m_nameChoice = nullptr;   // TForm8
    QWidget* m_session = nullptr;               // TForm4
    QWidget* m_match = nullptr;                 // TForm5
    EepromWindow* m_eeprom = nullptr;           // TForm3
    FittingWindow* m_fitting = nullptr;         // TForm7
    ActionMapWindow* m_actionMap = nullptr;     // TForm10
    SignalWindow* m_signal = nullptr;           // TFormSignal
};

} // namespace ravlin
