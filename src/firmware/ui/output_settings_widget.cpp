#include "firmware/ui/output_settings_widget.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace ravlin {

namespace {

constexpr KnownButtonAction kKnown[] = {KnownButtonAction::Emulate, KnownButtonAction::LengthsV8,
                                        KnownButtonAction::ResultV9};
constexpr UnknownButtonAction kUnknown[] = {UnknownButtonAction::Nothing, UnknownButtonAction::LengthsV8,
                                            UnknownButtonAction::ErrorV9};

QSlider* slider(QWidget* parent, const char* name, int max) {
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(0, max);
    s->setTickPosition(QSlider::TicksBelow);
    return s;
}

// Position 0 reads "Авто", positions 1..8 the depths 0..7.
QLabel* depthScale(QWidget* parent) {
    return new QLabel(QStringLiteral("Авто  0  1  2  3  4  5  6  7"), parent);
}

template <typename W> void setIfDiffers(W* w, bool checked) {
    if (w->isChecked() != checked) w->setChecked(checked);
}

void setIfDiffers(QSlider* s, int value) {
    if (s->value() != value) s->setValue(value);
}

} // namespace

OutputSettingsWidget::OutputSettingsWidget(OutputSettings& settings, QWidget* parent)
    : QWidget(parent), m_settings(settings) {
    auto* grid = new QGridLayout(this);

    auto* known = new QGroupBox(QStringLiteral(" Действие при известной  кнопке "), this);
    auto* knownLayout = new QVBoxLayout(known);
    const char* knownTexts[] = {"Ответ эмулировать в крякозябрах", "Отправить длины в формате   V8",
                                "Выдать результат в формате  V9"};
    auto* unknown = new QGroupBox(QStringLiteral(" Действие при неизвестной кнопке "), this);
    auto* unknownLayout = new QVBoxLayout(unknown);
    const char* unknownTexts[] = {"Ничего не отправлять", "Отправить длины в формате       V8",
                                  "Сообщить об ошибке в формате  V9"};
    for (int i = 0; i < 3; ++i) {
        m_known[i] = new QRadioButton(QString::fromUtf8(knownTexts[i]), known);
        m_known[i]->setObjectName(QStringLiteral("RadioButtonA%1").arg(i + 1));
        knownLayout->addWidget(m_known[i]);
        m_unknown[i] = new QRadioButton(QString::fromUtf8(unknownTexts[i]), unknown);
        m_unknown[i]->setObjectName(QStringLiteral("RadioButtonB%1").arg(i + 1));
        unknownLayout->addWidget(m_unknown[i]);
    }
    grid->addWidget(known, 0, 0);
    grid->addWidget(unknown, 0, 1);

    auto* extra = new QGroupBox(QStringLiteral(" Дополнительные настройки "), this);
    auto* extraLayout = new QVBoxLayout(extra);
    const char* checkTexts[] = {"Отключить все функции V9    ", "Не сообщать системе о кнопках",
                                "Отключить детектор - без автоном.", "Отключает приём единиц"};
    for (int i = 0; i < 4; ++i) {
        m_checks[i] = new QCheckBox(QString::fromUtf8(checkTexts[i]), extra);
        m_checks[i]->setObjectName(QStringLiteral("CheckBoxC%1").arg(i + 1));
        extraLayout->addWidget(m_checks[i]);
    }
    grid->addWidget(extra, 1, 0);

    auto* depth = new QGroupBox(QStringLiteral(" Глубина инт сжатия "), this);
    auto* depthLayout = new QGridLayout(depth);
    m_zeroLabel = new QLabel(QStringLiteral("При приёме нуля"), depth);
    m_zero = slider(depth, "TrackBarX1", OutputSettings::kDepthMax);
    m_one = slider(depth, "TrackBarX2", OutputSettings::kDepthMax);
    depthLayout->addWidget(m_zeroLabel, 0, 0);
    depthLayout->addWidget(m_zero, 0, 1);
    depthLayout->addWidget(depthScale(depth), 1, 1);
    depthLayout->addWidget(new QLabel(QStringLiteral("При приёме единицы"), depth), 2, 0);
    depthLayout->addWidget(m_one, 2, 1);
    depthLayout->addWidget(depthScale(depth), 3, 1);
    grid->addWidget(depth, 1, 1);

    auto* pause = new QGroupBox(QStringLiteral(" Система сверх малых пауз "), this);
    auto* pauseLayout = new QGridLayout(pause);
    m_pauseMode = new QCheckBox(QStringLiteral("Включить режим "), pause);
    m_pauseMode->setObjectName(QStringLiteral("CheckBoxX1"));
    m_pause = slider(pause, "TrackBarX3", OutputSettings::kPauseMax);
    m_pause->setTickInterval(4);
    m_pauseLabel = new QLabel(QStringLiteral("(1-128) x 2"), pause);
    pauseLayout->addWidget(m_pauseMode, 0, 0);
    pauseLayout->addWidget(m_pause, 0, 1);
    pauseLayout->addWidget(m_pauseLabel, 1, 1);
    grid->addWidget(pause, 2, 0, 1, 2);

    refresh();
    for (QRadioButton* b : m_known)
        connect(b, &QRadioButton::toggled, this, &OutputSettingsWidget::store);
    for (QRadioButton* b : m_unknown)
        connect(b, &QRadioButton::toggled, this, &OutputSettingsWidget::store);
    for (QCheckBox* c : m_checks)
        connect(c, &QCheckBox::toggled, this, &OutputSettingsWidget::store);
    connect(m_pauseMode, &QCheckBox::toggled, this, &OutputSettingsWidget::store);
    for (QSlider* s : {m_zero, m_one, m_pause})
        connect(s, &QSlider::valueChanged, this, &OutputSettingsWidget::store);
}

