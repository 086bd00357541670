#include "acquisition/ui/reception_widgets.h"

#include "acquisition/core/poller.h"
#include "acquisition/core/receiver_kind.h"
#include "platform/ui/refresh.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace ravlin {

namespace {

QLabel* label(const QString& text, QWidget* parent) {
    return new QLabel(text, parent);
}

QSlider* trackBar(const QString& name, int min, int max, int value, QWidget* parent) {
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setObjectName(name);
    s->setRange(min, max);
    s->setValue(value);
    s->setPageStep(1);
    s->setTickPosition(QSlider::TicksBelow);
    s->setTickInterval(1);
    return s;
}

} // namespace

ReceptionStatusBar::ReceptionStatusBar(Poller& poller, QWidget* parent) : QWidget(parent), m_poller(poller) {
    setObjectName(QStringLiteral("ReceptionStatusBar"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    m_repeat = new QFrame(this);
    m_repeat->setObjectName(QStringLiteral("PanelRepeat"));
    m_repeat->setFixedSize(14, 14);
    m_repeat->setFrameShape(QFrame::Panel);
    m_repeat->setFrameShadow(QFrame::Sunken);
    m_repeat->setAutoFillBackground(true);
    m_status = label(QString(), this);
    m_status->setObjectName(QStringLiteral("LabelStatus"));
    m_status->setMinimumWidth(170);
    row->addWidget(m_repeat);
    row->addWidget(m_status);
    row->addStretch(1);
    refresh();
}

void ReceptionStatusBar::refresh() {
    ui::setIfDifferent(m_status, m_poller.view().statusText);
    ui::paintIfDifferent(m_repeat, m_poller.view().repeatColour);
}

ReceivedDataPage::ReceivedDataPage(const BurstFields& burst, QWidget* parent)
    : QWidget(parent), m_burst(burst) {
    setObjectName(QStringLiteral("ReceivedDataPage"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(2);
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QStringLiteral("EditTiming%1").arg(i + 1));
        e->setReadOnly(true);
        e->setFont(mono);
        column->addWidget(e);
        m_fields[i] = e;
    }
    column->addStretch(1);
    refresh();
}

void ReceivedDataPage::refresh() {
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        // A timing line is longer than its field: shown from its beginning.
        ui::setShowingStart(m_fields[i], m_burst.timings[i]);
}

ReceptionParamsPage::ReceptionParamsPage(Poller& poller, QWidget* parent)
    : QWidget(parent), m_poller(poller) {
    setObjectName(QStringLiteral("ReceptionParamsPage"));
    const ReceptionSettings& s = m_poller.settings();
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);

    // Receiver kind and its unit.
    auto* kindBox = new QVBoxLayout;
    kindBox->addWidget(label(QStringLiteral("Тип приёмника"), this));
    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("ComboBoxReceiver"));
    m_kind->addItems(ReceiverKinds::comboItems());
    m_kind->setCurrentText(s.kindText);
    kindBox->addWidget(m_kind);
    kindBox->addWidget(label(QStringLiteral("Один импульс продолжается около"), this));
    m_unit = label(m_poller.view().unitLabel, this);
    m_unit->setObjectName(QStringLiteral("LabelUnit"));
    kindBox->addWidget(m_unit);
    kindBox->addStretch(1);
    grid->addLayout(kindBox, 0, 0);

    // Poll rate and rescan speed.
    auto* rates = new QGridLayout;
    rates->addWidget(label(QStringLiteral("Частота опроса приёмника"), this), 0, 0, 1, 3);
    rates->addWidget(label(QStringLiteral("Чаще"), this), 1, 0);
    m_pollRate = trackBar(QStringLiteral("TrackBarPoll"), ReceptionSettings::kPollRateMin,
                          ReceptionSettings::kPollRateMax, s.pollRate, this);
    rates->addWidget(m_pollRate, 1, 1);
    rates->addWidget(label(QStringLiteral("Реже"), this), 1, 2);
    rates->addWidget(label(QStringLiteral("Скорость пересчёта ХЭШа"), this), 2, 0, 1, 3);
    m_rescanSpeed = trackBar(QStringLiteral("TrackBarRescan"), ReceptionSettings::kRescanSpeedMin,
                             ReceptionSettings::kRescanSpeedMax, s.rescanSpeed, this);
    rates->addWidget(m_rescanSpeed, 3, 0, 1, 3);
    grid->addLayout(rates, 0, 1);

    // Repeat filter and answer storing.
    auto* filters = new QVBoxLayout;
    m_skipRepeats = new QCheckBox(QStringLiteral("Не добавлять сигналы повтора"), this);
    m_skipRepeats->setObjectName(QStringLiteral("CheckBoxRepeats"));
    m_skipRepeats->setChecked(s.skipRepeats);
    m_three = new QRadioButton(QStringLiteral("В 3 байта"), this);
    m_three->setObjectName(QStringLiteral("RadioButton3"));
    m_five = new QRadioButton(QStringLiteral("В 5 байт"), this);
    m_five->setObjectName(QStringLiteral("RadioButton5"));
    auto* group = new QButtonGroup(this);
    group->addButton(m_three);
    group->addButton(m_five);
    m_three->setChecked(!s.fiveByteRepeats);
    m_five->setChecked(s.fiveByteRepeats);
    m_storeAnswers = new QCheckBox(QStringLiteral("Запоминать мини. значения"), this);
    m_storeAnswers->setObjectName(QStringLiteral("CheckBoxMini"));
    m_storeAnswers->setChecked(s.storeAnswers);
    filters->addWidget(m_skipRepeats);
    auto* bytes = new QHBoxLayout;
    bytes->addWidget(m_three);
    bytes->addWidget(m_five);
    filters->addLayout(bytes);
    filters->addWidget(m_storeAnswers);
    filters->addStretch(1);
    grid->addLayout(filters, 1, 1);

    // Network receiver.
    auto* net = new QGroupBox(QStringLiteral(" Сетевые параметры "), this);
    net->setObjectName(QStringLiteral("GroupBoxNetwork"));
    auto* netGrid = new QGridLayout(net);
    netGrid->addWidget(label(QStringLiteral("IP адрес системы"), net), 0, 0, 1, 4);
    for (std::size_t i = 0; i < m_address.size(); ++i) {
        auto* e = new QLineEdit(s.address[i], net);
        e->setObjectName(QStringLiteral("EditIp%1").arg(i + 1));
        e->setMaximumWidth(40);
        netGrid->addWidget(e, 1, static_cast<int>(i));
        m_address[i] = e;
    }
    netGrid->addWidget(label(QStringLiteral("Порт в сети:"), net), 2, 0, 1, 2);
    m_port = new QLineEdit(s.port, net);
    m_port->setObjectName(QStringLiteral("EditPort"));
    m_port->setMaximumWidth(60);
    netGrid->addWidget(m_port, 2, 2, 1, 2);
    auto* restart = new QPushButton(QStringLiteral("ReStart"), net);
    restart->setObjectName(QStringLiteral("ButtonReStart"));
    auto* stop = new QPushButton(QStringLiteral("Stop"), net);
    stop->setObjectName(QStringLiteral("ButtonStop"));
    netGrid->addWidget(restart, 3, 0, 1, 2);
    netGrid->addWidget(stop, 3, 2, 1, 2);
    // Under the receiver kind, so the page stays narrow enough for the " Kestrum " tab.
    grid->addWidget(net, 1, 0);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(2, 1);

    connect(m_kind, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        edited([this, text] {
            m_poller.settings().kindText = text;
            m_poller.applyReceiverKind();
        });
    });
    connect(m_pollRate, &QSlider::valueChanged, this, [this](int v) {
        edited([this, v] {
            m_poller.settings().pollRate = v;
            m_poller.pollRateChanged();
        });
    });
    connect(m_rescanSpeed, &QSlider::valueChanged, this, [this](int v) {
        edited([this, v] {
            m_poller.settings().rescanSpeed = v;
            m_poller.rescanSpeedChanged();
        });
    });
    connect(m_skipRepeats, &QCheckBox::toggled, this,
            [this](bool on) { edited([this, on] { m_poller.settings().skipRepeats = on; }); });
    connect(m_five, &QRadioButton::toggled, this,
            [this](bool on) { edited([this, on] { m_poller.settings().fiveByteRepeats = on; }); });
    connect(m_storeAnswers, &QCheckBox::toggled, this,
            [this](bool on) { edited([this, on] { m_poller.settings().storeAnswers = on; }); });
    connect(m_port, &QLineEdit::textChanged, this,
            [this](const QString& t) { edited([this, t] { m_poller.settings().port = t; }); });
    for (std::size_t i = 0; i < m_address.size(); ++i)
        connect(m_address[i], &QLineEdit::textChanged, this, [this, i](const QString& t) {
            edited([this, i, t] { m_poller.settings().address[i] = t; });
        });
    connect(restart, &QPushButton::clicked, this,
            [this] { edited([this] { m_poller.network().restart(); }); });
    connect(stop, &QPushButton::clicked, this, [this] { edited([this] { m_poller.network().stop(); }); });
}

