#include "hash_bursts.h"
#include "hashing/core/hash_module.h"

#include <QtTest>

using namespace ravlin;
using namespace ravlin::testbursts;

class TestVer1 : public QObject {
    Q_OBJECT
private slots:
    void encode_data() {
        QTest::addColumn<QList<int>>("durations");
        QTest::addColumn<int>("threshold");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        // Short bursts: N, the short-burst value, the KERMIT CRC of it split by 255 (63735 = F9 * 255 + F0).
        QTest::newRow("five with long leader") << QList<int>{400, 200, 20, 60, 20} << 59 << "050FF9F0" << 4;
        QTest::newRow("one long mark") << QList<int>{318} << 59 << "0104466A" << 4;
        QTest::newRow("empty") << QList<int>{} << 59 << "00000000" << 4;
        // Last duration first, 1 = not above the threshold: 16..9 long, 8..1 short.
        QTest::newRow("sixteen") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16} << 8
                                 << "1000FF" << 3;
        QTest::newRow("equal to threshold is short") << QList<int>(8, 20) << 20 << "08FF" << 2;
        QTest::newRow("above threshold is long") << QList<int>(8, 20) << 19 << "0800" << 2;
        // Twelve bits F7 and 1101: the remainder is padded on the right, D0.
        QTest::newRow("twelve") << QList<int>{10, 78, 14, 10, 10, 14, 14, 78, 10, 10, 14, 14} << 44
                                << "0CF7D0" << 3;
        QTest::newRow("nine") << QList<int>(9, 20) << 20 << "09FF80" << 3;
        QTest::newRow("zero and negatives are short") << QList<int>{0, -7, 0, -7, 0, -7} << 0 << "06FC" << 2;
        QTest::newRow("negative threshold") << QList<int>{0, 5, 0, 5, 0, 5} << -1 << "0600" << 2;
    }
    void encode() {
        QFETCH(QList<int>, durations);
        QFETCH(int, threshold);
        QFETCH(QString, text);
        QFETCH(int, count);
        const Ver1Code code = EncodeVer1(fromList(durations), threshold);
        QCOMPARE(code.count, count);
        QCOMPARE(ver1Text(code), text);
    }

    void longestBurst() {
        const Ver1Code code = EncodeVer1(UnitBurst(255, 30), 59);
        QCOMPARE(code.count, 33); // N and 32 bytes, the last holding 7 bits
        QCOMPARE(code.values[0], 255);
        QCOMPARE(code.values[31], 0xFF);
        QCOMPARE(code.values[32], 0xFE);
        QCOMPARE(ver1Text(code).size(), 66);
    }

    // The 1bit hash reads the same bits, with the remainder right-aligned instead.
    void sameBitsAsTheOneBitHash() {
        const UnitBurst s = nec(0x00, 0x16);
        const HashResult r = Hash1bit(s);
        QCOMPARE(ver1Text(EncodeVer1(s, r.threshold)), QStringLiteral("43ABBEFEEBAAAAFFFF80"));
    }

    void hashAndStatusTexts_data() {
        QTest::addColumn<QList<int>>("entries");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("hash");
        QTest::addColumn<QString>("status");
        QTest::newRow("CRC 65535 shows 01") << QList<int>{6, 0x30, 0, 257, 0, 1, 2} << 72 << "06300001000102"
                                            << "72 - 06.30.00.01.00.01.02";
        QTest::newRow("letters") << QList<int>{255, 0xF0, 0x77, 256, 254, 200, 10} << 0 << "FFF07700FEC80A"
                                 << "0 - FF.F0.77.00.FE.C8.0A";
        QTest::newRow("all zero") << QList<int>{0, 0, 0, 0, 0, 0, 0} << 244 << "00000000000000"
                                  << "244 - 00.00.00.00.00.00.00";
    }
    void hashAndStatusTexts() {
        QFETCH(QList<int>, entries);
        QFETCH(int, code);
        QFETCH(QString, hash);
        QFETCH(QString, status);
        HashRecord r;
        for (int i = 0; i < 7; ++i)
            r.entries[static_cast<std::size_t>(i)] = entries[i];
        QCOMPARE(hashText(r), hash);
        QCOMPARE(statusText(code, r), status);
    }
};

QTEST_GUILESS_MAIN(TestVer1)
#include "test_ver1.moc"
