#include "base/core/base_file.h"
#include "shell_fixture.h"

#include <QtTest>

using namespace ravlin;

namespace {

void writeBase(const QString& path, const QStringList& buttons) {
    ButtonBase base;
    for (const QString& b : buttons) {
        ButtonRecord r;
        r.remoteName = QStringLiteral("TV");
        r.buttonName = b;
        r.hash = QStringLiteral("1A") + b;
        r.timings[0] = QStringLiteral("1C20E2");
        base.append(r);
    }
    TextFileWriter::write(path, baseFileLines(base, BaseFileSettings()));
}

} // namespace

class TestWorkbenchTests : public QObject {
    Q_OBJECT

private slots:
    // File after file: the opened file's characteristic buttons are collected, the base is cleared
    // with its question and the next file is opened.
    void exportButtonsMovesToTheNextFile() {
        test::ShellFixture fx;
        WorkbenchParts& parts = *fx.parts;
        const QString first = fx.dir.filePath(QStringLiteral("Mute.txt"));
        const QString second = fx.dir.filePath(QStringLiteral("Next.txt"));
        writeBase(first, {"Mute", "Hvost"});
        writeBase(second, {"PW", "Stop", "OK"});
        fx.dialogs.fileNames << first;
        parts.baseFiles.open();
        QCOMPARE(parts.base.count(), 2);

        fx.dialogs.events.clear();
        fx.dialogs.fileNames << second;
        parts.testArea.exportButtons();
        QCOMPARE(fx.dialogs.events,
                 (QStringList{"yesno: Принятые данные будут уничтожены!!! Вы уверены?", "open: " + first}));
        QCOMPARE(parts.base.count(), 3);
        QCOMPARE(parts.base.record(1).buttonName, QStringLiteral("PW"));
        const QStringList firstBlocks{
            "0<<<<Mute.txt", "TV", "Hvost", "1AHvost", "1C20E2", "", "", "", "", "",
            "1<<<<Mute.txt", "TV", "Mute",  "1AMute",  "1C20E2", "", "", "", "", ""};
        QCOMPARE(parts.testArea.memo().lines(), firstBlocks);

        // The second file: PW and Stop by the first pass, no tail, nothing more by the third.
        fx.dialogs.answers << Answer::No; // the base stays, and no file is chosen
        parts.testArea.exportButtons();
        const QStringList memo = parts.testArea.memo().lines();
        QCOMPARE(memo.size(), 40);
        QCOMPARE(memo.at(20), QStringLiteral("1<<<<Next.txt"));
        QCOMPARE(memo.at(30), QStringLiteral("2<<<<Next.txt"));
        QCOMPARE(memo.at(32), QStringLiteral("Stop"));
        QCOMPARE(parts.base.count(), 3);
    }
};

QTEST_GUILESS_MAIN(TestWorkbenchTests)
#include "test_workbench_tests.moc"
