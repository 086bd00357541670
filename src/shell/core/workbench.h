#pragma once

// The workbench owns everything the program shares between its windows: the ports, the button
// base, the working record, the capture buffer, the base of known remotes, the settings of the
// panels, the view state, every subsystem's core object and the start-up sequence. Windows read
// and write it and call its subsystem objects; they never talk to each other.
//
// How to plug a subsystem in
// --------------------------
// 1. Shared view state is a plain struct in the core of the subsystem that owns it, a member here;
//    every object that writes it gets a reference in its constructor.
// 2. Add the subsystem's core object as a member below, built in its wiring file
//    (workbench_<subsystem>.cpp) with references to what it needs: timers() (NOT the raw factory:
//    the timers it makes announce a change after every tick), dialogs(), the shared state.
// 3. Its events (callbacks or Qt signals) are connected in that file straight to the object that
//    carries the work out; nothing is relayed.
// 4. Expose it with an accessor; the UI calls it and then notifyChanged(); every window refreshes
//    on changed().

#include "acquisition/core/drivers/receiver_drivers.h"
#include "acquisition/core/poller.h"
#include "base/core/analogue_base.h"
#include "base/core/base_editor.h"
#include "base/core/base_entry.h"
#include "base/core/base_file_commands.h"
#include "base/core/button_base.h"
#include "base/core/button_record.h"
#include "base/core/capture_buffer.h"
#include "base/core/capture_session.h"
#include "base/core/hash_sources.h"
#include "base/core/match_visualisation.h"
#include "base/core/name_choice.h"
#include "base/core/name_picture.h"
#include "base/core/record_cursor.h"
#include "base/core/rescan.h"
#include "base/core/session_flags.h"
#include "base/core/test_area.h"
#include "capture/core/oscillogram.h"
#include "capture/core/pipeline.h"
#include "capture/core/position_distribution.h"
#include "capture/core/signal_file_commands.h"
#include "capture/core/signal_view.h"
#include "firmware/core/action_map.h"
#include "firmware/core/eeprom_operations.h"
#include "firmware/core/fitting.h"
#include "firmware/core/random_source.h"
#include "hashing/core/panel_settings.h"
#include "platform/core/clock.h"
#include "platform/core/dialogs.h"
#include "platform/core/timer.h"
#include "platform/core/tune_player.h"
#include "platform/core/url_opener.h"
#include "shell/core/notifying_timer_factory.h"
#include "shell/core/settings_owners.h"
#include "shell/core/shell_view.h"
#include "shell/core/startup.h"

#include <QObject>

#include <memory>

namespace ravlin {

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

    // The application directory and paths under it.
    const QString& appDir() const { return m_appDir; }
    QString dataPath(const QString& relative) const { return joinPath(m_appDir, relative); }
    // Pages the link labels and the help menu open: the user guide, docs/index.md in the application
    // directory, or the file set here (an installed guide).
    void setGuideFile(const QString& path) { m_guideFile = path; }
    QString guideFile() const;
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
    // The naming aids: name by picture (TForm2) and name choice (TForm8).
    NamePicture& namePictureAid() { return *m_namePictureAid; }
    NameChoice& nameChoice() { return *m_nameChoice; }
    ResultLog& resultLog() { return m_log; }
    void log(const QString& line) { m_log.append(line); }

