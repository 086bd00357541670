#include "base/core/capture_buffer.h"
#include "base/core/rescan.h"
#include "fakes/counting_polling.h"
#include "fakes/manual_scheduler.h"
#include "fakes/scripted_dialogs.h"

#include <QtTest>

using namespace ravlin;

namespace {

// The rescan with a record cursor over a record-entry panel, a stand-in go-to-record that notes the
// record visited and runs a stand-in processing that stores a new hash into the record the box
// shows (as the pipeline does for a buffer rebuilt from a record).
struct Rig {
    ButtonBase base;
    fakes::ScriptedDialogs dialogs;
    fakes::ManualScheduler scheduler;
    RescanFlags flags;
    HexBazaSettings tab;
    HashPanelSettings panel;
    BaseEntry entry;
    RecordCursor cursor{entry, base};
    fakes::CountingPolling polling;
    ResultLog log;
    Rescan rescan{base, dialogs, scheduler, flags, tab, panel, cursor, polling, log};
    QString& box = entry.settings.recordNumber;
    const QStringList& memo = log.lines();
    QList<int> visited;
    QList<int> progressSeen;

    Rig() {
        QObject::connect(&cursor, &RecordCursor::goToRecordRequested, [this] {
            visited << box.toInt();
            const int n = box.toInt();
            if (n >= 1 && n <= base.count()) base.record(n).hash = "new:" + base.record(n).timings[0];
            progressSeen << rescan.view().progress;
        });
    }
    int countShown() const { return entry.view.countLabel.toInt(); }

    void fill(const QStringList& names) {
        for (int i = 0; i < names.size(); ++i) {
            ButtonRecord r;
            r.remoteName = "R";
            r.buttonName = names[i];
            r.hash = "old";
            r.timings[0] = QStringLiteral("%1").arg(i + 1, 3, 16, QLatin1Char('0')).toUpper();
            base.append(r);
        }
    }
    QStringList names() const {
        QStringList out;
        for (int i = 1; i <= base.count(); ++i)
            out << base.record(i).buttonName;
        return out;
    }
    void tick() { scheduler.advance(Rescan::kDefaultIntervalMs); }
};

} // namespace

class TestRescan : public QObject {
    Q_OBJECT

private slots:
    void startWritesTheMemoAndSetsTheFlags() {
        Rig rig;
        rig.fill({"PW", "OK"});
        rig.box = "2";
        rig.panel.source = HashSource::M96;
        rig.rescan.pressRescan();
        QVERIFY(rig.rescan.isRunning());
        QCOMPARE(rig.rescan.view().caption, QStringLiteral("Прервать пересчёт ХЭШей"));
        QCOMPARE(rig.memo,
                 QStringList({"", "Активирован режим пересканирования ХЭШей", "Начата обработка данных"}));
        QCOMPARE(rig.box, QStringLiteral("1"));
        QVERIFY(rig.flags.rescanned);
        QVERIFY(rig.flags.withM96);
        QVERIFY(!rig.rescan.view().progressVisible);
        QCOMPARE(rig.scheduler.activeCount(), 1);
    }

    void emptyBase() {
        Rig rig;
        rig.rescan.pressRescan();
        QCOMPARE(rig.memo,
                 QStringList({"", "Активирован режим пересканирования ХЭШей", "База пуста - выход"}));
        QCOMPARE(rig.dialogs.events, QStringList({"beep"}));
        QVERIFY(rig.flags.rescanned);
        QVERIFY(!rig.rescan.isRunning());
        QCOMPARE(rig.scheduler.activeCount(), 0);
    }

