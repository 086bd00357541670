#include "acquisition/core/poller.h"

#include "acquisition/core/device_answer.h"
#include "acquisition/core/drivers/receiver_drivers.h"
#include "fakes/manual_scheduler.h"
#include "fakes/poller_parts.h"
#include "fakes/scripted_dialogs.h"
#include "fakes/scripted_receiver.h"

#include <QtTest>

#include <random>

using namespace ravlin;
using fakes::ManualScheduler;
using fakes::ScriptedReceiver;

using Bytes = std::vector<std::uint8_t>;
Q_DECLARE_METATYPE(Bytes)

namespace {

const QString kPlaceholder = QStringLiteral("Тут будут отображаться значения таймингов кнопки");

// Dialogs that also note whether polling ran while a box was open.
class WatchingDialogs : public fakes::ScriptedDialogs {
public:
    std::function<bool()> polling;
    QList<bool> pollingDuringBox;
    void information(const QString& text, const QString& caption = QString()) override {
        pollingDuringBox << (polling && polling());
        fakes::ScriptedDialogs::information(text, caption);
    }
};

struct Rig : fakes::PollerParts {
    ManualScheduler timers;
    WatchingDialogs dialogs;
    ReceiverDrivers drivers;
    ScriptedReceiver& receiver = *drivers.setUsb(std::make_unique<ScriptedReceiver>());
    fakes::ScriptedNetworkDriver& network =
        *drivers.setNetwork(std::make_unique<fakes::ScriptedNetworkDriver>());
    Poller poller{state(), drivers, timers, dialogs};
    int bursts = 0;
    bool& recognised = view.lastBurstRecognised;

    Rig() {
        QObject::connect(&poller, &Poller::burstStored, [this] { ++bursts; });
        dialogs.polling = [this] { return poller.isPolling(); };
        poller.enterSlowStartMode();
        poller.startPolling();
    }
    // One poll tick, whatever the interval.
    void tick() { timers.advance(poller.pollIntervalMs()); }
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            tick();
    }
};

Bytes answer(std::uint8_t type, std::uint8_t key, Bytes tail = {}) {
    // Built front to back: GCC 12 warns falsely (-Warray-bounds) on inserting into a 5-byte vector.
    tail.insert(tail.begin(), {0xFF, 0xFF, type, 0x21, key});
    return tail;
}

} // namespace

class TestPoller : public QObject {
    Q_OBJECT

private slots:
    void startsSlow() {
        Rig r;
        QCOMPARE(r.poller.pollIntervalMs(), 1000);
        QVERIFY(r.poller.isPolling());
        QVERIFY(r.poller.slow());
        QCOMPARE(r.poller.notConnectedCounter(), 30);
        QCOMPARE(r.poller.previousStatus(), 9955);
        r.receiver.queueStatus(1);
        r.tick();
        // The first status is always shown; at start the counter keeps slow mode.
        QCOMPARE(r.poller.view().statusText, QStringLiteral("Status : NotConect"));
        QCOMPARE(r.poller.pollIntervalMs(), 1000);
        QVERIFY(r.poller.slow());
    }

    void firstOkLeavesSlowMode() {
        Rig r;
        r.poller.settings().pollRate = 30;
        r.receiver.queueStatus(0);
        r.tick();
        QCOMPARE(r.poller.view().statusText, QStringLiteral("Status : OK!"));
        QCOMPARE(r.poller.pollIntervalMs(), 310);
        QVERIFY(!r.poller.slow());
        QCOMPARE(r.poller.notConnectedCounter(), 0);
        QCOMPARE(r.receiver.readCalls, 1);
    }

