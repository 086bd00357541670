#include "acquisition/core/drivers/driver_choice.h"
#include "acquisition/core/drivers/lirc_receiver.h"
#include "acquisition/core/drivers/receiver_drivers.h"
#include "acquisition/core/drivers/simulated_receiver.h"
#include "acquisition/core/poller.h"
#include "base/core/button_base.h"
#include "base/core/capture_buffer.h"
#include "fakes/capture_texts.h"
#include "fakes/manual_scheduler.h"
#include "fakes/poller_parts.h"
#include "fakes/scripted_dialogs.h"
#include "formats/core/mode2.h"
#include "formats/core/signal_generator.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace ravlin;
using Bytes = std::vector<std::uint8_t>;
using fakes::kSmallCapture;
using fakes::writeFile;

namespace {

Burst burstOf(const SignalGenerator::Micros& micros) {
    Burst b;
    for (auto m : micros)
        b.durations << static_cast<int>(m);
    return b;
}

// A mode2 file of two remote buttons (NEC, Sony) with one bad line between them.
QByteArray twoButtonMode2() {
    const QString nec = writeMode2Text({burstOf(SignalGenerator::nec(0x04, 0x08))});
    const QString sony = writeMode2Text({burstOf(SignalGenerator::sony12(0x15, 0x01))});
    return (nec + "pulse many\n" + sony).toUtf8();
}

Bytes read(SimulatedReceiver& sim, int* status = nullptr) {
    std::array<std::uint8_t, 256> block{};
    std::int32_t count = -1;
    const int s = sim.DoGetInfraCode(block.data(), 255, count);
    if (status) *status = s;
    return Bytes(block.begin(), block.begin() + count);
}

} // namespace

class TestSimulatedReceiver : public QObject {
    Q_OBJECT

private slots:
    void servesBurstsAfterTheirDelayAndLoops() {
        QTemporaryDir dir;
        std::int64_t now = 1000;
        SimulatedReceiver sim(writeFile(dir, kSmallCapture), [&] { return now; });
        QVERIFY(sim.connected());
        int status = -1;
        QCOMPARE(read(sim, &status), Bytes());
        QCOMPARE(status, 0);
        now += 99;
        QCOMPARE(read(sim), Bytes());
        now += 1;
        QCOMPARE(read(sim), Bytes({0x10, 0x20, 0x30, 0x40}));
        QCOMPARE(read(sim), Bytes()); // one burst per read, the next after its own delay
        now += 50;
        // Served as they stand, whatever kind is selected.
        sim.setKind(ReceiverKind::IgorPlugUsb);
        QCOMPARE(read(sim), Bytes({0xF9, 0x10, 1, 2, 3}));
        QCOMPARE(read(sim), Bytes({0x0A, 0x0B, 0x0C, 0x0D, 0x0E}));
        QCOMPARE(read(sim), Bytes());
        now += 100;
        QCOMPARE(read(sim), Bytes({0x10, 0x20, 0x30, 0x40}));
    }

    void delaysCountFromTheReadThatServed() {
        std::int64_t now = 0;
        SimulatedReceiver sim(std::vector<CapturedBurst>{{10, {1, 2}, ReceiverKind::Movrik}},
                              [&] { return now; });
        read(sim);
        now = 5000; // a long pause (processing, a rescan) does not bunch the bursts up
        QCOMPARE(read(sim), Bytes({1, 2}));
        QCOMPARE(read(sim), Bytes());
        now += 10;
        QCOMPARE(read(sim), Bytes({1, 2}));
    }

