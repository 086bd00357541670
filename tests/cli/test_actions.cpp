#include "cli/cli_test_support.h"
#include "firmware/core/action_map.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace ravlin;

class TestCliActions : public QObject {
    Q_OBJECT

private slots:
    void demoBaseToFiles();
    void badInput_data();
    void badInput();
};

namespace {

test::CliRun runCli(const QStringList& args) {
    return test::runCliCommand(QStringLiteral("actions"), args);
}

} // namespace

void TestCliActions::demoBaseToFiles() {
    QTemporaryDir dir;
    const QString base = test::writeDemoBase(dir, {"PW", "Up", "Key 1", "Mute", "Down"}, QStringLiteral("F"));
    QVERIFY(!base.isEmpty());
    const QString irf = dir.filePath(QStringLiteral("map.irf"));
    const QString pch = dir.filePath(QStringLiteral("map.pch"));
    const test::CliRun r = runCli(
        {base, QStringLiteral("--avto"), QStringLiteral("--irf"), irf, QStringLiteral("--pelvar"), pch});
    QCOMPARE(r.exitCode, 0);
    const QJsonArray sets = r.json.value(QStringLiteral("sets")).toArray();
    QVERIFY(sets.size() >= 2);
    QCOMPARE(r.json.value(QStringLiteral("written")).toArray().size(), 2);
    // The .irf file reads back as the map the command printed.
    ActionMap map;
    readIrf(map, *TextLines::read(irf));
    QCOMPARE(map.validCount(), sets.size());
    for (const QJsonValue& v : sets) {
        const QJsonObject s = v.toObject();
        const ActionMapEntry& e =
            map.entries[static_cast<std::size_t>(s.value(QStringLiteral("set")).toInt() - 1)];
        QCOMPARE(e.name, s.value(QStringLiteral("name")).toString());
        QCOMPARE(e.action, s.value(QStringLiteral("action")).toString());
    }
    const TextLines pelvar = *TextLines::read(pch);
    QCOMPARE(pelvar.lines(), pelvarFile(map));
    QVERIFY(pelvar.line(3).startsWith(QStringLiteral(".DB 0x")));

    // "Hvost" buttons are never mapped: the export refuses after a beep, as the window does.
    QTemporaryDir tails;
    const QString none = test::writeDemoBase(tails, {"Hvost"}, QStringLiteral("F"));
    const test::CliRun refused = runCli({none, QStringLiteral("--avto"), QStringLiteral("--pelvar"), pch});
    QCOMPARE(refused.exitCode, 1);
    const QJsonArray events = refused.json.value(QStringLiteral("dialogs")).toArray();
    QVERIFY(events.size() >= 2);
    QCOMPARE(events.at(events.size() - 2).toString(), QStringLiteral("beep"));
    QCOMPARE(events.last().toString(), ActionMapText::kNothingValid);
}

void TestCliActions::badInput_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("no base") << QStringList{"--avto"} << 2;
    QTest::newRow("no --avto") << QStringList{"x.txt"} << 2;
    QTest::newRow("--irf without name") << QStringList{"x.txt", "--avto", "--irf"} << 2;
    QTest::newRow("unreadable base") << QStringList{"/nonexistent/x.txt", "--avto"} << 2;
    QTest::newRow("too few records") << QStringList{QStringLiteral(RAVLIN_TEST_DATA "/base_4line.txt"),
                                                    "--avto"}
                                     << 1;
}

void TestCliActions::badInput() {
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QCOMPARE(runCli(args).exitCode, exitCode);
}

QTEST_GUILESS_MAIN(TestCliActions)
#include "test_actions.moc"
