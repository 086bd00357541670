#include "shell/core/workbench.h"
#include "shell/core/workbench_parts.h"

namespace ravlin {

// The test area: it reads the base and the burst on screen, saves the test memo under the length
// export dialog's name, and "Выгрузить кнопки" ends with the clear-base command and Open.
void Workbench::connectTestArea() {
    m_testArea =
        std::make_unique<TestArea>(m_base, m_working, m_dialogs, m_presets.lengths, m_presets.openBase);
    connect(m_testArea.get(), &TestArea::reloadBaseRequested, this, [this] {
        m_baseEditor->clearBase();
        m_baseFiles->open();
    });
}

} // namespace ravlin
