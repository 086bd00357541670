#include "acquisition/core/drivers/simulated_receiver.h"
#include "fakes/counting_polling.h"
#include "fakes/manual_scheduler.h"
#include "fakes/scripted_dialogs.h"
#include "firmware/core/eeprom_operations.h"

#include <QtTest>

using namespace ravlin;

class EepromTest : public QObject {
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void writeRun_data();
    void writeRun();
    void writeFailureResumesPolling();
    void applySettings_data();
    void applySettings();
};

namespace {

// The simulated receiver's EEPROM, unplugged on demand, with a write that fails at one address.
class Receiver : public SimulatedReceiver {
public:
    explicit Receiver(bool connected)
        : SimulatedReceiver(std::vector<CapturedBurst>{}, [] { return std::int64_t(0); }),
          m_connected(connected) {}
    int failWritesAt = -1;
    QList<int> order;
    int DoEEPROMRead(std::uint8_t a, std::uint8_t& d) override {
        return m_connected ? SimulatedReceiver::DoEEPROMRead(a, d) : StatusNotConnected;
    }
    int DoEEPROMWrite(std::uint8_t a, std::uint8_t d) override {
        if (!m_connected || a == failWritesAt) return StatusNotConnected;
        order << a;
        return SimulatedReceiver::DoEEPROMWrite(a, d);
    }
    std::uint8_t at(std::uint8_t a) {
        std::uint8_t d = 0;
        SimulatedReceiver::DoEEPROMRead(a, d);
        return d;
    }

private:
    bool m_connected;
};

struct Rig {
    fakes::ScriptedDialogs dialogs;
    fakes::ManualScheduler timers;
    CaptureBuffer capture;
    ReceiverDrivers drivers;
    Receiver& receiver = *drivers.setUsb(std::make_unique<Receiver>(true));
    QString verdict;
    fakes::CountingPolling poller;
    EepromOperations ops{capture, dialogs, timers, verdict, drivers, poller};
    bool& polling = poller.polling;
    int& pollStops = poller.stops;
    Rig() { polling = true; }
    void fill(int count, int first = 0x101) {
        capture.clear();
        for (int i = 0; i < count; ++i)
            capture.append(first + i);
    }
    // Runs the write timer until it stops; checks that polling is off at every tick but the last.
    int run() {
        int ticks = 0;
        while (ops.timerActive() && ticks < 1000) {
            timers.advance(EepromOperations::kWriteIntervalMs);
            ++ticks;
            if (ops.timerActive() && polling) return -1;
        }
        return ticks;
    }
};

} // namespace

void EepromTest::read_data() {
    QTest::addColumn<bool>("connected");
    QTest::newRow("read") << true;
    QTest::newRow("no receiver") << false;
}

void EepromTest::read() {
    QFETCH(bool, connected);
    Rig rig;
    QCOMPARE(rig.ops.view().memo, QStringList{EepromView::kPlaceholder});
    rig.receiver.DoEEPROMWrite(127, 0x5A);
    rig.receiver.DoEEPROMWrite(1, 0x00);
    if (!connected) rig.drivers.setUsb(std::make_unique<Receiver>(false)); // unplugged
    QCOMPARE(rig.ops.read(), connected);
    QCOMPARE(rig.ops.view().memoRed, !connected);
    if (!connected) {
        QVERIFY(rig.ops.view().memo.isEmpty());
        return;
    }
    const QStringList memo = rig.ops.view().memo;
    QCOMPARE(memo.size(), 8);
    for (int i = 0; i < 7; ++i)
        QCOMPARE(memo.at(i).size(), 32);
    QCOMPARE(memo.at(7).size(), 30);
    QVERIFY(memo.at(0).startsWith(QStringLiteral("00FF")));
    QVERIFY(memo.at(7).endsWith(QStringLiteral("FF5A")));
    QCOMPARE(rig.ops.view().progress, 0);
}

void EepromTest::writeRun_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << 0 << EepromText::kNothing;
    QTest::newRow("one") << 1 << QString();
    QTest::newRow("125 fit") << 125 << QString();
    QTest::newRow("126 refused") << 126 << EepromText::kTooLong;
}

