#include "base/core/receiver_units.h"
#include "platform/core/rounding.h"

#include <QtTest>

#include <cmath>
#include <random>

using namespace ravlin;

using Bytes = std::vector<std::uint8_t>;
using Durations = std::vector<std::int32_t>;
using Micros = std::vector<std::uint32_t>;
Q_DECLARE_METATYPE(Bytes)
Q_DECLARE_METATYPE(Durations)
Q_DECLARE_METATYPE(Micros)
Q_DECLARE_METATYPE(ravlin::ReceiverKind)

namespace {

// The resolution of duration `index` in a kind's format, in microseconds.
double resolutionMicros(ReceiverKind kind, int index) {
    const double unit = ReceiverKinds::unitMs(kind) * 1000.0;
    switch (kind) {
    case ReceiverKind::Movrik:
        return unit;
    case ReceiverKind::USBtiny:
        return 4 * unit;
    case ReceiverKind::IgorPlugUsb:
        return (index < 7 ? 8 : 4) * unit;
    case ReceiverKind::IgorPlugUdp:
        return (index == 0 ? 4 : 2) * unit;
    }
    return unit;
}

double largestMicros(ReceiverKind kind, int index) {
    return resolutionMicros(kind, index) * (kind == ReceiverKind::Movrik ? 1984 : 255);
}

} // namespace

class TestReceiverUnits : public QObject {
    Q_OBJECT

private slots:
    void conversion_data() {
        QTest::addColumn<ReceiverKind>("kind");
        QTest::addColumn<Bytes>("bytes");
        QTest::addColumn<Durations>("durations");
        QTest::newRow("movrik prefix F9") << ReceiverKind::Movrik << Bytes{0xF9, 0x10} << Durations{264};
        QTest::newRow("movrik largest") << ReceiverKind::Movrik << Bytes{0xFF, 0xF8} << Durations{1984};
        QTest::newRow("movrik trailing prefix")
            << ReceiverKind::Movrik << Bytes{0x10, 0x20, 0xFA} << Durations{0x10, 0x20};
        QTest::newRow("movrik carry once")
            << ReceiverKind::Movrik << Bytes{0xFA, 0x01, 0x01} << Durations{497, 1};
        QTest::newRow("movrik last prefix wins")
            << ReceiverKind::Movrik << Bytes{0xFF, 0xF9, 0x00} << Durations{248};
        QTest::newRow("movrik plain F8") << ReceiverKind::Movrik << Bytes{0xF8, 0x00} << Durations{0xF8, 0};
        QTest::newRow("usbtiny x4") << ReceiverKind::USBtiny << Bytes{0x01, 0xFF, 0xF9}
                                    << Durations{4, 1020, 996};
        QTest::newRow("igorplug-usb 9 ones")
            << ReceiverKind::IgorPlugUsb << Bytes(9, 0x01) << Durations{8, 8, 8, 8, 8, 8, 8, 4, 4};
        QTest::newRow("igorplug-usb no prefix")
            << ReceiverKind::IgorPlugUsb << Bytes{0xFF, 0xF9} << Durations{2040, 1992};
        QTest::newRow("igorplug-udp")
            << ReceiverKind::IgorPlugUdp << Bytes{0x10, 0x10, 0x10} << Durations{64, 32, 32};
        QTest::newRow("empty") << ReceiverKind::Movrik << Bytes{} << Durations{};
    }
    void conversion() {
        QFETCH(ReceiverKind, kind);
        QFETCH(Bytes, bytes);
        QFETCH(Durations, durations);
        QCOMPARE(convertRawBlock(kind, bytes), durations);
    }

