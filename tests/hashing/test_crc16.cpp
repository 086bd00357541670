#include "hashing/core/crc16.h"

#include <QtTest>

#include <vector>

using namespace ravlin;

class TestCrc16 : public QObject {
    Q_OBJECT
private slots:
    void checkValues() {
        // The catalogue check values over "123456789".
        std::uint32_t arc = 0, kermit = 0;
        for (char c : QByteArray("123456789")) {
            arc = crc16ArcStep(arc, static_cast<std::uint8_t>(c));
            kermit = crc16KermitStep(kermit, static_cast<std::uint8_t>(c));
        }
        QCOMPARE(arc, 0xBB3Du);
        QCOMPARE(kermit, 0x2189u);
    }

    void shortBurst_data() {
        QTest::addColumn<QList<int>>("durations");
        QTest::addColumn<int>("value");
        QTest::newRow("long leader of five") << QList<int>{400, 200, 20, 60, 20} << 15;
        QTest::newRow("empty") << QList<int>{} << 0;
        QTest::newRow("one long mark") << QList<int>{318} << 4;
        QTest::newRow("at the limits") << QList<int>{317, 157, 10, 48} << 0;
        QTest::newRow("four with long fourth") << QList<int>{10, 10, 10, 49} << 1;
        QTest::newRow("three never reads a fourth") << QList<int>{10, 158, 10} << 2;
    }
    void shortBurst() {
        QFETCH(QList<int>, durations);
        QFETCH(int, value);
        const std::vector<std::int32_t> s(durations.begin(), durations.end());
        QCOMPARE(shortBurstValue(s), value);
    }
};

QTEST_GUILESS_MAIN(TestCrc16)
#include "test_crc16.moc"
