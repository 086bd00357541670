#include "base/ui/match_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ravlin {

MatchWindow::MatchWindow(MatchVisualisation& match, QWidget* parent)
    : QWidget(parent, Qt::Window), m_match(match) {
    setWindowTitle(QStringLiteral("Визуализация совпадений"));
    auto* outer = new QVBoxLayout(this);
    m_group = new QGroupBox(QStringLiteral("  Поиск по базе  и сигнал при совпадении  "), this);
    m_group->setObjectName(QStringLiteral("GroupBox1"));
    m_group->setAutoFillBackground(true);
    outer->addWidget(m_group);

    auto* grid = new QGridLayout(m_group);
    m_enable = new QCheckBox(QStringLiteral("Включить"), m_group);
    m_enable->setObjectName(QStringLiteral("CheckBox1"));
    grid->addWidget(m_enable, 0, 0, 1, 2);
    m_chosen = new QRadioButton(QStringLiteral("При приёме заданной кнопки"), m_group);
    m_chosen->setObjectName(QStringLiteral("RadioButton1"));
    grid->addWidget(m_chosen, 1, 0, 1, 2);
    auto* recordLabel = new QLabel(QStringLiteral("В качестве заданной выберем"), m_group);
    recordLabel->setObjectName(QStringLiteral("LabelRecord"));
    grid->addWidget(recordLabel, 2, 0);
    m_record = new QLineEdit(m_group);
    m_record->setObjectName(QStringLiteral("Edit1"));
    m_record->setMaximumWidth(56);
    grid->addWidget(m_record, 2, 1);
    m_any = new QRadioButton(QStringLiteral("Любой от этого пульта"), m_group);
    m_any->setObjectName(QStringLiteral("RadioButton2"));
    grid->addWidget(m_any, 3, 0, 1, 2);
    m_sound = new QCheckBox(QStringLiteral("Включить звуковое подтверждение"), m_group);
    m_sound->setObjectName(QStringLiteral("CheckBox2"));
    grid->addWidget(m_sound, 4, 0, 1, 2);
    m_start = new QPushButton(QStringLiteral("1"), m_group);
    m_start->setObjectName(QStringLiteral("Button1"));
    m_start->hide();
    grid->addWidget(m_start, 5, 0);

    MatchSignalSettings& s = m_match.settings();
    connect(m_enable, &QCheckBox::clicked, this, [this, &s](bool on) {
        s.enabled = on;
        optionClicked();
    });
    connect(m_chosen, &QRadioButton::clicked, this, [this, &s] {
        s.anyRecord = false;
        optionClicked();
    });
    connect(m_any, &QRadioButton::clicked, this, [this, &s] {
        s.anyRecord = true;
        optionClicked();
    });
    connect(m_record, &QLineEdit::textEdited, this, [this, &s](const QString& text) {
        s.recordNumber = text;
        emit changed();
    });
    connect(m_sound, &QCheckBox::clicked, this, [this, &s](bool on) {
        s.sound = on;
        emit changed();
    });
    connect(m_start, &QPushButton::clicked, this, [this] {
        m_match.pressStart();
        emit changed();
    });
    refresh();
}

void MatchWindow::optionClicked() {
    m_match.optionClicked();
    emit changed();
}

void MatchWindow::refresh() {
    m_refreshing = true;
    const MatchSignalSettings& s = m_match.settings();
    if (m_enable->isChecked() != s.enabled) m_enable->setChecked(s.enabled);
    if (m_any->isChecked() != s.anyRecord) m_any->setChecked(s.anyRecord);
    if (m_chosen->isChecked() == s.anyRecord) m_chosen->setChecked(!s.anyRecord);
    if (m_record->text() != s.recordNumber) m_record->setText(s.recordNumber);
    if (m_sound->isChecked() != s.sound) m_sound->setChecked(s.sound);
    const QColor colour = m_match.groupColour() == ViewColour::Red ? QColor::fromRgb(rgbOf(ViewColour::Red))
                                                                   : QPalette().color(QPalette::Button);
    QPalette p = m_group->palette();
    if (p.color(QPalette::Window) != colour) {
        p.setColor(QPalette::Window, colour);
        m_group->setPalette(p);
    }
    m_refreshing = false;
}

} // namespace ravlin
