// The workbench's network kind against the receiver emulator on loopback.
#include "shell_fixture.h"

#include "acquisition/core/drivers/udp_emulator.h"
#include "acquisition/core/drivers/udp_receiver.h"
#include "formats/core/mode2.h"
#include "formats/core/signal_generator.h"

#include <QTest>

using namespace ravlin;
using ravlin::test::ShellFixture;

class TestWorkbenchNetwork : public QObject {
    Q_OBJECT

private slots:
    void networkKindReceivesThenStopFallsBack() {
        ShellFixture f;
        const auto bytes = encodeMicros(ReceiverKind::Movrik, SignalGenerator::nec(0x04, 0x08));
        UdpEmulator emulator({{0, bytes, ReceiverKind::Movrik}});
        QVERIFY(emulator.listen(QHostAddress(QHostAddress::LocalHost), 0));
        Poller& p = f.parts->poller;
        p.settings().address = {QStringLiteral("127"), QStringLiteral("0"), QStringLiteral("0"),
                                QStringLiteral("1")};
        p.settings().port = QString::number(emulator.port());
        p.settings().kindText = QStringLiteral("IgorPlug-UDP");
        p.applyReceiverKind();
        auto* driver = dynamic_cast<UdpReceiver*>(f.wb->drivers().network());
        QVERIFY(driver && driver->isOpen());

        QVERIFY(QTest::qWaitFor(
            [&] {
                f.scheduler.advance(p.pollIntervalMs() + 5);
                return f.parts->working.hash == QStringLiteral("9608FB04");
            },
            3000));
        QCOMPARE(p.view().statusText, QStringLiteral("Status : OK!"));

        // "Stop" closes the driver; the next tick falls back to Movrik.
        p.network().stop();
        QVERIFY(!driver->isOpen());
        QVERIFY(f.dialogs.events.filter(QStringLiteral("info")).isEmpty());
        f.scheduler.advance(p.pollIntervalMs() + 5);
        QCOMPARE(p.settings().kindText, QStringLiteral("Movrik"));

        // Chosen again, then the main window closes: the driver is closed with it.
        p.settings().kindText = QStringLiteral("IgorPlug-UDP");
        p.applyReceiverKind();
        QVERIFY(driver->isOpen());
        f.wb->mainWindowClosing();
        QVERIFY(!driver->isOpen());
        QVERIFY(!p.network().isRunning());
    }
};

QTEST_GUILESS_MAIN(TestWorkbenchNetwork)
#include "test_workbench_network.moc"
