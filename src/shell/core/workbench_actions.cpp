#include "shell/core/workbench.h"
#include "shell/core/workbench_parts.h"

namespace ravlin {

// The action map's commands read the main window's test-mode switch, the selected hash module,
// the remote-name box, the button-name box and the hash box; the EEPROM operations go through the
// USB driver port and hold the poll timer during a write run.
void Workbench::connectActions() {
    m_actionMapCommands = std::make_unique<ActionMapCommands>(m_actionMap, m_base, m_rescanFlags, m_dialogs);
    ActionMapCommands::Hooks& a = m_actionMapCommands->hooks();
    a.testMode = [this] { return m_testArea->settings().testSwitch; };
    a.m96Selected = [this] { return m_hashPanel.source == HashSource::M96; };
    a.remoteName = [this] { return m_baseEditor->settings().remoteName; };
    a.buttonName = [this] { return m_baseEditor->settings().buttonName; };
    a.hashBox = [this] { return m_burst.hash; };

    m_eeprom = std::make_unique<EepromOperations>(m_capture, m_dialogs, m_timers,
                                                  m_fitting->view().recognitionVerdict);
    EepromOperations::Hooks& e = m_eeprom->hooks();
    e.driver = [this] { return m_drivers.usb(); };
    e.stopPolling = [this] { m_poller->stopPolling(); };
    e.startPolling = [this] { m_poller->startPolling(); };
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
