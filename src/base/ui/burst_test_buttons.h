#pragma once

#include "base/core/test_area.h"

#include <QWidget>

class QPushButton;

namespace ravlin {

// The test buttons of the oscillogram tab: "Тест" (the burst on screen as assembler data) and
// "длинн" (as a list of durations, then saved). Test mode shows them.
class BurstTestButtons : public QWidget {
    Q_OBJECT

public:
    explicit BurstTestButtons(TestArea& area, QWidget* parent = nullptr);

    void refresh();

signals:
    void changed();

private:
    TestArea& m_area;
    QPushButton* m_test;
    QPushButton* m_lengths;
};

} // namespace ravlin
