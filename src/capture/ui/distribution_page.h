#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace ravlin {

class Pipeline;
class PictureView;

// The "IR Distribution" tab: draws the position distribution map, clears it, saves the picture.
class DistributionPage : public QWidget {
    Q_OBJECT

public:
    // `clearWithBase` is the base's "При очистке базы очищать" option; `save` writes a picture.
    DistributionPage(Pipeline& pipeline, bool& clearWithBase, std::function<void(const QImage&)> save,
                     QWidget* parent = nullptr);
    void refresh();

signals:
    void changed();

private:
    Pipeline& m_pipeline;
    bool& m_clearWithBase;
    QPushButton* m_draw;      // Button2
    QRadioButton* m_all;      // RadioButtonW1
    QRadioButton* m_first;    // RadioButtonW2
    QRadioButton* m_last;     // RadioButtonW3
    QCheckBox* m_lastInLower; // CheckBox4
    QPushButton* m_clear;     // Button16
    QCheckBox* m_withBase;    // CheckBox8
    QPushButton* m_save;
    PictureView* m_image; // Image3
};

} // namespace ravlin