    void steadyStatusRewritesNothing() {
        Rig r;
        r.receiver.queueStatus(0);
        r.tick();
        r.poller.view().statusText = QStringLiteral("marker");
        r.poller.settings().pollRate = 40; // not applied until the track bar's handler runs
        r.receiver.queueStatus(0, 5);
        r.ticks(5);
        QCOMPARE(r.poller.view().statusText, QStringLiteral("marker"));
        QCOMPARE(r.poller.pollIntervalMs(), 210);
        r.poller.pollRateChanged();
        QCOMPARE(r.poller.pollIntervalMs(), 410);
    }

    void slowAgainAfterTwentyOneChangesIntoNotConnected() {
        Rig r;
        r.receiver.queueStatus(0);
        r.tick();
        for (int i = 0; i < 21; ++i) {
            r.receiver.queueStatus(1);
            r.receiver.queueStatus(2);
        }
        r.ticks(42);
        QCOMPARE(r.poller.notConnectedCounter(), 21);
        QVERIFY(!r.poller.slow());
        QCOMPARE(r.poller.pollIntervalMs(), 210);
        QCOMPARE(r.poller.view().statusText, QStringLiteral("Status : NoDataAvailable"));
        r.receiver.queueStatus(1);
        r.tick();
        QVERIFY(r.poller.slow());
        QCOMPARE(r.poller.pollIntervalMs(), 1000);
        // Status 1 ticks in a row count once: a receiver that answered and fell silent is still
        // polled at the track-bar interval.
        r.receiver.queueStatus(0);
        r.tick();
        r.receiver.queueStatus(1, 30);
        r.ticks(30);
        QCOMPARE(r.poller.notConnectedCounter(), 1);
        QVERIFY(!r.poller.slow());
        QCOMPARE(r.poller.pollIntervalMs(), 210);
    }

    void pollRateAppliesInSlowMode() {
        Rig r;
        r.poller.settings().pollRate = 15;
        r.poller.pollRateChanged();
        QCOMPARE(r.poller.pollIntervalMs(), 160);
        r.poller.settings().pollRate = 99;
        r.poller.pollRateChanged();
        QCOMPARE(r.poller.settings().pollRate, 40);
        QCOMPARE(r.poller.pollIntervalMs(), 410);
    }

    void rescanSpeedSetsRescanInterval() {
        Rig r;
        QList<int> intervals;
        QObject::connect(&r.poller, &Poller::rescanIntervalChanged, [&](int ms) { intervals << ms; });
        r.poller.settings().rescanSpeed = 55;
        r.poller.rescanSpeedChanged();
        r.poller.settings().rescanSpeed = 3;
        r.poller.rescanSpeedChanged();
        QCOMPARE(intervals, QList<int>({550, 200}));
    }

    void dataLoss_data() {
        QTest::addColumn<Bytes>("bytes");
        QTest::newRow("first byte 0") << Bytes{0x00, 0x05, 0x06, 0x07, 0x08};
        QTest::newRow("second byte 0") << Bytes{0x05, 0x00, 0x06, 0x07, 0x08};
        QTest::newRow("single byte") << Bytes{0x42};
    }
    void dataLoss() {
        QFETCH(Bytes, bytes);
        Rig r;
        r.receiver.queue(bytes);
        r.working.timings = {"AAA", "", "", "", "", ""};
        r.tick();
        QCOMPARE(r.dialogs.events,
                 QStringList(
                     {"beep",
                      "info: !!!!  ВНИМАНИЕ  !!!!   Наблюдается потеря данных.\r\nДетектор +5В по каким-то "
                      "причинам не отработал!!!\r\nНет переключения на USB систему."}));
        QCOMPARE(r.log.lines(), QStringList({"!!!!  ВНИМАНИЕ  !!!!   Наблюдается потеря данных."}));
        QCOMPARE(r.bursts, 0);
        QCOMPARE(r.buffer.count, 0);
        QCOMPARE(r.working.timings[0], QStringLiteral("AAA"));
        // Polling pauses while the box is open, and goes on afterwards.
        QCOMPARE(r.dialogs.pollingDuringBox, QList<bool>({false}));
        QVERIFY(r.poller.isPolling());
    }

