#include "hash_bursts.h"
#include "hashing/core/hash_module.h"

#include <QtTest>

using namespace ravlin;
using namespace ravlin::testbursts;

namespace {

QList<int> entriesOf(const HashRecord& r) {
    return QList<int>(r.entries.begin(), r.entries.end());
}

} // namespace

class TestHash1bit : public QObject {
    Q_OBJECT
private slots:
    // Bursts of at most five durations: the short-burst value in the ARC slot, the KERMIT CRC of it.
    void shortBursts_data() {
        QTest::addColumn<QList<int>>("durations");
        QTest::addColumn<int>("code");
        QTest::addColumn<QList<int>>("record");
        // KERMIT of the byte 15 is 63735 = 249 * 255 + 240; of 4 it is 17956 = 70 * 255 + 106.
        QTest::newRow("five with long leader")
            << QList<int>{400, 200, 20, 60, 20} << 0 << QList<int>{5, 0, 0, 0, 15, 249, 240};
        QTest::newRow("empty") << QList<int>{} << 244 << QList<int>{0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("one long mark, missing space reads 0")
            << QList<int>{318} << 0 << QList<int>{1, 0, 0, 0, 4, 70, 106};
        QTest::newRow("at the limits")
            << QList<int>{317, 157, 10, 48} << 0 << QList<int>{4, 0, 0, 0, 0, 0, 0};
        QTest::newRow("negatives") << QList<int>{-400, -200} << 0 << QList<int>{2, 0, 0, 0, 0, 0, 0};
    }
    void shortBursts() {
        QFETCH(QList<int>, durations);
        QFETCH(int, code);
        QFETCH(QList<int>, record);
        DurationHistogram untouched;
        untouched.hist[20] = 7;
        untouched.min = 5;
        untouched.max = 9;
        DurationHistogram h = untouched;
        const HashResult r = Hash1bit(fromList(durations), &h);
        QCOMPARE(r.code, code);
        QCOMPARE(r.threshold, 0);
        QCOMPARE(entriesOf(r.record), record);
        QVERIFY(h.hist == untouched.hist);
        QCOMPARE(h.min, 5);
        QCOMPARE(h.max, 9);
    }

    // Long bursts whose bits are worked out by hand: `bytes` is the stream from the last duration to
    // the first, one bit per duration (1 = not above the threshold), remainder right-aligned.
    void longBursts_data() {
        QTest::addColumn<QList<int>>("durations");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("threshold");
        QTest::addColumn<int>("histMin");
        QTest::addColumn<int>("histMax");
        QTest::addColumn<QList<int>>("record");

        // Uniform in both classes: 41, range widened 53, centre off range 61, threshold 21 (71) and 20 (72).
        // Both flags F1 and F2 are cleared again, so F3 and F4 stay set.
        QTest::newRow("six of 20") << QList<int>{20, 20, 20, 20, 20, 20} << 72 << 20 << 20 << 21
                                   << entriesOf(recordOf(6, 0x30, 0, {0x3F}));
        // Equal largest buckets 3 (value 10) and 4 (value 14): bucket 3 is k1; k2 = bucket 20 (value 78)
        // beyond the separation 3; centre 4 * (3 + round(8.5) = 8) = 44. Twelve bits: F7 and 1101.
        QTest::newRow("twelve, equal peaks")
            << QList<int>{10, 78, 14, 10, 10, 14, 14, 78, 10, 10, 14, 14} << 0 << 44 << 10 << 78
            << entriesOf(recordOf(12, 0x90, 0, {0xF7, 0x0D}));
        // A space above 400: class 4, range 20..450 clamped to 400 (54). Peaks at 20 and 60, centre 40.
        QTest::newRow("long space clamps the range")
            << QList<int>{20, 20, 20, 60, 20, 20, 20, 450, 20, 60, 20} << 54 << 40 << 20 << 400
            << entriesOf(recordOf(11, 0x90, 0, {0xAE, 0x07}));
        // Marks of 0: code 200 and range 3..75 for marks; the zeros enter the range, so Min 0 -> 1 (51).
        // Buckets 5 (value 20) and 15 (value 60), centre 40.
        QTest::newRow("no mark above 0") << QList<int>{20, 20, 0, 60, 0, 20, 0, 60} << 51 << 40 << 1 << 60
                                         << entriesOf(recordOf(8, 0x30, 0, {0x77}));
        // All counted spaces above 400: Min 450 -> 399 (52), Max 900 -> 400 (54), no bucket in range,
        // centre 0 -> Mid 399 (61) -> 400 (71) -> 399 (72). Marks uniform, so only spaces count (the leading
        // one too).
        QTest::newRow("spaces above 400") << QList<int>{20, 500, 20, 450, 20, 900, 20, 600, 20} << 72 << 399
                                          << 399 << 400 << entriesOf(recordOf(9, 0x90, 0, {0xAA, 0x01}));
        // Min exactly 400 stays, Max 400 + 1 -> 400: Min = Max = 400, threshold ends at 399.
        QTest::newRow("spaces from 400") << QList<int>{20, 500, 20, 400, 20, 400, 20, 800, 20} << 72 << 399
                                         << 400 << 400 << entriesOf(recordOf(9, 0x90, 0, {0xAA, 0x01}));
        // Spaces uniform and above 400, marks 20/60: class 8 survives (spaces never enter the range).
        QTest::newRow("class 8") << QList<int>{20, 450, 60, 460, 20, 470, 60, 450, 20} << 8 << 40 << 20 << 60
                                 << entriesOf(recordOf(9, 0x60, 0, {0x88, 0x01}));
        // Buckets 5 (value 20) and 8 (value 32), separation 1: centre 4 * (5 + round(1.5) = 2) = 28.
        QTest::newRow("half rounds to even") << QList<int>{20, 32, 20, 20, 32, 20, 20, 32, 20, 20} << 0 << 28
                                             << 20 << 32 << entriesOf(recordOf(10, 0x30, 0, {0xDB, 0x01}));
    }
    void longBursts() {
        QFETCH(QList<int>, durations);
        QFETCH(int, code);
        QFETCH(int, threshold);
        QFETCH(int, histMin);
        QFETCH(int, histMax);
        QFETCH(QList<int>, record);
        DurationHistogram h;
        const UnitBurst s = fromList(durations);
        const HashResult r = Hash1bit(s, &h);
        QCOMPARE(r.code, code);
        QCOMPARE(r.threshold, threshold);
        QCOMPARE(entriesOf(r.record), record);
        QCOMPARE(h.min, histMin);
        QCOMPARE(h.max, histMax);
        QVERIFY(s == fromList(durations)); // the input is never changed
    }

    void histogramCountsOnlyTwoTo399() {
        const UnitBurst s{1, 2, 0, -5, 399, 400, 1, 2, 401, 30000, 2, 399};
        DurationHistogram h;
        Hash1bit(s, &h);
        QCOMPARE(h.hist[2], 3);
        QCOMPARE(h.hist[399], 2);
        QCOMPARE(h.hist[1], 0);
        QCOMPARE(h.hist[0], 0);
        QCOMPARE(h.hist[400], 0);
        int total = 0;
        for (std::int32_t c : h.hist)
            total += c;
        QCOMPARE(total, 5);
    }

    void histogramCountersStopAt252() {
        UnitBurst s(253, 20);
        s.push_back(60); // space 254
        s.push_back(60); // mark 255
        DurationHistogram h;
        const HashResult r = Hash1bit(s, &h);
        QCOMPARE(h.hist[20], 252);
        QCOMPARE(h.hist[60], 2);
        QCOMPARE(r.threshold, 40);
        QCOMPARE(r.code, 0);
    }

    void histogramRebuiltForEveryLongBurst() {
        DurationHistogram h;
        Hash1bit(UnitBurst{10, 78, 14, 10, 10, 14, 14, 78, 10, 10, 14, 14}, &h);
        QCOMPARE(h.hist[78], 2);
        Hash1bit(UnitBurst{20, 20, 20, 20, 20, 20}, &h);
        QCOMPARE(h.hist[78], 0);
        QCOMPARE(h.hist[20], 6);
        std::array<std::int32_t, 400> copy{};
        std::int32_t min = -1;
        std::int32_t max = -1;
        QCOMPARE(ReadDistribution(h, copy, min, max), 1);
        QCOMPARE(copy[19], 6); // Hist[20]
        QCOMPARE(min, 20);
        QCOMPARE(max, 21);
        DurationHistogram fresh;
        QCOMPARE(ReadDistribution(fresh, copy, min, max), 1);
        QCOMPARE(min, 0);
        QCOMPARE(max, 0);
    }

    // CRC-16/ARC of the bytes 87, 21 is 65535: entries 257 and 0, shown as "01" and "00".
    void crcOf65535() {
        const UnitBurst s{20, 60, 20, 60, 20, 60, 60, 60, 20, 20, 20, 60, 20, 60, 20, 60};
        const HashResult r = Hash1bit(s);
        QCOMPARE(r.threshold, 40);
        QCOMPARE(r.record.entries[3], 257);
        QCOMPARE(r.record.entries[4], 0);
        QCOMPARE(entriesOf(r.record), entriesOf(recordOf(16, 0x30, 0, {87, 21})));
        QVERIFY(hashText(r.record).mid(6, 4) == QStringLiteral("0100"));
    }

    // NEC-style frame: marks uniform, leader pair not ordinary; buckets 7 (26) and 20 (79) give 52.
    // Last duration first, the 67 bits are AB BE FE EB AA AA FF FF and the remainder 100 (= 4).
    void necFrame() {
        const UnitBurst s = nec(0x00, 0x16);
        QCOMPARE(s.size(), std::size_t(67));
        const HashResult r = Hash1bit(s);
        QCOMPARE(r.code, 0);
        QCOMPARE(r.threshold, 52);
        QCOMPARE(entriesOf(r.record),
                 entriesOf(recordOf(67, 0x80, 0, {0xAB, 0xBE, 0xFE, 0xEB, 0xAA, 0xAA, 0xFF, 0xFF, 0x04})));
    }
};

QTEST_GUILESS_MAIN(TestHash1bit)
#include "test_hash_1bit.moc"
