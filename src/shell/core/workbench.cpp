#include "shell/core/workbench.h"

#include "acquisition/core/drivers/simulated_receiver.h"
#include "acquisition/core/receiver_kind.h"
#include "shell/core/startup.h"

#include <QFileInfo>
#include <QUrl>

namespace ravlin {

namespace {
const QString kExitQuestion = QStringLiteral("Буфер содержит данные...\r\nВыйти с потерей данных?");
const QString kRemoteBaseMissing = QStringLiteral("Немогу подгрузить базу пульта!!!");
} // namespace

Workbench::Workbench(Dialogs& dialogs, TimerFactory& timers, UrlOpener& urls, Clock& clock, QString appDir,
                     QObject* parent)
    : QObject(parent), m_dialogs(dialogs), m_timers(timers, [this] { emit changed(); }), m_urls(urls),
      m_clock(clock), m_appDir(std::move(appDir)) {
    m_hooks.loadRemoteDescription = [this] { loadRemoteDescriptionStandIn(); };
    connectStripAndBase();
    connectReceiver();
    connectPipeline();
    connectBaseFiles();
    connectFirmware();
    connectActions();
    m_startup = std::make_unique<Startup>(*this);
}

Workbench::~Workbench() = default;

QString Workbench::projectPageUrl() const {
    return QUrl::fromLocalFile(dataPath(QStringLiteral("docs/index.md"))).toString();
}

QString Workbench::helpPageUrl() const {
    QUrl url = QUrl::fromLocalFile(dataPath(QStringLiteral("docs/index.md")));
    url.setFragment(QStringLiteral("help"));
    return url.toString();
}

void Workbench::setActivePage(MainPage page, KestrumPage inner) {
    m_mainView.page = page;
    m_mainView.kestrumPage = inner;
    if (m_poller) m_poller->view().kestrumActive = isKestrumActive();
}

bool Workbench::exitCommand() {
    if (!m_base.isEmpty() && m_dialogs.askYesNo(kExitQuestion) == Answer::No) return false;
    emit closeMainWindowRequested();
    return true;
}

void Workbench::mainWindowClosing() {
    if (m_flags.exited) return;
    m_flags.exited = true;
    if (m_hooks.closeNetworkReceiver) m_hooks.closeNetworkReceiver();
    m_startup->stop();
    emit quitRequested();
}

void Workbench::openProjectPage() {
    m_urls.open(projectPageUrl());
}

void Workbench::openHelpPage() {
    m_urls.open(helpPageUrl());
}

void Workbench::connectStripAndBase() {
    m_oscillogram = std::make_unique<Oscillogram>(m_capture, m_zoom, m_dialogs);
    m_oscillogram->setCaption = [this](const QString& caption) { m_mainView.caption = caption; };
    m_hooks.durationUnitMs = [] { return ReceiverKinds::unitMs(ReceiverKind::Movrik); };
    m_baseEditor = std::make_unique<BaseEditor>(m_base, m_working, m_capture, m_dialogs);
    BaseEditor::Hooks& h = m_baseEditor->hooks();
    h.burstRebuilt = [this] {
        drawBurst();
        if (m_hooks.processBurst) m_hooks.processBurst();
    };
    h.logLine = [this](const QString& line) { log(line); };
    h.kestrumActive = [this] { return isKestrumActive(); };
    h.clearDistribution = [this] {
        if (m_hooks.clearPositionDistribution) m_hooks.clearPositionDistribution();
    };
    h.clearPictures = [this] {
        m_oscillogram->clear();
        if (m_hooks.clearVariableDistributionPicture) m_hooks.clearVariableDistributionPicture();
    };
}

void Workbench::loadRemoteDescriptionStandIn() {
    const QString path =
        dataPath(QStringLiteral("Tarnisk/OpisPl/") + m_namePicture.remoteCode + QStringLiteral(".txt"));
    if (QFileInfo(path).isFile()) return;
    m_dialogs.beep();
    log(kRemoteBaseMissing);
}

void Workbench::connectReceiver() {
    m_usbDriver = std::make_unique<SimulatedReceiver>();
    m_networkDriver = std::make_unique<NetworkDriverStub>();
    m_poller = std::make_unique<Poller>(m_timers, m_dialogs, m_capture, m_working, m_base);
    m_poller->setUsbDriver(m_usbDriver.get());
    m_poller->setNetworkDriver(m_networkDriver.get());
    m_poller->view().kestrumActive = isKestrumActive();
    m_baseEditor->attachBurstFields(&m_hashBox, &m_poller->view().timingFields);
    BaseEntryView& entry = m_baseEditor->view();
    m_poller->attachBaseEntryPanels(&entry.selection, &entry.selectionColour, &entry.nameMarker);
    Poller::Hooks& h = m_poller->hooks();
    // A stored burst is drawn and processed; with no processing run yet, polling simply goes on.
    h.burstStored = [this] {
        drawBurst();
        if (m_hooks.processBurst)
            m_hooks.processBurst();
        else
            m_poller->startPolling();
    };
    h.logLine = [this](const QString& line) { log(line); };
    h.rescanIntervalChanged = [this](int ms) {
        if (m_rescan) m_rescan->setIntervalMs(ms);
    };
    m_hooks.startSlowPolling = [this] {
        m_poller->enterSlowStartMode();
        m_poller->startPolling();
    };
    m_hooks.closeNetworkReceiver = [this] { m_poller->network().close(); };
    m_hooks.durationUnitMs = [this] { return ReceiverKinds::unitMs(m_poller->kind()); };
}

void Workbench::connectPipeline() {
    BaseEditor& editor = *m_baseEditor;
    PipelineHooks h;
    h.stopPolling = [this] { m_poller->stopPolling(); };
    h.restartPolling = [this] { m_poller->startPolling(); };
    h.kestrumActive = [this] { return isKestrumActive(); };
    h.hashTabActive = [this] { return isKestrumPageActive(KestrumPage::HashModules); };
    h.repeatLimit = [this] { return m_poller->settings().fiveByteRepeats ? 5 : 3; };
    h.rescanRunning = [this] { return m_rescan && m_rescan->isRunning(); };
    h.log = [this](const QString& line) { log(line); };
    PipelineBindings b;
    b.caption = &m_mainView.caption;
    b.repeatIndicator = &m_poller->view().repeatColour;
    b.hashField = &m_hashBox;
    b.buttonName = &editor.settings().buttonName;
    b.nameMarker = &editor.view().nameMarker;
    b.remoteName = &editor.settings().remoteName;
    b.recordNumber = &editor.settings().recordNumber;
    b.recordPanel = &editor.view().selection;
    b.recordPanelColour = &editor.view().selectionColour;
    b.changeCaption = &editor.view().changeCaption;
    b.countLabel = &editor.view().countLabel;
    b.lastRealName = &m_flags.lastRealButtonName;
    m_pipeline =
        std::make_unique<Pipeline>(PipelineState{m_capture, m_base, m_working, m_analogues, m_distribution,
                                                 m_hashPanel, m_decoder, m_session, m_match},
                                   m_dialogs, m_timers, std::move(h), b);
    m_poller->hooks().lastBurstRecognised = [this] { return m_pipeline->recognised(); };
    m_hooks.processBurst = [this] {
        m_poller->stopPolling();
        m_pipeline->schedule();
    };
    m_hooks.applyHashPanel = [this] { m_pipeline->applyPanel(); };
    m_hooks.clearPositionDistribution = [this] { m_pipeline->clearDistribution(); };
    m_hooks.clearVariableDistributionPicture = [this] { m_pipeline->clearVariablePicture(); };
    // "При очистке базы очищать" is ticked at start.
    editor.settings().clearDistributionWithBase = true;
}

void Workbench::setUsbDriver(std::unique_ptr<UsbDriver> driver) {
    if (!driver) return;
    m_poller->setUsbDriver(driver.get());
    m_usbDriver = std::move(driver);
}

} // namespace ravlin
