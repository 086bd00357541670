#include "acquisition/ui/reception_widgets.h"

#include "acquisition/core/poller.h"
#include "acquisition/core/receiver_kind.h"
#include "platform/ui/bindings.h"
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
    : QWidget(parent), m_poller(poller), m_bindings(new ui::Bindings(this)) {
    setObjectName(QStringLiteral("ReceptionParamsPage"));
    ReceptionSettings& s = m_poller.settings();
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);

    // Receiver kind and its unit.
    auto* kindBox = new QVBoxLayout;
    kindBox->addWidget(label(QStringLiteral("Тип приёмника"), this));
    auto* kind = new QComboBox(this);
    kind->setObjectName(QStringLiteral("ComboBoxReceiver"));
    kind->addItems(ReceiverKinds::comboItems());
    kindBox->addWidget(m_bindings->bind(kind, s.kindText, [this] { m_poller.applyReceiverKind(); }));
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
    rates->addWidget(
        m_bindings->bind(trackBar(QStringLiteral("TrackBarPoll"), ReceptionSettings::kPollRateMin,
                                  ReceptionSettings::kPollRateMax, s.pollRate, this),
                         s.pollRate, [this] { m_poller.pollRateChanged(); }),
        1, 1);
    rates->addWidget(label(QStringLiteral("Реже"), this), 1, 2);
    rates->addWidget(label(QStringLiteral("Скорость пересчёта ХЭШа"), this), 2, 0, 1, 3);
    rates->addWidget(
        m_bindings->bind(trackBar(QStringLiteral("TrackBarRescan"), ReceptionSettings::kRescanSpeedMin,
                                  ReceptionSettings::kRescanSpeedMax, s.rescanSpeed, this),
                         s.rescanSpeed, [this] { m_poller.rescanSpeedChanged(); }),
        3, 0, 1, 3);
    grid->addLayout(rates, 0, 1);

    // Repeat filter and answer storing.
    auto* filters = new QVBoxLayout;
    auto* skipRepeats = new QCheckBox(QStringLiteral("Не добавлять сигналы повтора"), this);
    skipRepeats->setObjectName(QStringLiteral("CheckBoxRepeats"));
    auto* three = new QRadioButton(QStringLiteral("В 3 байта"), this);
    three->setObjectName(QStringLiteral("RadioButton3"));
    auto* five = new QRadioButton(QStringLiteral("В 5 байт"), this);
    five->setObjectName(QStringLiteral("RadioButton5"));
    auto* group = new QButtonGroup(this);
    group->addButton(three);
    group->addButton(five);
    auto* storeAnswers = new QCheckBox(QStringLiteral("Запоминать мини. значения"), this);
    storeAnswers->setObjectName(QStringLiteral("CheckBoxMini"));
    filters->addWidget(m_bindings->bind(skipRepeats, s.skipRepeats));
    m_bindings->bindChoice<bool>({{three, false}, {five, true}}, s.fiveByteRepeats);
    auto* bytes = new QHBoxLayout;
    bytes->addWidget(three);
    bytes->addWidget(five);
    filters->addLayout(bytes);
    filters->addWidget(m_bindings->bind(storeAnswers, s.storeAnswers));
    filters->addStretch(1);
    grid->addLayout(filters, 1, 1);

    // Network receiver.
    auto* net = new QGroupBox(QStringLiteral(" Сетевые параметры "), this);
    net->setObjectName(QStringLiteral("GroupBoxNetwork"));
    auto* netGrid = new QGridLayout(net);
    netGrid->addWidget(label(QStringLiteral("IP адрес системы"), net), 0, 0, 1, 4);
    for (std::size_t i = 0; i < s.address.size(); ++i) {
        auto* e = new QLineEdit(net);
        e->setObjectName(QStringLiteral("EditIp%1").arg(i + 1));
        e->setMaximumWidth(40);
        netGrid->addWidget(m_bindings->bind(e, s.address[i]), 1, static_cast<int>(i));
    }
    netGrid->addWidget(label(QStringLiteral("Порт в сети:"), net), 2, 0, 1, 2);
    auto* port = new QLineEdit(net);
    port->setObjectName(QStringLiteral("EditPort"));
    port->setMaximumWidth(60);
    netGrid->addWidget(m_bindings->bind(port, s.port), 2, 2, 1, 2);
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

    m_bindings->refresh();
    connect(m_bindings, &ui::Bindings::edited, this, &ReceptionParamsPage::changed);
    connect(restart, &QPushButton::clicked, this, [this] {
        m_poller.network().restart();
        emit changed();
    });
    connect(stop, &QPushButton::clicked, this, [this] {
        m_poller.network().stop();
        emit changed();
    });
}

void ReceptionParamsPage::refresh() {
    m_bindings->refresh();
    ui::setIfDifferent(m_unit, m_poller.view().unitLabel);
}

} // namespace ravlin
