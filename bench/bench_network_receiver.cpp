#include "acquisition/core/drivers/udp_protocol.h"
#include "acquisition/core/drivers/udp_receiver.h"

#include <QElapsedTimer>
#include <QUdpSocket>
#include <QtTest>

using namespace ravlin;

// The network driver's read never waits for the network: with a receiver that stays silent, and with
// a flood of datagrams waiting in the socket. All traffic stays on loopback.
class BenchNetworkReceiver : public QObject {
    Q_OBJECT

private slots:
    void readSilentReceiver() {
        QUdpSocket peer; // bound, never answers
        QVERIFY(peer.bind(QHostAddress(QHostAddress::LocalHost), 0));
        UdpReceiver drv;
        QCOMPARE(drv.InitUDP(QStringLiteral("127.0.0.1"), QString::number(peer.localPort())), 0);
        std::uint8_t block[256];
        std::int32_t count = 0;
        QBENCHMARK {
            QCOMPARE(drv.DoGetInfraCode(block, 255, count), 1);
        }
    }

    void readAfterFlood() {
        QUdpSocket peer;
        QVERIFY(peer.bind(QHostAddress(QHostAddress::LocalHost), 0));
        UdpReceiver drv;
        drv.setLog({});
        QCOMPARE(drv.InitUDP(QStringLiteral("127.0.0.1"), QString::number(peer.localPort())), 0);
        const std::vector<std::uint8_t> bytes(255, 0x20);
        const QByteArray full = udp::blockDatagram(bytes);
        const QByteArray junk(8, 'x');
        for (int i = 0; i < 1000; ++i)
            peer.writeDatagram(i % 2 ? full : junk, QHostAddress(QHostAddress::LocalHost), drv.localPort());
        QTest::qWait(50);
        std::uint8_t block[256];
        std::int32_t count = 0;
        // One read takes at most 256 datagrams of the flood (the walltime figure has whole milliseconds
        // only, so the read is timed in nanoseconds as well).
        QElapsedTimer t;
        QBENCHMARK_ONCE {
            t.start();
            QCOMPARE(drv.DoGetInfraCode(block, 255, count), 0);
        }
        const qint64 ns = t.nsecsElapsed();
        QCOMPARE(count, 255);
        QVERIFY(drv.queued() <= UdpReceiver::kQueueLimit);
        qInfo() << "one read after the flood:" << ns / 1000
                << "us; datagrams taken:" << drv.drops().total() + int(drv.queued()) + 1
                << "queued:" << drv.queued();
    }
};

QTEST_GUILESS_MAIN(BenchNetworkReceiver)
#include "bench_network_receiver.moc"
