#include "acquisition/core/drivers/simulated_receiver.h"
#include "formats/core/mode2.h"
#include "formats/core/signal_file_choice.h"
#include "formats/core/signal_generator.h"
#include "shell_fixture.h"

#include <QFile>
#include <QtTest>

using namespace ravlin;

namespace {

// Mode2 text of NEC frames of remote address 4, one per command.
QString necMode2(const QList<int>& commands) {
    QVector<Burst> bursts;
    for (int command : commands) {
        Burst b;
        for (auto us : SignalGenerator::nec(0x04, static_cast<std::uint8_t>(command)))
            b.durations << static_cast<int>(us);
        bursts << b;
    }
    return writeMode2Text(bursts);
}

QString writeText(test::ShellFixture& fx, const QString& name, const QString& text) {
    const QString path = fx.dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(text.toUtf8());
    return path;
}

// Lets a running import finish its chunks, and the go-to-record run after it.
void finishImport(test::ShellFixture& fx) {
    for (int i = 0; i < 100 && fx.parts->signalFiles.isImporting(); ++i)
        fx.scheduler.advance(1);
    QVERIFY(!fx.parts->signalFiles.isImporting());
    fx.scheduler.advance(20);
}

// Runs Import on `path` with the answers given.
void importFile(test::ShellFixture& fx, const QString& path, QList<Answer> answers = {}) {
    fx.dialogs.fileNames << path;
    fx.dialogs.answers = answers;
    fx.parts->signalFiles.importSignals();
    finishImport(fx);
}

ButtonRecord record(const QString& button, const QString& timing) {
    ButtonRecord r;
    r.remoteName = QStringLiteral("old");
    r.buttonName = button;
    r.hash = QStringLiteral("00");
    r.timings[0] = timing;
    return r;
}

} // namespace

class TestWorkbenchSignalFiles : public QObject {
    Q_OBJECT

private slots:
    void importAsksOpensMergeQuestion_data() {
        QTest::addColumn<int>("before");
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<int>("after");
        QTest::addColumn<QString>("memo");
        QTest::newRow("empty base, no question")
            << 0 << QList<Answer>{} << 2 << "Добавляем к текущим записям...";
        QTest::newRow("Yes clears first")
            << 3 << QList<Answer>{Answer::Yes} << 2 << "Перед загрузкой очистили базу...";
        QTest::newRow("No merges") << 3 << QList<Answer>{Answer::No} << 5 << "Добавляем к текущим записям...";
        QTest::newRow("Cancel keeps the base")
            << 3 << QList<Answer>{Answer::Cancel} << 3 << "Отмена действия.";
    }
    void importAsksOpensMergeQuestion() {
        QFETCH(int, before);
        QFETCH(QList<Answer>, answers);
        QFETCH(int, after);
        QFETCH(QString, memo);
        test::ShellFixture fx;
        Workbench& wb = *fx.wb;
        WorkbenchParts& parts = *fx.parts;
        for (int i = 0; i < before; ++i)
            parts.base.append(record(QStringLiteral("K%1").arg(i), QStringLiteral("0A%1").arg(i)));
        const QString path = writeText(fx, QStringLiteral("LG_TV.mode2"), necMode2({0x08, 0x11}));
        importFile(fx, path, answers);

        const QString question = QStringLiteral("ync: ") + BaseFileCommands::kMergeQuestion;
        QCOMPARE(fx.dialogs.events.contains(question), before > 0);
        QCOMPARE(parts.base.count(), after);
        QVERIFY(parts.resultLog.lines().contains(memo));
        QCOMPARE(wb.baseEntry().view.countLabel.toInt(), answers.value(0) == Answer::Cancel ? 0 : after);
        if (after == before) return;
        const ButtonRecord& first = parts.base.record(after - 1);
        QCOMPARE(first.remoteName, QStringLiteral("LG_TV"));
        QCOMPARE(first.buttonName, QStringLiteral("N/A"));
        QVERIFY(first.hash != parts.base.record(after).hash);
        QVERIFY(!first.timings[0].isEmpty());
        QVERIFY(parts.resultLog.lines().contains(QStringLiteral("Файл LG_TV.mode2 (mode2) - сигналов: 2")));
        QVERIFY(!parts.rescanFlags.rescanned);
    }