    // View state of the shell windows.
    const LauncherView& launcherView() const { return m_launcherView; }
    const MainView& mainView() const { return m_mainView; }
    // The record-entry panel and the burst fields, written by the base-entry commands, the
    // processing run and the poller.
    const BaseEntry& baseEntry() const { return m_entry; }
    const BurstFields& burstFields() const { return m_burst; }
    BurstFields& burstFields() { return m_burst; }

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
    // Receiver polling, and the backends behind both driver ports (the simulated receiver with no
    // file until main() chooses one).
    Poller& poller() { return *m_poller; }
    const ReceiverDrivers& drivers() const { return m_drivers; }
    void setUsbDriver(std::unique_ptr<UsbDriver> driver);
    void setNetworkDriver(std::unique_ptr<NetworkDriver> driver);
    // Duration unit of the receiver in use, in milliseconds (the strip's readouts).
    double durationUnitMs() const;
    // The processing run of every stored burst, with what it reads: the decoder's check boxes and
    // the match-signal settings.
    Pipeline& pipeline() { return *m_pipeline; }
    const PositionDistribution& distribution() const { return m_distribution; }
    DecoderSettings& decoderSettings() { return m_decoder; }
    const CaptureSessionFlags& session() const { return m_session; }
    // The match window's settings ("Включить", its modes, the record number, the tune switch).
    MatchSignalSettings& matchSignal() { return m_match; }
    // Base files (Open/Save), the rescan, the statistics and the " HEX Baza " options they read.
    BaseFileCommands& baseFiles() { return *m_baseFiles; }
    Rescan& rescan() { return *m_rescan; }
    HexBazaSettings& hexBaza() { return m_hexBaza; }
    RescanFlags& rescanFlags() { return m_rescanFlags; }
    const RescanFlags& rescanFlags() const { return m_rescanFlags; }
    // "Источник": which known-remotes files hold the hash of the last lookup.
    HashSources& hashSources() { return *m_hashSources; }
    // "&Import Signals..." / "E&xport Signals...": remote-control files of other tools.
    SignalFileCommands& signalFiles() { return *m_signalFiles; }
    // The capture-session window and the match-visualisation window with the player of its tune
    // (silent until main() gives a real one).
    CaptureSession& captureSession() { return *m_captureSession; }
    MatchVisualisation& matchVisualisation() { return *m_matchVisualisation; }
    void setTunePlayer(std::unique_ptr<TunePlayer> player);
    // "Создание слепка": the current-record display is reset and the session window opens.
    void openCaptureSession();
    // The test area of " Settings ": test mode, analyses, exports and bulk renaming.
    TestArea& testArea() { return *m_testArea; }
    // The "Сигнал" window's view of the burst on screen or a base record.
    SignalView& signalView() { return *m_signalView; }
    // Draws the capture buffer on the strip (painted only while " Kestrum " is in front) and hands
    // it to the signal view.
    void drawBurst() {
        m_oscillogram->draw(isKestrumActive());
        m_signalView->screenBurstChanged();
    }
    // The burst in the capture buffer goes to processing: polling stops, the run is scheduled.
    void processBurst();

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
    // The main window's close box: with a non-empty base it asks the exit command's question (No
    // keeps the window); an empty base, or a close the exit command already confirmed, closes at
    // once. Returns whether the window may close.
    bool closeBoxPressed();
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
    void closeMainWindowRequested();
    void quitRequested();            // close the launcher and end the process
    void fittingWindowRequested();   // show the fitting window centred over the main window
    void actionMapWindowRequested(); // the same for "Настройки под кнопки Pelvar"
    void eepromWindowRequested();    // the same for "Операции с Eprom"

private:
    // Wiring, one function per subsystem (each in its own workbench_<subsystem>.cpp).
    void connectBaseEntry();
    void connectReceiver();
    void connectPipeline();
    void connectBaseFiles();
    void connectSignalFiles();
    void connectNaming();
    void connectSession();
    void connectStartup();
    void stopSessionAndMatch();
    void connectTestArea();
    void connectFirmware();
    void connectActions();

    Dialogs& m_dialogs;
    NotifyingTimerFactory m_timers;
    UrlOpener& m_urls;
    Clock& m_clock;
    QString m_appDir;
    QString m_guideFile;
    bool m_exited = false;        // the close step has run
    bool m_exitConfirmed = false; // the exit command asked and was answered Yes

    ButtonBase m_base;
    WorkingRecord m_working;
    CaptureBuffer m_capture;
    AnalogueBase m_analogues;
    HashPanelSettings m_hashPanel;
    FileDialogPresets m_presets;
    NamePictureState m_namePicture;
    ResultLog m_log;
    LauncherView m_launcherView;
    MainView m_mainView;
    BaseEntry m_entry;
    RecordCursor m_cursor{m_entry, m_base};
    PageInFront m_page;
    BurstFields m_burst;
    ReceptionView m_reception;
    ZoomSettings m_zoom;
    PositionDistribution m_distribution;
    DecoderSettings m_decoder;
    CaptureSessionFlags m_session;
    MatchSignalSettings m_match;
    HexBazaSettings m_hexBaza;
    RescanFlags m_rescanFlags;
    ReceiverDrivers m_drivers;

    // Subsystems (constructed after the state they use).
    std::unique_ptr<Oscillogram> m_oscillogram;
    std::unique_ptr<SignalView> m_signalView;
    std::unique_ptr<BaseEditor> m_baseEditor;
    std::unique_ptr<Poller> m_poller;
    std::unique_ptr<Pipeline> m_pipeline;
    std::unique_ptr<OwnedCarriedSettings> m_carried;
    std::unique_ptr<BaseFileCommands> m_baseFiles;
    std::unique_ptr<Rescan> m_rescan;
    std::unique_ptr<SignalFileCommands> m_signalFiles;
    std::unique_ptr<HashSources> m_hashSources;
    std::unique_ptr<NamePicture> m_namePictureAid;
    std::unique_ptr<NameChoice> m_nameChoice;
    std::unique_ptr<TunePlayer> m_tunePlayer;
    std::unique_ptr<MatchVisualisation> m_matchVisualisation;
    std::unique_ptr<OwnedSessionOptions> m_sessionOptions;
    std::unique_ptr<CaptureSession> m_captureSession;
    std::unique_ptr<TestArea> m_testArea;
    SeededRandom m_random;
    std::unique_ptr<Fitting> m_fitting;
    ActionMap m_actionMap;
    std::unique_ptr<ActionMapCommands> m_actionMapCommands;
    std::unique_ptr<EepromOperations> m_eeprom;
    std::unique_ptr<Startup> m_startup;
};

} // namespace ravlin
