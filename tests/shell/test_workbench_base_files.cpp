#include "base/core/capture_buffer.h"
#include "shell_fixture.h"

#include <QtTest>

using namespace ravlin;

namespace {

// A pulse-distance burst of 33 durations: a leader, 16 bits of `code`, a final mark.
std::array<QString, kTimingTextCount> burst(int code) {
    std::vector<std::int32_t> d = {420, 210};
    for (int b = 0; b < 15; ++b) {
        d.push_back(26);
        d.push_back((code >> b) & 1 ? 79 : 26);
    }
    d.push_back(26);
    return timingTextsOf(d);
}

} // namespace

class TestWorkbenchBaseFiles : public QObject {
    Q_OBJECT

private slots:
    void saveReopenRescanDeduplicateAndSummarise() {
        test::ShellFixture fx;
        WorkbenchParts& parts = *fx.parts;
        const QStringList names = {"Mute", "PW", "OK", "N/A"};
        const int codes[] = {0x1234, 0x00FF, 0x0F0F, 0x00FF};
        for (int i = 0; i < 4; ++i) {
            ButtonRecord r;
            r.remoteName = QStringLiteral("TV");
            r.buttonName = names[i];
            r.hash = QStringLiteral("stale%1").arg(i);
            r.timings = burst(codes[i]);
            if (i == 3) r.remoteName = QStringLiteral("TV2");
            parts.base.append(r);
        }
        parts.baseEditor.settings().remoteName = QStringLiteral("TV (Sony).1");
        const QString path = fx.dir.filePath(QStringLiteral("TV__Sony__1.txt"));
        fx.dialogs.fileNames << path;
        parts.baseFiles.save();
        QVERIFY(fx.dialogs.events.contains(QStringLiteral("save: TV__Sony__1.txt")));
        // After the save the base is cleared (its own question answered Yes).
        QCOMPARE(parts.base.count(), 0);

        parts.hashPanel.threshold = QStringLiteral("44");
        fx.dialogs.fileNames << path;
        parts.baseFiles.open();
        QCOMPARE(parts.base.count(), 4);
        QCOMPARE(parts.hashPanel.threshold, QStringLiteral("3B"));
        QCOMPARE(parts.baseEditor.view().countLabel, QStringLiteral("4"));
        QCOMPARE(parts.baseEditor.settings().recordNumber, QStringLiteral("1"));
        QVERIFY(parts.resultLog.lines().contains(QStringLiteral("Действие завершилось успешно")));
        QCOMPARE(parts.presets.saveBase, path);

        parts.rescan.removeDuplicates();
        QVERIFY(parts.rescan.isRunning());
        fx.scheduler.advance(6 * 250 + 50);
        QVERIFY(!parts.rescan.isRunning());
        QVERIFY(parts.rescanFlags.rescanned);
        // Every record carries a recomputed hash; the unnamed copy of PW went.
        QCOMPARE(parts.base.count(), 3);
        for (int i = 1; i <= 3; ++i)
            QVERIFY(!parts.base.record(i).hash.startsWith(QStringLiteral("stale")));
        QCOMPARE(parts.base.record(1).buttonName, QStringLiteral("PW"));
        QCOMPARE(parts.base.record(2).buttonName, QStringLiteral("Mute"));
        QCOMPARE(parts.base.record(3).buttonName, QStringLiteral("OK"));
        QVERIFY(parts.resultLog.lines().contains(QStringLiteral("При этом было игнорировано дублей - 1")));
        QCOMPARE(parts.baseEditor.view().countLabel, QStringLiteral("3"));

        parts.baseFiles.showStatistics();
        QCOMPARE(parts.resultLog.lines(),
                 QStringList({"PW         - 01", "Mute       - 02", "OK         - 03"}));
    }

    void saveProposesTheRemoteNameInTheApplicationDirectory() {
        test::ShellFixture fx;
        fx.runToChoices();
        fx.parts->base.append(
            ButtonRecord{QStringLiteral("TV"), QStringLiteral("PW"), QStringLiteral("0012"), {}});
        fx.parts->baseEditor.settings().remoteName = QStringLiteral("TV 2");
        fx.parts->baseFiles.save();
        QCOMPARE(fx.dialogs.events.last(),
                 QStringLiteral("save: ") + fx.dir.path() + QStringLiteral("/TV_2.txt"));
    }
};

QTEST_GUILESS_MAIN(TestWorkbenchBaseFiles)
#include "test_workbench_base_files.moc"
