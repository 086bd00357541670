#include "formats/core/capture_file.h"
#include "acquisition/core/receiver_kind.h"
#include "base/core/base_file.h"
#include "base/core/capture_buffer.h"
#include "shell/shell_fixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

using namespace ravlin;

class TestCliFit : public QObject {
    Q_OBJECT

private slots:
    void samePatchAsTheWindow();
    void badInput_data();
    void badInput();
};

namespace {

struct Run {
    int exitCode = -1;
    QJsonObject json;
    QString err;
};

Run runCli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(RAVLIN_CLI), QStringList{QStringLiteral("fit")} + args);
    p.waitForFinished(30000);
    Run r;
    r.exitCode = p.exitCode();
    r.json = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// A base recorded from the demo receiver: every burst of the demo capture that is not a repeat signal.
QString writeDemoBase(const QTemporaryDir& dir) {
    bool ok = false;
    const CaptureFile capture =
        CaptureFile::read(QStringLiteral(RAVLIN_SOURCE_DIR) + QStringLiteral("/data/captures/demo.cap"), &ok);
    ButtonBase base;
    for (const CapturedBurst& b : capture.bursts) {
        const std::vector<std::int32_t> d = convertRawBlock(b.kind, b.bytes);
        if (d.size() <= 3) continue;
        ButtonRecord r;
        r.remoteName = QStringLiteral("Demo");
        r.buttonName = QStringLiteral("N/A");
        r.hash = QString::number(base.count());
        r.timings = timingTextsOf(d);
        base.append(r);
    }
    const QString path = dir.filePath(QStringLiteral("pult.txt"));
    TextFileWriter::write(path, baseFileLines(base, BaseFileSettings{}));
    return ok && base.count() >= 4 ? path : QString();
}

} // namespace

void TestCliFit::samePatchAsTheWindow() {
    test::ShellFixture f;
    const QString path = writeDemoBase(f.dir);
    QVERIFY(!path.isEmpty());
    const Run cli =
        runCli({QStringLiteral("--date"), QStringLiteral("10.01.2011"), QStringLiteral("--time"),
                QStringLiteral("12:00:00"), QStringLiteral("--id"), QStringLiteral("1234ABCD"), path});
    QCOMPARE(cli.exitCode, 0);
    QVERIFY(cli.json.value(QStringLiteral("patchReady")).toBool());
    QCOMPARE(cli.json.value(QStringLiteral("status")).toString(), FittingText::kDone);

    // The same base through the workbench: open, select " ХЭШ 1bit", rescan, open the window, scan.
    Workbench& wb = *f.wb;
    f.dialogs.fileNames << path;
    wb.baseFiles().open();
    wb.hashPanel().source = HashSource::OneBit;
    wb.pipeline().applyPanel();
    wb.rescan().pressRescan();
    f.scheduler.advance(30000);
    QVERIFY(wb.openFittingWindow());
    wb.fitting().hooks().stamp = [] {
        return PatchStamp{QStringLiteral("10.01.2011"), QStringLiteral("12:00:00"), 0x1234, 0xABCD};
    };
    wb.fitting().scan();
    // The demo's buttons need the automatic re-run with the breaking point: two ticks.
    f.scheduler.advance(2 * Fitting::kIntervalMs);
    QVERIFY(wb.fitting().patchReady());

    QStringList cliPatch;
    for (const QJsonValue& v : cli.json.value(QStringLiteral("patch")).toArray())
        cliPatch << v.toString();
    QCOMPARE(cliPatch, wb.fitting().view().patch);
    QCOMPARE(cliPatch.at(4).left(27), QStringLiteral("; Уник. индифик. - 1234ABCD"));
    const QJsonObject boxes = cli.json.value(QStringLiteral("boxes")).toObject();
    QCOMPARE(boxes.value(QStringLiteral("KnPer")).toString(),
             wb.fitting().settings().box(HashVariableSet::Per));
    QCOMPARE(
        cli.json.value(QStringLiteral("labels")).toObject().value(QStringLiteral("duplicates")).toString(),
        wb.fitting().view().duplicatesLabel);
}

void TestCliFit::badInput_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("content"); // written to the base file when not empty
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("expected"); // in standard error, or in the dialogs of the outcome
    QTest::newRow("no file") << QStringList{"/nonexistent/pult.txt"} << QByteArray() << 2 << "/nonexistent";
    QTest::newRow("bad option") << QStringList{"--knbit", "XYZ", "BASE"} << QByteArray("x") << 2 << "--knbit";
    QTest::newRow("garbage base") << QStringList{"BASE"} << QByteArray("\x01\xFF\r\n999999\r\n\x7F\n", 13)
                                  << 1 << FittingText::kFewerThan4;
}

void TestCliFit::badInput() {
    QFETCH(QStringList, args);
    QFETCH(QByteArray, content);
    QFETCH(int, exitCode);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("base.txt"));
    if (!content.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    args.replaceInStrings(QStringLiteral("BASE"), path);
    const Run r = runCli(args);
    QCOMPARE(r.exitCode, exitCode);
    const QString seen = r.err + QJsonDocument(r.json).toJson();
    QVERIFY2(seen.contains(expected), qPrintable(seen));
}

QTEST_GUILESS_MAIN(TestCliFit)
#include "test_fit.moc"
