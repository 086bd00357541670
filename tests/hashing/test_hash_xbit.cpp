#include "hash_bursts.h"
#include "hashing/core/hash_module.h"

#include <QtTest>

using namespace ravlin;
using namespace ravlin::testbursts;

namespace {

QList<int> entriesOf(const HashRecord& r) {
    return QList<int>(r.entries.begin(), r.entries.end());
}

std::vector<std::int32_t> evens(int from, int to) {
    std::vector<std::int32_t> v;
    for (int d = from; d <= to; d += 2)
        v.push_back(d);
    return v;
}

std::vector<std::int32_t> everyThird(int from, int to) {
    std::vector<std::int32_t> v;
    for (int d = from; d <= to; d += 3)
        v.push_back(d);
    return v;
}

std::vector<std::int32_t> twice(const std::vector<std::int32_t>& v) {
    std::vector<std::int32_t> out(v);
    out.insert(out.end(), v.begin(), v.end());
    return out;
}

QList<int> listOf(const UnitBurst& s) {
    return QList<int>(s.begin(), s.end());
}

} // namespace

class TestHashXbit : public QObject {
    Q_OBJECT
private slots:
    void shortBurstsMatchTheOneBitModule() {
        for (const UnitBurst& s :
             {UnitBurst{}, UnitBurst{400, 200, 20, 60, 20}, UnitBurst{318}, UnitBurst{10, 10, 10, 49}}) {
            const HashResult x = HashXbit(s);
            const HashResult one = Hash1bit(s);
            QCOMPARE(x.code, one.code);
            QCOMPARE(x.threshold, 0);
            QCOMPARE(entriesOf(x.record), entriesOf(one.record));
        }
    }

    // Marks are all 10 (uniform: they give no bits) unless a row says otherwise; the leading pair is
    // not ordinary. `bytes` are the level digits of the durations in stream order, worked out by hand.
    void levels_data() {
        QTest::addColumn<QList<int>>("durations");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("threshold");
        QTest::addColumn<QList<int>>("record");

        // Groups 20..24 and 60..66 (holes closed): one bit per space, threshold mid-gap 24 + 36 / 2.
        QTest::newRow("pulse distance") << listOf(withSpaces(300, 2000, 10, {20, 62, 21, 64, 22, 66, 60, 24}))
                                        << 0 << 42 << entriesOf(recordOf(19, 0x80, 2, {0x56}));
        // 19..21, 39..41, 60..61: boundaries 30 and 50, two bits per space, no single threshold.
        QTest::newRow("three groups") << listOf(withSpaces(300, 2000, 10, {20, 40, 60, 19, 41, 61, 39, 21}))
                                      << 0 << 0 << entriesOf(recordOf(19, 0x80, 3, {0x18, 0x64}));
        // Starts 20 and 33 are 13 % of the maximum 100 apart: one cluster 20..33, boundary 66.
        QTest::newRow("starts 13 percent apart") << listOf(withSpaces(300, 2000, 10, twice({20, 33, 100})))
                                                 << 0 << 66 << entriesOf(recordOf(15, 0x80, 2, {0x09}));
        QTest::newRow("starts 16 percent apart") << listOf(withSpaces(300, 2000, 10, twice({20, 36, 100})))
                                                 << 0 << 0 << entriesOf(recordOf(15, 0x80, 3, {0x18, 0x06}));
        QTest::newRow("starts 15 percent apart") << listOf(withSpaces(300, 2000, 10, twice({20, 35, 100})))
                                                 << 0 << 0 << entriesOf(recordOf(15, 0x80, 3, {0x18, 0x06}));
        // 1500 / 103 = 14.56, truncated to 14: merged; boundary 35 + 68 / 2.
        QTest::newRow("percentage truncated") << listOf(withSpaces(300, 2000, 10, twice({20, 35, 103}))) << 0
                                              << 69 << entriesOf(recordOf(15, 0x80, 2, {0x09}));
        // Run 20..40 and 45: starts 25 % apart but the gap is 5 %: merged into 20..45; boundary 72.
        {
            auto spaces = evens(20, 40);
            spaces.push_back(45);
            spaces.push_back(100);
            QTest::newRow("gap 5 percent") << listOf(withSpaces(300, 2000, 10, spaces)) << 0 << 72
                                           << entriesOf(recordOf(29, 0x80, 2, {0x00, 0x01}));
        }
        {
            auto spaces = evens(20, 40);
            spaces.push_back(50);
            spaces.push_back(100);
            QTest::newRow("gap 10 percent") << listOf(withSpaces(300, 2000, 10, spaces)) << 0 << 0
                                            << entriesOf(recordOf(29, 0x80, 3, {0x00, 0x00, 0x01, 0x02}));
        }
        // No space below 400: no cluster (71), split into (450, 725) and (725, 1000); every space is
        // coded as the top level 1 although it lies below the boundary 725. Four long spaces: class 8.
        QTest::newRow("spaces of 400 and more") << listOf(withSpaces(300, 2000, 10, {450, 1000, 450, 1000}))
                                                << 71 << 725 << entriesOf(recordOf(11, 0x80, 0, {0x0F}));
        // One run 20..40: 71, split at 30.
        QTest::newRow("single space group") << listOf(withSpaces(300, 2000, 10, evens(20, 40))) << 71 << 30
                                            << entriesOf(recordOf(25, 0x80, 1, {0x07, 0x07}));
        // Sixteen values three apart: each round merges a pair, the eighth pair overwrites the seventh
        // cluster (51). Boundaries 14, 20, 26, 32, 38, 47; levels 0 0 1 1 2 2 3 3 4 4 5 5 5 6 6 6.
        QTest::newRow("eighth space cluster")
            << listOf(withSpaces(300, 2000, 10, everyThird(10, 55))) << 51 << 0
            << entriesOf(recordOf(35, 0x80, 7, {0x00, 0x94, 0x9B, 0x92, 0xDB, 0xB6}));
        // The same with marks (spaces uniform): 61.
        QTest::newRow("eighth mark cluster")
            << listOf(framed(300, 27, everyThird(10, 55), std::vector<std::int32_t>(15, 27))) << 61 << 0
            << entriesOf(recordOf(33, 0x40, 0x70, {0x00, 0x94, 0x9B, 0x92, 0xDB, 0xB6}));
        QTest::newRow("single mark group")
            << listOf(framed(300, 27, evens(20, 40), std::vector<std::int32_t>(10, 27))) << 72 << 30
            << entriesOf(recordOf(23, 0x40, 0x10, {0x07, 0x07}));
        // Both classes one group: 71 then 72; boundaries 30 (marks) and 29 (spaces), threshold 29.
        // Marks first: 00000111111, then spaces 0000011111.
        QTest::newRow("single groups in both")
            << listOf(framed(300, 2000, evens(20, 40), evens(20, 38))) << 72 << 29
            << entriesOf(recordOf(23, 0x00, 0x11, {0x07, 0xE0, 0x1F}));
        // Uniform in both: 41, flags cleared, leading pair ordinary; one cluster each is split (71, 72).
        QTest::newRow("six of 20") << QList<int>{20, 20, 20, 20, 20, 20} << 72 << 20
                                   << entriesOf(recordOf(6, 0x30, 0x11, {0x3F}));
    }
    void levels() {
        QFETCH(QList<int>, durations);
        QFETCH(int, code);
        QFETCH(int, threshold);
        QFETCH(QList<int>, record);
        const HashResult r = HashXbit(UnitBurst(durations.begin(), durations.end()));
        QCOMPARE(r.code, code);
        QCOMPARE(r.threshold, threshold);
        QCOMPARE(entriesOf(r.record), record);
    }