void EepromTest::writeRun() {
    QFETCH(int, count);
    QFETCH(QString, message);
    Rig rig;
    rig.fill(count, 300); // 300 is written as its low byte 0x2C
    // The fitting's recognition verdict follows the dump of a burst that is written.
    rig.verdict = QStringLiteral("Проверка распознавания: все кнопки различимы (кнопок 2, вариантов 2)");
    const bool started = rig.ops.writeBurst();
    QCOMPARE(started, message.isEmpty());
    if (!started) {
        QCOMPARE(rig.ops.view().memo, QStringList{message});
        QCOMPARE(rig.dialogs.beeps(), 1);
        QVERIFY(rig.receiver.order.isEmpty());
        return;
    }
    QVERIFY(rig.ops.view().memo.first().startsWith(QStringLiteral("2C2D2E").left(2 * std::min(count, 3))));
    QCOMPARE(rig.ops.view().memo.size(), count / 16 + 2);
    QCOMPARE(rig.ops.view().memo.last(), rig.verdict);
    QCOMPARE(rig.run(), count + 2);
    QVERIFY(rig.polling);
    QVERIFY(!rig.ops.writing());
    QCOMPARE(rig.pollStops, count + 2);
    QCOMPARE(rig.ops.view().progress, 0);
    QVERIFY(!rig.ops.view().memoRed);
    // Every image byte lands at its address, the closing 0x0A last at address 0.
    const auto image = rig.ops.image();
    QCOMPARE(int(image.size()), count + 1);
    QCOMPARE(int(image[0]), count);
    for (int a = 1; a <= count + 1; ++a)
        QCOMPARE(int(rig.receiver.at(std::uint8_t(a))), int(image[std::size_t(a - 1)]));
    QCOMPARE(int(rig.receiver.at(2)), 0x2C);
    QCOMPARE(int(rig.receiver.at(0)), 0x0A);
    QCOMPARE(rig.receiver.order.last(), 0);
    QCOMPARE(rig.receiver.order.size(), count + 2);
}

void EepromTest::writeFailureResumesPolling() {
    Rig rig;
    rig.fill(10);
    rig.receiver.failWritesAt = 4;
    QVERIFY(rig.ops.writeBurst());
    QCOMPARE(rig.run(), 4);
    QVERIFY(rig.polling);
    QVERIFY(rig.ops.view().memoRed);
    QVERIFY(rig.ops.writing());
    QCOMPARE(rig.ops.index(), 4);
    QCOMPARE(rig.receiver.order, (QList<int>{1, 2, 3}));
    // The next run starts over and completes.
    rig.receiver.failWritesAt = -1;
    QVERIFY(rig.ops.writeBurst());
    QVERIFY(!rig.ops.view().memoRed);
    QCOMPARE(rig.run(), 12);
    QVERIFY(rig.polling && !rig.ops.writing());
}

void EepromTest::applySettings_data() {
    QTest::addColumn<bool>("pauseMode");
    QTest::addColumn<int>("failAt");
    QTest::addColumn<int>("zero");
    QTest::newRow("depth") << false << -1 << 247 + 2;
    QTest::newRow("pause position") << true << -1 << 77;
    QTest::newRow("address 14 fails") << true << 14 << 0xFF;
}

void EepromTest::applySettings() {
    QFETCH(bool, pauseMode);
    QFETCH(int, failAt);
    QFETCH(int, zero);
    Rig rig;
    rig.ops.output().pauseMode = pauseMode;
    rig.ops.output().pause = 77;
    rig.receiver.failWritesAt = failAt;
    QCOMPARE(rig.ops.applySettings(), failAt < 0 ? 0 : 1);
    QCOMPARE(rig.dialogs.beeps(), failAt < 0 ? 0 : 1);
    QCOMPARE(int(rig.receiver.at(13)), int(rig.ops.output().optionsByte()));
    QCOMPARE(int(rig.receiver.at(14)), zero);
    QCOMPARE(int(rig.receiver.at(15)), int(rig.ops.output().oneDepthByte()));
    QVERIFY(rig.receiver.order.endsWith(15));
    QVERIFY(rig.polling);
}

QTEST_GUILESS_MAIN(EepromTest)
#include "test_eeprom.moc"