    void playsRemoteFilesButtonAfterButtonInTheSelectedKind_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("by extension and content") << QStringLiteral("remote.mode2");
        QTest::newRow("by content") << QStringLiteral("remote.txt");
    }
    void playsRemoteFilesButtonAfterButtonInTheSelectedKind() {
        QFETCH(QString, name);
        QTemporaryDir dir;
        std::int64_t now = 0;
        SimulatedReceiver sim(writeFile(dir, twoButtonMode2(), name), [&] { return now; });
        QVERIFY(sim.connected());
        QCOMPARE(sim.signalFormat(), std::optional<SignalFormat>(SignalFormat::Mode2));
        QCOMPARE(sim.file().bursts.size(), std::size_t(2));
        QCOMPARE(read(sim), Bytes());
        // The bad line goes to the result log once, with its line number.
        const QStringList warnings = sim.takeWarnings();
        QCOMPARE(warnings.size(), 2);
        QVERIFY(warnings[0].contains(name));
        QVERIFY(warnings[1].startsWith(QStringLiteral("строка ")));
        QVERIFY(sim.takeWarnings().isEmpty());

        now += SimulatedReceiver::kPressDelayMs - 1;
        QCOMPARE(read(sim), Bytes());
        now += 1;
        QCOMPARE(read(sim), encodeMicros(ReceiverKind::Movrik, SignalGenerator::nec(0x04, 0x08)));
        now += SimulatedReceiver::kPressDelayMs;
        sim.setKind(ReceiverKind::USBtiny); // written in the kind selected when served
        const Bytes sony = read(sim);
        QCOMPARE(sony, encodeMicros(ReceiverKind::USBtiny, SignalGenerator::sony12(0x15, 0x01)));
        QCOMPARE(convertRawBlock(ReceiverKind::USBtiny, sony).size(),
                 SignalGenerator::sony12(0x15, 0x01).size());
        now += SimulatedReceiver::kPressDelayMs;
        QCOMPARE(read(sim), encodeMicros(ReceiverKind::USBtiny, SignalGenerator::nec(0x04, 0x08)));
    }

    void noFileIsNotConnected() {
        std::int64_t now = 0;
        SimulatedReceiver none(QString(), [&] { return now; });
        int status = -1;
        QCOMPARE(read(none, &status), Bytes());
        QCOMPARE(status, 1);
        std::uint8_t v = 0;
        QCOMPARE(none.DoEEPROMRead(1, v), 1);
        SimulatedReceiver missing(QStringLiteral("/nonexistent/demo.cap"), [&] { return now; });
        QCOMPARE(read(missing, &status), Bytes());
        QCOMPARE(status, 1);
    }

    void eeprom() {
        std::int64_t now = 0;
        SimulatedReceiver sim(std::vector<CapturedBurst>{}, [&] { return now; });
        std::uint8_t v = 0;
        QCOMPARE(sim.DoEEPROMWrite(13, 0x5A), 0);
        QCOMPARE(sim.DoEEPROMRead(13, v), 0);
        QCOMPARE(v, std::uint8_t(0x5A));
        QCOMPARE(sim.DoEEPROMRead(127, v), 0);
        QCOMPARE(sim.DoEEPROMRead(128, v), 1);
        QCOMPARE(sim.DoEEPROMWrite(200, 1), 1);
        int status = -1;
        QCOMPARE(read(sim, &status), Bytes());
        QCOMPARE(status, 0); // a file with no bursts: connected, nothing to say
    }

    void pollerOnSimulatedReceiver() {
        // The whole chain: capture file -> simulated receiver -> poll ticks -> capture buffer.
        fakes::ManualScheduler timers;
        fakes::ScriptedDialogs dialogs;
        fakes::PollerParts parts;
        CaptureBuffer& buffer = parts.buffer;
        ReceiverDrivers drivers;
        drivers.setUsb(std::make_unique<SimulatedReceiver>(SignalGenerator::demoCapture(),
                                                           [&] { return timers.now(); }));
        Poller poller(parts.state(), drivers, timers, dialogs);
        QList<int> counts;
        QObject::connect(&poller, &Poller::burstStored, [&] {
            counts << buffer.count;
            poller.startPolling(); // what the processing run does at its end
        });
        poller.enterSlowStartMode();
        poller.startPolling();
        timers.advance(5300); // first read at 1000 ms, bursts at 3100 and 5200 ms
        QCOMPARE(poller.view().statusText, QStringLiteral("Status : OK!"));
        QCOMPARE(poller.pollIntervalMs(), 210);
        QCOMPARE(counts, QList<int>({67, 67})); // NEC frames: leader, 32 bits, stop mark
        QCOMPARE(buffer.durations[1], 422);     // 9 ms in 21.33 us units
        QCOMPARE(poller.view().repeatColour, ViewColour::Face);
        timers.advance(110);
        QCOMPARE(poller.view().repeatColour, ViewColour::Aqua); // the held button's repeat frames
        timers.advance(210);
        QCOMPARE(poller.view().repeatColour, ViewColour::Fuchsia);
        QCOMPARE(dialogs.events, QStringList());
    }

    // "?every=SECONDS" spaces the presses, keeps the repeats' own delays, and is refused outside 0.5..600 s.
    void pressInterval_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<qint64>("press"); // -1: refused
        QTest::newRow("file's own") << QString() << qint64(500);
        QTest::newRow("5 s") << "?every=5" << qint64(5000);
        QTest::newRow("0.5 s") << "?every=0.5" << qint64(500);
        QTest::newRow("0.49 s") << "?every=0.49" << qint64(-1);
        QTest::newRow("600 s") << "?every=600" << qint64(600000);
        QTest::newRow("601 s") << "?every=601" << qint64(-1);
        QTest::newRow("text") << "?every=soon" << qint64(-1);
    }
    void pressInterval() {
        QFETCH(QString, option);
        QFETCH(qint64, press);
        QTemporaryDir dir;
        const QString path = writeFile(dir, "kind: Movrik\n499: 10 20\n500: 30 40\n110: 30 40\n");
        const DriverChoice choice = makeUsbDriver("sim:" + path + option);
        QCOMPARE(bool(choice.driver), press >= 0);
        if (press < 0) {
            QVERIFY(choice.error.contains(option.mid(1)));
            return;
        }
        const auto& bursts = static_cast<SimulatedReceiver*>(choice.driver.get())->file().bursts;
        QCOMPARE(bursts.size(), std::size_t(3));
        // 500 ms and more after the previous burst is a press; 499 ms and a repeat's 110 ms stay.
        QCOMPARE(bursts[0].delayMs, std::int64_t(499));
        QCOMPARE(bursts[1].delayMs, press);
        QCOMPARE(bursts[2].delayMs, std::int64_t(110));
    }

    void driverChoice() {
        QTemporaryDir dir;
        const QString path = writeFile(dir, kSmallCapture);
        auto sim = makeUsbDriver("sim:" + path);
        QVERIFY(sim.driver);
        QCOMPARE(sim.error, QString());
        QVERIFY(dynamic_cast<SimulatedReceiver*>(sim.driver.get()));
        QVERIFY(static_cast<SimulatedReceiver*>(sim.driver.get())->connected());

        auto remote = makeUsbDriver("sim:" + writeFile(dir, twoButtonMode2(), "remote.mode2"));
        QCOMPARE(remote.error, QString());
        QCOMPARE(static_cast<SimulatedReceiver*>(remote.driver.get())->file().bursts.size(), std::size_t(2));
        // A remote file with nothing to play says why on the command line.
        auto empty = makeUsbDriver("sim:" + writeFile(dir, "pulse x\n", "empty.mode2"));
        QVERIFY(empty.driver);
        QVERIFY(empty.error.contains("line 1"));

        auto bare = makeUsbDriver("sim");
        QVERIFY(bare.driver && !static_cast<SimulatedReceiver*>(bare.driver.get())->connected());

        auto missing = makeUsbDriver("sim:/nonexistent.cap");
        QVERIFY(missing.driver);
        QVERIFY(!missing.error.isEmpty());

        auto lirc = makeUsbDriver("lirc:" + path);
        QVERIFY(dynamic_cast<LircReceiver*>(lirc.driver.get()));
        QVERIFY(static_cast<LircReceiver*>(lirc.driver.get())->isOpen());

        auto bad = makeUsbDriver("usb:1");
        QVERIFY(!bad.driver);
        QVERIFY(bad.error.contains("usb:1"));

        auto def = makeUsbDriver(QString());
        QVERIFY(def.driver);
        QCOMPARE(def.error, QString());
    }

    void captureFileThatCannotServe_data() {
        QTest::addColumn<QString>("what");
        QTest::addColumn<bool>("connected");
        QTest::addColumn<QString>("error");
        QTest::newRow("fifo") << "fifo" << false << "не обычный файл";
        QTest::newRow("/dev/zero") << "/dev/zero" << false << "не обычный файл";
        QTest::newRow("folder") << "folder" << false << "папка";
        QTest::newRow("no bursts") << "empty" << true << "holds no bursts";
    }
    void captureFileThatCannotServe() {
        QFETCH(QString, what);
        QFETCH(bool, connected);
        QFETCH(QString, error);
        QTemporaryDir dir;
        QString path = what.startsWith(u'/') ? what : dir.filePath(what);
        if (what == "fifo") QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        if (what == "folder") QVERIFY(QDir(dir.path()).mkdir(what));
        if (what == "empty") path = writeFile(dir, "# nothing\n");
        const DriverChoice choice = makeUsbDriver("sim:" + path);
        QVERIFY(choice.driver);
        QCOMPARE(static_cast<SimulatedReceiver*>(choice.driver.get())->connected(), connected);
        QVERIFY2(choice.error.contains(error), qPrintable(choice.error));
    }

    void lircCandidatesInNumericOrder() {
        QTemporaryDir dir;
        for (const char* n : {"lirc10", "lirc2", "lirc0", "other"}) {
            QFile f(dir.filePath(n));
            f.open(QIODevice::WriteOnly);
        }
        QStringList names;
        for (const QString& p : lircDeviceCandidates(dir.path()))
            names << QFileInfo(p).fileName();
        QCOMPARE(names, QStringList({"lirc0", "lirc2", "lirc10"}));
    }
};

QTEST_GUILESS_MAIN(TestSimulatedReceiver)
#include "test_simulated_receiver.moc"
