#pragma once

// The workbench owns everything the program shares between its windows: the ports, the button
// base, the working record, the capture buffer, the base of known remotes, the settings of the
// panels, the view state of the shell and the start-up sequence. Windows read and write it and
// call its subsystem objects; they never talk to each other.
//
// How to plug a subsystem in
// --------------------------
// 1. Add the subsystem's core object as a member below, in the "Subsystems" block, constructed in
//    Workbench's constructor with references to what it needs: timers() (NOT the raw factory: the
//    timers it makes announce a change after every tick), dialogs(), the shared state members.
//    Members are constructed in declaration order, so declare it after what it uses.
// 2. Expose it with an accessor (`Poller& poller() { return *m_poller; }`).
// 3. Where the start-up or the shell hands work to it, fill the hook in `hooks` from the
//    constructor (e.g. `m_hooks.startSlowPolling = [this] { m_poller->startSlow(); };`).
// 4. Lower objects announce work for higher ones through signals or callbacks; connect them here.
// 5. The UI calls the object and then notifyChanged(); every window refreshes on changed().

#include "acquisition/core/drivers/network_driver.h"
#include "acquisition/core/drivers/usb_driver.h"
#include "acquisition/core/poller.h"
#include "base/core/analogue_base.h"
#include "base/core/base_editor.h"
#include "base/core/base_file_commands.h"
#include "base/core/button_base.h"
#include "base/core/button_record.h"
#include "base/core/capture_buffer.h"
#include "base/core/rescan.h"
#include "base/core/session_flags.h"
#include "capture/core/oscillogram.h"
#include "capture/core/pipeline.h"
#include "capture/core/position_distribution.h"
#include "firmware/core/action_map.h"
#include "firmware/core/eeprom_operations.h"
#include "firmware/core/fitting.h"
#include "firmware/core/random_source.h"
#include "hashing/core/panel_settings.h"
#include "platform/core/clock.h"
#include "platform/core/dialogs.h"
#include "platform/core/timer.h"
#include "platform/core/url_opener.h"
#include "shell/core/notifying_timer_factory.h"
#include "shell/core/shell_view.h"

#include <QObject>

#include <functional>
#include <memory>

namespace ravlin {

class Startup;

// Work the shell starts but other subsystems carry out. Each is filled by the subsystem that owns
// the work; an empty hook does nothing.
struct ShellHooks {
    // The hash-modules panel's apply command (its hidden "!" of the data-source group).
    std::function<void()> applyHashPanel;
    // Receiver polling in its slow start mode, then started.
    std::function<void()> startSlowPolling;
    // The network receiver's close command, run when the main window closes.
    std::function<void()> closeNetworkReceiver;
    // The name-by-picture window's load command for the current remote code. The workbench
    // installs a stand-in that only reports a missing description file.
    std::function<void()> loadRemoteDescription;
    // Processing of the burst in the capture buffer after go-to-record: polling stops and the
    // processing run starts. Until the pipeline fills it, polling only restarts.
    std::function<void()> processBurst;
    // "Очистить распределение" (Button16): the position distribution map is emptied.
    std::function<void()> clearPositionDistribution;
    // The display reset also fills the variable distribution picture (Image2) black.
    std::function<void()> clearVariableDistributionPicture;
    // Duration unit of the receiver in use, in milliseconds (the strip's readouts).
    std::function<double()> durationUnitMs;
};

// State of the name-by-picture window the start-up sets before loading the first remote.
struct NamePictureState {
    QString remoteCode;   // file name of the remote's files, e.g. "A01"
    QString selectorText; // text of the remote selector, e.g. "A1"
};

// Flags and counters of the main window's module that the shell itself reads.
struct ShellFlags {
    QString lastRealButtonName = QStringLiteral("N/A");
    bool exited = false;   // the close step has run
    bool testMode = false; // "Перейти в тестовый " of the " Settings " page
};

class Workbench : public QObject {
    Q_OBJECT

public:
    // `appDir` is the application directory: the working directory at start in production.
    Workbench(Dialogs& dialogs, TimerFactory& timers, UrlOpener& urls, Clock& clock, QString appDir,
              QObject* parent = nullptr);
    ~Workbench() override;

