#pragma once

#include <QTranslator>

#include <memory>

namespace ravlin {

// What every Ravlin program with windows sets first (the workbench, the screenshot tour): its name,
// version and icon, and Qt's own dialogs and buttons ("Открыть", "Отмена", "Да") in Russian, as the
// program's texts are. Needs a QApplication; keep the translator while it runs.
std::unique_ptr<QTranslator> setUpApplication();

} // namespace ravlin
