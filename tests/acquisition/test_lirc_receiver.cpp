#include "acquisition/core/drivers/driver_choice.h"
#include "acquisition/core/drivers/lirc_receiver.h"
#include "formats/core/mode2.h"
#include "formats/core/signal_generator.h"
#include "hashing/core/protocol_decoder.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <fcntl.h>
#include <numeric>
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
    void gapOption_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("micros"); // -1: refused
        QTest::newRow("whole") << "6" << 6000;
        QTest::newRow("fraction") << "12.5" << 12500;
        QTest::newRow("smallest") << "0.1" << 100;
        QTest::newRow("largest") << "1000" << 1000000;
        QTest::newRow("too small") << "0.05" << -1;
        QTest::newRow("too large") << "1001" << -1;
        QTest::newRow("sign") << "-6" << -1;
        QTest::newRow("blank") << " 6" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("unit") << "6ms" << -1;
    }
    void gapOption() {
        QFETCH(QString, text);
        QFETCH(int, micros);
        const auto gap = parseGapMs(text);
        QCOMPARE(gap ? int(*gap) : -1, micros);
        const LircOption o = parseLircOption(QStringLiteral("/dev/lirc0?gap=") + text);
        QCOMPARE(o.path, QStringLiteral("/dev/lirc0"));
        QCOMPARE(o.error.isEmpty(), micros >= 0);
        if (micros >= 0) QCOMPARE(int(o.gapMicros), micros);
    }

    // A held Sony 20-bit button: frames start 45 ms apart, so the shortest gap (all ones) is 6.6 ms.
    void heldSonyButtonGivesOneBurstPerFrame() {
        const Micros ones = SignalGenerator::sony20(0x7F, 0x1F, 0xFF);
        const Micros frame = SignalGenerator::sony20(0x15, 0x01, 0x5A);
        Samples samples;
        for (const Micros& f : {ones, frame, frame}) {
            const Samples s = samplesOf(f);
            samples.insert(samples.end(), s.begin(), s.end());
            samples.push_back(space(45000 - std::accumulate(f.begin(), f.end(), 0u)));
        }
        samples.push_back(timeout(125000));
        QVERIFY(45000 - std::accumulate(ones.begin(), ones.end(), 0u) < 7000);

        QTemporaryDir dir;
        QFile file(dir.filePath("sony.bin"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(wordsOf(samples));
        file.close();
        std::int64_t now = 0;
        LircReceiver lirc(file.fileName(), [&] { return now; });
        std::array<std::uint8_t, 256> block{};
        std::int32_t count = 0;
        for (const Micros& f : {ones, frame, frame}) {
            QCOMPARE(lirc.DoGetInfraCode(block.data(), 255, count), 0);
            const auto units =
                convertRawBlock(ReceiverKind::Movrik, std::span(block.data(), std::size_t(count)));
            QCOMPARE(units.size(), f.size());
            const DecoderResult decoded = ProtocolDecoder(units, 0xFF, 0xFC, 0x03);
            QVERIFY(decoded.recognised());
            QCOMPARE(decoded.result, 11);
            QCOMPARE(decoded.vars, QStringLiteral("Sony"));
        }
        QCOMPARE(lirc.DoGetInfraCode(block.data(), 255, count), 0);
        QCOMPARE(count, 0);
        QVERIFY(lirc.takeWarnings().isEmpty());
    }

    void longBurstIsCutWithAWarning() {
        Micros burst(301, 500); // one byte each in Movrik
        Micros cut = burst;
        QCOMPARE(cutLongBurst(cut), std::size_t(301));
        QCOMPARE(cut.size(), std::size_t(255));
        QCOMPARE(cutLongBurst(cut), std::size_t(0));

        QTemporaryDir dir;
        QFile file(dir.filePath("long.bin"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(wordsOf(samplesOf(burst)) + wordsOf({timeout(100000)}));
        file.close();
        LircReceiver lirc(file.fileName(), [] { return std::int64_t(0); });
        std::array<std::uint8_t, 256> block{};
        std::int32_t count = 0;
        QCOMPARE(lirc.DoGetInfraCode(block.data(), 255, count), 0);
        QCOMPARE(count, 255);
        QCOMPARE(lirc.takeWarnings(),
                 QStringList{QStringLiteral("Посылка из 301 длительностей обрезана до 255 (после последнего "
                                            "целого импульса)")});
        QVERIFY(lirc.takeWarnings().isEmpty());
    }

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
        now += 5;
        QCOMPARE(lirc.DoGetInfraCode(block.data(), 255, count), 0);
        QCOMPARE(count, 0);
        now += 1; // the 6 ms gap without a sample ends it
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

    void lonePulsesAreDroppedAsNoise() {
        int fds[2];
        QCOMPARE(::pipe(fds), 0);
        std::int64_t now = 0;
        LircReceiver lirc(QStringLiteral("/dev/fd/%1").arg(fds[0]), [&] { return now; });
        ::close(fds[0]);
        const auto send = [&](const Samples& samples) {
            const QByteArray w = wordsOf(samples);
            QCOMPARE(::write(fds[1], w.constData(), w.size()), w.size());
        };
        const Samples lone = {pulse(400), timeout(0)};
        std::array<std::uint8_t, 256> block{};
        std::int32_t count = -1;
        // Five stray pulses, then the shortest real frame: only the frame comes out.
        for (int i = 0; i < 5; ++i)
            send(lone);
        send({pulse(560), space(560), pulse(560), timeout(0)});
        QCOMPARE(lirc.DoGetInfraCode(block.data(), 255, count), 0);
        QCOMPARE(count, 3);
        QCOMPARE(lirc.noiseDropped(), std::size_t(5));
        QCOMPARE(lirc.takeWarnings().filter("одиночных импульсов - 5").size(), 1);
        // More noise within the second is counted, not logged; the next second logs it once.
        for (int i = 0; i < 3; ++i) {
            send(lone);
            now += 300;
            QCOMPARE(lirc.DoGetInfraCode(block.data(), 255, count), 0);
            QCOMPARE(count, 0);
        }
        QCOMPARE(lirc.takeWarnings(), QStringList());
        now += 100;
        QCOMPARE(lirc.DoGetInfraCode(block.data(), 255, count), 0);
        QCOMPARE(lirc.takeWarnings(), QStringList({"Помеха: отброшено одиночных импульсов - 3 (всего 8)"}));
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