    void everyRecordIsReplayedOnce() {
        Rig rig;
        rig.fill({"PW", "OK", "Mute", "Key 1"});
        rig.rescan.pressRescan();
        for (int i = 0; i < 4; ++i)
            rig.tick();
        QCOMPARE(rig.visited, QList<int>({1, 2, 3, 4}));
        QVERIFY(rig.rescan.isRunning());
        for (int i = 1; i <= 4; ++i)
            QVERIFY(rig.base.record(i).hash.startsWith("new:"));
        rig.tick(); // the finish
        QVERIFY(!rig.rescan.isRunning());
        QCOMPARE(rig.visited, QList<int>({1, 2, 3, 4, 1})); // then go to record 1
        QCOMPARE(rig.box, QStringLiteral("1"));
        QCOMPARE(rig.scheduler.activeCount(), 0);
        QCOMPARE(rig.polling.starts, 1);
        QCOMPARE(rig.memo.last(), QStringLiteral("Пересчёт ХЭШей завершён."));
        rig.scheduler.advance(10'000);
        QCOMPARE(rig.visited.size(), 5);
    }

    void progressSteps_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("steps");
        // Tick k shows the progress of the number the box held: 1, 1, 2, ..., count − 1.
        QTest::newRow("4 records") << 4 << QList<int>{25, 25, 50, 75};
        QTest::newRow("7 records") << 7 << QList<int>{15, 15, 30, 45, 55, 70, 85};
        // 20 / 8 = 2.5 rounds to 2, 60 / 8 = 7.5 rounds to 8.
        QTest::newRow("8 records, halves to even") << 8 << QList<int>{10, 10, 25, 40, 50, 60, 75, 90};
        QTest::newRow("1 record") << 1 << QList<int>{100};
    }
    void progressSteps() {
        QFETCH(int, count);
        QFETCH(QList<int>, steps);
        Rig rig;
        QStringList names;
        for (int i = 0; i < count; ++i)
            names << "OK";
        rig.fill(names);
        rig.rescan.pressRescan();
        for (int i = 0; i < count; ++i) {
            rig.tick();
            QVERIFY(rig.rescan.view().progressVisible);
        }
        QCOMPARE(rig.progressSeen, steps);
        rig.tick();
        QVERIFY(!rig.rescan.view().progressVisible);
        QCOMPARE(rig.rescan.view().progress, 0);
    }

    void intervalFromTheSpeedSlider() {
        Rig rig;
        rig.fill({"PW", "OK"});
        QCOMPARE(rig.rescan.intervalMs(), 250);
        rig.rescan.setIntervalMs(200);
        rig.rescan.pressRescan();
        rig.scheduler.advance(199);
        QVERIFY(rig.visited.isEmpty());
        rig.scheduler.advance(1);
        QCOMPARE(rig.visited, QList<int>({1}));

        // A new slider value holds for the next rescan.
        rig.rescan.pressRescan();
        rig.rescan.setIntervalMs(550);
        rig.rescan.pressRescan();
        QCOMPARE(rig.rescan.intervalMs(), 550);
        rig.scheduler.advance(549);
        QCOMPARE(rig.visited.size(), 1);
        rig.scheduler.advance(1);
        QCOMPARE(rig.visited.size(), 2);
    }

    void cancelKeepsWhatWasRecomputed() {
        Rig rig;
        rig.fill({"Mute", "PW", "OK", "Key 1", "", "Key 2"});
        rig.rescan.pressRescan();
        for (int i = 0; i < 3; ++i)
            rig.tick();
        rig.box = "3";
        rig.log.clear();
        rig.rescan.pressRescan();
        QVERIFY(!rig.rescan.isRunning());
        QCOMPARE(rig.rescan.view().caption, QStringLiteral("Пересканировать все ХЭШи"));
        QCOMPARE(rig.memo, QStringList({"", "Активирован режим пересканирования ХЭШей",
                                        "Пересчёт отменён пользователем!!!"}));
        QCOMPARE(rig.box, QStringLiteral("1"));
        QVERIFY(!rig.rescan.view().progressVisible);
        QCOMPARE(rig.rescan.view().progress, 0);
        rig.scheduler.advance(5000);
        QCOMPARE(rig.visited, QList<int>({1, 2, 3}));
        for (int i = 1; i <= 3; ++i)
            QVERIFY(rig.base.record(i).hash.startsWith("new:"));
        for (int i = 4; i <= 6; ++i)
            QCOMPARE(rig.base.record(i).hash, QStringLiteral("old"));
        // No finish: names and order stay.
        QCOMPARE(rig.names(), QStringList({"Mute", "PW", "OK", "Key 1", "", "Key 2"}));
        QCOMPARE(rig.polling.starts, 0);
    }

    void editedBoxRedirectsTheReplay() {
        Rig rig;
        rig.fill({"A", "B", "C", "D", "E", "F"});
        rig.rescan.pressRescan();
        rig.tick();
        rig.box = "4";
        rig.tick();
        rig.tick();
        QCOMPARE(rig.visited, QList<int>({1, 5, 6}));
    }

