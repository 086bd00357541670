#include "capture/ui/zoom_settings_window.h"

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
    : QWidget(parent, Qt::Window), m_settings(settings) {
    setObjectName(QStringLiteral("TForm6"));
    setWindowTitle(QStringLiteral("Настройка графики и зума"));

    auto* outer = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral(" Параметры визуализации "), this);
    group->setObjectName(QStringLiteral("GroupBoxZoom"));
    outer->addWidget(group);
    auto* grid = new QGridLayout(group);

    m_auto = new QRadioButton(QStringLiteral("Автозумм"), group);
    m_auto->setObjectName(QStringLiteral("RadioButtonAuto"));
    m_manual = new QRadioButton(QStringLiteral("Ручной зумм"), group);
    m_manual->setObjectName(QStringLiteral("RadioButtonManual"));
    grid->addWidget(m_auto, 0, 0);
    grid->addWidget(m_manual, 0, 1);

    auto* trackLabel = new QLabel(QStringLiteral("Ручной зумм"), group);
    m_track = new QSlider(Qt::Horizontal, group);
    m_track->setObjectName(QStringLiteral("TrackBarZoom"));
    m_track->setRange(ZoomSettings::kMinPosition, ZoomSettings::kMaxPosition);
    trackLabel->setBuddy(m_track);
    grid->addWidget(trackLabel, 1, 0);
    grid->addWidget(m_track, 1, 1);

    m_fallback = new QCheckBox(QStringLiteral("Включать автомат при сильном зашкаливании"), group);
    m_fallback->setObjectName(QStringLiteral("CheckBoxAutoFallback"));
    grid->addWidget(m_fallback, 2, 0, 1, 2);

    auto* narrowLabel = new QLabel(QStringLiteral("Меньше этого значения не красить"), group);
    m_narrowest = new QLineEdit(group);
    m_narrowest->setObjectName(QStringLiteral("EditNarrowest"));
    m_narrowest->setMaxLength(2);
    m_narrowest->setFixedWidth(40);
    narrowLabel->setBuddy(m_narrowest);
    grid->addWidget(narrowLabel, 3, 0);
    grid->addWidget(m_narrowest, 3, 1, Qt::AlignLeft);

    refresh();
    connect(m_auto, &QRadioButton::toggled, this, &ZoomSettingsWindow::store);
    connect(m_track, &QSlider::valueChanged, this, &ZoomSettingsWindow::store);
    connect(m_fallback, &QCheckBox::toggled, this, &ZoomSettingsWindow::store);
    connect(m_narrowest, &QLineEdit::textEdited, this, &ZoomSettingsWindow::store);
    adjustSize();
}

void ZoomSettingsWindow::store() {
    if (m_refreshing) return;
    m_settings.automatic = m_auto->isChecked();
    m_settings.manualPosition = m_track->value();
    m_settings.autoFallback = m_fallback->isChecked();
    m_settings.narrowestFilled = m_narrowest->text();
}

void ZoomSettingsWindow::refresh() {
    m_refreshing = true;
    if (m_auto->isChecked() != m_settings.automatic) m_auto->setChecked(m_settings.automatic);
    if (m_manual->isChecked() == m_settings.automatic) m_manual->setChecked(!m_settings.automatic);
    if (m_track->value() != m_settings.manualPosition) m_track->setValue(m_settings.manualPosition);
    if (m_fallback->isChecked() != m_settings.autoFallback) m_fallback->setChecked(m_settings.autoFallback);
    if (m_narrowest->text() != m_settings.narrowestFilled) m_narrowest->setText(m_settings.narrowestFilled);
    m_refreshing = false;
}

void ZoomSettingsWindow::showCentredOver(const QWidget& main) {
    refresh();
    ui::showCentredOver(*this, main);
}

} // namespace ravlin
