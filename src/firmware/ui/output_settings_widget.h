#pragma once

#include "firmware/core/output_settings.h"

#include <QWidget>

class QLabel;
class QSlider;

namespace ravlin {

namespace ui {
class Bindings;
}

// The output-settings controls (RadioButtonA1..A3, RadioButtonB1..B3, CheckBoxC1..C4,
// TrackBarX1..X3, CheckBoxX1) over an OutputSettings; the fitting window and the EEPROM window
// each carry one. Edits go straight into the settings, then changed() is emitted.
class OutputSettingsWidget : public QWidget {
    Q_OBJECT

public:
    explicit OutputSettingsWidget(OutputSettings& settings, QWidget* parent = nullptr);

    // Shows the settings (sets a control only when its value differs).
    void refresh();

signals:
    void changed();

private:
    void enableByPauseMode();

    OutputSettings& m_settings;
    ui::Bindings* m_bindings;
    // Enabled by the pause mode: the zero depth when it is off, the pause when it is on.
    QSlider* m_zero = nullptr;
    QLabel* m_zeroLabel = nullptr;
    QSlider* m_pause = nullptr;
    QLabel* m_pauseLabel = nullptr;
};

} // namespace ravlin