    void finishOrdersTheBase() {
        Rig rig;
        rig.fill({"Mute", "PW", "N/A", "Key 1", "PW"});
        rig.rescan.pressRescan();
        rig.scheduler.advance(6 * 250);
        QVERIFY(!rig.rescan.isRunning());
        QCOMPARE(rig.names(), QStringList({"PW", "PW", "Key 1", "Mute", "N/A"}));
        QCOMPARE(rig.base.record(1).timings[0], QStringLiteral("005"));
        QCOMPARE(rig.base.record(2).timings[0], QStringLiteral("002"));
        QVERIFY(!rig.memo.contains(QStringLiteral("Режим удаления дублей - Активирован...")));
    }

    void finishListsRecordsOfCutBursts() {
        Rig rig;
        rig.fill({"OK", "PW", "Mute"});
        // Full timing texts (198 durations) hold the first part of a longer burst.
        for (int i : {1, 3})
            rig.base.record(i).timings = timingTextsOf(std::vector<std::int32_t>(230, 40 + i));
        rig.rescan.pressRescan();
        rig.scheduler.advance(5 * 250);
        QVERIFY(!rig.rescan.isRunning());
        QCOMPARE(rig.names(), QStringList({"PW", "Mute", "OK"}));
        QCOMPARE(rig.memo.last(),
                 QStringLiteral("ХЭШ взят из обрезанной посылки (первые 198 длительностей) у записей: 2, 3"));
    }

    void finishNamesEmptyAndRepeatRecords() {
        Rig rig;
        rig.fill({"", "OK", "N/A", "Foo"});
        rig.base.record(1).remoteName.clear();
        rig.base.record(4).timings[0] = "12C05A01E";
        rig.rescan.pressRescan();
        rig.scheduler.advance(5 * 250);
        QCOMPARE(rig.names(), QStringList({"OK", "Hvost", "N/A", "N/A"}));
        QCOMPARE(rig.base.record(3).remoteName, QStringLiteral("N/A")); // the former record 1
        QCOMPARE(rig.base.record(3).timings[0], QStringLiteral("001"));
        QCOMPARE(rig.base.record(4).timings[0], QStringLiteral("003"));
    }

    void duplicateRemovalAfterTheReplay() {
        Rig rig;
        rig.fill({"PW", "PW", "N/A", "OK"});
        // Records 1, 2 and 3 replay to the same hash.
        rig.base.record(2).timings[0] = "001";
        rig.base.record(3).timings[0] = "001";
        rig.base.record(2).remoteName = "Other";
        rig.rescan.removeDuplicates();
        QVERIFY(rig.rescan.duplicateRemovalRequested());
        rig.scheduler.advance(5 * 250);
        QVERIFY(!rig.rescan.isRunning());
        QCOMPARE(rig.names(), QStringList({"PW", "OK"}));
        QCOMPARE(rig.countShown(), 2);
        const int at =
            static_cast<int>(rig.memo.indexOf(QStringLiteral("Режим удаления дублей - Активирован...")));
        QVERIFY(at > 0);
        QCOMPARE(rig.memo.mid(at + 1),
                 QStringList({"Пересканировали базу. Теперь записей - 2",
                              "При этом было игнорировано дублей - 2", "Операция завершена успешно..."}));
        QVERIFY(!rig.rescan.duplicateRemovalRequested());
    }

    void cancelledRemovalStaysRequested() {
        Rig rig;
        rig.fill({"PW", "PW", "OK"});
        rig.base.record(2).timings[0] = "001";
        rig.rescan.removeDuplicates();
        rig.tick();
        rig.rescan.removeDuplicates(); // a second press cancels
        QVERIFY(!rig.rescan.isRunning());
        QVERIFY(rig.rescan.duplicateRemovalRequested());
        QCOMPARE(rig.base.count(), 3);
        rig.rescan.pressRescan();
        rig.scheduler.advance(4 * 250);
        QCOMPARE(rig.base.count(), 2);
        QVERIFY(!rig.rescan.duplicateRemovalRequested());
    }

    void baseEmptiedDuringTheRescan() {
        Rig rig;
        rig.fill({"PW", "OK"});
        rig.rescan.pressRescan();
        rig.tick();
        rig.base.setCount(0);
        rig.tick();
        QVERIFY(!rig.rescan.isRunning());
        QCOMPARE(rig.rescan.view().progress, 0);
    }
};

QTEST_GUILESS_MAIN(TestRescan)
#include "test_rescan.moc"