    // Ports. timers() wraps the factory given: each tick of its timers announces a change.
    Dialogs& dialogs() { return m_dialogs; }
    TimerFactory& timers() { return m_timers; }
    UrlOpener& urls() { return m_urls; }
    Clock& clock() { return m_clock; }

    // The application directory and paths under it.
    const QString& appDir() const { return m_appDir; }
    QString dataPath(const QString& relative) const { return joinPath(m_appDir, relative); }
    // Pages the link labels and the help menu open: the project's documentation in the app directory.
    QString projectPageUrl() const;
    QString helpPageUrl() const;

    // Shared state.
    ButtonBase& base() { return m_base; }
    WorkingRecord& working() { return m_working; }
    CaptureBuffer& capture() { return m_capture; }
    AnalogueBase& analogues() { return m_analogues; }
    HashPanelSettings& hashPanel() { return m_hashPanel; }
    FileDialogPresets& presets() { return m_presets; }
    NamePictureState& namePicture() { return m_namePicture; }
    ShellFlags& flags() { return m_flags; }
    ShellHooks& hooks() { return m_hooks; }
    ResultLog& resultLog() { return m_log; }
    void log(const QString& line) { m_log.append(line); }

    // View state of the shell windows.
    LauncherView& launcherView() { return m_launcherView; }
    MainView& mainView() { return m_mainView; }

    // The page the UI has in front; the UI reports every switch.
    void setActivePage(MainPage page, KestrumPage inner);
    MainPage activePage() const { return m_mainView.page; }
    KestrumPage activeKestrumPage() const { return m_mainView.kestrumPage; }
    // Whether the oscillogram tab (and, for `inner`, its inner page) is in front.
    bool isKestrumActive() const { return m_mainView.page == MainPage::Kestrum; }
    bool isKestrumPageActive(KestrumPage inner) const {
        return isKestrumActive() && m_mainView.kestrumPage == inner;
    }

    Startup& startup() { return *m_startup; }

    // The oscillogram strip with its zoom settings, and the base-entry commands.
    ZoomSettings& zoom() { return m_zoom; }
    Oscillogram& oscillogram() { return *m_oscillogram; }
    BaseEditor& baseEditor() { return *m_baseEditor; }
    // Receiver polling, and the backend behind the USB receivers' driver port (the simulated
    // receiver with no file until main() chooses one).
    Poller& poller() { return *m_poller; }
    UsbDriver* usbDriver() const { return m_usbDriver.get(); }
    void setUsbDriver(std::unique_ptr<UsbDriver> driver);
    // The processing run of every stored burst, with what it reads: the position distribution,
    // the decoder's check boxes, the capture-session flags and the match-signal settings.
    Pipeline& pipeline() { return *m_pipeline; }
    PositionDistribution& distribution() { return m_distribution; }
    DecoderSettings& decoderSettings() { return m_decoder; }
    CaptureSessionFlags& session() { return m_session; }
    MatchSignalSettings& matchSignal() { return m_match; }
    // Base files (Open/Save), the rescan, the statistics and the " HEX Baza " options they read.
    BaseFileCommands& baseFiles() { return *m_baseFiles; }
    Rescan& rescan() { return *m_rescan; }
    HexBazaSettings& hexBaza() { return m_hexBaza; }
    RescanFlags& rescanFlags() { return m_rescanFlags; }
    // The settings a base file carries, gathered from their owners / applied to them.
    BaseFileSettings baseFileSettings() const;
    void applyBaseFileSettings(const BaseFileSettings& settings);
    // The hash box of the burst on screen (shared by the base-entry commands and the processing run).
    QString& hashBox() { return m_hashBox; }
    // Draws the capture buffer on the strip (painted only while " Kestrum " is in front).
    void drawBurst() { m_oscillogram->draw(isKestrumActive()); }

