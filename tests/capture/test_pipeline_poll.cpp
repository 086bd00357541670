// From a received burst through the poll tick to the lookup: the poller stores the burst and hands
// it to the pipeline, which processes it and lets polling resume.
#include "acquisition/core/drivers/receiver_drivers.h"
#include "acquisition/core/drivers/udp_emulator.h"
#include "acquisition/core/drivers/udp_receiver.h"
#include "acquisition/core/drivers/usb_driver.h"
#include "acquisition/core/poller.h"
#include "capture/pipeline_fixture.h"
#include "formats/core/mode2.h"
#include "formats/core/signal_generator.h"

#include <QtTest>

#include <deque>

using namespace ravlin;
using namespace ravlin::testing;

namespace {
// A receiver that answers with queued blocks, then with "no data".
class QueuedReceiver : public UsbDriver {
public:
    std::deque<std::vector<std::uint8_t>> blocks;
    int DoGetInfraCode(std::uint8_t* block, int max, std::int32_t& count) override {
        count = 0;
        if (blocks.empty()) return StatusOk;
        const auto b = blocks.front();
        blocks.pop_front();
        count = std::min<std::int32_t>(static_cast<std::int32_t>(b.size()), max);
        std::copy_n(b.begin(), count, block);
        return StatusOk;
    }
    int DoEEPROMRead(std::uint8_t, std::uint8_t& data) override {
        data = 0;
        return StatusOk;
    }
    int DoEEPROMWrite(std::uint8_t, std::uint8_t) override { return StatusOk; }
    QString description() const override { return QStringLiteral("queued"); }
};

// Movrik bytes of durations: a prefix byte F8 + k carries k x 248.
std::vector<std::uint8_t> movrikBytes(const std::vector<std::int32_t>& durations) {
    std::vector<std::uint8_t> out;
    for (std::int32_t d : durations) {
        int k = d / 248;
        int rest = d % 248;
        if (rest == 0 && k > 0) {
            --k;
            rest = 248;
        }
        if (k > 0) out.push_back(static_cast<std::uint8_t>(0xF8 + k));
        out.push_back(static_cast<std::uint8_t>(rest));
    }
    return out;
}

struct PollRig : RunState {
    ReceiverDrivers drivers;
    QueuedReceiver& receiver = *drivers.setUsb(std::make_unique<QueuedReceiver>());
    Poller poller{PollerState{buffer, working, base, reception, entry.view, burst, memo}, drivers, scheduler,
                  dialogs};
    // The poller's polling, counting the restarts that end a run.
    struct CountedPolling final : PollingControl {
        Poller& poller;
        int processed = 0;
        explicit CountedPolling(Poller& p) : poller(p) {}
        void stopPolling() override { poller.stopPolling(); }
        void startPolling() override {
            ++processed;
            poller.startPolling();
        }
        bool isPolling() const override { return poller.isPolling(); }
        void enterSlowStartMode() override { poller.enterSlowStartMode(); }
        int lastDriverStatus() const override { return poller.lastDriverStatus(); }
    } polling{poller};
    int& processed = polling.processed;
    Pipeline pipeline{state(poller.settings()), dialogs, scheduler, polling};

    PollRig() {
        QObject::connect(&poller, &Poller::burstStored, [this] { pipeline.schedule(); });
        poller.startPolling();
    }
};
} // namespace

class TestPipelinePoll : public QObject {
    Q_OBJECT

private slots:
    void receivedBurstsAreProcessedOneAtATime();
    void namedButtonIsFoundOnNextPress();
    void knownRemoteIsReported();
    void networkBurstsAreRecognisedLikeUsbBursts();
};

void TestPipelinePoll::receivedBurstsAreProcessedOneAtATime() {
    PollRig rig;
    const auto frame = pulseDistanceFrame({0x10, 0xEF, 0x40, 0xBF});
    rig.receiver.blocks.push_back(movrikBytes(frame));
    rig.receiver.blocks.push_back(movrikBytes(plainBurst(0x0ABCDEFu)));
    rig.scheduler.advance(rig.poller.pollIntervalMs());
    // The poll tick stored the first burst and stopped; processing has not run yet.
    QVERIFY(!rig.poller.isPolling());
    QVERIFY(rig.pipeline.isScheduled());
    QCOMPARE(rig.buffer.count, 67);
    rig.scheduler.advance(5);
    QCOMPARE(rig.processed, 1);
    QVERIFY(rig.poller.isPolling());
    QVERIFY(rig.working.hash.startsWith(QStringLiteral("96")));
    QCOMPARE(rig.poller.view().repeatColour, ViewColour::Teal);
    QCOMPARE(rig.panel.threshold, QStringLiteral("34"));

    rig.scheduler.advance(rig.poller.pollIntervalMs() + 5);
    QCOMPARE(rig.processed, 2);
    QVERIFY(rig.working.hash.startsWith(QStringLiteral("00")));
    QCOMPARE(rig.poller.view().repeatColour, ViewColour::Fuchsia);
    QCOMPARE(rig.entry.view.selection, QStringLiteral("Нету"));
}

