#include "shell/core/workbench.h"
#include "shell/core/workbench_parts.h"

namespace ravlin {

// The action map's commands read the main window's test-mode switch, the selected hash module,
// the remote-name box, the button-name box and the hash box; the EEPROM operations go through the
// USB driver port and hold the poll timer during a write run.
void Workbench::connectActions() {
    m_actionMapCommands = std::make_unique<ActionMapCommands>(
        m_actionMap, m_base, m_rescanFlags, m_dialogs,
        ActionMapCommands::Inputs{m_testArea->settings(), m_hashPanel, m_entry.settings, m_burst});
    m_eeprom = std::make_unique<EepromOperations>(m_capture, m_dialogs, m_timers,
                                                  m_fitting->view().recognitionVerdict, m_drivers, *m_poller);
}

bool Workbench::openActionMapWindow() {
    if (!m_actionMapCommands->open()) return false;
    emit actionMapWindowRequested();
    return true;
}

void Workbench::openEepromWindow() {
    emit eepromWindowRequested();
}

} // namespace ravlin