    // The remote file's signals get the same hashes pressed through the simulated receiver as
    // imported.
    void simulatedPressesGiveTheImportedHashes() {
        test::ShellFixture fx;
        Workbench& wb = *fx.wb;
        WorkbenchParts& parts = *fx.parts;
        const QString path = writeText(fx, QStringLiteral("tv.txt"), necMode2({0x08, 0x11, 0x03}));
        importFile(fx, path);
        QCOMPARE(parts.base.count(), 3);

        wb.setUsbDriver(std::make_unique<SimulatedReceiver>(path, [&] { return fx.scheduler.now(); }));
        QStringList hashes;
        QObject::connect(&wb, &Workbench::changed, [&] {
            if (parts.working.hash != hashes.value(hashes.size() - 1)) hashes << parts.working.hash;
        });
        parts.working.hash.clear(); // the import left its first record on screen
        parts.poller.startPolling();
        // The first read comes after the slow start interval; a press every two seconds after it.
        fx.scheduler.advance(Poller::kSlowIntervalMs + 3 * SimulatedReceiver::kPressDelayMs + 500);
        hashes.removeAll(QString());
        QStringList imported;
        for (int i = 1; i <= 3; ++i)
            imported << parts.base.record(i).hash;
        QCOMPARE(hashes, imported);
        QCOMPARE(imported.first(), QStringLiteral("9608FB04")); // decoded as NEC: address 04, command 08
    }

    void exportThenImportGivesEqualRecords() {
        test::ShellFixture fx;
        WorkbenchParts& parts = *fx.parts;
        importFile(fx, writeText(fx, QStringLiteral("remote.mode2"), necMode2({0x08, 0x11})));
        parts.base.append(record(QStringLiteral("hash only"), QString())); // nothing to export
        const std::vector<ButtonRecord> before = parts.base.records();

        QDir(fx.dir.path()).mkpath(QStringLiteral("out"));
        const QString out = fx.dir.filePath(QStringLiteral("out/remote.mode2"));
        fx.dialogs.fileNames << out;
        parts.signalFiles.exportSignals();
        QVERIFY(QFileInfo(out).size() > 0);
        QVERIFY(parts.resultLog.lines().contains(
            QStringLiteral("Экспорт (mode2): сигналов - 2, файл remote.mode2")));
        QVERIFY(parts.resultLog.lines().contains(
            QStringLiteral("Записей без таймингов (не экспортированы) - 1")));

        importFile(fx, out, {Answer::Yes});
        QCOMPARE(parts.base.count(), 2);
        for (int i = 1; i <= 2; ++i) {
            QCOMPARE(parts.base.record(i).timings, before[i - 1].timings);
            QCOMPARE(parts.base.record(i).hash, before[i - 1].hash);
            QCOMPARE(parts.base.record(i).remoteName, before[i - 1].remoteName);
        }

        // A failed write says so and leaves the base and memo's success line out.
        fx.dialogs.fileNames << fx.dir.filePath(QStringLiteral("missing/folder/x.ir"));
        fx.dialogs.events.clear();
        parts.signalFiles.exportSignals();
        QCOMPARE(fx.dialogs.events.filter(QStringLiteral("info: Файл не сохранён.")).size(), 1);
        QCOMPARE(parts.base.count(), 2);
    }

