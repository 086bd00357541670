#include "shell/core/workbench.h"
#include "shell/core/workbench_parts.h"

namespace ravlin {

// The processing run: it stops and restarts polling, reads which page is in front and the rescan's
// state, and writes the record-entry panel, the burst fields and the repeat square it is handed.
void Workbench::connectPipeline() {
    PipelineHooks h;
    h.stopPolling = [this] { m_poller->stopPolling(); };
    h.restartPolling = [this] { m_poller->startPolling(); };
    h.burstPageActive = [this] { return isBurstPageActive(); };
    h.hashTabActive = [this] { return isBurstTabActive(BurstTab::HashModules); };
    h.repeatLimit = [this] { return m_poller->settings().fiveByteRepeats ? 5 : 3; };
    h.rescanRunning = [this] { return m_rescan->isRunning(); };
    h.log = [this](const QString& line) { log(line); };
    h.showCaption = [this](const QString& caption) { m_mainView.caption = caption; };
    m_pipeline = std::make_unique<Pipeline>(PipelineState{m_capture, m_base, m_working, m_analogues,
                                                          m_distribution, m_hashPanel, m_decoder, m_session,
                                                          m_match, m_entry, m_burst, m_reception},
                                            m_dialogs, m_timers, std::move(h));

    // "Источник" pauses polling while it is open and lists the files of the last looked-up hash.
    HashSources::Hooks s;
    s.pollingActive = [this] { return m_poller->isPolling(); };
    s.stopPolling = [this] { m_poller->stopPolling(); };
    s.startPolling = [this] { m_poller->startPolling(); };
    s.lastHash = [this] { return m_pipeline->lastSelectedHash(); };
    s.log = [this](const QString& line) { log(line); };
    m_hashSources = std::make_unique<HashSources>(AnalogueBase::filePath(m_appDir), m_dialogs, m_timers, s);
}

} // namespace ravlin
