#include "shell/core/workbench.h"
#include "shell/core/workbench_parts.h"

namespace ravlin {

// The fitting window's core, wired to what it reads on the main window: "Порог", the tail size of
// the reception parameters, the hash source, the test-mode switch and go-to-record.
void Workbench::connectFirmware() {
    m_fitting =
        std::make_unique<Fitting>(m_base, m_rescanFlags, m_dialogs, m_timers, m_clock, m_random, m_hashPanel,
                                  m_poller->settings(), m_testArea->settings(), m_cursor);
}

bool Workbench::openFittingWindow() {
    if (!m_fitting->open()) return false;
    emit fittingWindowRequested();
    return true;
}

} // namespace ravlin