void OutputSettingsWidget::refresh() {
    m_refreshing = true;
    for (int i = 0; i < 3; ++i) {
        setIfDiffers(m_known[i], m_settings.known == kKnown[i]);
        setIfDiffers(m_unknown[i], m_settings.unknown == kUnknown[i]);
    }
    const bool checks[] = {m_settings.noV9, m_settings.silent, m_settings.noDetector, m_settings.noOnes};
    for (int i = 0; i < 4; ++i)
        setIfDiffers(m_checks[i], checks[i]);
    setIfDiffers(m_pauseMode, m_settings.pauseMode);
    setIfDiffers(m_zero, m_settings.zeroDepth);
    setIfDiffers(m_one, m_settings.oneDepth);
    setIfDiffers(m_pause, m_settings.pause);
    enableByPauseMode();
    m_refreshing = false;
}

void OutputSettingsWidget::enableByPauseMode() {
    const bool on = m_settings.pauseMode;
    m_zero->setEnabled(!on);
    m_zeroLabel->setEnabled(!on);
    m_pause->setEnabled(on);
    m_pauseLabel->setEnabled(on);
}

void OutputSettingsWidget::store() {
    if (m_refreshing) return;
    for (int i = 0; i < 3; ++i) {
        if (m_known[i]->isChecked()) m_settings.known = kKnown[i];
        if (m_unknown[i]->isChecked()) m_settings.unknown = kUnknown[i];
    }
    m_settings.noV9 = m_checks[0]->isChecked();
    m_settings.silent = m_checks[1]->isChecked();
    m_settings.noDetector = m_checks[2]->isChecked();
    m_settings.noOnes = m_checks[3]->isChecked();
    m_settings.pauseMode = m_pauseMode->isChecked();
    m_settings.zeroDepth = m_zero->value();
    m_settings.oneDepth = m_one->value();
    m_settings.pause = m_pause->value();
    enableByPauseMode();
    emit changed();
}

} // namespace ravlin
