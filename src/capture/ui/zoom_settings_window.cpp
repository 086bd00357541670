#include "capture/ui/zoom_settings_window.h"

#include "platform/ui/bindings.h"
#include "platform/ui/refresh.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include <cstdlib>

namespace ravlin {

ZoomSettingsWindow::ZoomSettingsWindow(ZoomSettings& settings, QWidget* parent)
    : QWidget(parent, Qt::Window), m_bindings(new ui::Bindings(this)) {
    setObjectName(QStringLiteral("TForm6"));
    setWindowTitle(QStringLiteral("Настройка графики и зума"));

    auto* outer = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral(" Параметры визуализации "), this);
    group->setObjectName(QStringLiteral("GroupBoxZoom"));
    outer->addWidget(group);
    auto* grid = new QGridLayout(group);

    auto* automatic = new QRadioButton(QStringLiteral("Автозумм"), group);
    automatic->setObjectName(QStringLiteral("RadioButtonAuto"));
    auto* manual = new QRadioButton(QStringLiteral("Ручной зумм"), group);
    manual->setObjectName(QStringLiteral("RadioButtonManual"));
    grid->addWidget(automatic, 0, 0);
    grid->addWidget(manual, 0, 1);
    m_bindings->bindChoice<bool>({{automatic, true}, {manual, false}}, settings.automatic);

    auto* trackLabel = new QLabel(QStringLiteral("Ручной зумм"), group);
    auto* track = new QSlider(Qt::Horizontal, group);
    track->setObjectName(QStringLiteral("TrackBarZoom"));
    track->setRange(ZoomSettings::kMinPosition, ZoomSettings::kMaxPosition);
    trackLabel->setBuddy(track);
    grid->addWidget(trackLabel, 1, 0);
    grid->addWidget(m_bindings->bind(track, settings.manualPosition), 1, 1);

    auto* fallback = new QCheckBox(QStringLiteral("Включать автомат при сильном зашкаливании"), group);
    fallback->setObjectName(QStringLiteral("CheckBoxAutoFallback"));
    grid->addWidget(m_bindings->bind(fallback, settings.autoFallback), 2, 0, 1, 2);

    auto* narrowLabel = new QLabel(QStringLiteral("Меньше этого значения не красить"), group);
    auto* narrowest = new QLineEdit(group);
    narrowest->setObjectName(QStringLiteral("EditNarrowest"));
    narrowest->setMaxLength(2);
    narrowest->setFixedWidth(40);
    narrowLabel->setBuddy(narrowest);
    grid->addWidget(narrowLabel, 3, 0);
    grid->addWidget(m_bindings->bind(narrowest, settings.narrowestFilled), 3, 1, Qt::AlignLeft);

    refresh();
    adjustSize();
}

void ZoomSettingsWindow::refresh() {
    m_bindings->refresh();
}

void ZoomSettingsWindow::showCentredOver(const QWidget& main) {
    refresh();
    ui::showCentredOver(*this, main);
}

} // namespace ravlin
