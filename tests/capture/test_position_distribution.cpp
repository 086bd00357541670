#include "capture/core/position_distribution.h"

#include <QtTest>

#include <vector>

using namespace ravlin;

class TestPositionDistribution : public QObject {
    Q_OBJECT

private slots:
    void rowByRepeatLimit_data();
    void rowByRepeatLimit();
    void longDurationsFallInLastCell();
    void nonPositiveDurationsHaveNoCell();
    void tailRowSkipsFinalMark();
    void tailRowNeedsMoreThanTwentyPlusParity();
    void firstTwentyOnly();
    void clearing();
};

void TestPositionDistribution::rowByRepeatLimit_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("row");
    QTest::newRow("3 at limit 3") << 3 << 3 << 2;
    QTest::newRow("4 at limit 3") << 4 << 3 << 1;
    QTest::newRow("5 at limit 5") << 5 << 5 << 2;
    QTest::newRow("6 at limit 5") << 6 << 5 << 1;
}

void TestPositionDistribution::rowByRepeatLimit() {
    QFETCH(int, count);
    QFETCH(int, limit);
    QFETCH(int, row);
    PositionDistribution map;
    std::vector<std::int32_t> burst(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        burst[static_cast<std::size_t>(i)] = 10 + i;
    const bool even = map.markBurst(burst, limit);
    QCOMPARE(even, count % 2 == 0);
    for (int i = 1; i <= count; ++i)
        QVERIFY(map.cell(row, i, 9 + i));
    QVERIFY(map.isRowEmpty(3 - row));
    QVERIFY(map.isRowEmpty(3));
}

void TestPositionDistribution::longDurationsFallInLastCell() {
    PositionDistribution map;
    map.markBurst(std::vector<std::int32_t>{513, 2040, 512, 511, 9}, 3);
    QVERIFY(map.cell(1, 1, 512));
    QVERIFY(map.cell(1, 2, 512));
    QVERIFY(map.cell(1, 3, 512));
    QVERIFY(map.cell(1, 4, 511));
    QVERIFY(!map.cell(1, 1, 513));
    QVERIFY(!map.cell(1, 4, 512));
}

void TestPositionDistribution::nonPositiveDurationsHaveNoCell() {
    PositionDistribution map;
    map.markBurst(std::vector<std::int32_t>{0, -5, 7}, 5);
    QVERIFY(map.cell(2, 3, 7));
    map.clearRow(2);
    QVERIFY(map.isRowEmpty(2));
    QVERIFY(map.isRowEmpty(1));
    QVERIFY(!map.cell(2, 1, 0));
    QVERIFY(!map.cell(0, 1, 1));
    QVERIFY(!map.cell(4, 1, 1));
    QVERIFY(!map.cell(1, 21, 1));
}

void TestPositionDistribution::tailRowSkipsFinalMark() {
    // 23 durations (odd): p = 1, position 1 of row 3 is duration 22.
    std::vector<std::int32_t> burst(23);
    for (int i = 0; i < 23; ++i)
        burst[static_cast<std::size_t>(i)] = 100 + i + 1; // S[i] = 100 + i
    PositionDistribution map;
    map.markBurst(burst, 3);
    for (int j = 1; j <= 20; ++j)
        QVERIFY2(map.cell(3, j, 100 + 23 - j), qPrintable(QString::number(j)));
    QVERIFY(!map.cell(3, 1, 123));
    // Even count: p = 0, position 1 is the last duration.
    burst.push_back(124);
    PositionDistribution even;
    QVERIFY(even.markBurst(burst, 3));
    for (int j = 1; j <= 20; ++j)
        QVERIFY(even.cell(3, j, 125 - j));
}

void TestPositionDistribution::tailRowNeedsMoreThanTwentyPlusParity() {
    PositionDistribution map;
    map.markBurst(std::vector<std::int32_t>(21, 50), 3); // 21 = 20 + 1: not more
    QVERIFY(map.isRowEmpty(3));
    map.markBurst(std::vector<std::int32_t>(20, 50), 3); // even 20: not more than 20
    QVERIFY(map.isRowEmpty(3));
    map.markBurst(std::vector<std::int32_t>(22, 50), 3);
    QVERIFY(!map.isRowEmpty(3));
}

void TestPositionDistribution::firstTwentyOnly() {
    std::vector<std::int32_t> burst(40);
    for (int i = 0; i < 40; ++i)
        burst[static_cast<std::size_t>(i)] = i + 1;
    PositionDistribution map;
    map.markBurst(burst, 3);
    QVERIFY(map.cell(1, 20, 20));
    for (int p = 1; p <= 20; ++p)
        QVERIFY(!map.cell(1, p, 21));
}

void TestPositionDistribution::clearing() {
    PositionDistribution map;
    map.markBurst(std::vector<std::int32_t>(31, 60), 3);
    map.markBurst(std::vector<std::int32_t>(3, 60), 3);
    QVERIFY(!map.isRowEmpty(1) && !map.isRowEmpty(2) && !map.isRowEmpty(3));
    map.clear();
    QVERIFY(map.isRowEmpty(1) && map.isRowEmpty(2) && map.isRowEmpty(3));
}

QTEST_GUILESS_MAIN(TestPositionDistribution)
#include "test_position_distribution.moc"
