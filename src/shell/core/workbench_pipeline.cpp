#include "shell/core/workbench.h"
#include "shell/core/workbench_parts.h"

namespace ravlin {

// The processing run: it stops and restarts polling, reads which page is in front and the rescan's
// state, and writes the record-entry panel, the burst fields, the repeat square and the log.
void Workbench::connectPipeline() {
    m_pipeline = std::make_unique<Pipeline>(PipelineState{m_capture, m_base, m_working, m_analogues,
                                                          m_distribution, m_hashPanel, m_decoder, m_session,
                                                          m_match, m_entry, m_burst, m_reception,
                                                          m_poller->settings(), m_rescanFlags, m_page, m_log},
                                            m_dialogs, m_timers, *m_poller);
    connect(m_pipeline.get(), &Pipeline::errorCaption, this,
            [this](const QString& caption) { m_mainView.caption = caption; });

    // "Источник" pauses polling while it is open and lists the files of the last looked-up hash.
    m_hashSources = std::make_unique<HashSources>(
        AnalogueBase::filePath(m_appDir), m_pipeline->lastSelectedHash(), m_dialogs, m_timers, *m_poller);
}

} // namespace ravlin
