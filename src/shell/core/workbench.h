#pragma once

// The workbench owns everything the program shares between its windows: the ports, the button
// base, the working record, the capture buffer, the base of known remotes, the settings of the
// panels, the view state, every subsystem's core object and the start-up sequence. Its public face
// is read-only views and commands; the windows are assembled from its parts (workbench_parts.h),
// handed out once. Windows never talk to each other.
//
// How to plug a subsystem in
// --------------------------
// 1. Shared view state is a plain struct in the core of the subsystem that owns it, a member here;
//    every object that writes it gets a reference in its constructor.
// 2. Add the subsystem's core object as a member below, built in its wiring file
//    (workbench_<subsystem>.cpp) with references to what it needs: m_timers (NOT the raw factory:
//    the timers it makes announce a change after every tick), m_dialogs, the shared state.
// 3. Its events (callbacks or Qt signals) are connected in that file straight to the object that
//    carries the work out; nothing is relayed.
// 4. Windows get it through WorkbenchParts (workbench_parts.h): add it there. What others only read
//    is a const view here, what they ask for a command; the UI calls it and then notifyChanged();
//    every window refreshes on changed().

#include "acquisition/core/drivers/receiver_drivers.h"
#include "acquisition/core/reception_settings.h"
#include "base/core/analogue_base.h"
#include "base/core/base_entry.h"
#include "base/core/base_file.h"
#include "base/core/base_file_tab.h"
#include "base/core/button_base.h"
#include "base/core/button_record.h"
#include "base/core/capture_buffer.h"
#include "base/core/name_picture.h"
#include "base/core/record_cursor.h"
#include "base/core/rescan_flags.h"
#include "base/core/session_flags.h"
#include "capture/core/oscillogram.h"
#include "capture/core/position_distribution.h"
#include "firmware/core/action_map.h"
#include "firmware/core/random_source.h"
#include "hashing/core/panel_settings.h"
#include "platform/core/file_dialog_presets.h"
#include "shell/core/notifying_timer_factory.h"
#include "shell/core/settings_owners.h"
#include "shell/core/shell_view.h"

#include <QObject>

#include <memory>

namespace ravlin {

class ActionMapCommands;
class BaseEditor;
class BaseFileCommands;
class CaptureSession;
class Clock;
class Dialogs;
class EepromOperations;
class Fitting;
class HashSources;
class MatchVisualisation;
class NameChoice;
class NamePicture;
class Pipeline;
class Poller;
class Rescan;
class SignalFileCommands;
class SignalView;
class Startup;
class TestArea;
class TimerFactory;
class TunePlayer;
class UrlOpener;
struct WorkbenchParts;

class Workbench : public QObject {
    Q_OBJECT

public:
    // `appDir` is the application directory: the working directory at start in production.
    Workbench(Dialogs& dialogs, TimerFactory& timers, UrlOpener& urls, Clock& clock, QString appDir,
              QObject* parent = nullptr);
    ~Workbench() override;

    // The application directory and paths under it.
    const QString& appDir() const { return m_appDir; }
    QString dataPath(const QString& relative) const { return joinPath(m_appDir, relative); }
    // Pages the link labels and the help menu open: the user guide, docs/index.md in the application
    // directory, or the file set here (an installed guide).
    void setGuideFile(const QString& path) { m_guideFile = path; }
    QString guideFile() const;
    QString projectPageUrl() const;
    QString helpPageUrl() const;

    // Read-only views of the shared state; windows and tests that change it take the parts
    // (workbench_parts.h).
    const ButtonBase& base() const { return m_base; }
    const WorkingRecord& working() const { return m_working; }
    const CaptureBuffer& capture() const { return m_capture; }
    const ResultLog& resultLog() const { return m_log; }
    void log(const QString& line) { m_log.append(line); }

    // View state of the shell windows.
    const LauncherView& launcherView() const { return m_launcherView; }
    const MainView& mainView() const { return m_mainView; }
    // The record-entry panel and the burst fields, written by the base-entry commands, the
    // processing run and the poller.
    const BaseEntry& baseEntry() const { return m_entry; }
    const BurstFields& burstFields() const { return m_burst; }

    // The page the UI has in front; the UI reports every switch.
    void setActivePage(MainPage page, BurstTab inner);
    MainPage activePage() const { return m_mainView.page; }
    BurstTab activeBurstTab() const { return m_mainView.burstTab; }
    // Whether the oscillogram tab (and, for `inner`, its inner page) is in front.
    bool isBurstPageActive() const { return m_mainView.page == MainPage::Burst; }
    bool isBurstTabActive(BurstTab inner) const {
        return isBurstPageActive() && m_mainView.burstTab == inner;
    }

    // The start-up sequence: its announcements, and the command that begins it.
    const Startup& startup() const;
    void beginStartup();

    // The backends behind both receiver driver ports (the simulated receiver with no file until
    // main() chooses one).
    const ReceiverDrivers& drivers() const { return m_drivers; }
    void setUsbDriver(std::unique_ptr<UsbDriver> driver);
    void setNetworkDriver(std::unique_ptr<NetworkDriver> driver);
    // Duration unit of the receiver in use, in milliseconds (the strip's readouts).
    double durationUnitMs() const;
    const PositionDistribution& distribution() const { return m_distribution; }
    const CaptureSessionFlags& session() const { return m_session; }
    const RescanFlags& rescanFlags() const { return m_rescanFlags; }
    // Whether a rescan or a fitting run is going on, the match window's blinking and the "Сигнал"
    // window's view.
    const Rescan& rescan() const;
    const Fitting& fitting() const;
    const MatchVisualisation& matchVisualisation() const;
    const SignalView& signalView() const;
    // The player of the match window's tune (silent until main() gives a real one).
    void setTunePlayer(std::unique_ptr<TunePlayer> player);
    // "Создание слепка": the current-record display is reset and the session window opens.
    void openCaptureSession();
    // Draws the capture buffer on the strip (painted only while " Kestrum " is in front) and hands
    // it to the signal view.
    void drawBurst();
    // The burst in the capture buffer goes to processing: polling stops, the run is scheduled.
    void processBurst();

    // The main window's "Подбор переменных ХЭШирования": runs the opening checks and, when they
    // pass, asks for the fitting window to be shown.
    bool openFittingWindow();
    // The main window's "Кнопки для Pelvar" runs the opening checks of the button-to-action map
    // and, when they pass, asks for its window to be shown.
    bool openActionMapWindow();
    // The tool bar's "Eprom", which asks for the EEPROM operations' window.
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
    // The parts windows are assembled from (workbench_parts.h).
    friend WorkbenchParts partsOf(Workbench& wb);

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
