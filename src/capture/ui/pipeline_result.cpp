#include "capture/ui/pipeline_result.h"

#include "base/core/base_entry.h"

#include "capture/core/pipeline.h"
#include "platform/ui/refresh.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace ravlin {

PipelineResultArea::PipelineResultArea(Pipeline& pipeline, const BurstFields& burst, QWidget* parent)
    : QWidget(parent), m_pipeline(pipeline), m_burst(burst) {
    setObjectName(QStringLiteral("PipelineResultArea"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("ХЭШ полученных данных"), this));
    m_hash = new QLineEdit(this);
    m_hash->setObjectName(QStringLiteral("EditPebr"));
    m_hash->setReadOnly(true);
    // Room for a whole 14-digit hash with its "00" prefix; longer texts scroll, beginning visible.
    m_hash->setMinimumWidth(m_hash->fontMetrics().horizontalAdvance(QStringLiteral("0000000000000000")) + 16);
    layout->addWidget(m_hash, 1);
    m_autoAdd = new QCheckBox(QStringLiteral("Автоматически добавлять новые"), this);
    m_autoAdd->setObjectName(QStringLiteral("CheckBoxAutoAdd"));
    layout->addWidget(m_autoAdd);
    connect(m_autoAdd, &QCheckBox::clicked, this, [this](bool on) {
        m_pipeline.settings().autoAdd = on;
        emit changed();
    });
    refresh();
}

void PipelineResultArea::refresh() {
    ui::setShowingStart(m_hash, m_burst.hash);
    ui::setIfDifferent(m_autoAdd, m_pipeline.settings().autoAdd);
}

AnalogueGroup::AnalogueGroup(Pipeline& pipeline, std::function<void()> openSources, QWidget* parent)
    : QWidget(parent), m_pipeline(pipeline) {
    setObjectName(QStringLiteral("AnalogueGroup"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* group = new QGroupBox(QStringLiteral("Аналоги данной кодировки"), this);
    outer->addWidget(group);
    // Compact: the group sits in a narrow column of the " Kestrum " tab.
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setSpacing(2);
    m_check = new QCheckBox(
        QStringLiteral("Проверять аналоги... (в базу внесены\nкнопки PW,key1,play,stop известных ПДУ)"),
        group);
    m_check->setObjectName(QStringLiteral("CheckBoxBaz"));
    QFont small = m_check->font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() - 1.0));
    m_check->setFont(small);
    layout->addWidget(m_check);
    auto* row = new QHBoxLayout;
    m_label = new QLabel(group);
    m_label->setObjectName(QStringLiteral("LabelD1"));
    m_see = new QPushButton(QStringLiteral("СМ."), group);
    m_see->setObjectName(QStringLiteral("ButtonHsSm"));
    m_see->setVisible(false);
    row->addWidget(m_label, 1);
    row->addWidget(m_see);
    layout->addLayout(row);
    connect(m_check, &QCheckBox::clicked, this, [this](bool on) {
        m_pipeline.settings().checkAnalogues = on;
        emit changed();
    });
    connect(m_see, &QPushButton::clicked, this, [this, open = std::move(openSources)] {
        if (open) open();
        emit changed();
    });
    refresh();
}

void AnalogueGroup::refresh() {
    ui::setIfDifferent(m_check, m_pipeline.settings().checkAnalogues);
    ui::setIfDifferent(m_label, m_pipeline.view().analogue.label);
    ui::setVisibleIfDifferent(m_see, m_pipeline.view().analogue.seeButtonVisible);
}

} // namespace ravlin
