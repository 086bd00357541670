#include "shell/core/workbench.h"
#include "shell/core/workbench_parts.h"

namespace ravlin {

// The capture session reads the receiver's last status and takes the three options of the
// reception tab, the processing run and the match window; the processing run signals matches.
void Workbench::connectSession() {
    m_tunePlayer = std::make_unique<SilentTunePlayer>();
    m_matchVisualisation = std::make_unique<MatchVisualisation>(
        m_match, m_timers, dataPath(QStringLiteral("Tarnisk/OpisPl/Beep.mid")));
    m_matchVisualisation->setPlayer(m_tunePlayer.get());
    m_pipeline->hooks().matchSignal = [this] { m_matchVisualisation->signal(); };

    SessionOptions options{&m_poller->settings().skipRepeats, &m_pipeline->settings().autoAdd,
                           &m_match.enabled};
    CaptureSession::Hooks h;
    h.lastDriverStatus = [this] { return m_poller->previousStatus(); };
    m_captureSession = std::make_unique<CaptureSession>(m_session, m_rescanFlags, options, m_dialogs,
                                                        m_timers, std::move(h));
}

void Workbench::setTunePlayer(std::unique_ptr<TunePlayer> player) {
    if (!player) return;
    m_matchVisualisation->setPlayer(player.get());
    m_tunePlayer = std::move(player);
}

void Workbench::openCaptureSession() {
    m_baseEditor->resetDisplay();
    m_captureSession->windowShown();
}

void Workbench::stopSessionAndMatch() {
    m_captureSession->cancel();
    m_matchVisualisation->stop();
}

} // namespace ravlin
