#include "base/core/capture_session.h"

#include <algorithm>

namespace ravlin {

namespace {
const QString kCounterPrefix = QStringLiteral("Принято - ");
} // namespace

CaptureSession::CaptureSession(CaptureSessionFlags& flags, RescanFlags& rescan, SessionOptions& options,
                               Dialogs& dialogs, TimerFactory& timers, const PollingControl& polling)
    : m_flags(flags), m_rescan(rescan), m_options(options), m_dialogs(dialogs), m_polling(polling),
      m_timer(timers.create(kTickMs)) {
    m_timer->setHandler([this] { tick(); });
}

QString CaptureSession::stageText(SessionStage stage) {
    switch (stage) {
    case SessionStage::Press:
        return QStringLiteral("Нажмите кнопку пульта");
    case SessionStage::Hold:
        return QStringLiteral("Удерживайте нажатой");
    case SessionStage::Release:
        return QStringLiteral("Отпустите кнопку");
    case SessionStage::Wait:
        return QStringLiteral("Ждите - занят данными");
    case SessionStage::Idle:
        break;
    }
    return QStringLiteral("Свободен");
}

int CaptureSession::targetOf(const QString& text) {
    int value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) break;
        value = std::min(kMaxTarget, value * 10 + (c.unicode() - '0'));
    }
    return value;
}

void CaptureSession::windowShown() {
    if (m_flags.windowOpen) return; // already shown: the saved options stay those it found
    m_saved = m_options.values();
    m_optionsTaken = false;
    m_flags.windowOpen = true;
}

void CaptureSession::windowClosed() {
    cancel();
    m_flags.windowOpen = false;
}

void CaptureSession::start() {
    m_rescan.rescanned = false; // the base must be rescanned before the firmware windows compute
    const int status = m_polling.lastDriverStatus();
    if (status != 0) {
        m_dialogs.beep();
        return;
    }
    m_options.set({false, false, false});
    m_optionsTaken = true;

    m_flags.running = true;
    m_flags.burstCounter = 0;
    m_timer->start();
    m_pass = 0;
    m_ticks = 0;
    m_target = targetOf(m_settings.target);
    m_flags.sessionCounter = 0;

    m_view.stage = SessionStage::Press;
    m_view.counterLabel = kCounterPrefix + QLatin1Char('0');
    setSuffix();
}

void CaptureSession::cancel() {
    m_flags.running = false;
    m_flags.burstCounter = 0;
    m_ticks = 0;
    m_timer->stop();
    m_view.stage = SessionStage::Idle;
    m_view.counterLabel = kCounterPrefix + QLatin1Char('0');
    m_flags.suffix.clear();
    // Only what a start took is given back, so that options the user changed while no session
    // ran are kept.
    if (m_optionsTaken) {
        m_options.set(m_saved);
        m_optionsTaken = false;
    }
}

void CaptureSession::setSuffix() {
    m_flags.suffix = kSessionSuffix + QString::number(m_pass);
}

void CaptureSession::tick() {
    setSuffix();
    CaptureSessionFlags& f = m_flags;
    switch (m_view.stage) {
    case SessionStage::Press:
        if (f.burstCounter != 0) {
            f.burstCounter = 0;
            m_ticks = 0;
            f.sessionCounter = 0;
            m_view.stage = SessionStage::Hold;
        }
        break;
    case SessionStage::Hold:
        ++m_ticks;
        f.running = true;
        if (f.burstCounter < 2) m_ticks = 0;
        if (m_ticks >= kHoldTicks) {
            f.burstCounter = 0;
            f.running = false;
            m_ticks = 0;
            m_view.stage = SessionStage::Release;
        }
        break;
    case SessionStage::Release:
        m_ticks = f.burstCounter == 0 ? m_ticks + 1 : 0;
        f.running = true;
        f.burstCounter = 0;
        if (m_ticks >= kQuietTicks) {
            m_ticks = 0;
            m_view.stage = SessionStage::Wait;
        }
        break;
    case SessionStage::Wait:
        m_ticks = f.burstCounter == 0 ? m_ticks + 1 : 0;
        f.running = false;
        f.burstCounter = 0;
        if (m_ticks >= kQuietTicks) passEnded();
        break;
    case SessionStage::Idle:
        break;
    }
}

void CaptureSession::passEnded() {
    if (m_pass >= m_target) {
        m_timer->stop();
        cancel();
        return;
    }
    ++m_pass;
    m_flags.burstCounter = 0;
    m_flags.running = true;
    m_ticks = 0;
    m_view.stage = SessionStage::Press;
    m_view.counterLabel = kCounterPrefix + QString::number(m_pass);
    // The next pass's suffix at once, so that a burst before the next tick is stored under it.
    setSuffix();
}

} // namespace ravlin
