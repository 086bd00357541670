// The network receiver's driver against the emulator and against hand-made datagrams, on loopback.
#include "acquisition/core/drivers/udp_emulator.h"
#include "acquisition/core/drivers/udp_protocol.h"
#include "acquisition/core/drivers/udp_receiver.h"
#include "acquisition/core/receiver_kind.h"
#include "formats/core/capture_file.h"
#include "formats/core/mode2.h"
#include "formats/core/signal_generator.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QtTest>

using namespace ravlin;

namespace {

const QHostAddress kLoopback(QHostAddress::LocalHost);

struct Read {
    int status = -1;
    std::vector<std::uint8_t> bytes;
};

Read read(UdpReceiver& drv) {
    std::uint8_t block[256] = {};
    std::int32_t count = 0;
    Read r;
    r.status = drv.DoGetInfraCode(block, 255, count);
    r.bytes.assign(block, block + count);
    return r;
}

// Reads (letting the emulator answer between reads) until `n` blocks came or two seconds passed.
std::vector<std::vector<std::uint8_t>> readBlocks(UdpReceiver& drv, std::size_t n) {
    std::vector<std::vector<std::uint8_t>> got;
    (void)QTest::qWaitFor(
        [&] {
            const Read r = read(drv);
            if (!r.bytes.empty()) got.push_back(r.bytes);
            return got.size() >= n;
        },
        2000);
    return got;
}

QByteArray withHeader(const char* magic, int version, int type, int length, int carried) {
    QByteArray d(magic, 4);
    d.append(char(version)).append(char(type)).append(char(length));
    d.append(QByteArray(carried, char(0x21)));
    return d;
}

// The reference device's host program serving `capture` on 127.0.0.1 for `seconds`; its port.
quint16 startDevice(QProcess& p, const QString& capture, int seconds) {
    p.start(QStringLiteral(RVIR_DEVICE_HOST),
            {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--capture"), capture,
             QStringLiteral("--seconds"), QString::number(seconds)});
    if (!p.waitForReadyRead(5000)) return 0;
    const auto m = QRegularExpression(QStringLiteral("listening on 127\\.0\\.0\\.1:(\\d+)"))
                       .match(QString::fromUtf8(p.readLine()));
    return m.hasMatch() ? quint16(m.captured(1).toUInt()) : 0;
}

QString writeFile(const QTemporaryDir& dir, const QByteArray& text) {
    const QString path = dir.filePath(QStringLiteral("device.cap"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size()) return {};
    return path;
}

} // namespace

class TestUdpReceiver : public QObject {
    Q_OBJECT

private slots:
    void protocolVerdicts_data();
    void protocolVerdicts();
    void burstsArriveInOrderInUdpFormat();
    void statusTurnsNotConnectedWhenTheEmulatorStops();
    void strayDatagramsAreDroppedAndCounted();
    void floodIsBounded();
    void referenceDeviceServesAsTheEmulator();
    void referenceDeviceKeepsTheNewestBurstsThenFallsSilent();
};

void TestUdpReceiver::protocolVerdicts_data() {
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<int>("verdict");
    using V = udp::Verdict;
    QTest::newRow("poll") << udp::pollDatagram() << int(V::Poll);
    QTest::newRow("keep-alive") << udp::blockDatagram({}) << int(V::Block);
    QTest::newRow("block 255") << withHeader("RVIR", 1, 2, 255, 255) << int(V::Block);
    QTest::newRow("empty") << QByteArray() << int(V::BadHeader);
    QTest::newRow("magic only") << QByteArray("RVI") << int(V::Truncated);
    QTest::newRow("wrong magic") << withHeader("RVIX", 1, 2, 1, 1) << int(V::BadHeader);
    QTest::newRow("wrong version") << withHeader("RVIR", 2, 2, 1, 1) << int(V::BadHeader);
    QTest::newRow("unknown type") << withHeader("RVIR", 1, 9, 1, 1) << int(V::BadHeader);
    QTest::newRow("shorter than declared") << withHeader("RVIR", 1, 2, 5, 4) << int(V::Truncated);
    QTest::newRow("longer than declared") << withHeader("RVIR", 1, 2, 5, 6) << int(V::Oversized);
    QTest::newRow("longer than any") << withHeader("RVIR", 1, 2, 255, 300) << int(V::Oversized);
    QTest::newRow("poll with payload") << withHeader("RVIR", 1, 1, 1, 1) << int(V::Oversized);
}

void TestUdpReceiver::protocolVerdicts() {
    QFETCH(QByteArray, datagram);
    QFETCH(int, verdict);
    QByteArray payload;
    QCOMPARE(int(udp::parseDatagram(datagram, &payload)), verdict);
    if (verdict == int(udp::Verdict::Block)) QCOMPARE(payload, datagram.mid(udp::kHeaderSize));
}

void TestUdpReceiver::burstsArriveInOrderInUdpFormat() {
    // Bursts of three kinds; the emulator serves each as an "IgorPlug-UDP" block.
    const auto nec = SignalGenerator::nec(0x04, 0x08);
    const auto sony = SignalGenerator::sony12(0x15, 0x01);
    std::vector<CapturedBurst> bursts{
        {0, encodeMicros(ReceiverKind::Movrik, nec), ReceiverKind::Movrik},
        {0, encodeMicros(ReceiverKind::IgorPlugUsb, sony), ReceiverKind::IgorPlugUsb},
        {0, {0x10, 0x20, 0x30}, ReceiverKind::IgorPlugUdp},
    };
    UdpEmulator emulator(bursts);
    QVERIFY(emulator.listen(kLoopback, 0));
    UdpReceiver drv;
    QCOMPARE(drv.InitUDP(QStringLiteral("127.0.0.1"), QString::number(emulator.port())), 0);

    const auto got = readBlocks(drv, 3);
    QCOMPARE(got.size(), std::size_t(3));
    QCOMPARE(got, emulator.blocks());
    QCOMPARE(got[2], std::vector<std::uint8_t>({0x10, 0x20, 0x30}));
    // Converted by the network kind's rule (x4, then x2), the NEC frame comes back to within one
    // step of the format (two units of 51.2 us; four for the first duration).
    const auto d = convertRawBlock(ReceiverKind::IgorPlugUdp, got[0]);
    QCOMPARE(d.size(), nec.size());
    for (std::size_t i = 0; i < d.size(); ++i) {
        const double us = d[i] * 51.2;
        QVERIFY2(std::abs(us - nec[i]) <= (i == 0 ? 4 : 2) * 51.2, qPrintable(QString::number(i)));
    }
    QCOMPARE(drv.drops().total(), 0);
    QCOMPARE(drv.CloseUDP(), 0);
    QCOMPARE(drv.CloseUDP(), UdpReceiver::kCloseNothingOpen);
}

void TestUdpReceiver::statusTurnsNotConnectedWhenTheEmulatorStops() {
    std::int64_t clock = 1'000'000;
    auto now = [&clock] { return clock; };
    UdpEmulator emulator({}, now);
    QVERIFY(emulator.listen(kLoopback, 0));
    UdpReceiver drv(now);
    QCOMPARE(drv.InitUDP(QStringLiteral("127.0.0.1"), QString::number(emulator.port())), 0);
    QCOMPARE(read(drv).status, 1); // nothing heard yet
    QVERIFY(QTest::qWaitFor([&] { return read(drv).status == 0; }, 2000));
    QTest::qWait(20);
    emulator.stop();
    QCOMPARE(read(drv).status, 0); // takes what was still on its way; every answer was heard at `clock`
    clock += UdpReceiver::kAnswerWindowMs;
    QCOMPARE(read(drv).status, 0);
    clock += 1;
    QCOMPARE(read(drv).status, 1);
    QCOMPARE(statusLineText(read(drv).status), QStringLiteral("Status : NotConect"));
}

void TestUdpReceiver::strayDatagramsAreDroppedAndCounted() {
    std::int64_t clock = 0;
    // The test plays the receiver from its own socket; a second socket is a stranger, whose
    // datagrams the system drops before they reach the driver (its socket is connected).
    QUdpSocket peer, stranger;
    QVERIFY(peer.bind(kLoopback, 0));
    QVERIFY(stranger.bind(kLoopback, 0));
    UdpReceiver drv([&clock] { return clock; });
    QStringList log;
    drv.setLog([&log](const QString& line) { log << line; });
    QCOMPARE(drv.InitUDP(QStringLiteral("127.0.0.1"), QString::number(peer.localPort())), 0);
    const quint16 to = drv.localPort();
    const std::uint8_t good[] = {0x40, 0x20, 0x60};

    stranger.writeDatagram(udp::blockDatagram(good), kLoopback, to);
    peer.writeDatagram(QByteArray(2000, 'x'), kLoopback, to);
    peer.writeDatagram(withHeader("RVIR", 1, 2, 255, 400), kLoopback, to);
    peer.writeDatagram(withHeader("RVIR", 1, 2, 9, 3), kLoopback, to);
    peer.writeDatagram(withHeader("XXXX", 1, 2, 3, 3), kLoopback, to);
    peer.writeDatagram(withHeader("RVIR", 7, 2, 3, 3), kLoopback, to);
    peer.writeDatagram(udp::blockDatagram(good), kLoopback, to);
    QTest::qWait(20);

    const Read r = read(drv);
    QCOMPARE(r.status, 0);
    QCOMPARE(r.bytes, std::vector<std::uint8_t>(std::begin(good), std::end(good)));
    const UdpReceiver::Drops& dr = drv.drops();
    QCOMPARE(dr.foreign, 0);
    QCOMPARE(dr.oversized, 1);
    QCOMPARE(dr.truncated, 1);
    QCOMPARE(dr.badHeader, 3); // 2000 bytes of junk have no magic
    QCOMPARE(log.size(), 1);
    QVERIFY(log[0].contains(QStringLiteral("5 datagrams dropped")));

    // More drops within a second wait for the next log line.
    stranger.writeDatagram(udp::blockDatagram(good), kLoopback, to);
    peer.writeDatagram(withHeader("XXXX", 1, 2, 3, 3), kLoopback, to);
    QTest::qWait(20);
    QCOMPARE(read(drv).bytes.size(), std::size_t(0));
    QCOMPARE(dr.foreign, 0);
    QCOMPARE(dr.badHeader, 4);
    QCOMPARE(log.size(), 1);
    clock += UdpReceiver::kLogIntervalMs;
    read(drv);
    QCOMPARE(log.size(), 2);
}

void TestUdpReceiver::floodIsBounded() {
    QUdpSocket peer;
    QVERIFY(peer.bind(kLoopback, 0));
    UdpReceiver drv;
    drv.setLog({});
    QCOMPARE(drv.InitUDP(QStringLiteral("127.0.0.1"), QString::number(peer.localPort())), 0);
    const int sent = int(UdpReceiver::kQueueLimit) + 8;
    for (int i = 1; i <= sent; ++i) {
        const std::uint8_t b[] = {std::uint8_t(i), 0x10};
        peer.writeDatagram(udp::blockDatagram(b), kLoopback, drv.localPort());
    }
    QTest::qWait(20);
    // The oldest blocks are kept, in order; the rest are dropped and counted.
    QCOMPARE(read(drv).bytes.front(), std::uint8_t(1));
    QCOMPARE(drv.queued(), UdpReceiver::kQueueLimit - 1);
    QCOMPARE(drv.drops().queueFull, 8);
    QCOMPARE(read(drv).bytes.front(), std::uint8_t(2));
}

void TestUdpReceiver::referenceDeviceServesAsTheEmulator() {
    // The demo capture, a burst of 301 durations (cut after its 255th, a mark) and a lone mark
    // (noise, never sent) given as mode2 lines, then one more short burst.
    QFile demo(QStringLiteral(RAVLIN_SOURCE_DIR "/data/captures/demo.cap"));
    QVERIFY(demo.open(QIODevice::ReadOnly));
    QByteArray text = demo.readAll().replace("\n2000:", "\n30:").replace("\n110:", "\n30:");
    std::vector<std::uint32_t> longBurst;
    for (int i = 0; i < 301; ++i) {
        longBurst.push_back(i == 0 ? 9000 : 560 + 5 * (i % 7));
        text += (i % 2 == 0 ? "pulse " : "space ") + QByteArray::number(longBurst.back()) + '\n';
    }
    text += "space 40000\npulse 500\ntimeout\nkind: IgorPlug-UDP\n30: 10 20 30\n";
    QTemporaryDir dir;
    const QString path = writeFile(dir, text);
    const CaptureFile file = CaptureFile::read(path);
    std::vector<std::vector<std::uint8_t>> expected = UdpEmulator(file.bursts).blocks();
    QCOMPARE(expected.size(), std::size_t(20));
    longBurst.resize(255);
    expected.insert(expected.end() - 1, encodeMicros(ReceiverKind::IgorPlugUdp, longBurst));

    QProcess p;
    const quint16 port = startDevice(p, path, 3);
    QVERIFY(port != 0);
    UdpReceiver drv;
    QCOMPARE(drv.InitUDP(QStringLiteral("127.0.0.1"), QString::number(port)), 0);
    // Bytes equal to what the workbench's own receivers encode give the same durations and hashes.
    QCOMPARE(readBlocks(drv, expected.size()), expected);
    QCOMPARE(drv.drops().total(), 0);
    QVERIFY(p.waitForFinished(5000));
    const QString stats = QString::fromUtf8(p.readAllStandardOutput());
    QVERIFY2(stats.contains(QStringLiteral("21 bursts sent; dropped: 1 lone marks, 0 queue full, 0 stale")) &&
                 stats.contains(QStringLiteral("1 bursts cut")),
             qPrintable(stats));
}

void TestUdpReceiver::referenceDeviceKeepsTheNewestBurstsThenFallsSilent() {
    // Twenty bursts at once, faster than any poll: the device keeps the newest eight.
    QByteArray text = "kind: IgorPlug-UDP\n";
    std::vector<std::vector<std::uint8_t>> newest;
    for (std::uint8_t i = 1; i <= 20; ++i) {
        text += "0: " + QByteArray::number(i, 16) + " 10 20\n";
        if (i > 12) newest.push_back({i, 0x10, 0x20});
    }
    QTemporaryDir dir;
    QProcess p;
    const quint16 port = startDevice(p, writeFile(dir, text), 2);
    QVERIFY(port != 0);
    std::int64_t clock = 5'000'000;
    UdpReceiver drv([&clock] { return clock; });
    QCOMPARE(drv.InitUDP(QStringLiteral("127.0.0.1"), QString::number(port)), 0);
    QCOMPARE(readBlocks(drv, 9), newest);
    QVERIFY(p.waitForFinished(5000));
    QVERIFY(QString::fromUtf8(p.readAllStandardOutput()).contains(QStringLiteral("12 queue full")));

    // The device has gone: every answer was heard at `clock`; the status holds for three seconds.
    QCOMPARE(read(drv).status, 0);
    clock += UdpReceiver::kAnswerWindowMs;
    QCOMPARE(read(drv).status, 0);
    clock += 1;
    QCOMPARE(statusLineText(read(drv).status), QStringLiteral("Status : NotConect"));
}

QTEST_GUILESS_MAIN(TestUdpReceiver)
#include "test_udp_receiver.moc"
