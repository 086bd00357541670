#include "acquisition/core/drivers/lirc_receiver.h"
#include "formats/core/mode2.h"
#include "formats/core/signal_generator.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <fcntl.h>
#include <random>
#include <unistd.h>

using namespace ravlin;
using Micros = std::vector<std::uint32_t>;
using Samples = std::vector<Mode2Sample>;
Q_DECLARE_METATYPE(ravlin::ReceiverKind)

namespace {

Mode2Sample pulse(std::uint32_t us) {
    return {Mode2Sample::Type::Pulse, us};
}
Mode2Sample space(std::uint32_t us) {
    return {Mode2Sample::Type::Space, us};
}
Mode2Sample timeout(std::uint32_t us) {
    return {Mode2Sample::Type::Timeout, us};
}

// Samples of a burst of microseconds (mark first).
Samples samplesOf(const Micros& burst) {
    Samples s;
    for (std::size_t i = 0; i < burst.size(); ++i)
        s.push_back(i % 2 == 0 ? pulse(burst[i]) : space(burst[i]));
    return s;
}

QByteArray wordsOf(const Samples& samples) {
    QByteArray out;
    for (const auto& s : samples) {
        const std::uint32_t w = encodeMode2Word(s);
        out.append(reinterpret_cast<const char*>(&w), 4);
    }
    return out;
}

} // namespace

class TestLircReceiver : public QObject {
    Q_OBJECT

private slots:
    void lircReadsFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("mode2.bin");
        Samples samples = samplesOf(SignalGenerator::nec(0x04, 0x08));
        samples.push_back(space(45000));
        const Samples second = samplesOf(SignalGenerator::necRepeat());
        samples.insert(samples.end(), second.begin(), second.end());
        samples.push_back(timeout(125000));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(wordsOf(samples));
        f.close();

        std::int64_t now = 0;
        LircReceiver lirc(path, [&] { return now; });
        QVERIFY(lirc.isOpen());
        lirc.setKind(ReceiverKind::Movrik);
        std::array<std::uint8_t, 256> block{};
        std::int32_t count = -1;
        QCOMPARE(lirc.DoGetInfraCode(block.data(), 255, count), 0);
        const auto expected = encodeMicros(ReceiverKind::Movrik, SignalGenerator::nec(0x04, 0x08));
        QCOMPARE(std::vector<std::uint8_t>(block.begin(), block.begin() + count), expected);
        QCOMPARE(lirc.DoGetInfraCode(block.data(), 255, count), 0);
        QCOMPARE(count, 4); // 9 ms, 2.25 ms, 560 us: F9 AE 69 1A
        QCOMPARE(std::vector<std::uint8_t>(block.begin(), block.begin() + 4),
                 std::vector<std::uint8_t>({0xF9, 0xAE, 0x69, 0x1A}));
        QCOMPARE(lirc.DoGetInfraCode(block.data(), 255, count), 0);
        QCOMPARE(count, 0);
        QCOMPARE(lirc.DoEEPROMWrite(13, 1), 1);
    }

    void lircPipeSplitsAtSilence() {
        int fds[2];
        QCOMPARE(::pipe(fds), 0);
        std::int64_t now = 0;
        LircReceiver lirc(QStringLiteral("/dev/fd/%1").arg(fds[0]), [&] { return now; });
        ::close(fds[0]);
        QVERIFY(lirc.isOpen());
        lirc.setKind(ReceiverKind::USBtiny);
        std::array<std::uint8_t, 256> block{};
        std::int32_t count = -1;

        const Micros sony = SignalGenerator::sony12(0x15, 0x01);
        const QByteArray words = wordsOf(samplesOf(sony));
        // Half the burst, then the rest a little later: still one burst.
        QCOMPARE(::write(fds[1], words.constData(), 30), 30);
        QCOMPARE(lirc.DoGetInfraCode(block.data(), 255, count), 0);
        QCOMPARE(count, 0);
        now += 10;
        QCOMPARE(::write(fds[1], words.constData() + 30, words.size() - 30), words.size() - 30);
        QCOMPARE(lirc.DoGetInfraCode(block.data(), 255, count), 0);
        QCOMPARE(count, 0); // the burst may still go on
        now += 29;
        QCOMPARE(lirc.DoGetInfraCode(block.data(), 255, count), 0);
        QCOMPARE(count, 0);
        now += 1; // 30 ms without a sample ends it
        QCOMPARE(lirc.DoGetInfraCode(block.data(), 255, count), 0);
        QCOMPARE(count, int(sony.size()));
        const auto units = convertRawBlock(ReceiverKind::USBtiny,
                                           std::vector<std::uint8_t>(block.begin(), block.begin() + count));
        for (std::size_t i = 0; i < units.size(); ++i)
            QVERIFY(std::abs(units[i] * 85.3333 - sony[i]) <= 4 * 85.3333 / 2 + 0.01);

        // The writer goes away: the end of the pipe is no fault.
        ::close(fds[1]);
        QCOMPARE(lirc.DoGetInfraCode(block.data(), 255, count), 0);
        QCOMPARE(count, 0);
    }

    void lircPartialWordsAndGarbage() {
        int fds[2];
        QCOMPARE(::pipe(fds), 0);
        std::int64_t now = 0;
        LircReceiver lirc(QStringLiteral("/dev/fd/%1").arg(fds[0]), [&] { return now; });
        ::close(fds[0]);
        std::mt19937 rng(99);
        QByteArray noise(4003, '\0');
        for (auto& c : noise)
            c = static_cast<char>(rng());
        QCOMPARE(::write(fds[1], noise.constData(), noise.size()), noise.size());
        std::array<std::uint8_t, 256> block{};
        std::int32_t count = 0;
        for (int i = 0; i < 200; ++i) {
            now += 31;
            QCOMPARE(lirc.DoGetInfraCode(block.data(), 255, count), 0);
            QVERIFY(count >= 0 && count <= 255);
        }
        ::close(fds[1]);
    }

    void lircMissingDevice() {
        LircReceiver lirc(QStringLiteral("/nonexistent/lirc9"));
        QVERIFY(!lirc.isOpen());
        std::array<std::uint8_t, 256> block{};
        std::int32_t count = 7;
        QCOMPARE(lirc.DoGetInfraCode(block.data(), 255, count), 1);
        QCOMPARE(count, 0);
    }
};

QTEST_GUILESS_MAIN(TestLircReceiver)
#include "test_lirc_receiver.moc"
