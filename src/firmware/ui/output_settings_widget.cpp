#include "firmware/ui/output_settings_widget.h"

#include "platform/ui/bindings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include <array>

namespace ravlin {

namespace {

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

} // namespace

OutputSettingsWidget::OutputSettingsWidget(OutputSettings& settings, QWidget* parent)
    : QWidget(parent), m_settings(settings), m_bindings(new ui::Bindings(this)) {
    connect(m_bindings, &ui::Bindings::edited, this, &OutputSettingsWidget::changed);
    auto* grid = new QGridLayout(this);

    auto* known = new QGroupBox(QStringLiteral(" Действие при известной  кнопке "), this);
    auto* knownLayout = new QVBoxLayout(known);
    const char* knownTexts[] = {"Ответ эмулировать в крякозябрах", "Отправить длины в формате   V8",
                                "Выдать результат в формате  V9"};
    auto* unknown = new QGroupBox(QStringLiteral(" Действие при неизвестной кнопке "), this);
    auto* unknownLayout = new QVBoxLayout(unknown);
    const char* unknownTexts[] = {"Ничего не отправлять", "Отправить длины в формате       V8",
                                  "Сообщить об ошибке в формате  V9"};
    std::array<QRadioButton*, 3> knownButtons{};
    std::array<QRadioButton*, 3> unknownButtons{};
    for (int i = 0; i < 3; ++i) {
        knownButtons[i] = new QRadioButton(QString::fromUtf8(knownTexts[i]), known);
        knownButtons[i]->setObjectName(QStringLiteral("RadioButtonA%1").arg(i + 1));
        knownLayout->addWidget(knownButtons[i]);
        unknownButtons[i] = new QRadioButton(QString::fromUtf8(unknownTexts[i]), unknown);
        unknownButtons[i]->setObjectName(QStringLiteral("RadioButtonB%1").arg(i + 1));
        unknownLayout->addWidget(unknownButtons[i]);
    }
    m_bindings->bindChoice<KnownButtonAction>({{knownButtons[0], KnownButtonAction::Emulate},
                                               {knownButtons[1], KnownButtonAction::LengthsV8},
                                               {knownButtons[2], KnownButtonAction::ResultV9}},
                                              settings.known);
    m_bindings->bindChoice<UnknownButtonAction>({{unknownButtons[0], UnknownButtonAction::Nothing},
                                                 {unknownButtons[1], UnknownButtonAction::LengthsV8},
                                                 {unknownButtons[2], UnknownButtonAction::ErrorV9}},
                                                settings.unknown);
    grid->addWidget(known, 0, 0);
    grid->addWidget(unknown, 0, 1);

    auto* extra = new QGroupBox(QStringLiteral(" Дополнительные настройки "), this);
    auto* extraLayout = new QVBoxLayout(extra);
    const char* checkTexts[] = {"Отключить все функции V9    ", "Не сообщать системе о кнопках",
                                "Отключить детектор - без автоном.", "Отключает приём единиц"};
    bool* checkFields[] = {&settings.noV9, &settings.silent, &settings.noDetector, &settings.noOnes};
    for (int i = 0; i < 4; ++i) {
        auto* check = new QCheckBox(QString::fromUtf8(checkTexts[i]), extra);
        check->setObjectName(QStringLiteral("CheckBoxC%1").arg(i + 1));
        extraLayout->addWidget(m_bindings->bind(check, *checkFields[i]));
    }
    grid->addWidget(extra, 1, 0);

    auto* depth = new QGroupBox(QStringLiteral(" Глубина инт сжатия "), this);
    auto* depthLayout = new QGridLayout(depth);
    m_zeroLabel = new QLabel(QStringLiteral("При приёме нуля"), depth);
    m_zero = slider(depth, "TrackBarX1", OutputSettings::kDepthMax);
    auto* one = m_bindings->bind(slider(depth, "TrackBarX2", OutputSettings::kDepthMax), settings.oneDepth);
    m_bindings->bind(m_zero, settings.zeroDepth);
    depthLayout->addWidget(m_zeroLabel, 0, 0);
    depthLayout->addWidget(m_zero, 0, 1);
    depthLayout->addWidget(depthScale(depth), 1, 1);
    depthLayout->addWidget(new QLabel(QStringLiteral("При приёме единицы"), depth), 2, 0);
    depthLayout->addWidget(one, 2, 1);
    depthLayout->addWidget(depthScale(depth), 3, 1);
    grid->addWidget(depth, 1, 1);

    auto* pause = new QGroupBox(QStringLiteral(" Система сверх малых пауз "), this);
    auto* pauseLayout = new QGridLayout(pause);
    auto* pauseMode = new QCheckBox(QStringLiteral("Включить режим "), pause);
    pauseMode->setObjectName(QStringLiteral("CheckBoxX1"));
    m_bindings->bind(pauseMode, settings.pauseMode, [this] { enableByPauseMode(); });
    m_pause = slider(pause, "TrackBarX3", OutputSettings::kPauseMax);
    m_pause->setTickInterval(4);
    m_bindings->bind(m_pause, settings.pause);
    m_pauseLabel = new QLabel(QStringLiteral("(1-128) x 2"), pause);
    pauseLayout->addWidget(pauseMode, 0, 0);
    pauseLayout->addWidget(m_pause, 0, 1);
    pauseLayout->addWidget(m_pauseLabel, 1, 1);
    grid->addWidget(pause, 2, 0, 1, 2);

    refresh();
}

void OutputSettingsWidget::refresh() {
    m_bindings->refresh();
    enableByPauseMode();
}

void OutputSettingsWidget::enableByPauseMode() {
    const bool on = m_settings.pauseMode;
    m_zero->setEnabled(!on);
    m_zeroLabel->setEnabled(!on);
    m_pause->setEnabled(on);
    m_pauseLabel->setEnabled(on);
}

} // namespace ravlin
