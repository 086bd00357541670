#pragma once

namespace ravlin {

class MainWindow;
class Workbench;
struct WorkbenchParts;

// The test area on " Settings " (with the buttons "Подбор переменных ХЭШирования" and "Кнопки
// для Pelvar", ButtonFitting and ButtonPelvar) and the test buttons "Тест" and "длинн" under the
// timing lines of " Принятые данные ".
void assembleTestArea(Workbench& wb, WorkbenchParts& p, MainWindow& main);

} // namespace ravlin
