#include "capture/ui/distribution_page.h"

#include "capture/core/pipeline.h"
#include "capture/ui/distribution_picture.h"
#include "platform/ui/refresh.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ravlin {

namespace {
template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}
} // namespace

DistributionPage::DistributionPage(Pipeline& pipeline, bool& clearWithBase,
                                   std::function<void(const QImage&)> save, QWidget* parent)
    : QWidget(parent), m_pipeline(pipeline), m_clearWithBase(clearWithBase) {
    setObjectName(QStringLiteral("DistributionPage"));
    auto* layout = new QHBoxLayout(this);
    auto* controls = new QVBoxLayout;
    m_draw = named(new QPushButton(QStringLiteral("Нанести"), this), "Button2");
    m_all = named(new QRadioButton(QStringLiteral("Нанести Всё"), this), "RadioButtonW1");
    m_first = named(new QRadioButton(QStringLiteral("Только первую 20"), this), "RadioButtonW2");
    m_last = named(new QRadioButton(QStringLiteral("Только последнюю 20"), this), "RadioButtonW3");
    auto* group = new QButtonGroup(this);
    group->addButton(m_all);
    group->addButton(m_first);
    group->addButton(m_last);
    m_lastInLower = named(new QCheckBox(QStringLiteral("Последн/Хвост"), this), "CheckBox4");
    m_clear = named(new QPushButton(QStringLiteral("Очистить распределение"), this), "Button16");
    m_withBase = named(new QCheckBox(QStringLiteral("При очистке базы очищать"), this), "CheckBox8");
    m_save = named(new QPushButton(QStringLiteral("Сохранить изображение"), this), "ButtonSaveImage");
    for (QWidget* w : std::initializer_list<QWidget*>{m_draw, m_all, m_first, m_last, m_lastInLower, m_clear,
                                                      m_withBase, m_save})
        controls->addWidget(w);
    controls->addStretch();
    layout->addLayout(controls);
    m_image = new PictureView([&p = m_pipeline]() -> const Picture& { return p.irDistribution(); }, this);
    m_image->setObjectName(QStringLiteral("Image3"));
    layout->addWidget(m_image);
    layout->addStretch();

    const auto choose = [this](QRadioButton* radio, DistributionShow show) {
        connect(radio, &QRadioButton::clicked, this, [this, show] {
            m_pipeline.distributionSettings().show = show;
            emit changed();
        });
    };
    choose(m_all, DistributionShow::All);
    choose(m_first, DistributionShow::FirstOnly);
    choose(m_last, DistributionShow::LastOnly);
    connect(m_lastInLower, &QCheckBox::clicked, this, [this](bool on) {
        m_pipeline.distributionSettings().lastInLower = on;
        emit changed();
    });
    connect(m_withBase, &QCheckBox::clicked, this, [this](bool on) {
        m_clearWithBase = on;
        emit changed();
    });
    connect(m_draw, &QPushButton::clicked, this, [this] {
        m_pipeline.drawDistribution();
        emit changed();
    });
    connect(m_clear, &QPushButton::clicked, this, [this] {
        m_pipeline.clearDistribution();
        emit changed();
    });
    connect(m_save, &QPushButton::clicked, this, [this, save = std::move(save)] {
        if (save) save(renderPicture(m_pipeline.irDistribution()));
        emit changed();
    });
    refresh();
}

void DistributionPage::refresh() {
    const DistributionSettings& s = m_pipeline.distributionSettings();
    ui::setIfDifferent(m_all, s.show == DistributionShow::All);
    ui::setIfDifferent(m_first, s.show == DistributionShow::FirstOnly);
    ui::setIfDifferent(m_last, s.show == DistributionShow::LastOnly);
    ui::setIfDifferent(m_lastInLower, s.lastInLower);
    ui::setIfDifferent(m_withBase, m_clearWithBase);
    m_image->refresh();
}

} // namespace ravlin
