#include "capture/ui/hash_panel_decoders.h"

#include "capture/core/pipeline.h"
#include "hashing/core/sub_decoders.h"
#include "platform/ui/refresh.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace ravlin {

DecoderPage::DecoderPage(Pipeline& pipeline, DecoderSettings& settings, QWidget* parent)
    : QWidget(parent), m_pipeline(pipeline), m_settings(settings) {
    setObjectName(QStringLiteral("DecoderPage"));
    // Tight rows, so the twenty boxes and both result lines fit the inner tab without scrolling.
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setVerticalSpacing(0);
    int i = 0;
    for (const SubDecoderRow& row : subDecoderRows()) {
        auto* box = new QCheckBox(QString::fromUtf8(row.caption), this);
        box->setObjectName(QString::fromLatin1(row.objectName));
        grid->addWidget(box, i % 10, i / 10);
        m_boxes.push_back({box, row.setting});
        connect(box, &QCheckBox::clicked, this, [this, member = row.setting](bool on) {
            m_settings.*member = on;
            emit changed();
        });
        ++i;
    }
    m_decoded = new QLineEdit(this);
    m_decoded->setObjectName(QStringLiteral("EditHs1"));
    m_decoded->setReadOnly(true);
    m_vars = new QLineEdit(this);
    m_vars->setObjectName(QStringLiteral("EditHs2"));
    m_vars->setReadOnly(true);
    grid->addWidget(new QLabel(QStringLiteral("Декодированные данные"), this), 10, 0);
    grid->addWidget(m_decoded, 10, 1);
    grid->addWidget(new QLabel(QStringLiteral("Декодтрованные переменные"), this), 11, 0);
    grid->addWidget(m_vars, 11, 1);
    refresh();
}

void DecoderPage::refresh() {
    for (const Box& b : m_boxes)
        ui::setIfDifferent(b.box, m_settings.*(b.member));
    ui::setIfDifferent(m_decoded, m_pipeline.view().decodedText);
    ui::setIfDifferent(m_vars, m_pipeline.view().decodedVars);
}

} // namespace ravlin
