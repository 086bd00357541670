#pragma once

#include "capture/core/oscillogram.h"

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSlider;

namespace ravlin {

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
    void store();

    ZoomSettings& m_settings;
    QRadioButton* m_auto;
    QRadioButton* m_manual;
    QSlider* m_track;
    QCheckBox* m_fallback;
    QLineEdit* m_narrowest;
    bool m_refreshing = false;
};

} // namespace ravlin
