#include "acquisition/core/drivers/udp_receiver.h"
#include "acquisition/core/network_receiver.h"

#include "acquisition/core/drivers/receiver_drivers.h"

#include "fakes/scripted_dialogs.h"
#include "fakes/scripted_receiver.h"

#include <QtTest>

using namespace ravlin;

class TestNetworkReceiver : public QObject {
    Q_OBJECT

private slots:
    void startOnce() {
        ReceptionSettings s;
        fakes::ScriptedDialogs d;
        ReceiverDrivers drivers;
        fakes::ScriptedNetworkDriver& drv =
            *drivers.setNetwork(std::make_unique<fakes::ScriptedNetworkDriver>());
        NetworkReceiver n(s, drivers, d);
        s.address[3] = QStringLiteral("1");
        s.port = QStringLiteral("7000");
        n.start();
        n.start();
        QVERIFY(n.isRunning());
        QCOMPARE(drv.calls, QStringList({"init 192.168.1.1 7000"}));
        QCOMPARE(d.events, QStringList({"beep"}));
    }

    void closeReportsFailure() {
        ReceptionSettings s;
        fakes::ScriptedDialogs d;
        ReceiverDrivers drivers;
        fakes::ScriptedNetworkDriver& drv =
            *drivers.setNetwork(std::make_unique<fakes::ScriptedNetworkDriver>());
        NetworkReceiver n(s, drivers, d);
        n.close(); // not running: nothing
        QCOMPARE(drv.calls, QStringList());
        n.start();
        drv.closeResult = 7;
        n.close();
        QVERIFY(!n.isRunning());
        QCOMPARE(d.events, QStringList({"beep", "beep", "info: Произошёл сбой библиотеки N - 7"}));
    }

    void restartOnlyForNetworkKind() {
        ReceptionSettings s;
        fakes::ScriptedDialogs d;
        ReceiverDrivers drivers;
        fakes::ScriptedNetworkDriver& drv =
            *drivers.setNetwork(std::make_unique<fakes::ScriptedNetworkDriver>());
        NetworkReceiver n(s, drivers, d);
        n.start();
        s.address[0] = QStringLiteral("127");
        s.address[1] = QStringLiteral("0");
        s.address[2] = QStringLiteral("0");
        n.restart(); // kind is Movrik: nothing
        QCOMPARE(drv.calls.size(), 1);
        s.kindText = QStringLiteral("IgorPlug-UDP");
        n.restart();
        QCOMPARE(drv.calls, QStringList({"init 192.168.1.7 6668", "close", "init 127.0.0.7 6668"}));
        QVERIFY(n.isRunning());
    }

    void stopAlwaysCloses() {
        ReceptionSettings s;
        fakes::ScriptedDialogs d;
        ReceiverDrivers drivers;
        fakes::ScriptedNetworkDriver& drv =
            *drivers.setNetwork(std::make_unique<fakes::ScriptedNetworkDriver>());
        NetworkReceiver n(s, drivers, d);
        drv.closeResult = -3;
        n.stop();
        QCOMPARE(drv.calls, QStringList({"close"}));
        QCOMPARE(d.events, QStringList({"beep", "info: Произошёл сбой библиотеки N - -3"}));
    }

    void startFailureIsReportedAndNotRunning() {
        ReceptionSettings s;
        fakes::ScriptedDialogs d;
        ReceiverDrivers drivers;
        fakes::ScriptedNetworkDriver& drv =
            *drivers.setNetwork(std::make_unique<fakes::ScriptedNetworkDriver>());
        NetworkReceiver n(s, drivers, d);
        s.address = {QStringLiteral("127"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1")};
        drv.initResult = 2;
        n.start();
        QVERIFY(!n.isRunning());
        QCOMPARE(d.events, QStringList({"beep", "beep", "info: Произошёл сбой библиотеки N - 2"}));
        drv.initResult = 0;
        n.start(); // not running, so a second start tries again
        QVERIFY(n.isRunning());
        QCOMPARE(drv.calls, QStringList({"init 127.0.0.1 6668", "init 127.0.0.1 6668"}));
    }

    // The real driver refuses what it cannot use; the receiver stays stopped and every read says
    // "not connected".
    void realDriverRefusesBadAddressOrPort_data() {
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("port");
        QTest::addColumn<int>("code");
        QTest::newRow("part not a number") << "1x"
                                           << "6668" << int(UdpReceiver::InitBadAddress);
        QTest::newRow("part too large") << "256"
                                        << "6668" << int(UdpReceiver::InitBadAddress);
        QTest::newRow("empty part") << ""
                                    << "6668" << int(UdpReceiver::InitBadAddress);
        QTest::newRow("port zero") << "1"
                                   << "0" << int(UdpReceiver::InitBadPort);
        QTest::newRow("port too large") << "1"
                                        << "65536" << int(UdpReceiver::InitBadPort);
        QTest::newRow("port not a number") << "1"
                                           << "66a" << int(UdpReceiver::InitBadPort);
        QTest::newRow("port empty") << "1"
                                    << "" << int(UdpReceiver::InitBadPort);
    }
    void realDriverRefusesBadAddressOrPort() {
        QFETCH(QString, last);
        QFETCH(QString, port);
        QFETCH(int, code);
        ReceptionSettings s;
        s.address = {QStringLiteral("127"), QStringLiteral("0"), QStringLiteral("0"), last};
        s.port = port;
        s.kindText = QStringLiteral("IgorPlug-UDP");
        fakes::ScriptedDialogs d;
        ReceiverDrivers drivers;
        UdpReceiver& drv = *drivers.setNetwork(std::make_unique<UdpReceiver>());
        NetworkReceiver n(s, drivers, d);
        n.start();
        QVERIFY(!n.isRunning());
        QVERIFY(!drv.isOpen());
        QCOMPARE(d.events.last(), QStringLiteral("info: Произошёл сбой библиотеки N - %1").arg(code));
        std::uint8_t block[256] = {};
        std::int32_t count = 5;
        QCOMPARE(drv.DoGetInfraCode(block, 255, count), 1);
        QCOMPARE(count, 0);
        // Nothing was opened, so "Stop" reports the driver's close code.
        n.stop();
        QCOMPARE(
            d.events.last(),
            QStringLiteral("info: Произошёл сбой библиотеки N - %1").arg(UdpReceiver::kCloseNothingOpen));
    }

    void stubIsNotConnected() {
        NetworkDriverStub stub;
        std::uint8_t block[256] = {};
        std::int32_t count = 9;
        QCOMPARE(stub.DoGetInfraCode(block, 255, count), 1);
        QCOMPARE(count, 0);
        QCOMPARE(stub.CloseUDP(), 0);
    }
};

QTEST_GUILESS_MAIN(TestNetworkReceiver)
#include "test_network_receiver.moc"
