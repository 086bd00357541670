// ravlin-cli netrx, run as a process on loopback, against the network receiver's driver.
#include "acquisition/core/drivers/udp_receiver.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace ravlin;

class TestCliNetrx : public QObject {
    Q_OBJECT

private slots:
    void servesTheCaptureToTheDriver() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("two.cap"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("kind: IgorPlug-UDP\n0: 10 20 30\nnot a burst\n0: 11 22 33 44 55\n");
        f.close();

        QProcess p;
        p.start(QStringLiteral(RAVLIN_CLI),
                {QStringLiteral("netrx"), QStringLiteral("--port"), QStringLiteral("0"),
                 QStringLiteral("--capture"), path, QStringLiteral("--seconds"), QStringLiteral("2")});
        QVERIFY(p.waitForReadyRead(10000));
        const QString first = QString::fromUtf8(p.readLine());
        const auto m =
            QRegularExpression(QStringLiteral("serving 2 bursts on 127\\.0\\.0\\.1:(\\d+)")).match(first);
        QVERIFY2(m.hasMatch(), qPrintable(first));

        UdpReceiver drv;
        QCOMPARE(drv.InitUDP(QStringLiteral("127.0.0.1"), m.captured(1)), 0);
        std::vector<std::vector<std::uint8_t>> got;
        (void)QTest::qWaitFor(
            [&] {
                std::uint8_t block[256] = {};
                std::int32_t count = 0;
                drv.DoGetInfraCode(block, 255, count);
                if (count > 0) got.emplace_back(block, block + count);
                return got.size() >= 3;
            },
            1500);
        // In order, and from the first again after the last.
        QVERIFY(got.size() >= 3);
        QCOMPARE(got[0], std::vector<std::uint8_t>({0x10, 0x20, 0x30}));
        QCOMPARE(got[1], std::vector<std::uint8_t>({0x11, 0x22, 0x33, 0x44, 0x55}));
        QCOMPARE(got[2], got[0]);

        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(QString::fromUtf8(p.readAllStandardOutput()).contains(QStringLiteral("bursts served")));
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains(QStringLiteral("line 3")));
    }

    void usageErrors_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        const QString cap = QStringLiteral(RAVLIN_SOURCE_DIR "/data/captures/demo.cap");
        QTest::newRow("no port") << QStringList{"--capture", cap} << "--port is required";
        QTest::newRow("port too large") << QStringList{"--port", "70000", "--capture", cap} << "bad port";
        QTest::newRow("no capture") << QStringList{"--port", "0"} << "--capture is required";
        QTest::newRow("unreadable capture")
            << QStringList{"--port", "0", "--capture", cap + "-missing"} << "cannot read";
        QTest::newRow("bad bind") << QStringList{"--port", "0", "--bind", "localhost", "--capture", cap}
                                  << "bad address";
        QTest::newRow("bad seconds") << QStringList{"--port", "0", "--capture", cap, "--seconds", "0"}
                                     << "bad --seconds";
        QTest::newRow("value missing") << QStringList{"--capture", cap, "--port"} << "needs a value";
    }
    void usageErrors() {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QProcess p;
        p.start(QStringLiteral(RAVLIN_CLI), QStringList{QStringLiteral("netrx")} + args);
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitCode(), 2);
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(err.contains(message), qPrintable(err));
    }
};

QTEST_GUILESS_MAIN(TestCliNetrx)
#include "test_netrx.moc"