    // Class code: spaces above 400 among durations 3..N count 4 (one or two) or 8 (more), marks 1 or 2.
    // Both classes keep two clusters (20 and 200), so nothing replaces the class code here.
    void classCode_data() {
        QTest::addColumn<int>("longMarks");
        QTest::addColumn<int>("longSpaces");
        QTest::addColumn<int>("code");
        const int expected[4][4] = {{0, 4, 4, 8}, {1, 5, 5, 9}, {1, 5, 5, 9}, {2, 6, 6, 10}};
        for (int m = 0; m < 4; ++m)
            for (int s = 0; s < 4; ++s)
                QTest::addRow("%d marks, %d spaces", m, s) << m << s << expected[m][s];
    }
    void classCode() {
        QFETCH(int, longMarks);
        QFETCH(int, longSpaces);
        QFETCH(int, code);
        std::vector<std::int32_t> marks{20, 200, 20, 200, 20, 200, 20, 200, 20};
        std::vector<std::int32_t> spaces{200, 20, 200, 20, 200, 20, 200, 20};
        for (int i = 0; i < longMarks; ++i)
            marks[static_cast<std::size_t>(i)] = 401;
        for (int i = 0; i < longSpaces; ++i)
            spaces[static_cast<std::size_t>(i)] = 401;
        const UnitBurst s = framed(300, 100, marks, spaces);
        QCOMPARE(HashXbit(s).code, code);
        // The 1bit module lets the long durations widen its range, which ends in the clamp 54.
        QCOMPARE(Hash1bit(s).code, longMarks + longSpaces > 0 ? 54 : 0);
    }

    void exactly400IsNotLong() {
        const UnitBurst s = framed(300, 100, {20, 200, 400, 200, 20}, {400, 20, 400, 20});
        QCOMPARE(HashXbit(s).code, 0);
    }

    // NEC-style frame: marks uniform; spaces 26 and 79 -> levels 0 and 1, the data bits in air order.
    void necFrame() {
        const HashResult r = HashXbit(nec(0x00, 0x16));
        QCOMPARE(r.code, 0);
        QCOMPARE(r.threshold, 52);
        QCOMPARE(entriesOf(r.record), entriesOf(recordOf(67, 0x80, 2, {0x00, 0xFF, 0x68, 0x97})));
    }
};

QTEST_GUILESS_MAIN(TestHashXbit)
#include "test_hash_xbit.moc"