    // Hash-variable fitting (the fitting window's core) and the main window's "Подбор переменных
    // ХЭШирования": runs the opening checks and, when they pass, asks for the window to be shown.
    Fitting& fitting() { return *m_fitting; }
    bool openFittingWindow();
    // The button-to-action map and its window's commands; the main window's "Кнопки для Pelvar"
    // runs the opening checks and, when they pass, asks for the window to be shown.
    ActionMap& actionMap() { return m_actionMap; }
    ActionMapCommands& actionMapCommands() { return *m_actionMapCommands; }
    bool openActionMapWindow();
    // The EEPROM operations and the tool bar's "Eprom", which asks for their window.
    EepromOperations& eeprom() { return *m_eeprom; }
    void openEepromWindow();

    // Exit command ("Exit" and "&File" -> "&Exit"): asks before discarding a non-empty base, then
    // requests the main window to close. Returns whether the close was requested.
    bool exitCommand();
    // The main window is closing: the network receiver is closed and the process is asked to end.
    void mainWindowClosing();

    // Opens the project / help page.
    void openProjectPage();
    void openHelpPage();

    // Announces that state changed; UI handlers call it after each user event.
    void notifyChanged() { emit changed(); }

signals:
    // After every user event and every timer tick: windows refresh from state.
    void changed();
    // One-time actions of the windows, asked for by the start-up and the exit.
    void centreMainWindowRequested();
    void showMainWindowRequested(); // repaint, show and bring to front
    void hideLauncherRequested();
    void closeMainWindowRequested();
    void quitRequested();            // close the launcher and end the process
    void fittingWindowRequested();   // show the fitting window centred over the main window
    void actionMapWindowRequested(); // the same for "Настройки под кнопки Pelvar"
    void eepromWindowRequested();    // the same for "Операции с Eprom"

private:
    void loadRemoteDescriptionStandIn();
    void connectStripAndBase();
    void connectReceiver();
    void connectPipeline();
    void connectBaseFiles();
    void connectFirmware();
    void connectActions();

    Dialogs& m_dialogs;
    NotifyingTimerFactory m_timers;
    UrlOpener& m_urls;
    Clock& m_clock;
    QString m_appDir;

    ButtonBase m_base;
    WorkingRecord m_working;
    CaptureBuffer m_capture;
    AnalogueBase m_analogues;
    HashPanelSettings m_hashPanel;
    FileDialogPresets m_presets;
    NamePictureState m_namePicture;
    ShellFlags m_flags;
    ShellHooks m_hooks;
    ResultLog m_log;
    LauncherView m_launcherView;
    MainView m_mainView;

    ZoomSettings m_zoom;

    // Subsystems (constructed after the state they use).
    std::unique_ptr<Oscillogram> m_oscillogram;
    std::unique_ptr<BaseEditor> m_baseEditor;
    QString m_hashBox = WorkingRecord::kHashPlaceholder;
    std::unique_ptr<UsbDriver> m_usbDriver;
    std::unique_ptr<NetworkDriver> m_networkDriver;
    std::unique_ptr<Poller> m_poller;
    PositionDistribution m_distribution;
    DecoderSettings m_decoder;
    CaptureSessionFlags m_session;
    MatchSignalSettings m_match;
    std::unique_ptr<Pipeline> m_pipeline;
    HexBazaSettings m_hexBaza;
    RescanFlags m_rescanFlags;
    BaseFileSettings m_fileOnlySettings; // those whose windows keep no settings of their own yet
    std::unique_ptr<BaseFileCommands> m_baseFiles;
    std::unique_ptr<Rescan> m_rescan;
    SeededRandom m_random;
    std::unique_ptr<Fitting> m_fitting;
    ActionMap m_actionMap;
    std::unique_ptr<ActionMapCommands> m_actionMapCommands;
    std::unique_ptr<EepromOperations> m_eeprom;
    std::unique_ptr<Startup> m_startup;
};

} // namespace ravlin