    void nameStatusSquareResetOnData() {
        Rig r;
        r.entry.view.nameMarker = ViewColour::Red;
        r.receiver.queueStatus(0);
        r.tick();
        QCOMPARE(r.entry.view.nameMarker, ViewColour::Red);
        r.receiver.queue({0x01, 0x02});
        r.tick();
        QCOMPARE(r.entry.view.nameMarker, ViewColour::Face);
    }

    void repeatFilter_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("filter");
        QTest::addColumn<bool>("five");
        QTest::addColumn<Bytes>("bytes");
        QTest::addColumn<bool>("repeat");
        QTest::newRow("movrik n=3 prefix not counted")
            << "Movrik" << true << false << Bytes{0xF9, 5, 6, 7} << true;
        QTest::newRow("movrik n=4") << "Movrik" << true << false << Bytes{0xF9, 5, 6, 7, 8} << false;
        QTest::newRow("movrik all prefixes uncounted")
            << "Movrik" << true << false << Bytes{0xF9, 5, 0xFA, 6, 0xFF, 7} << true;
        QTest::newRow("three bytes") << "Movrik" << true << false << Bytes{1, 2, 3} << true;
        QTest::newRow("two bytes") << "Movrik" << true << false << Bytes{1, 2} << true;
        QTest::newRow("5-byte mode n=5") << "Movrik" << true << true << Bytes{1, 2, 3, 4, 5} << true;
        QTest::newRow("5-byte mode n=6") << "Movrik" << true << true << Bytes{1, 2, 3, 4, 5, 6} << false;
        QTest::newRow("5-byte mode movrik prefixes")
            << "Movrik" << true << true << Bytes{0xF9, 1, 0xF9, 2, 3, 4, 5} << true;
        QTest::newRow("usbtiny counts F9") << "USBtiny" << true << false << Bytes{0xF9, 5, 6, 7} << false;
        QTest::newRow("usbtiny three") << "USBtiny" << true << false << Bytes{0xF9, 5, 6} << true;
        QTest::newRow("filter off") << "Movrik" << false << false << Bytes{1, 2, 3} << false;
        QTest::newRow("filter off 5-byte") << "IgorPlug-USB" << false << true << Bytes{1, 2} << false;
    }
    void repeatFilter() {
        QFETCH(QString, kind);
        QFETCH(bool, filter);
        QFETCH(bool, five);
        QFETCH(Bytes, bytes);
        QFETCH(bool, repeat);
        Rig r;
        r.poller.settings().kindText = kind;
        r.poller.settings().skipRepeats = filter;
        r.poller.settings().fiveByteRepeats = five;
        r.poller.applyReceiverKind();
        r.receiver.queue(bytes);
        r.tick();
        QCOMPARE(r.bursts, repeat ? 0 : 1);
        QCOMPARE(r.poller.isPolling(), repeat);
        QCOMPARE(r.poller.view().repeatColour, repeat ? ViewColour::Aqua : ViewColour::Face);
    }

    void repeatIndicatorBlinks() {
        Rig r;
        for (int i = 0; i < 4; ++i)
            r.receiver.queue({0x10, 0x20, 0x30});
        QList<ViewColour> seen;
        for (int i = 0; i < 4; ++i) {
            r.tick();
            seen << r.poller.view().repeatColour;
        }
        QCOMPARE(seen, QList<ViewColour>(
                           {ViewColour::Aqua, ViewColour::Fuchsia, ViewColour::Aqua, ViewColour::Fuchsia}));
        r.recognised = true;
        r.receiver.queue({0x10, 0x20, 0x30});
        r.receiver.queue({0x10, 0x20, 0x30});
        r.ticks(2);
        QCOMPARE(r.poller.view().repeatColour, ViewColour::Teal);
        // Another tab: the face colour, every time.
        r.poller.view().burstPageActive = false;
        r.receiver.queue({0x10, 0x20, 0x30});
        r.receiver.queue({0x10, 0x20, 0x30});
        r.tick();
        QCOMPARE(r.poller.view().repeatColour, ViewColour::Face);
        r.tick();
        QCOMPARE(r.poller.view().repeatColour, ViewColour::Face);
        QCOMPARE(r.bursts, 0);
    }

    void burstConversion_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<Bytes>("bytes");
        QTest::addColumn<QList<int>>("durations");
        QTest::newRow("movrik") << "Movrik" << Bytes{0xF9, 0x10, 0x20, 0xFF, 0xF8, 0x05, 0xFA}
                                << QList<int>{264, 0x20, 1984, 5};
        QTest::newRow("usbtiny") << "USBtiny" << Bytes{0x10, 0x20, 0x30, 0x40}
                                 << QList<int>{64, 128, 192, 256};
        QTest::newRow("igorplug-usb")
            << "IgorPlug-USB" << Bytes(9, 0x01) << QList<int>{8, 8, 8, 8, 8, 8, 8, 4, 4};
        QTest::newRow("other kind text") << "Igor" << Bytes{0xF9, 0x10, 1, 2, 3} << QList<int>{264, 1, 2, 3};
    }
    void burstConversion() {
        QFETCH(QString, kind);
        QFETCH(Bytes, bytes);
        QFETCH(QList<int>, durations);
        Rig r;
        r.poller.settings().kindText = kind;
        r.poller.applyReceiverKind();
        r.buffer.fromRecord = true;
        r.receiver.queue(bytes);
        r.tick();
        QCOMPARE(r.bursts, 1);
        QVERIFY(!r.poller.isPolling());
        QVERIFY(!r.buffer.fromRecord);
        QCOMPARE(r.buffer.count, durations.size());
        qint64 total = 0;
        QString text;
        for (int i = 0; i < durations.size(); ++i) {
            QCOMPARE(r.buffer.durations[i + 1], durations[i]);
            total += durations[i];
            text += QString::number(durations[i], 16).toUpper().rightJustified(3, QLatin1Char('0'));
        }
        QCOMPARE(r.buffer.total, total);
        QCOMPARE(r.working.timings[0], text);
        QCOMPARE(r.burst.timings[0], text);
        // Polling stays stopped until someone restarts it.
        r.receiver.queue({1, 2, 3, 4, 5});
        r.ticks(10);
        QCOMPARE(r.bursts, 1);
        r.poller.startPolling();
        r.tick();
        QCOMPARE(r.bursts, 2);
    }

    void udpFromNetworkDriver() {
        Rig r;
        r.poller.settings().kindText = QStringLiteral("IgorPlug-UDP");
        r.poller.applyReceiverKind();
        QCOMPARE(r.network.calls, QStringList({"init 192.168.1.7 6668"}));
        QCOMPARE(r.dialogs.beeps(), 1);
        QCOMPARE(r.poller.view().unitLabel, QStringLiteral("0.0512 МиллиСек"));
        r.network.reads.push_back({0, {0x10, 0x10, 0x10, 0x10}, std::nullopt});
        r.tick();
        QCOMPARE(r.receiver.readCalls, 0);
        QCOMPARE(r.buffer.count, 4);
        QCOMPARE(r.buffer.durations[1], 64);
        QCOMPARE(r.buffer.durations[2], 32);
        // Another kind closes the network receiver.
        r.poller.settings().kindText = QStringLiteral("USBtiny");
        r.poller.applyReceiverKind();
        QCOMPARE(r.network.calls.last(), QStringLiteral("close"));
        QVERIFY(!r.poller.network().isRunning());
        QCOMPARE(r.receiver.kindsTold.last(), ReceiverKind::USBtiny);
    }

    void udpNotRunningFallsBackToMovrik() {
        Rig r;
        r.poller.settings().kindText = QStringLiteral("IgorPlug-UDP");
        r.poller.applyReceiverKind();
        r.poller.network().stop();
        r.poller.view().unitLabel.clear();
        r.tick();
        QCOMPARE(r.poller.settings().kindText, QStringLiteral("Movrik"));
        QCOMPARE(r.poller.view().unitLabel, QStringLiteral("0.0213(3) МиллиСек"));
        QVERIFY(r.poller.isPolling());
        QCOMPARE(r.receiver.readCalls, 0); // the fallback tick reads nothing
        QCOMPARE(r.receiver.kindsTold.last(), ReceiverKind::Movrik);
    }

    void kindWrittenWithoutApplyReachesTheDriver() {
        // A base file's settings block writes the kind text without applying it; the backend must
        // still encode in the format the conversion reads.
        Rig r;
        r.poller.settings().kindText = QStringLiteral("IgorPlug-USB");
        const qsizetype told = r.receiver.kindsTold.size();
        r.receiver.queue({0x01, 0x01, 0x01, 0x01, 0x01});
        r.tick();
        QCOMPARE(r.receiver.kindsTold.size(), told + 1);
        QCOMPARE(r.receiver.kind(), ReceiverKind::IgorPlugUsb);
        QCOMPARE(r.buffer.durations[1], 8);
        r.poller.startPolling();
        r.tick();
        QCOMPARE(r.receiver.kindsTold.size(), told + 1); // told once, not on every read
    }

    void unknownKindTextBecomesMovrik() {
        Rig r;
        r.poller.settings().kindText = QStringLiteral("Igor");
        r.poller.applyReceiverKind();
        QCOMPARE(r.poller.settings().kindText, QStringLiteral("Movrik"));
        QVERIFY(r.poller.isPolling());
    }

    void otherTabShowsPlaceholder() {
        Rig r;
        r.poller.view().burstPageActive = false;
        r.receiver.queue(Bytes(40, 0x11));
        r.tick();
        QCOMPARE(r.working.timings[0], QString("011").repeated(33));
        QCOMPARE(r.working.timings[1], QString("011").repeated(7));
        QCOMPARE(r.burst.timings[0], kPlaceholder);
        QCOMPARE(r.burst.timings[1], QString());
        r.poller.view().burstPageActive = true;
        r.poller.showTimingFields();
        QCOMPARE(r.burst.timings[1], QString("011").repeated(7));
    }

    void longBurstKeepsAllDurations() {
        Rig r;
        r.poller.settings().kindText = QStringLiteral("USBtiny");
        r.poller.applyReceiverKind();
        Bytes bytes(200);
        std::mt19937 rng(20261208);
        std::uniform_int_distribution<int> byte(1, 255);
        for (auto& b : bytes)
            b = static_cast<std::uint8_t>(byte(rng));
        r.receiver.queue(bytes);
        r.tick();
        QCOMPARE(r.buffer.count, 200);
        QCOMPARE(r.buffer.durations[200], bytes[199] * 4);
        int shown = 0;
        for (const QString& t : r.working.timings) {
            QVERIFY(t.size() <= 99);
            shown += static_cast<int>(t.size() / 3);
        }
        QCOMPARE(shown, 198);
        QCOMPARE(r.working.timings[5].right(3),
                 QString::number(bytes[197] * 4, 16).toUpper().rightJustified(3, '0'));
    }

    void driverCountClamped() {
        Rig r;
        r.receiver.reads.push_back({0, Bytes(255, 0x22), 100000});
        r.tick();
        QCOMPARE(r.buffer.count, 255);
        r.poller.startPolling();
        r.receiver.reads.push_back({0, Bytes{5, 6, 7, 8}, -7});
        r.tick();
        QCOMPARE(r.bursts, 1);
        QVERIFY(r.poller.isPolling());
    }

    void deviceAnswerShown() {
        Rig r;
        r.receiver.queue(answer(0x00, 0x07, {0x10}));
        r.tick();
        QCOMPARE(r.working.timings[0], QStringLiteral("Кнопка   ПУЛЬТА       вроде распознанна"));
        QCOMPARE(r.working.timings[1], QStringLiteral("Plt_Key 5_1"));
        QCOMPARE(r.working.timings[2], QStringLiteral("0x021, 0x007, 0x010"));
        QCOMPARE(r.working.timings[3], QString());
        QCOMPARE(r.burst.timings[1], QStringLiteral("Plt_Key 5_1"));
        QCOMPARE(r.poller.answerHold(), 30);
        QCOMPARE(r.poller.lastAnswer().size(), 60);
        QVERIFY(r.poller.lastAnswer().startsWith(QStringLiteral("Plt_Key 5_1   ")));
        QCOMPARE(r.bursts, 0);
        QVERIFY(r.poller.isPolling());
        QCOMPARE(r.base.count(), 0);
    }

    void deviceAnswerTypes_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("kindText");
        QTest::addColumn<QString>("answerText");
        QTest::addColumn<QString>("byteList");
        QTest::newRow("keyboard") << 0x01 << "Кнопка   Клавиатуры   вроде распознанна"
                                  << "Key_"
                                  << "0x021, 0x007, 0x0AA, 0x0BB";
        QTest::newRow("error") << 0x55 << "Ошибка в модуле!!!"
                               << "Это - Ошибка в модуле!!!"
                               << "0x021, 0x007, 0x0AA, 0x0BB";
        QTest::newRow("hash") << 0xF8 << "Значение ХЭШa"
                              << "Это - Значение ХЭШa"
                              << "0x021, 0x007,0x0AA,0x0BB";
        QTest::newRow("other") << 0x13 << "ОТВЕТ НЕ ОПОЗНАННННННН!!!!"
                               << "ОТВЕТ НЕ ОПОЗНАННННННН!!!!"
                               << "0x021, 0x007, 0x0AA, 0x0BB";
    }
    void deviceAnswerTypes() {
        QFETCH(int, type);
        QFETCH(QString, kindText);
        QFETCH(QString, answerText);
        QFETCH(QString, byteList);
        Rig r;
        r.receiver.queue(answer(static_cast<std::uint8_t>(type), 0x07, {0xAA, 0xBB}));
        r.tick();
        QCOMPARE(r.working.timings[0], kindText);
        QCOMPARE(r.working.timings[1], answerText);
        QCOMPARE(r.working.timings[2], byteList);
    }

    void answerMarkOnlyForMovrik() {
        Rig r;
        r.poller.settings().kindText = QStringLiteral("USBtiny");
        r.poller.applyReceiverKind();
        r.receiver.queue(answer(0x00, 0x07, {0x10}));
        r.tick();
        QCOMPARE(r.bursts, 1);
        QCOMPARE(r.buffer.durations[1], 0xFF * 4);
    }

    void answerHoldClearsAfter29EmptyPolls() {
        Rig r;
        r.receiver.queue(answer(0x00, 0x07));
        r.tick();
        r.receiver.queueStatus(0, 5);
        r.ticks(5);
        // The same answer while the button is held does not renew the hold.
        r.receiver.queue(answer(0x00, 0x07));
        r.tick();
        QCOMPARE(r.poller.answerHold(), 25);
        r.receiver.queueStatus(0, 23);
        r.ticks(23);
        QCOMPARE(r.poller.answerHold(), 2);
        QCOMPARE(r.burst.timings[1], QStringLiteral("Plt_Key 5_1"));
        r.receiver.queueStatus(0);
        r.tick(); // the 29th empty poll after the new answer
        QCOMPARE(r.poller.answerHold(), 1);
        for (const QString& t : r.working.timings)
            QCOMPARE(t, QString());
        for (const QString& t : r.burst.timings)
            QCOMPARE(t, QString());
        QCOMPARE(r.poller.lastAnswer(), QString());
        r.receiver.queueStatus(0, 3);
        r.ticks(3);
        QCOMPARE(r.poller.answerHold(), 0);
    }

    void answerIdentityForgottenBelowHold21() {
        Rig r;
        r.receiver.queue(answer(0x01, 0x00));
        r.tick();
        r.receiver.queueStatus(0, 10);
        r.ticks(10);
        QCOMPARE(r.poller.answerHold(), 20);
        QVERIFY(!r.poller.lastAnswer().isEmpty());
        r.receiver.queueStatus(0);
        r.tick();
        QCOMPARE(r.poller.lastAnswer(), QString());
        r.receiver.queue(answer(0x01, 0x00));
        r.tick();
        QCOMPARE(r.poller.answerHold(), 30);
    }

    void storeAnswers() {
        Rig r;
        r.poller.settings().storeAnswers = true;
        ButtonRecord existing;
        existing.hash = QStringLiteral("x");
        r.base.append(existing);
        r.receiver.queue(answer(0x00, 0x07));
        r.receiver.queue(answer(0x00, 0x07));
        r.receiver.queue(answer(0x01, 0x07));
        r.tick();
        QCOMPARE(r.base.count(), 2);
        QCOMPARE(r.base.record(2).hash, r.poller.lastAnswer());
        QCOMPARE(r.base.record(2).hash.size(), 60);
        QCOMPARE(r.base.record(2).timings[0], QString());
        QCOMPARE(r.base.record(2).buttonName, QString());
        QCOMPARE(r.base.currentIndex(), 2);
        QCOMPARE(r.entry.view.selection, QStringLiteral("2 Тест"));
        r.tick();
        QCOMPARE(r.base.count(), 2);
        r.poller.view().burstPageActive = false;
        r.entry.view.selectionColour = ViewColour::Lime;
        r.tick();
        QCOMPARE(r.base.count(), 3);
        QCOMPARE(r.base.currentIndex(), 3);
        QCOMPARE(r.entry.view.selection, QString());
        QCOMPARE(r.entry.view.selectionColour, ViewColour::Face);
        // An answer already in the base becomes the current record.
        r.poller.view().burstPageActive = true;
        r.receiver.queue(answer(0x00, 0x07));
        r.tick();
        QCOMPARE(r.base.count(), 3);
        QCOMPARE(r.base.currentIndex(), 2);
        QCOMPARE(r.entry.view.selection, QStringLiteral("2 Тест"));
        QCOMPARE(r.dialogs.beeps(), 0);
    }

    void storeAnswersAtLimit() {
        Rig r;
        r.poller.settings().storeAnswers = true;
        for (int i = 1; i <= 750; ++i) {
            ButtonRecord rec;
            rec.hash = QString::number(i);
            rec.buttonName = QStringLiteral("PW");
            r.base.append(rec);
        }
        r.receiver.queue(answer(0x00, 0x87));
        r.tick();
        QCOMPARE(r.dialogs.events, QStringList({"beep"}));
        QCOMPARE(r.base.count(), 750);
        QCOMPARE(r.base.record(750).hash, r.poller.lastAnswer());
        QCOMPARE(r.base.record(750).buttonName, QString());
        QCOMPARE(r.base.record(749).hash, QStringLiteral("749"));
        QCOMPARE(r.base.currentIndex(), 750);
        QCOMPARE(r.entry.view.selection, QStringLiteral("750 Тест"));
    }

    void answerWritesTheEntryPanel() {
        Rig r;
        r.entry.view.dropSelection(QStringLiteral("old"));
        r.entry.view.selectionColour = ViewColour::Lime;
        r.entry.view.nameMarker = ViewColour::Red;
        r.poller.settings().storeAnswers = true;
        r.receiver.queue(answer(0x00, 0x01));
        r.tick();
        QCOMPARE(r.entry.view.selection, QStringLiteral("1 Тест"));
        QVERIFY(r.entry.view.selectionHeld);
        QCOMPARE(r.entry.view.nameMarker, ViewColour::Face);
        r.poller.view().burstPageActive = false;
        r.receiver.queue(answer(0x00, 0x02));
        r.tick();
        QCOMPARE(r.entry.view.selection, QString());
        QVERIFY(!r.entry.view.selectionHeld);
        QCOMPARE(r.entry.view.selectionColour, ViewColour::Face);
    }

    void randomBlocksKeepTheInvariants() {
        Rig r;
        r.poller.settings().storeAnswers = true;
        QObject::disconnect(&r.poller, &Poller::burstStored, nullptr, nullptr);
        QObject::connect(&r.poller, &Poller::burstStored, [&r] {
            ++r.bursts;
            r.poller.startPolling();
        });
        std::mt19937 rng(31337);
        std::uniform_int_distribution<int> byte(0, 255), length(0, 255), status(-1, 6), kind(0, 3);
        const QStringList kinds = {"Movrik", "USBtiny", "IgorPlug-USB", "Movrik"};
        for (int i = 0; i < 3000; ++i) {
            if (i % 500 == 0) {
                r.poller.settings().kindText = kinds[kind(rng)];
                r.poller.applyReceiverKind();
            }
            Bytes b(static_cast<std::size_t>(length(rng)));
            for (auto& v : b)
                v = static_cast<std::uint8_t>(byte(rng));
            if (i % 7 == 0 && b.size() > 4) b[0] = b[1] = 0xFF;
            r.receiver.queue(b, status(rng));
            r.tick();
            QVERIFY(r.buffer.count >= 0 && r.buffer.count <= 255);
            for (const QString& t : r.working.timings)
                if (!t.startsWith(QStringLiteral("0x"))) QVERIFY(t.size() <= 99);
            QVERIFY(r.poller.answerHold() >= 0 && r.poller.answerHold() <= 30);
            QVERIFY(r.poller.isPolling());
        }
        QVERIFY(r.bursts > 100);
        QVERIFY(r.base.count() > 0);
    }

    void replacedDriversAreAskedNext() {
        Rig r;
        r.poller.settings().kindText = QStringLiteral("USBtiny");
        r.poller.applyReceiverKind();
        // The old backend is gone; the next read goes to the new one, told the kind in use.
        ScriptedReceiver& usb = *r.drivers.setUsb(std::make_unique<ScriptedReceiver>());
        usb.queue({0x10, 0x20, 0x30, 0x40, 0x50, 0x60});
        r.tick();
        QCOMPARE(usb.readCalls, 1);
        QCOMPARE(usb.kindsTold, QList<ReceiverKind>{ReceiverKind::USBtiny});
        QCOMPARE(r.bursts, 1);
        r.poller.startPolling();
        fakes::ScriptedNetworkDriver& net =
            *r.drivers.setNetwork(std::make_unique<fakes::ScriptedNetworkDriver>());
        r.poller.settings().address = {QStringLiteral("127"), QStringLiteral("0"), QStringLiteral("0"),
                                       QStringLiteral("1")};
        r.poller.settings().kindText = QStringLiteral("IgorPlug-UDP");
        r.poller.applyReceiverKind();
        r.tick();
        r.poller.network().close();
        QCOMPARE(net.calls, (QStringList{QStringLiteral("init 127.0.0.1 6668"), QStringLiteral("read"),
                                         QStringLiteral("close")}));
    }

    void noDriverIsNotConnected() {
        Rig r;
        r.drivers.setUsb(std::unique_ptr<UsbDriver>());
        r.tick();
        QCOMPARE(r.poller.view().statusText, QStringLiteral("Status : NotConect"));
    }
};

QTEST_GUILESS_MAIN(TestPoller)
#include "test_poller.moc"
