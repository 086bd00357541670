#include "formats/core/burst_list.h"

#include <QtTest>

using namespace ravlin;

class TestBurstList : public QObject {
    Q_OBJECT

private slots:
    // Units and microseconds read alike; bad lines are reported with their numbers and skipped.
    void read() {
        const QString text = QStringLiteral("# units\r\n"
                                            "422, 211 26\n"
                                            "\n"
                                            "26 x 79\n"
                                            "26.5\n"
                                            "16777216\n"
                                            "1 2 3\n"
                                            " , ,\n");
        const ReadResult units = readBurstList(text);
        QCOMPARE(units.bursts.size(), 2);
        QCOMPARE(units.bursts[0], (Burst{{422, 211, 26}, QString(), 2}));
        QCOMPARE(units.bursts[1], (Burst{{1, 2, 3}, QString(), 7}));
        QCOMPARE(units.problems.size(), 4);
        // A kind and its arguments, worded in English for the tool and in Russian for the workbench.
        QCOMPARE(units.problems[0], (Problem{4, ProblemKind::ListNotUnits, {"\"x\""}}));
        QCOMPARE(units.problems[0].message(), QStringLiteral("line 4: \"x\" is not a whole number of units"));
        QCOMPARE(units.problems[0].russian(), QStringLiteral("\"x\" - не целое число единиц"));
        QCOMPARE(units.problems[1].line, 5);
        QCOMPARE(units.problems[2].message(),
                 QStringLiteral("line 6: \"16777216\" is too large (at most 16777215)"));
        QCOMPARE(units.problems[3].message(), QStringLiteral("line 8: the line holds no duration"));

        // Microseconds with three decimals, rounded halves away from zero: 128 us is 2.5 units of 51.2 us.
        const ReadResult micros = readBurstList(QStringLiteral("9000 4500 560\n128 76.8 25.599\n"),
                                                {true, ReceiverKind::IgorPlugUdp});
        QVERIFY(micros.problems.isEmpty());
        QCOMPARE(micros.bursts[0].durations, QVector<int>({176, 88, 11}));
        QCOMPARE(micros.bursts[1].durations, QVector<int>({3, 2, 0}));
    }

    void roundTrip() {
        const QVector<Burst> bursts{{{422, 211, 26, 26, 26}, QString(), 1}, {{1}, QString(), 2}};
        const ReadResult again = readBurstList(writeBurstList(bursts));
        QVERIFY(again.problems.isEmpty());
        QCOMPARE(again.bursts, bursts);
    }
};

QTEST_GUILESS_MAIN(TestBurstList)
#include "test_burst_list.moc"
