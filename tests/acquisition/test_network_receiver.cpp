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