    // Chunks of signals go in on successive ticks; the base stops at 750 and says how many were
    // left out; the file's bad lines are listed, bounded.
    void bigImportStopsAt750AndListsProblems() {
        test::ShellFixture fx;
        WorkbenchParts& parts = *fx.parts;
        std::vector<ButtonRecord> full;
        for (int i = 0; i < 700; ++i)
            full.push_back(record(QStringLiteral("K"), QStringLiteral("%1").arg(i, 3, 16, QChar(u'0'))));
        parts.base.setRecords(full);
        QList<int> commands;
        for (int i = 0; i < 120; ++i)
            commands << i;
        QString text = necMode2(commands);
        for (int i = 0; i < 12; ++i)
            text += QStringLiteral("pulse x%1\n").arg(i);
        const QString path = writeText(fx, QStringLiteral("big.mode2"), text);

        fx.dialogs.fileNames << path;
        fx.dialogs.answers = {Answer::No};
        parts.signalFiles.importSignals();
        QVERIFY(parts.signalFiles.isImporting());
        fx.scheduler.advance(1);
        QCOMPARE(parts.base.count(), 700 + SignalFileCommands::kChunk);
        finishImport(fx);
        QCOMPARE(parts.base.count(), 750);
        const QStringList& memo = parts.resultLog.lines();
        QVERIFY(memo.contains(
            QStringLiteral("База заполнена (750 записей) - не загружено записей из файла - 70")));
        QCOMPARE(memo.filter(QRegularExpression(QStringLiteral("^строка \\d+: "))).size(),
                 kProblemLinesShown);
        QVERIFY(memo.contains(QStringLiteral("…и ещё 2")));
    }

    void exportFormatByNameThenFilter_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("format");
        QTest::addColumn<bool>("parsed");
        QTest::newRow("extension wins") << "tv.conf" << 0 << "lircd" << false;
        QTest::newRow("lircd extension") << "tv.LIRCD" << -1 << "lircd" << false;
        QTest::newRow(".txt by mode2 filter") << "tv.txt" << 3 << "mode2" << false;
        QTest::newRow(".txt unknown filter") << "tv.txt" << -1 << "pronto" << false;
        QTest::newRow("no extension, filter") << "tv" << 2 << "pronto" << false;
        QTest::newRow("nothing known") << "tv.dat" << -1 << "flipper" << false;
        QTest::newRow("Flipper filter") << "tv.ir" << 0 << "flipper" << false;
        QTest::newRow("protocols filter") << "tv" << 4 << "flipper" << true;
        QTest::newRow("protocols filter, .conf name") << "tv.conf" << 4 << "lircd" << false;
    }
    void exportFormatByNameThenFilter() {
        QFETCH(QString, name);
        QFETCH(int, filter);
        QFETCH(QString, format);
        QFETCH(bool, parsed);
        QCOMPARE(signalFormatName(SignalFileCommands::exportFormat(name, filter)), format);
        QCOMPARE(SignalFileCommands::exportParsed(name, filter), parsed);
        // The dialog's filter at that index is the one the user picked.
        QCOMPARE(SignalFileCommands::kExportFilter.split(QLatin1Char('|'))
                     .value(2 * SignalFileCommands::kParsedFlipperFilter),
                 QStringLiteral("Flipper IR, протоколы"));
    }

    void unreadableFilesChangeNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown format") << "notes.dat"
                                        << "hello"
                                        << "Формат файла не опознан";
        QTest::newRow("no signals") << "empty.mode2"
                                    << "pulse many\n"
                                    << "В файле нет сигналов.";
        QTest::newRow("folder") << "folder.ir" << QString() << "Ошибка чтения файла.";
    }
    void unreadableFilesChangeNothing() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, message);
        test::ShellFixture fx;
        fx.parts->base.append(record(QStringLiteral("K"), QStringLiteral("0A0")));
        const QString path = text.isEmpty() ? fx.dir.filePath(name) : writeText(fx, name, text);
        if (text.isEmpty()) QDir(fx.dir.path()).mkpath(name);
        QObject::connect(&fx.parts->signalFiles, &SignalFileCommands::busyChanged,
                         [&](bool busy) { fx.dialogs.events << (busy ? "busy" : "idle"); });
        importFile(fx, path);
        // The window is busy only while reading, never under a message box.
        QCOMPARE(fx.dialogs.events.mid(1, 3), QStringList({"busy", "idle", "beep"}));
        QVERIFY(fx.dialogs.events.filter(QStringLiteral("info: ") + message).size() == 1);
        QVERIFY(fx.dialogs.events.filter(QStringLiteral("ync:")).isEmpty());
        QCOMPARE(fx.parts->base.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestWorkbenchSignalFiles)
#include "test_workbench_signal_files.moc"
