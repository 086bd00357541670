#include "shell/core/workbench.h"
#include "shell/core/workbench_parts.h"

namespace ravlin {

// The test area: it reads the base and the burst on screen, saves the test memo under the length
// export dialog's name, and "Выгрузить кнопки" ends with the clear-base command and Open.
void Workbench::connectTestArea() {
    m_testArea = std::make_unique<TestArea>(m_base, m_working, m_dialogs, m_presets.lengths);
    TestArea::Hooks& h = m_testArea->hooks();
    h.clearBase = [this] { m_baseEditor->clearBase(); };
    h.openBase = [this] { m_baseFiles->open(); };
    h.openedFile = [this] { return m_baseFiles->openName(); };
}

} // namespace ravlin
