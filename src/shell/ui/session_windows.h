#pragma once

#include <QWidget>

#include <memory>

namespace ravlin {

class MainWindow;
class Workbench;
struct WorkbenchParts;

// The capture-session window (TForm4) and the match-visualisation window (TForm5).
std::unique_ptr<QWidget> makeCaptureSessionWindow(Workbench& wb, WorkbenchParts& p);
std::unique_ptr<QWidget> makeMatchWindow(Workbench& wb, WorkbenchParts& p);
// "Создание слепка" on the tool bar and "Действия при совпадении" on the " HEX Baza " page open
// them centred over the main window, without blocking.
void assembleSessionWindows(Workbench& wb, MainWindow& main, QWidget* session, QWidget* match);

} // namespace ravlin