void ReceptionParamsPage::edited(const std::function<void()>& apply) {
    if (m_refreshing) return;
    apply();
    emit changed();
}

void ReceptionParamsPage::refresh() {
    m_refreshing = true;
    const ReceptionSettings& s = m_poller.settings();
    if (m_kind->currentText() != s.kindText) m_kind->setCurrentText(s.kindText);
    ui::setIfDifferent(m_unit, m_poller.view().unitLabel);
    if (m_pollRate->value() != s.pollRate) m_pollRate->setValue(s.pollRate);
    if (m_rescanSpeed->value() != s.rescanSpeed) m_rescanSpeed->setValue(s.rescanSpeed);
    if (m_skipRepeats->isChecked() != s.skipRepeats) m_skipRepeats->setChecked(s.skipRepeats);
    if (m_five->isChecked() != s.fiveByteRepeats) (s.fiveByteRepeats ? m_five : m_three)->setChecked(true);
    if (m_storeAnswers->isChecked() != s.storeAnswers) m_storeAnswers->setChecked(s.storeAnswers);
    ui::setIfDifferent(m_port, s.port);
    for (std::size_t i = 0; i < m_address.size(); ++i)
        ui::setIfDifferent(m_address[i], s.address[i]);
    m_refreshing = false;
}

} // namespace ravlin
