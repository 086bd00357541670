#include "cli/cli_test_support.h"
#include "platform/core/cp1251.h"
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
    void thresholdReadAsHashReadsIt_data();
    void thresholdReadAsHashReadsIt();
};

namespace {

test::CliRun runCli(const QStringList& args) {
    return test::runCliCommand(QStringLiteral("fit"), args);
}

} // namespace

void TestCliFit::samePatchAsTheWindow() {
    test::ShellFixture f;
    const QString path = test::writeDemoBase(f.dir);
    QVERIFY(!path.isEmpty());
    const test::CliRun cli =
        runCli({QStringLiteral("--date"), QStringLiteral("10.01.2011"), QStringLiteral("--time"),
                QStringLiteral("12:00:00"), QStringLiteral("--id"), QStringLiteral("1234ABCD"),
                QStringLiteral("--check"), path});
    QCOMPARE(cli.exitCode, 0);
    QVERIFY(cli.json.value(QStringLiteral("patchReady")).toBool());
    QCOMPARE(cli.json.value(QStringLiteral("status")).toString(), FittingText::kDone);

    // The same base through the workbench: open, select " ХЭШ 1bit", rescan, open the window, scan.
    Workbench& wb = *f.wb;
    WorkbenchParts& parts = *f.parts;
    f.dialogs.fileNames << path;
    parts.baseFiles.open();
    parts.hashPanel.source = HashSource::OneBit;
    parts.pipeline.applyPanel();
    parts.rescan.pressRescan();
    f.scheduler.advance(30000);
    QVERIFY(wb.openFittingWindow());
    parts.fitting.stampOverride() = {QStringLiteral("10.01.2011"), QStringLiteral("12:00:00"), 0x1234ABCD};
    parts.fitting.scan();
    // The demo's buttons need the automatic re-run with the breaking point: two ticks.
    f.scheduler.advance(2 * Fitting::kIntervalMs);
    QVERIFY(parts.fitting.patchReady());

    QStringList cliPatch;
    for (const QJsonValue& v : cli.json.value(QStringLiteral("patch")).toArray())
        cliPatch << v.toString();
    QCOMPARE(cliPatch, parts.fitting.view().patch);
    QCOMPARE(cliPatch.at(4).left(27), QStringLiteral("; Уник. индифик. - 1234ABCD"));
    const QJsonObject boxes = cli.json.value(QStringLiteral("boxes")).toObject();
    QCOMPARE(boxes.value(QStringLiteral("KnPer")).toString(),
             parts.fitting.settings().box(HashVariableSet::Per));
    QCOMPARE(
        cli.json.value(QStringLiteral("labels")).toObject().value(QStringLiteral("duplicates")).toString(),
        parts.fitting.view().duplicatesLabel);

    // --check: the window's recognition check, button by button.
    const QJsonObject check = cli.json.value(QStringLiteral("recognition")).toObject();
    const auto& shown = parts.fitting.view().recognition;
    QVERIFY(shown.has_value());
    QCOMPARE(check.value(QStringLiteral("verdict")).toString(), parts.fitting.view().recognitionVerdict);
    QCOMPARE(check.value(QStringLiteral("clean")).toBool(), shown->clean());
    const QJsonArray buttons = check.value(QStringLiteral("buttons")).toArray();
    QCOMPARE(buttons.size(), qsizetype(shown->rows.size()));
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        const QJsonObject b = buttons.at(i).toObject();
        const RecognitionRow& row = shown->rows[std::size_t(i)];
        QCOMPARE(b.value(QStringLiteral("button")).toString(), row.button);
        QCOMPARE(b.value(QStringLiteral("total")).toInt(), row.total);
        QCOMPARE(b.value(QStringLiteral("self")).toInt(), row.self);
    }
}

void TestCliFit::badInput_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("content"); // written to the base file when not empty
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("expected"); // in standard error, or in the dialogs of the outcome
    QTest::newRow("no file") << QStringList{"/nonexistent/pult.txt"} << QByteArray() << 2 << "/nonexistent";
    QTest::newRow("bad option") << QStringList{"--knbit", "XYZ", "BASE"} << QByteArray("x") << 2 << "--knbit";
    QTest::newRow("garbage base") << QStringList{"BASE"} << QByteArray("\x01\xFF\r\n999999\r\n\x7F\n", 13)
                                  << 2 << "is not a button base file";
    QTest::newRow("empty base") << QStringList{"BASE"}
                                << encodeCp1251(QStringLiteral("В этом пульте кнопок\r\n0\r\n")) << 1
                                << FittingText::kFewerThan4;
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
    const test::CliRun r = runCli(args);
    QCOMPARE(r.exitCode, exitCode);
    const QString seen = r.err + QJsonDocument(r.json).toJson();
    QVERIFY2(seen.contains(expected), qPrintable(seen));
}

void TestCliFit::thresholdReadAsHashReadsIt_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    for (const char* t : {"3B", "3b", "12E", "0", "FFFFFF"})
        QTest::newRow(t) << QString::fromLatin1(t) << true;
    for (const char* t : {"FFFFFFF", "", "G1", "-1", "3B "})
        QTest::newRow(t) << QString::fromLatin1(t) << false;
}

// "fit --threshold" takes every text that "hash --threshold" takes, as typed, and refuses the rest.
void TestCliFit::thresholdReadAsHashReadsIt() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    test::ShellFixture f;
    const QString base = test::writeDemoBase(f.dir);
    QVERIFY(!base.isEmpty());
    const test::CliRun fit = runCli({QStringLiteral("--threshold"), text, base});
    QProcess hash;
    hash.start(QStringLiteral(RAVLIN_CLI), {QStringLiteral("hash"), QStringLiteral("--threshold"), text});
    hash.write("300 150 30\n");
    hash.closeWriteChannel();
    QVERIFY(hash.waitForFinished(30000));
    QCOMPARE(fit.exitCode == 2, !valid);
    QCOMPARE(hash.exitCode() == 2, !valid);
    if (valid) QVERIFY2(!fit.json.isEmpty(), qPrintable(fit.err));
}

QTEST_GUILESS_MAIN(TestCliFit)
#include "test_fit.moc"
