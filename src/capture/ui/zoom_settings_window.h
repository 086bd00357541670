#pragma once

#include "capture/core/oscillogram.h"

#include <QWidget>

namespace ravlin {

namespace ui {
class Bindings;
}

// TForm6 "Настройка графики и зума": automatic or manual zoom, the manual scale, the fall-back
// and the narrowest filled mark. The controls are read at every draw; changing them redraws
// nothing.
class ZoomSettingsWindow : public QWidget {
    Q_OBJECT

public:
    explicit ZoomSettingsWindow(ZoomSettings& settings, QWidget* parent = nullptr);

    // Places the window centred over `main` and shows it without blocking.
    void showCentredOver(const QWidget& main);

    void refresh();

private:
    ui::Bindings* m_bindings;
};

} // namespace ravlin
