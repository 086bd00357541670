#include "formats/core/signal_generator.h"

#include <QFile>
#include <QtTest>

#include <numeric>

using namespace ravlin;
using namespace ravlin::SignalGenerator;

namespace {

// Bits of a pulse-distance frame after its leader, LSB first per byte: a space above `split` is 1.
std::vector<std::uint8_t> pulseDistanceBytes(const Micros& m, std::size_t first, std::uint32_t split) {
    std::vector<std::uint8_t> bytes;
    int bit = 0;
    for (std::size_t i = first + 2; i + 1 < m.size(); i += 2, ++bit) {
        if (bit % 8 == 0) bytes.push_back(0);
        if (m[i] > split) bytes.back() |= static_cast<std::uint8_t>(1 << (bit % 8));
    }
    return bytes;
}

// RC5 frame back to its 14 bits, from the half-bit levels.
std::vector<bool> rc5Bits(const Micros& m) {
    std::vector<bool> halves{false}; // the idle half before the first mark
    for (std::size_t i = 0; i < m.size(); ++i)
        for (std::uint32_t n = 0; n < m[i] / 889; ++n)
            halves.push_back(i % 2 == 0);
    if (halves.size() % 2) halves.push_back(false);
    std::vector<bool> bits;
    for (std::size_t i = 0; i + 1 < halves.size(); i += 2) {
        if (halves[i] == halves[i + 1]) return {};
        bits.push_back(halves[i + 1]);
    }
    return bits;
}

} // namespace

class TestSignalGenerator : public QObject {
    Q_OBJECT

private slots:
    void necFrame() {
        const Micros m = nec(0x04, 0x08);
        QCOMPARE(m.size(), std::size_t(67));
        QCOMPARE(m[0], 9000u);
        QCOMPARE(m[1], 4500u);
        QCOMPARE(pulseDistanceBytes(m, 1, 1000), std::vector<std::uint8_t>({0x04, 0xFB, 0x08, 0xF7}));
        QCOMPARE(pulseDistanceBytes(necExtended(0xBF40, 0x12), 1, 1000),
                 std::vector<std::uint8_t>({0x40, 0xBF, 0x12, 0xED}));
        QCOMPARE(necRepeat(), Micros({9000, 2250, 560}));
    }

    void jvcAndPd48() {
        const Micros with = jvc(0x03, 0x17, true);
        const Micros without = jvc(0x03, 0x17, false);
        QCOMPARE(with.size(), std::size_t(35));
        QCOMPARE(without.size(), std::size_t(33));
        QCOMPARE(pulseDistanceBytes(with, 1, 1000), std::vector<std::uint8_t>({0x03, 0x17}));
        QCOMPARE(pulseDistanceBytes(without, std::size_t(-1), 1000), std::vector<std::uint8_t>({0x03, 0x17}));
        const std::array<std::uint8_t, 6> b{0x02, 0x20, 0xB0, 0x00, 0x12, 0xA2};
        const Micros pd = pulseDistance48(b);
        QCOMPARE(pd.size(), std::size_t(99));
        QCOMPARE(pulseDistanceBytes(pd, 1, 800), std::vector<std::uint8_t>(b.begin(), b.end()));
    }

    void sony() {
        const Micros s12 = sony12(0x15, 0x01);
        QCOMPARE(s12.size(), std::size_t(25)); // leader mark and space, 12 bits, no trailing space
        QCOMPARE(s12[0], 2400u);
        // Bits are the marks: 1200 us a one.
        std::uint32_t bits = 0;
        for (int i = 0; i < 12; ++i)
            if (s12[2 + 2 * i] == 1200) bits |= 1u << i;
        QCOMPARE(bits, 0x15u | (0x01u << 7));
        QCOMPARE(sony20(0x4D, 0x1A, 0x49).size(), std::size_t(41));
    }

    void rc5() {
        for (bool toggle : {false, true}) {
            const Micros m = SignalGenerator::rc5(toggle, 0x05, 0x35);
            QCOMPARE(m.size() % 2, std::size_t(1));
            for (std::uint32_t d : m)
                QVERIFY(d == 889 || d == 1778);
            const std::vector<bool> bits = rc5Bits(m);
            QCOMPARE(bits.size(), std::size_t(14));
            QVERIFY(bits[0] && bits[1]);
            QCOMPARE(bool(bits[2]), toggle);
            int address = 0, command = 0;
            for (int i = 3; i < 8; ++i)
                address = address * 2 + bits[i];
            for (int i = 8; i < 14; ++i)
                command = command * 2 + bits[i];
            QCOMPARE(address, 0x05);
            QCOMPARE(command, 0x35);
        }
    }

    void demoCapture() {
        const auto bursts = SignalGenerator::demoCapture();
        QVERIFY(bursts.size() >= 12);
        int repeats = 0;
        for (const auto& b : bursts) {
            QVERIFY(!b.bytes.empty() && b.bytes.size() <= 255);
            QVERIFY(b.bytes[0] != 0 && b.bytes[1] != 0);
            QVERIFY(!(b.bytes[0] == 0xFF && b.bytes[1] == 0xFF));
            QVERIFY(b.delayMs == 2000 || b.delayMs == 110);
            if (b.delayMs == 110) ++repeats;
        }
        QVERIFY(repeats >= 4);
    }

    void shippedDemoCaptureIsCurrent() {
        QFile f(QStringLiteral(RAVLIN_SOURCE_DIR "/data/captures/demo.cap"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(f.readAll()), demoCaptureText());
    }
};

QTEST_GUILESS_MAIN(TestSignalGenerator)
#include "test_signal_generator.moc"
