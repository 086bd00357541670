#pragma once

#include "hashing/core/panel_settings.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ravlin {

class Pipeline;
class PictureView;
namespace ui {
class Bindings;
}

// Inner tab "Модули ХЭШирования": which hash modules run, the data source, the Ver1 coding and its
// threshold, and the variable-distribution picture.
class HashPanelPage : public QWidget {
    Q_OBJECT

public:
    HashPanelPage(Pipeline& pipeline, HashPanelSettings& settings, QWidget* parent = nullptr);
    void refresh();

signals:
    void changed();

private:
    void sourceClicked(HashSource source);

    Pipeline& m_pipeline;
    HashPanelSettings& m_settings;
    ui::Bindings* m_bindings;                 // the check boxes and their settings
    QCheckBox* m_oneBit;                      // CheckBoxHs2
    QCheckBox* m_xBit;                        // CheckBoxHs3
    QCheckBox* m_decoder;                     // CheckBoxHs96
    QLabel* m_oneBitStatus;                   // LabelHs2
    QLabel* m_xBitStatus;                     // LabelHs3
    QLabel* m_decoderStatus;                  // LabelHs96
    std::array<QRadioButton*, 5> m_sources{}; // in HashSource order
    QLineEdit* m_threshold;                   // EditA3
    PictureView* m_image;                     // Image2
    QLabel* m_min;
    QLabel* m_max;
    QLabel* m_medium;
    QPushButton* m_apply; // Button28, hidden
};

} // namespace ravlin
