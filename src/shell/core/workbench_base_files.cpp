#include "shell/core/workbench.h"
#include "shell/core/workbench_parts.h"

namespace ravlin {

// Open/Save of base files, the rescan with its duplicate removal, and the statistics, with the
// record cursor, the owners of the settings a base file carries, the polling and the result log.
void Workbench::connectBaseFiles() {
    m_carried = std::make_unique<OwnedCarriedSettings>(m_poller->settings(), m_hashPanel, m_zoom, m_match,
                                                       m_fitting->settings());
    m_baseFiles = std::make_unique<BaseFileCommands>(m_base, m_dialogs, m_rescanFlags, m_hexBaza, m_presets,
                                                     *m_carried, m_cursor, m_log);
    connect(m_baseFiles.get(), &BaseFileCommands::clearBaseRequested, m_baseEditor.get(),
            &BaseEditor::clearBase);
    // Go-to-record hands the rebuilt buffer to processing, which stores the new hash into the
    // record the box shows while the rescan runs.
    m_rescan = std::make_unique<Rescan>(m_base, m_dialogs, m_timers, m_rescanFlags, m_hexBaza, m_hashPanel,
                                        m_cursor, *m_poller, m_log);
}

} // namespace ravlin
