#pragma once

#include "hashing/core/panel_settings.h"

#include <QWidget>

#include <vector>

class QCheckBox;
class QLineEdit;

namespace ravlin {

class Pipeline;

// Inner tab "Модуль 96 и другие": the protocol decoder's sub-decoder check boxes and its two
// output fields.
class DecoderPage : public QWidget {
    Q_OBJECT

public:
    DecoderPage(Pipeline& pipeline, DecoderSettings& settings, QWidget* parent = nullptr);
    void refresh();

signals:
    void changed();

private:
    struct Box {
        QCheckBox* box;
        bool DecoderSettings::*member;
    };
    Pipeline& m_pipeline;
    DecoderSettings& m_settings;
    std::vector<Box> m_boxes;
    QLineEdit* m_decoded; // EditHs1
    QLineEdit* m_vars;    // EditHs2
};

} // namespace ravlin
