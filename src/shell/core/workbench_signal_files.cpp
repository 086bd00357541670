#include "shell/core/workbench.h"
#include "shell/core/workbench_parts.h"

namespace ravlin {

// Import and export of remote-control files: records are hashed with the receiver kind and the
// processing settings in use, "Порог" is written back as successive receptions write it, and the
// record-entry commands show the first new record.
void Workbench::connectSignalFiles() {
    m_signalFiles =
        std::make_unique<SignalFileCommands>(m_base, m_dialogs, m_timers, m_rescanFlags, m_poller->settings(),
                                             m_hashPanel, m_decoder, m_cursor, m_log);
}

} // namespace ravlin
