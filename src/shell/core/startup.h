#pragma once

#include "base/core/name_picture.h"

#include "base/core/analogue_base.h"
#include "base/core/button_base.h"
#include "base/core/polling_control.h"
#include "hashing/core/panel_settings.h"
#include "platform/core/dialogs.h"
#include "platform/core/timer.h"
#include "shell/core/shell_view.h"

#include <QObject>

#include <memory>

namespace ravlin {

// What the start-up reads and writes.
struct StartupContext {
    TimerFactory& timers;
    Dialogs& dialogs;
    QString appDir;
    ButtonBase& base;
    AnalogueBase& analogues;
    HashPanelSettings& hashPanel;
    FileDialogPresets& presets;
    NamePictureState& namePicture;
    LauncherView& launcher;
    MainView& main;
    ResultLog& log;
    PollingControl& polling; // started in its slow start mode by the start tick
};

// The start-up sequence: the launcher's three timers (loading, progress, countdown), the
// configuration buttons, and the main window's one-shot start tick.
//
//   T1 200 ms, once  -> loading: known-remotes base, first remote, file-dialog presets; start T2
//   T2 120 ms        -> progress += 15; at 100 or more: captions, choices shown, start T3
//   T3 500 ms        -> countdown on Button1's caption; the twelfth tick presses Button1
//   start tick 400 ms, once (main window) -> base emptied, button names listed, slow polling started
class Startup : public QObject {
    Q_OBJECT

public:
    static constexpr int kLoadingMs = 200;
    static constexpr int kProgressMs = 120;
    static constexpr int kCountdownMs = 500;
    static constexpr int kMainStartMs = 400;
    static constexpr int kProgressStep = 15;
    static constexpr int kCountdownStart = 12;

    enum class Phase { Created, Loading, Progress, Choosing, Done };

    explicit Startup(StartupContext context, QObject* parent = nullptr);
    ~Startup() override;

    // The windows exist: the launcher's T1 and the main window's start tick begin to run.
    void begin();
    // A configuration button (1 main, 2 patch data, 3 bug report) pressed.
    void chooseConfiguration(int button);
    // Stops every start-up timer (the process is ending).
    void stop();

    // The data source each configuration button selects; button outside 1..3 gives the main one.
    static HashSource sourceOf(int button);

    Phase phase() const { return m_phase; }
    int countdown() const { return m_countdown; }

signals:
    // One-time actions of the windows.
    void centreMainWindowRequested();
    void showMainWindowRequested(); // repaint, show and bring to front
    void hideLauncherRequested();
    // Work of other subsystems: the name-by-picture window's load command for the current remote
    // code, the page in front, the hash-modules panel's apply command (its hidden "!").
    void remoteDescriptionLoadRequested();
    void activePageRequested(MainPage page, BurstTab inner);
    void hashPanelApplyRequested();

private:
    void loadingStep();
    void progressTick();
    void countdownTick();
    void mainStartTick();
    void loadAnalogueBase();

    StartupContext m_c;
    std::unique_ptr<Timer> m_t1;
    std::unique_ptr<Timer> m_t2;
    std::unique_ptr<Timer> m_t3;
    std::unique_ptr<Timer> m_mainStart;
    Phase m_phase = Phase::Created;
    int m_countdown = kCountdownStart;
};

} // namespace ravlin
