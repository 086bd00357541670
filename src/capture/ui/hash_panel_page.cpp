#include "capture/ui/hash_panel_page.h"

#include "capture/core/pipeline.h"
#include "capture/ui/distribution_picture.h"
#include "platform/ui/bindings.h"
#include "platform/ui/refresh.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace ravlin {

namespace {
constexpr int kThresholdTyped = 2;

struct SourceButton {
    HashSource source;
    const char* name;
    const char* caption;
};
// In HashSource order.
constexpr SourceButton kSourceButtons[] = {
    {HashSource::OneBitPlusM96, "RadioButtonHs1", "1b+M96"},
    {HashSource::OneBit, "RadioButtonHs2", " ХЭШ 1bit"},
    {HashSource::XBit, "RadioButtonHs3", " ХЭШ Xbit"},
    {HashSource::M96, "RadioButtonHs96", " ХЭШ M96"},
    {HashSource::M96NA, "RadioButtonHs9L", " ХЭШ M96 + N/A"},
};

QCheckBox* checkBox(const char* name, const QString& caption, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QLabel* label(const char* name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}
} // namespace

HashPanelPage::HashPanelPage(Pipeline& pipeline, HashPanelSettings& settings, QWidget* parent)
    : QWidget(parent), m_pipeline(pipeline), m_settings(settings), m_bindings(new ui::Bindings(this)) {
    setObjectName(QStringLiteral("HashPanelPage"));
    // Laid out to fit the inner tab at the window's design size: on the left the modules, each with
    // its status text under it, and the data source; on the right the distribution picture with its
    // labels, the Ver1 choice and the threshold.
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(4);

    auto* modules = new QGroupBox(QStringLiteral(" Модули "), this);
    modules->setObjectName(QStringLiteral("GroupBoxModules"));
    auto* ml = new QVBoxLayout(modules);
    ml->setContentsMargins(4, 2, 4, 2);
    ml->setSpacing(0);
    m_oneBit = checkBox("CheckBoxHs2", QStringLiteral("ХЭШ (Ver 3 mini - 1bit)"), modules);
    m_xBit = checkBox("CheckBoxHs3", QStringLiteral("ХЭШ (Ver 3 full - X bit)"), modules);
    m_decoder = checkBox("CheckBoxHs96", QStringLiteral("ХЭШ 96 и компания"), modules);
    m_bindings->bind(m_oneBit, m_settings.oneBit);
    m_bindings->bind(m_xBit, m_settings.xBit);
    m_bindings->bind(m_decoder, m_settings.decoder);
    m_oneBitStatus = label("LabelHs2", QStringLiteral("N/A"), modules);
    m_xBitStatus = label("LabelHs3", QStringLiteral("N/A"), modules);
    m_decoderStatus = label("LabelHs96", QStringLiteral("N/A"), modules);
    QFont small = font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() - 1.0));
    for (auto [box, status] : {std::pair{m_oneBit, m_oneBitStatus}, std::pair{m_xBit, m_xBitStatus},
                               std::pair{m_decoder, m_decoderStatus}}) {
        status->setFont(small);
        status->setIndent(12);
        ml->addWidget(box);
        ml->addWidget(status);
    }

    auto* source = new QGroupBox(QStringLiteral("Источник данных"), modules);
    source->setObjectName(QStringLiteral("GroupBoxSource"));
    auto* sourceLayout = new QGridLayout(source);
    sourceLayout->setContentsMargins(4, 2, 4, 2);
    sourceLayout->setVerticalSpacing(0);
    auto* group = new QButtonGroup(this);
    for (std::size_t i = 0; i < m_sources.size(); ++i) {
        const SourceButton& s = kSourceButtons[i];
        auto* radio = new QRadioButton(QString::fromUtf8(s.caption), source);
        radio->setObjectName(QString::fromLatin1(s.name));
        group->addButton(radio);
        sourceLayout->addWidget(radio, static_cast<int>(i), 0);
        m_sources[i] = radio;
        connect(radio, &QRadioButton::clicked, this, [this, src = s.source] { sourceClicked(src); });
    }
    ml->addSpacing(2);
    ml->addWidget(source);
    m_apply = new QPushButton(QStringLiteral("!"), modules);
    m_apply->setObjectName(QStringLiteral("Button28"));
    m_apply->setVisible(false);
    ml->addWidget(m_apply);
    ml->addStretch(1);
    layout->addWidget(modules);

    auto* right = new QVBoxLayout;
    right->setSpacing(2);
    auto* distribution = new QGroupBox(QStringLiteral(" Распределение переменных "), this);
    distribution->setObjectName(QStringLiteral("GroupBoxDistribution"));
    auto* dl = new QGridLayout(distribution);
    dl->setContentsMargins(4, 2, 4, 2);
    dl->setVerticalSpacing(0);
    m_image = new PictureView([&p = m_pipeline]() -> const Picture& { return p.view().variableDistribution; },
                              distribution);
    m_image->setObjectName(QStringLiteral("Image2"));
    m_max = label("LabelMax", QStringLiteral("Max"), distribution);
    m_medium = label("LabelMedium", QStringLiteral("Medium"), distribution);
    m_min = label("LabelMin", QStringLiteral("Min"), distribution);
    m_medium->setAlignment(Qt::AlignCenter);
    m_max->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    dl->addWidget(m_image, 0, 0, 1, 3);
    dl->addWidget(m_min, 1, 0);
    dl->addWidget(m_medium, 1, 1);
    dl->addWidget(m_max, 1, 2);
    right->addWidget(distribution);

    auto* ver1 = new QHBoxLayout;
    ver1->addWidget(
        m_bindings->bind(checkBox("CheckBoxHs1", QStringLiteral("Выдать результат"), this), m_settings.ver1));
    ver1->addWidget(new QLabel(QStringLiteral("в виде Ver1"), this));
    ver1->addStretch(1);
    right->addLayout(ver1);
    auto* threshold = new QHBoxLayout;
    threshold->addWidget(new QLabel(QStringLiteral("Порог"), this));
    m_threshold = new QLineEdit(this);
    m_threshold->setObjectName(QStringLiteral("EditA3"));
    m_threshold->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("000W")) + 12);
    threshold->addWidget(m_threshold);
    threshold->addWidget(m_bindings->bind(checkBox("CheckBox3", QStringLiteral("Включить Автоподбор"), this),
                                          m_settings.autoThreshold));
    threshold->addStretch(1);
    right->addLayout(threshold);
    right->addStretch(1);
    layout->addLayout(right);
    layout->addStretch();

    connect(m_bindings, &ui::Bindings::edited, this, &HashPanelPage::changed);
    // At most two characters are typed; the automatic threshold may write a longer one ("12E").
    connect(m_threshold, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (text.size() > kThresholdTyped && text.size() > m_settings.threshold.size()) {
            m_threshold->setText(m_settings.threshold);
            return;
        }
        m_settings.threshold = text;
        emit changed();
    });
    connect(m_apply, &QPushButton::clicked, this, [this] {
        m_pipeline.applyPanel();
        emit changed();
    });
    refresh();
}

void HashPanelPage::sourceClicked(HashSource source) {
    m_settings.source = source;
    m_apply->click();
}

void HashPanelPage::refresh() {
    using namespace ui;
    m_bindings->refresh();
    setEnabledIfDifferent(m_oneBit, !m_settings.oneBitLocked);
    setEnabledIfDifferent(m_xBit, !m_settings.xBitLocked);
    setEnabledIfDifferent(m_decoder, !m_settings.decoderLocked);
    const PipelineView& v = m_pipeline.view();
    setIfDifferent(m_oneBitStatus, v.oneBitStatus);
    setIfDifferent(m_xBitStatus, v.xBitStatus);
    setIfDifferent(m_decoderStatus, v.decoderStatus);
    for (std::size_t i = 0; i < m_sources.size(); ++i)
        setIfDifferent(m_sources[i], kSourceButtons[i].source == m_settings.source);
    setIfDifferent(m_threshold, m_settings.threshold);
    setIfDifferent(m_min, v.minLabel);
    setIfDifferent(m_max, v.maxLabel);
    setIfDifferent(m_medium, v.mediumLabel);
    m_image->refresh();
}

} // namespace ravlin
