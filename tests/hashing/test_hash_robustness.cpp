#include "hash_bursts.h"
#include "hashing/core/crc16.h"
#include "hashing/core/hash_module.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

#include <limits>
#include <set>

using namespace ravlin;
using namespace ravlin::testbursts;

namespace {

QString hashOf(const HashResult& r) {
    return hashText(r.record);
}

// Each duration moved by -1, 0 or +1.
UnitBurst jittered(const UnitBurst& s, QRandomGenerator& random) {
    UnitBurst out(s);
    for (std::int32_t& d : out)
        d += static_cast<std::int32_t>(random.bounded(3)) - 1;
    return out;
}

std::int32_t oddDuration(QRandomGenerator& random) {
    switch (random.bounded(8)) {
    case 0:
        return 0;
    case 1:
        return -static_cast<std::int32_t>(random.bounded(1000));
    case 2:
        return std::numeric_limits<std::int32_t>::min() + static_cast<std::int32_t>(random.bounded(3));
    case 3:
        return std::numeric_limits<std::int32_t>::max() - static_cast<std::int32_t>(random.bounded(3));
    case 4:
        return 398 + static_cast<std::int32_t>(random.bounded(5));
    case 5:
        return 30000 + static_cast<std::int32_t>(random.bounded(1000000));
    default:
        return 1 + static_cast<std::int32_t>(random.bounded(420));
    }
}

} // namespace

class TestHashRobustness : public QObject {
    Q_OBJECT
private slots:
    // Realistic frames with every duration moved by one unit: the durations stay inside their
    // histogram buckets and clusters, far from the thresholds, so the hashes do not change.
    void jitterKeepsTheHash_data() {
        QTest::addColumn<QList<int>>("durations");
        QTest::addColumn<QString>("hash1");
        QTest::addColumn<int>("threshold1");
        QTest::addColumn<QString>("hashX");
        const auto listOf = [](const UnitBurst& s) { return QList<int>(s.begin(), s.end()); };
        QTest::newRow("NEC-style") << listOf(nec(0x00, 0x16)) << "438000D9199680" << 52 << "4380025EBC8DDD";
        QTest::newRow("RC5-style") << listOf(rc5(false, 5, 35)) << "1530000E67A2AB" << 64 << "153022E8887CF2";
        QTest::newRow("RC5-style toggled")
            << listOf(rc5(true, 5, 35)) << "153000015AF5A1" << 64 << "153022FA9A79B4";
        QTest::newRow("Sony-style") << listOf(sony(21, 1)) << "1940005D56558B" << 44 << "19402050CE7960";
    }
    void jitterKeepsTheHash() {
        QFETCH(QList<int>, durations);
        QFETCH(QString, hash1);
        QFETCH(int, threshold1);
        QFETCH(QString, hashX);
        const UnitBurst s = fromList(durations);
        const HashResult one = Hash1bit(s);
        QCOMPARE(hashOf(one), hash1);
        QCOMPARE(one.threshold, threshold1);
        QCOMPARE(hashOf(HashXbit(s)), hashX);
        const QString ver1 = ver1Text(EncodeVer1(s, one.threshold));
        QRandomGenerator random(4711);
        for (int round = 0; round < 200; ++round) {
            const UnitBurst j = jittered(s, random);
            const HashResult jOne = Hash1bit(j);
            QCOMPARE(hashOf(jOne), hash1);
            QCOMPARE(jOne.threshold, threshold1);
            QCOMPARE(hashOf(HashXbit(j)), hashX);
            QCOMPARE(ver1Text(EncodeVer1(j, jOne.threshold)), ver1);
        }
    }

    // A space lying exactly on the threshold is short; one unit more makes it long and the hash moves.
    void durationOnTheThresholdFlips() {
        UnitBurst s = nec(0x00, 0x16);
        s[5] = 52; // the second data space
        const HashResult at = Hash1bit(s);
        QCOMPARE(at.threshold, 52);
        s[5] = 53;
        const HashResult above = Hash1bit(s);
        QCOMPARE(above.threshold, 52);
        QVERIFY(hashOf(at) != hashOf(above));
        s[5] = 26;
        QCOMPARE(hashOf(Hash1bit(s)), hashOf(at)); // 52 still reads as short, like 26
    }

    void differentFramesGiveDifferentHashes() {
        std::set<QString> one;
        std::set<QString> x;
        for (int command = 0; command < 64; ++command) {
            one.insert(hashOf(Hash1bit(nec(0x04, static_cast<std::uint8_t>(command)))));
            x.insert(hashOf(HashXbit(nec(0x04, static_cast<std::uint8_t>(command)))));
        }
        QCOMPARE(one.size(), std::size_t(64));
        QCOMPARE(x.size(), std::size_t(64));
    }

