#include "acquisition/core/receiver_kind.h"

#include <QtTest>

using namespace ravlin;

using Bytes = std::vector<std::uint8_t>;
using Durations = std::vector<std::int32_t>;
Q_DECLARE_METATYPE(Bytes)
Q_DECLARE_METATYPE(Durations)
Q_DECLARE_METATYPE(ravlin::ReceiverKind)

class TestReceiverKind : public QObject {
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

    void statusTexts_data() {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << "Status : OK!";
        QTest::newRow("1") << 1 << "Status : NotConect";
        QTest::newRow("2") << 2 << "Status : NoDataAvailable";
        QTest::newRow("3") << 3 << "Status : InvalidBaudrate";
        QTest::newRow("4") << 4 << "Status : OverRunError";
        QTest::newRow("5") << 5 << "Status : UnError";
        QTest::newRow("-1") << -1 << "Status : UnError";
    }
    void statusTexts() {
        QFETCH(int, status);
        QFETCH(QString, text);
        QCOMPARE(statusLineText(status), text);
    }
};

QTEST_GUILESS_MAIN(TestReceiverKind)
#include "test_receiver_kind.moc"
