#include "shell/core/workbench.h"

#include "shell/core/workbench_parts.h"

#include "acquisition/core/receiver_kind.h"
#include "platform/core/url_opener.h"

#include <QUrl>

namespace ravlin {

namespace {
const QString kExitQuestion = QStringLiteral("Буфер содержит данные...\r\nВыйти с потерей данных?");
} // namespace

Workbench::Workbench(Dialogs& dialogs, TimerFactory& timers, UrlOpener& urls, Clock& clock, QString appDir,
                     QObject* parent)
    : QObject(parent), m_dialogs(dialogs), m_timers(timers, [this] { emit changed(); }), m_urls(urls),
      m_clock(clock), m_appDir(std::move(appDir)) {
    // Each wiring function builds its subsystem's objects from references to what they use, so an
    // object is built after those it is handed (a reference to one not yet built fails at start);
    // the events reach other subsystems only when they fire, after every object is built.
    connectBaseEntry();
    connectReceiver();
    connectTestArea();
    connectFirmware();
    connectBaseFiles();
    connectPipeline();
    connectSignalFiles();
    connectNaming();
    connectSession();
    connectActions();
    connectStartup();
}

Workbench::~Workbench() = default;

const Startup& Workbench::startup() const {
    return *m_startup;
}

void Workbench::beginStartup() {
    m_startup->begin();
}

const Rescan& Workbench::rescan() const {
    return *m_rescan;
}

const Fitting& Workbench::fitting() const {
    return *m_fitting;
}

const MatchVisualisation& Workbench::matchVisualisation() const {
    return *m_matchVisualisation;
}

const SignalView& Workbench::signalView() const {
    return *m_signalView;
}

void Workbench::drawBurst() {
    m_oscillogram->draw(isBurstPageActive());
    m_signalView->screenBurstChanged();
}

QString Workbench::projectPageUrl() const {
    return QUrl::fromLocalFile(guideFile()).toString();
}

QString Workbench::helpPageUrl() const {
    QUrl url = QUrl::fromLocalFile(guideFile());
    url.setFragment(QStringLiteral("help"));
    return url.toString();
}

QString Workbench::guideFile() const {
    return m_guideFile.isEmpty() ? dataPath(QStringLiteral("docs/index.md")) : m_guideFile;
}

void Workbench::setActivePage(MainPage page, BurstTab inner) {
    m_mainView.page = page;
    m_mainView.burstTab = inner;
    m_reception.burstPageActive = isBurstPageActive();
    m_page.burstPage = isBurstPageActive();
    m_page.hashModules = isBurstTabActive(BurstTab::HashModules);
}

bool Workbench::exitCommand() {
    if (!m_base.isEmpty() && m_dialogs.askYesNo(kExitQuestion) == Answer::No) return false;
    m_exitConfirmed = true;
    emit closeMainWindowRequested();
    return true;
}

bool Workbench::closeBoxPressed() {
    if (m_exitConfirmed || m_exited || m_base.isEmpty()) return true;
    return m_dialogs.askYesNo(kExitQuestion) == Answer::Yes;
}

void Workbench::mainWindowClosing() {
    if (m_exited) return;
    m_exited = true;
    m_poller->network().close();
    m_startup->stop();
    stopSessionAndMatch();
    emit quitRequested();
}

void Workbench::openProjectPage() {
    m_urls.open(projectPageUrl());
}

void Workbench::openHelpPage() {
    m_urls.open(helpPageUrl());
}

void Workbench::processBurst() {
    m_poller->stopPolling();
    m_pipeline->schedule();
}

// The start-up sequence, with the references it uses and the work it hands over.
void Workbench::connectStartup() {
    m_startup = std::make_unique<Startup>(StartupContext{m_timers, m_dialogs, m_appDir, m_base, m_analogues,
                                                         m_hashPanel, m_presets, m_namePicture,
                                                         m_launcherView, m_mainView, m_log, *m_poller});
    Startup* startup = m_startup.get();
    connect(startup, &Startup::remoteDescriptionLoadRequested, this, [this] { m_namePictureAid->load(); });
    connect(startup, &Startup::activePageRequested, this, &Workbench::setActivePage);
    connect(startup, &Startup::hashPanelApplyRequested, this, [this] { m_pipeline->applyPanel(); });
}

} // namespace ravlin
