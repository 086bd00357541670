#pragma once

#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ravlin {

class Pipeline;
struct BurstFields;

// The hash result line under the inner tabs: "ХЭШ полученных данных" with the hash box (EditPebr)
// and "Автоматически добавлять новые".
class PipelineResultArea : public QWidget {
    Q_OBJECT

public:
    PipelineResultArea(Pipeline& pipeline, const BurstFields& burst, QWidget* parent = nullptr);
    void refresh();

signals:
    void changed();

private:
    Pipeline& m_pipeline;
    const BurstFields& m_burst;
    QLineEdit* m_hash;    // EditPebr
    QCheckBox* m_autoAdd; // CheckBoxAutoAdd
};

// The group "Аналоги данной кодировки": "Проверять аналоги...", LabelD1 and the "СМ." button.
class AnalogueGroup : public QWidget {
    Q_OBJECT

public:
    AnalogueGroup(Pipeline& pipeline, std::function<void()> openSources, QWidget* parent = nullptr);
    void refresh();

signals:
    void changed();

private:
    Pipeline& m_pipeline;
    QCheckBox* m_check; // CheckBoxBaz
    QLabel* m_label;    // LabelD1
    QPushButton* m_see; // ButtonHsSm
};

} // namespace ravlin
