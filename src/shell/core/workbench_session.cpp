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
    connect(m_pipeline.get(), &Pipeline::matched, this, [this] { m_matchVisualisation->signal(); });

    m_sessionOptions =
        std::make_unique<OwnedSessionOptions>(m_poller->settings(), m_pipeline->settings(), m_match);
    m_captureSession = std::make_unique<CaptureSession>(m_session, m_rescanFlags, *m_sessionOptions,
                                                        m_dialogs, m_timers, *m_poller);
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
