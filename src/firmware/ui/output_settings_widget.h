#pragma once

#include "firmware/core/output_settings.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QLabel;
class QRadioButton;
class QSlider;

namespace ravlin {

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
    void store();
    void enableByPauseMode();

    OutputSettings& m_settings;
    std::array<QRadioButton*, 3> m_known{};
    std::array<QRadioButton*, 3> m_unknown{};
    std::array<QCheckBox*, 4> m_checks{};
    QSlider* m_zero = nullptr;
    QSlider* m_one = nullptr;
    QSlider* m_pause = nullptr;
    QLabel* m_zeroLabel = nullptr;
    QLabel* m_pauseLabel = nullptr;
    QCheckBox* m_pauseMode = nullptr;
    bool m_refreshing = false;
};

} // namespace ravlin
