#pragma once

#include "base/core/base_entry.h"

#include <QWidget>

#include <array>

class QFrame;
class QLabel;
class QLineEdit;

namespace ravlin {

class Poller;
namespace ui {
class Bindings;
}

// Status label and repeat indicator square at the top of the " Kestrum " tab.
class ReceptionStatusBar : public QWidget {
    Q_OBJECT

public:
    explicit ReceptionStatusBar(Poller& poller, QWidget* parent = nullptr);
    void refresh();

private:
    Poller& m_poller;
    QLabel* m_status; // LabelStatus
    QFrame* m_repeat; // PanelRepeat
};

// Inner tab " Принятые данные ": the six timing-line fields of the burst on screen.
class ReceivedDataPage : public QWidget {
    Q_OBJECT

public:
    explicit ReceivedDataPage(const BurstFields& burst, QWidget* parent = nullptr);
    void refresh();

    QLineEdit* field(int i) const { return m_fields.at(static_cast<std::size_t>(i)); }

private:
    const BurstFields& m_burst;
    std::array<QLineEdit*, 6> m_fields{}; // EditTiming1..EditTiming6
};

// Inner tab " Параметры приёма ": receiver kind, poll rate, rescan speed, repeat filter, answer
// storing and the network receiver's parameters. Each handler writes the poller's settings, makes
// one call and announces the change.
class ReceptionParamsPage : public QWidget {
    Q_OBJECT

public:
    explicit ReceptionParamsPage(Poller& poller, QWidget* parent = nullptr);
    void refresh();

signals:
    void changed();

private:
    Poller& m_poller;
    ui::Bindings* m_bindings; // the controls and the poller's settings
    QLabel* m_unit;           // LabelUnit
};

} // namespace ravlin
