#include "shell/core/workbench.h"

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

} // namespace ravlin
