#include "shell/core/workbench.h"
#include "shell/core/workbench_parts.h"

namespace ravlin {

// Import and export of remote-control files: records are hashed with the receiver kind and the
// processing settings in use, "Порог" is written back as successive receptions write it, and the
// record-entry commands show the first new record.
void Workbench::connectSignalFiles() {
    BaseEditor& editor = *m_baseEditor;
    BaseEntry& entry = m_entry;
    m_signalFiles = std::make_unique<SignalFileCommands>(m_base, m_dialogs, m_timers, m_rescanFlags);
    SignalFileCommands::Hooks& h = m_signalFiles->hooks();
    h.log = [this](const QString& line) { log(line); };
    h.settings = [this] { return SignalImportSettings{m_poller->kind(), m_hashPanel, m_decoder}; };
    h.setThreshold = [this](const QString& threshold) { m_hashPanel.threshold = threshold; };
    h.setRecordNumber = [&entry](const QString& n) { entry.settings.recordNumber = n; };
    h.goToRecord = [&editor] { editor.goToRecord(); };
    h.countChanged = [this, &entry] { entry.view.countLabel = QString::number(m_base.count()); };
}

} // namespace ravlin
