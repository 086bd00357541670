#include "shell/core/startup.h"

#include "base/core/key_names.h"

#include <QFileInfo>

#include <array>

namespace ravlin {

namespace {

const QString kBaseMissingBox =
    QStringLiteral("Немогу подгрузить базу!!!\r\n(её необходимо скачать отдельно)");
const QString kBaseMissingLog = QStringLiteral("Немогу подгрузить базу!!!");

// Data source selected by Button1, Button2 and Button3.
constexpr std::array<HashSource, 3> kConfigurationSources = {HashSource::OneBitPlusM96, HashSource::OneBit,
                                                             HashSource::M96NA};

} // namespace

Startup::Startup(StartupContext context, QObject* parent)
    : QObject(parent), m_c(std::move(context)), m_t1(m_c.timers.create(kLoadingMs)),
      m_t2(m_c.timers.create(kProgressMs)), m_t3(m_c.timers.create(kCountdownMs)),
      m_mainStart(m_c.timers.create(kMainStartMs, true)) {
    m_t1->setHandler([this] { loadingStep(); });
    m_t2->setHandler([this] { progressTick(); });
    m_t3->setHandler([this] { countdownTick(); });
    m_mainStart->setHandler([this] { mainStartTick(); });
}

Startup::~Startup() = default;

HashSource Startup::sourceOf(int button) {
    if (button < 1 || button > static_cast<int>(kConfigurationSources.size()))
        return kConfigurationSources[0];
    return kConfigurationSources[static_cast<std::size_t>(button - 1)];
}

void Startup::begin() {
    if (m_phase != Phase::Created) return;
    m_phase = Phase::Loading;
    m_t1->start();
    m_mainStart->start();
}

void Startup::stop() {
    m_t1->stop();
    m_t2->stop();
    m_t3->stop();
    m_mainStart->stop();
}

void Startup::loadingStep() {
    m_t1->stop();
    m_t2->stop();
    emit centreMainWindowRequested();

    loadAnalogueBase();

    // The name-by-picture window shows the first remote.
    m_c.namePicture.remoteCode = QStringLiteral("A01");
    m_c.namePicture.selectorText = QStringLiteral("A1");
    emit remoteDescriptionLoadRequested();

    FileDialogPresets& presets = m_c.presets;
    for (QString* preset : {&presets.openBase, &presets.saveBase, &presets.diagram, &presets.lengths})
        *preset = withDirectoryPrefix(*preset, m_c.appDir);

    m_c.launcher.progress = 0;
    m_phase = Phase::Progress;
    m_t2->start();
}

void Startup::loadAnalogueBase() {
    QString error;
    switch (m_c.analogues.load(AnalogueBase::filePath(m_c.appDir), &error)) {
    case AnalogueBase::LoadResult::Loaded:
        break;
    case AnalogueBase::LoadResult::Missing:
        m_c.dialogs.beep();
        m_c.dialogs.information(kBaseMissingBox);
        m_c.log.append(kBaseMissingLog);
        m_c.log.append(lookedInLine(QFileInfo(AnalogueBase::filePath(m_c.appDir)).absolutePath()));
        break;
    case AnalogueBase::LoadResult::ReadError:
        // The load is abandoned with an empty base; start-up goes on.
        m_c.dialogs.information(error);
        break;
    }
}

void Startup::progressTick() {
    LauncherView& launcher = m_c.launcher;
    launcher.progress += kProgressStep;
    if (launcher.progress < 100) return;

    m_t1->stop();
    m_t2->stop();
    MainView& main = m_c.main;
    main.caption = kAppCaption;
    main.versionLabel = kVersionText;
    main.authorLabel = kAuthorText;
    emit activePageRequested(MainPage::About, BurstTab::ReceivedData);

    launcher.progressVisible = false;
    launcher.choicesVisible = true;
    m_countdown = kCountdownStart;
    m_phase = Phase::Choosing;
    m_t3->start();
}

void Startup::countdownTick() {
    --m_countdown;
    if (m_countdown - 2 >= 0)
        m_c.launcher.button1Caption =
            QStringLiteral("Основная конфигурация  (") + QString::number(m_countdown - 2) + u')';
    if (m_countdown < 1) {
        m_countdown = kCountdownStart;
        m_t3->stop();
        chooseConfiguration(1);
    }
}

void Startup::chooseConfiguration(int button) {
    m_t3->stop();
    m_c.hashPanel.source = sourceOf(button);
    emit hashPanelApplyRequested();

    m_c.main.visible = true;
    emit showMainWindowRequested();
    m_c.launcher.visible = false;
    emit hideLauncherRequested();
    m_phase = Phase::Done;
}

void Startup::mainStartTick() {
    m_mainStart->stop();
    ButtonBase& base = m_c.base;
    base.setCount(0);
    for (int i = 1; i <= ButtonBase::kCapacity; ++i) {
        ButtonRecord& r = base.record(i);
        r.hash.clear();
        for (QString& t : r.timings)
            t.clear();
    }
    m_c.main.keyNameItems = KeyNamTab::names();
    m_c.polling.enterSlowStartMode();
    m_c.polling.startPolling();
}

} // namespace ravlin
