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
    }

    // Microseconds become what the kind's receiver delivers: the nearest step of its byte format
    // (halves away from zero), at least one step, at most the largest byte (1984 units for Movrik).
    void microsecondsInReceiverSteps_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("micros");
        QTest::addColumn<QVector<int>>("units");
        QTest::newRow("Movrik, 1 unit")
            << int(ReceiverKind::Movrik) << QStringLiteral("9000 4500 560 0 42325.327 42346.667")
            << QVector<int>{422, 211, 26, 1, 1984, 1984};
        QTest::newRow("USBtiny, 4 units")
            << int(ReceiverKind::USBtiny) << QStringLiteral("9000 4500 560 0 87039.9 87210.7")
            << QVector<int>{104, 52, 8, 4, 1020, 1020};
        QTest::newRow("IgorPlug-USB, 8 then 4")
            << int(ReceiverKind::IgorPlugUsb) << QStringLiteral("9000 4500 560 0 100000 900 900 900 900")
            << QVector<int>{104, 56, 8, 8, 1168, 8, 8, 12, 12};
        QTest::newRow("IgorPlug-UDP, 4 then 2")
            << int(ReceiverKind::IgorPlugUdp) << QStringLiteral("153.6 4500 560 0 26112 26163.2 153.6 25.599")
            << QVector<int>{4, 88, 10, 2, 510, 510, 4, 2};
    }

    void microsecondsInReceiverSteps() {
        QFETCH(int, kind);
        QFETCH(QString, micros);
        QFETCH(QVector<int>, units);
        const ReadResult r = readBurstList(micros, {true, static_cast<ReceiverKind>(kind)});
        QVERIFY(r.problems.isEmpty());
        QCOMPARE(r.bursts.value(0).durations, units);
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