    // Random bursts of any length with zeros, negatives and huge values: nothing crashes or reads out
    // of bounds (the sanitizer build checks that), and every result keeps its fixed form.
    void randomBursts() {
        static const QRegularExpression hashForm(QStringLiteral("^[0-9A-F]{14}$"));
        static const QRegularExpression statusForm(QStringLiteral("^\\d+ - ([0-9A-F]{2}\\.){6}[0-9A-F]{2}$"));
        static const QRegularExpression ver1Form(QStringLiteral("^([0-9A-F]{2})+$"));
        const std::set<int> codes{0, 1, 2, 4, 5, 6, 8, 9, 10, 41, 51, 52, 53, 54, 61, 71, 72, 200, 201, 244};
        QRandomGenerator random(20261208);
        for (int round = 0; round < 4000; ++round) {
            const int n = round < 256 ? round : static_cast<int>(random.bounded(256));
            UnitBurst s(static_cast<std::size_t>(n));
            const int style = static_cast<int>(random.bounded(3));
            for (std::int32_t& d : s)
                d = style == 0 ? oddDuration(random)
                               : 1 + static_cast<std::int32_t>(random.bounded(style * 200));
            const UnitBurst original = s;

            DurationHistogram h;
            const HashResult one = Hash1bit(s, &h);
            const HashResult x = HashXbit(s);
            const int threshold = static_cast<int>(random.bounded(500)) - 50;
            const Ver1Code v = EncodeVer1(s, threshold);
            QVERIFY(s == original);

            for (const HashResult* r : {&one, &x}) {
                QVERIFY2(codes.count(r->code) == 1, qPrintable(QString::number(r->code)));
                QCOMPARE(r->record.entries[0], n);
                QVERIFY(r->record.entries[3] >= 0 && r->record.entries[3] <= 257);
                QVERIFY(r->record.entries[4] >= 0 && r->record.entries[4] <= 254);
                QVERIFY(r->record.entries[5] >= 0 && r->record.entries[5] <= 257);
                QVERIFY(r->record.entries[6] >= 0 && r->record.entries[6] <= 254);
                QVERIFY(hashForm.match(hashText(r->record)).hasMatch());
                QVERIFY(statusForm.match(statusText(r->code, r->record)).hasMatch());
            }
            QCOMPARE(one.code == 244, n == 0);
            QCOMPARE(x.code == 244, n == 0);
            if (n > 5) {
                QVERIFY(one.threshold >= 1 && one.threshold <= 400);
                QVERIFY(h.min >= 1 && h.min <= 400);
                QVERIFY(h.max >= h.min && h.max <= 400);
                QCOMPARE(h.hist[0] + h.hist[1] + h.hist[400], 0);
                for (std::int32_t c : h.hist)
                    QVERIFY(c >= 0 && c <= 252);
                QCOMPARE(one.record.entries[2], 0);
                QVERIFY((x.record.entries[2] >> 4) <= 7 && (x.record.entries[2] & 15) <= 7);
                QCOMPARE(v.count, 1 + (n + 7) / 8);
            } else {
                QCOMPARE(one.threshold, 0);
                QCOMPARE(x.threshold, 0);
                QCOMPARE(v.count, 4);
            }
            const QString ver1 = ver1Text(v);
            QCOMPARE(ver1.size(), 2 * v.count);
            QVERIFY(ver1Form.match(ver1).hasMatch());

            // The Ver1 bytes at the 1bit threshold carry the 1bit stream: with the remainder moved to
            // the right they give the same CRCs.
            if (n > 5) {
                const Ver1Code same = EncodeVer1(s, one.threshold);
                std::uint32_t arc = 0;
                std::uint32_t kermit = 0;
                for (int i = 1; i < same.count; ++i) {
                    auto byte = static_cast<unsigned>(same.values[static_cast<std::size_t>(i)]);
                    if (i == same.count - 1 && n % 8 != 0) byte >>= 8 - n % 8;
                    arc = crc16ArcStep(arc, static_cast<std::uint8_t>(byte));
                    kermit = crc16KermitStep(kermit, static_cast<std::uint8_t>(byte));
                }
                QCOMPARE(one.record.entries[3] * 255 + one.record.entries[4], static_cast<int>(arc));
                QCOMPARE(one.record.entries[5] * 255 + one.record.entries[6], static_cast<int>(kermit));
            }
        }
    }

    // Longer input than a receiver delivers still stays inside the fixed arrays.
    void overlongInput() {
        const UnitBurst s(5000, 20);
        const Ver1Code v = EncodeVer1(s, 20);
        QCOMPARE(v.count, 400);
        QVERIFY(ver1Text(v).size() == 800);
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9A-F]{14}$"))
                    .match(hashText(Hash1bit(s).record))
                    .hasMatch());
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9A-F]{14}$"))
                    .match(hashText(HashXbit(s).record))
                    .hasMatch());
    }
};

QTEST_GUILESS_MAIN(TestHashRobustness)
#include "test_hash_robustness.moc"
