#include "capture/ui/hash_panel_decoders.h"

#include "capture/core/pipeline.h"
#include "platform/ui/refresh.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace ravlin {

namespace {
struct DecoderBox {
    const char* name;
    const char* caption;
    bool DecoderSettings::*member;
};
constexpr DecoderBox kBoxes[] = {
    {"CheckBoxM96", "96 модуль", &DecoderSettings::m96},
    {"CheckBoxRC5", "RC5 модуль", &DecoderSettings::rc5},
    {"CheckBoxM57", "57 модуль", &DecoderSettings::m57},
    {"CheckBoxM37", "37M модуль", &DecoderSettings::m37},
    {"CheckBoxM99", "99 модуль", &DecoderSettings::m99},
    {"CheckBoxM67", "67 модуль", &DecoderSettings::m67},
    {"CheckBoxTails", "Обрабатывать Хвосты", &DecoderSettings::tails},
    {"CheckBoxFirst", "При повторных выдавать первую", &DecoderSettings::firstOfRepeats},
    {"CheckBoxM23", "23 модуль", &DecoderSettings::m23},
    {"CheckBoxFC", "FC модуль", &DecoderSettings::fc},
    {"CheckBoxM41", "41 и 25 модули", &DecoderSettings::m41},
    {"CheckBoxM33", "33 модуль", &DecoderSettings::m33},
    {"CheckBoxM51", "51 модуль", &DecoderSettings::m51},
    {"CheckBoxM09", "M09 модуль", &DecoderSettings::m09},
    {"CheckBoxJoystick", "IR джойстик", &DecoderSettings::joystick},
    {"CheckBoxMouse", "IR Mouse", &DecoderSettings::mouse},
    {"CheckBoxRoison", "кондиц. Roison", &DecoderSettings::roison},
    {"CheckBoxTadiran", "кондиц. Tadiran", &DecoderSettings::tadiran},
    {"CheckBoxM49", "49 модуль", &DecoderSettings::m49},
    {"CheckBoxM24", "24 модуль", &DecoderSettings::m24},
};
} // namespace

DecoderPage::DecoderPage(Pipeline& pipeline, DecoderSettings& settings, QWidget* parent)
    : QWidget(parent), m_pipeline(pipeline), m_settings(settings) {
    setObjectName(QStringLiteral("DecoderPage"));
    // Tight rows, so the twenty boxes and both result lines fit the inner tab without scrolling.
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setVerticalSpacing(0);
    int i = 0;
    for (const DecoderBox& d : kBoxes) {
        auto* box = new QCheckBox(QString::fromUtf8(d.caption), this);
        box->setObjectName(QString::fromLatin1(d.name));
        grid->addWidget(box, i % 10, i / 10);
        m_boxes.push_back({box, d.member});
        connect(box, &QCheckBox::clicked, this, [this, member = d.member](bool on) {
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
