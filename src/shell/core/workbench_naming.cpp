#include "shell/core/workbench.h"
#include "shell/core/workbench_parts.h"

namespace ravlin {

// The naming aids write the main window's button-name box through the base-entry commands.
void Workbench::connectNaming() {
    m_namePictureAid =
        std::make_unique<NamePicture>(m_namePicture, *m_baseEditor, m_dialogs, m_log, m_appDir);
    m_nameChoice = std::make_unique<NameChoice>(m_base, *m_baseEditor, m_dialogs);
}

} // namespace ravlin