    void movrikNeverExceedsLargest() {
        // Every byte pair: the conversion stays within the format's range.
        for (int a = 0; a < 256; ++a)
            for (int b = 0; b < 256; ++b) {
                const Bytes bytes{static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b)};
                for (std::int32_t d : convertRawBlock(ReceiverKind::Movrik, bytes))
                    QVERIFY(d >= 0 && d <= maxDurationUnits(ReceiverKind::Movrik));
            }
        QCOMPARE(maxDurationUnits(ReceiverKind::Movrik), 1984);
    }

    void kindTable_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("label");
        QTest::addColumn<double>("unit");
        QTest::newRow("Movrik") << "Movrik" << 1 << "0.0213(3) МиллиСек" << 0.02133333;
        QTest::newRow("USBtiny") << "USBtiny" << 2 << "0.0853(3) МиллиСек" << 0.0853333;
        QTest::newRow("IgorPlug-USB") << "IgorPlug-USB" << 3 << "0.0853(3) МиллиСек" << 0.0853333;
        QTest::newRow("IgorPlug-UDP") << "IgorPlug-UDP" << 4 << "0.0512 МиллиСек" << 0.0512;
        QTest::newRow("other text") << "movrik " << 1 << "0.0213(3) МиллиСек" << 0.02133333;
    }
    void kindTable() {
        QFETCH(QString, text);
        QFETCH(int, code);
        QFETCH(QString, label);
        QFETCH(double, unit);
        const ReceiverKind k = ReceiverKinds::fromText(text);
        QCOMPARE(ReceiverKinds::code(k), code);
        QCOMPARE(ReceiverKinds::unitLabel(k), label);
        QCOMPARE(ReceiverKinds::unitMs(k), unit);
        QCOMPARE(ReceiverKinds::isKindText(text), text == ReceiverKinds::text(k));
    }

    void comboOrder() {
        QCOMPARE(ReceiverKinds::comboItems(),
                 QStringList({"IgorPlug-USB", "IgorPlug-UDP", "Movrik", "USBtiny"}));
    }

    // Nearest unit, halves away from zero.
    void nanosToUnits_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<qint64>("nanos");
        QTest::addColumn<int>("units");
        QTest::newRow("udp half") << QStringLiteral("IgorPlug-UDP") << qint64(25600) << 1;
        QTest::newRow("udp one and a half") << QStringLiteral("IgorPlug-UDP") << qint64(76800) << 2;
        QTest::newRow("udp two and a half") << QStringLiteral("IgorPlug-UDP") << qint64(128000) << 3;
        QTest::newRow("udp below half") << QStringLiteral("IgorPlug-UDP") << qint64(25599) << 0;
        QTest::newRow("movrik") << QStringLiteral("Movrik") << qint64(9000000) << 422;
        QTest::newRow("movrik above half") << QStringLiteral("Movrik") << qint64(10667) << 1;
        QTest::newRow("movrik below half") << QStringLiteral("Movrik") << qint64(10666) << 0;
        QTest::newRow("usbtiny") << QStringLiteral("USBtiny") << qint64(42667) << 1;
        QTest::newRow("igorplug-usb") << QStringLiteral("IgorPlug-USB") << qint64(42666) << 0;
        QTest::newRow("negative half") << QStringLiteral("IgorPlug-UDP") << qint64(-25600) << -1;
        QTest::newRow("huge saturates") << QStringLiteral("Movrik") << qint64(INT64_MAX) << int(INT32_MAX);
    }
    void nanosToUnits() {
        QFETCH(QString, kind);
        QFETCH(qint64, nanos);
        QFETCH(int, units);
        QCOMPARE(ravlin::nanosToUnits(nanos, ReceiverKinds::fromText(kind)), units);
    }

    // The byte encoder rounds by the same rule: 2.5 steps become 3 (to even would give 2).
    void encoderRoundsHalvesAwayFromZero_data() {
        QTest::addColumn<ReceiverKind>("kind");
        QTest::addColumn<Micros>("micros");
        QTest::addColumn<Durations>("units");
        // IgorPlug-UDP: the first step 204.8 us, later ones 102.4 us.
        QTest::newRow("udp halves") << ReceiverKind::IgorPlugUdp << Micros{512, 256, 768}
                                    << Durations{12, 6, 16};
        QTest::newRow("udp below halves")
            << ReceiverKind::IgorPlugUdp << Micros{511, 255, 767} << Durations{8, 4, 14};
    }
    void encoderRoundsHalvesAwayFromZero() {
        QFETCH(ReceiverKind, kind);
        QFETCH(Micros, micros);
        QFETCH(Durations, units);
        QCOMPARE(convertRawBlock(kind, encodeMicros(kind, micros)), units);
    }

    // Where a byte holds one unit, the encoded block gives exactly the units of the shared conversion.
    void movrikEncoderMatchesConversion() {
        for (std::uint32_t us = 11; us <= 42000; ++us) {
            const Durations got =
                convertRawBlock(ReceiverKind::Movrik, encodeMicros(ReceiverKind::Movrik, {us}));
            if (got != Durations{microsToUnits(us, ReceiverKind::Movrik)})
                QFAIL(qPrintable(QStringLiteral("%1 us gave %2").arg(us).arg(got.empty() ? -1 : got[0])));
        }
    }

    void roundTrip_data() {
        QTest::addColumn<ReceiverKind>("kind");
        for (const auto& k : ReceiverKinds::table())
            QTest::newRow(k.text) << k.kind;
    }
    void roundTrip() {
        QFETCH(ReceiverKind, kind);
        std::mt19937 rng(4711 + static_cast<int>(kind));
        std::uniform_int_distribution<std::uint32_t> length(1, 60000);
        std::uniform_int_distribution<int> count(1, 60);
        const double unit = ReceiverKinds::unitMs(kind) * 1000.0;
        for (int trial = 0; trial < 300; ++trial) {
            Micros burst(static_cast<std::size_t>(count(rng)) | 1u);
            for (auto& d : burst)
                d = length(rng) % (trial % 3 == 0 ? 60000 : 3000) + 1;
            const auto bytes = encodeMicros(kind, burst);
            QVERIFY(bytes.size() <= 255);
            QVERIFY(bytes[0] != 0);
            QVERIFY(bytes.size() < 2 || bytes[1] != 0);
            const auto units = convertRawBlock(kind, bytes);
            QVERIFY(units.size() <= burst.size());
            QCOMPARE(units.size() % 2, std::size_t(1));
            for (std::size_t i = 0; i < units.size(); ++i) {
                const double res = resolutionMicros(kind, int(i));
                const double expected = std::clamp(double(burst[i]), res, largestMicros(kind, int(i)));
                const double got = units[i] * unit;
                if (std::abs(got - expected) > res / 2 + 1e-6)
                    QFAIL(qPrintable(QStringLiteral("duration %1 us gave %2 us").arg(burst[i]).arg(got)));
            }
        }
    }

    void roundsHalfToEven_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("rounded");
        QTest::newRow("0.5") << 0.5 << 0;
        QTest::newRow("1.5") << 1.5 << 2;
        QTest::newRow("2.5") << 2.5 << 2;
        QTest::newRow("3.5") << 3.5 << 4;
        QTest::newRow("2.49") << 2.49 << 2;
        QTest::newRow("2.51") << 2.51 << 3;
        QTest::newRow("-0.5") << -0.5 << 0;
        QTest::newRow("-1.5") << -1.5 << -2;
        QTest::newRow("-2.6") << -2.6 << -3;
        QTest::newRow("7") << 7.0 << 7;
        QTest::newRow("far off") << 5e9 << 1000000000;
    }
    void roundsHalfToEven() {
        QFETCH(double, value);
        QFETCH(int, rounded);
        QCOMPARE(roundHalfEven(value), rounded);
    }

    void divides_data() {
        QTest::addColumn<qint64>("num");
        QTest::addColumn<qint64>("den");
        QTest::addColumn<qint64>("halfEven");
        QTest::addColumn<qint64>("halfAway");
        QTest::newRow("2.5") << qint64(5) << qint64(2) << qint64(2) << qint64(3);
        QTest::newRow("3.5") << qint64(7) << qint64(2) << qint64(4) << qint64(4);
        QTest::newRow("12.5") << qint64(100) << qint64(8) << qint64(12) << qint64(13);
        QTest::newRow("2.49") << qint64(249) << qint64(100) << qint64(2) << qint64(2);
        QTest::newRow("2.51") << qint64(251) << qint64(100) << qint64(3) << qint64(3);
        QTest::newRow("-2.5") << qint64(-5) << qint64(2) << qint64(-2) << qint64(-3);
        QTest::newRow("-1.5") << qint64(-3) << qint64(2) << qint64(-2) << qint64(-2);
        QTest::newRow("-0.4") << qint64(-2) << qint64(5) << qint64(0) << qint64(0);
        QTest::newRow("zero") << qint64(0) << qint64(3) << qint64(0) << qint64(0);
    }
    void divides() {
        QFETCH(qint64, num);
        QFETCH(qint64, den);
        QFETCH(qint64, halfEven);
        QFETCH(qint64, halfAway);
        QCOMPARE(divideHalfEven(num, den), halfEven);
        QCOMPARE(divideHalfAwayFromZero(num, den), halfAway);
    }

    void unitsBackHalvesAwayFromZero() {
        // 5000 USBtiny units are 426666.5 us; 50 Movrik units 1066666.5 ns.
        QCOMPARE(unitsToMicros(5000, ReceiverKind::USBtiny), 426667);
        QCOMPARE(unitsToMicros(-5000, ReceiverKind::USBtiny), -426667);
        QCOMPARE(unitsToMicros(4999, ReceiverKind::USBtiny), 426581);
        QCOMPARE(unitsToNanos(50, ReceiverKind::Movrik), qint64(1066667));
        QCOMPARE(unitsToNanos(49, ReceiverKind::Movrik), qint64(1045333));
        QCOMPARE(unitsToMicros(INT32_MAX, ReceiverKind::USBtiny), INT32_MAX);
    }

    void movrikClampsAt1984() {
        const auto bytes = encodeMicros(ReceiverKind::Movrik, {100000});
        QCOMPARE(convertRawBlock(ReceiverKind::Movrik, bytes), std::vector<std::int32_t>({1984}));
        QCOMPARE(convertRawBlock(ReceiverKind::Movrik, encodeMicros(ReceiverKind::Movrik, {0})),
                 std::vector<std::int32_t>({1}));
    }

    void longBurstCutAtAMark() {
        Micros burst(301, 9000); // two bytes each in Movrik
        const auto bytes = encodeMicros(ReceiverKind::Movrik, burst);
        QVERIFY(bytes.size() <= 255);
        const auto units = convertRawBlock(ReceiverKind::Movrik, bytes);
        QCOMPARE(units.size(), std::size_t(127));
    }
};

QTEST_GUILESS_MAIN(TestReceiverUnits)
#include "test_receiver_units.moc"
