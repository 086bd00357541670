#include "base/ui/burst_test_buttons.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace ravlin {

BurstTestButtons::BurstTestButtons(TestArea& area, QWidget* parent) : QWidget(parent), m_area(area) {
    setObjectName(QStringLiteral("BurstTestButtons"));
    auto* l = new QHBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addStretch();
    m_test = new QPushButton(QStringLiteral("Тест"), this);
    m_test->setObjectName(QStringLiteral("ButtonTest"));
    m_lengths = new QPushButton(QStringLiteral("длинн"), this);
    m_lengths->setObjectName(QStringLiteral("ButtonLengths"));
    l->addWidget(m_test);
    l->addWidget(m_lengths);
    connect(m_test, &QPushButton::clicked, this, [this] {
        m_area.assemblerTest();
        emit changed();
    });
    connect(m_lengths, &QPushButton::clicked, this, [this] {
        m_area.durationList();
        emit changed();
    });
    refresh();
}

void BurstTestButtons::refresh() {
    const TestAreaView& v = m_area.view();
    if (m_test->isHidden() == v.testButton) m_test->setVisible(v.testButton);
    if (m_lengths->isHidden() == v.lengthsButton) m_lengths->setVisible(v.lengthsButton);
    // With both hidden the row takes no room on the page.
    const bool any = v.testButton || v.lengthsButton;
    if (isHidden() == any) setVisible(any);
}

} // namespace ravlin
