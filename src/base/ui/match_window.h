#pragma once

#include "base/core/match_visualisation.h"

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ravlin {

// TForm5 "Визуализация совпадений": the group box that blinks on a match, "Включить", the two
// modes with the record number box, "Включить звуковое подтверждение" and the hidden start button.
class MatchWindow : public QWidget {
    Q_OBJECT

public:
    explicit MatchWindow(MatchVisualisation& match, QWidget* parent = nullptr);

    void refresh();

signals:
    void changed();

private:
    void optionClicked();

    MatchVisualisation& m_match;
    QGroupBox* m_group;     // GroupBox1, the blinking area
    QCheckBox* m_enable;    // CheckBox1 "Включить"
    QRadioButton* m_chosen; // RadioButton1 "При приёме заданной кнопки"
    QRadioButton* m_any;    // RadioButton2 "Любой от этого пульта"
    QLineEdit* m_record;    // Edit1 "В качестве заданной выберем"
    QCheckBox* m_sound;     // CheckBox2 "Включить звуковое подтверждение"
    QPushButton* m_start;   // Button1 "1", hidden
    bool m_refreshing = false;
};

} // namespace ravlin
