#include "formats/core/capture_file.h"
#include "acquisition/core/receiver_kind.h"
#include "base/core/base_file.h"
#include "base/core/capture_buffer.h"
#include "firmware/core/action_map.h"
#include "platform/core/text_file.h"

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

struct Run {
    int exitCode = -1;
    QJsonObject json;
};

Run runCli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(RAVLIN_CLI), QStringList{QStringLiteral("actions")} + args);
    p.waitForFinished(30000);
    return {p.exitCode(), QJsonDocument::fromJson(p.readAllStandardOutput()).object()};
}

// A base recorded from the demo receiver, its buttons named in turn from a few standard names.
QString writeDemoBase(const QTemporaryDir& dir) {
    bool ok = false;
    const CaptureFile capture =
        CaptureFile::read(QStringLiteral(RAVLIN_SOURCE_DIR) + QStringLiteral("/data/captures/demo.cap"), &ok);
    const QStringList names{"PW", "Up", "Key 1", "Mute", "Down"};
    ButtonBase base;
    for (const CapturedBurst& b : capture.bursts) {
        const std::vector<std::int32_t> d = convertRawBlock(b.kind, b.bytes);
        if (d.size() <= 3) continue;
        ButtonRecord r;
        r.remoteName = QStringLiteral("Demo");
        r.buttonName = names.at(base.count() % names.size());
        r.hash = QStringLiteral("F%1").arg(base.count());
        r.timings = timingTextsOf(d);
        base.append(r);
    }
    const QString path = dir.filePath(QStringLiteral("pult.txt"));
    TextFileWriter::write(path, baseFileLines(base, BaseFileSettings{}));
    return ok && base.count() >= 4 ? path : QString();
}

} // namespace

void TestCliActions::demoBaseToFiles() {
    QTemporaryDir dir;
    const QString base = writeDemoBase(dir);
    QVERIFY(!base.isEmpty());
    const QString irf = dir.filePath(QStringLiteral("map.irf"));
    const QString pch = dir.filePath(QStringLiteral("map.pch"));
    const Run r = runCli(
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