void TestPipelinePoll::namedButtonIsFoundOnNextPress() {
    PollRig rig;
    rig.pipeline.settings().autoAdd = true;
    rig.entry.settings.buttonName = QStringLiteral("play");
    const auto bytes = movrikBytes(plainBurst(0x1C1C1C1u));
    rig.receiver.blocks.push_back(bytes);
    rig.scheduler.advance(rig.poller.pollIntervalMs() + 5);
    QCOMPARE(rig.base.count(), 1);
    QCOMPARE(rig.base.record(1).buttonName, QStringLiteral("Play"));

    rig.entry.settings.buttonName = QStringLiteral("N/A");
    rig.receiver.blocks.push_back(bytes);
    rig.scheduler.advance(rig.poller.pollIntervalMs() + 5);
    QCOMPARE(rig.processed, 2);
    QCOMPARE(rig.base.count(), 1);
    QCOMPARE(rig.entry.settings.buttonName, QStringLiteral("Play"));
    QCOMPARE(rig.entry.view.selection, QStringLiteral("1 - Play"));
}

void TestPipelinePoll::knownRemoteIsReported() {
    PollRig rig;
    const auto frame = pulseDistanceFrame({0x10, 0xEF, 0x40, 0xBF});
    rig.receiver.blocks.push_back(movrikBytes(frame));
    rig.scheduler.advance(rig.poller.pollIntervalMs() + 5);
    const QString hash = rig.working.hash;
    rig.analogues.loadLines({QStringLiteral(";"), hash, QStringLiteral("/tv1.txt/tv2.txt")});
    rig.receiver.blocks.push_back(movrikBytes(frame));
    rig.scheduler.advance(rig.poller.pollIntervalMs() + 5);
    QCOMPARE(rig.pipeline.view().analogue.label, QStringLiteral("КНОПКА ЕСТЬ В БАЗЕ."));
    QVERIFY(rig.pipeline.view().analogue.seeButtonVisible);
}

// The same presses through the USB port and through the network receiver (emulator on loopback,
// "IgorPlug-UDP" blocks converted x4 then x2) give the same recognised hashes.
void TestPipelinePoll::networkBurstsAreRecognisedLikeUsbBursts() {
    // Pulse-distance formats, which the decoder tells by the ratio of their durations (its bi-phase,
    // Sony and JVC windows are fixed in Movrik units).
    const std::vector<SignalGenerator::Micros> presses{SignalGenerator::nec(0x04, 0x08),
                                                       SignalGenerator::pulseDistance48({1, 2, 3, 4, 5, 6}),
                                                       SignalGenerator::necExtended(0x1234, 0x56)};
    PollRig usb;
    std::vector<CapturedBurst> bursts;
    QStringList usbHashes;
    for (const auto& micros : presses) {
        const auto bytes = encodeMicros(ReceiverKind::Movrik, micros);
        bursts.push_back({0, bytes, ReceiverKind::Movrik});
        usb.receiver.blocks.push_back(bytes);
        usb.scheduler.advance(usb.poller.pollIntervalMs() + 5);
        QVERIFY(usb.pipeline.recognised());
        usbHashes << usb.working.hash;
    }

    UdpEmulator emulator(bursts);
    QVERIFY(emulator.listen(QHostAddress(QHostAddress::LocalHost), 0));
    PollRig net;
    net.drivers.setNetwork(std::make_unique<UdpReceiver>());
    ReceptionSettings& s = net.poller.settings();
    s.address = {QStringLiteral("127"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1")};
    s.port = QString::number(emulator.port());
    s.kindText = QStringLiteral("IgorPlug-UDP");
    net.poller.applyReceiverKind();
    QVERIFY(net.poller.network().isRunning());
    QStringList netHashes;
    bool allRecognised = true;
    QVERIFY(QTest::qWaitFor(
        [&] {
            const int before = net.processed;
            net.scheduler.advance(net.poller.pollIntervalMs() + 5);
            if (net.processed > before) {
                allRecognised = allRecognised && net.pipeline.recognised();
                netHashes << net.working.hash;
            }
            return netHashes.size() == usbHashes.size();
        },
        3000));
    QCOMPARE(netHashes, usbHashes);
    QVERIFY(allRecognised);
    QCOMPARE(net.poller.view().statusText, QStringLiteral("Status : OK!"));
}

QTEST_GUILESS_MAIN(TestPipelinePoll)
#include "test_pipeline_poll.moc"
