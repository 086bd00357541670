#include "base/core/analogue_base.h"
#include "base/core/base_file.h"
#include "formats/core/signal_files.h"
#include "formats/core/signal_generator.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace ravlin;

namespace {
struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run runCli(const QStringList& args, const QByteArray& input = {}) {
    QProcess p;
    p.start(QStringLiteral(RAVLIN_CLI), args);
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QByteArray mode2Of(const std::vector<SignalGenerator::Micros>& frames) {
    QByteArray out;
    for (const auto& f : frames) {
        for (std::size_t i = 0; i < f.size(); ++i)
            out += (i % 2 == 0 ? "pulse " : "space ") + QByteArray::number(f[i]) + '\n';
        out += "timeout\n";
    }
    return out;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

std::vector<ButtonRecord> baseRecords(const QString& path) {
    ButtonBase base;
    BaseFileSettings settings;
    readBaseFile(*TextLines::read(path), base, settings);
    return base.records();
}

// The selections `ravlin-cli hash` prints for a file.
QStringList hashSelections(const QStringList& args) {
    QStringList out;
    for (const QString& line :
         runCli(QStringList{QStringLiteral("hash")} + args).out.split(u'\n', Qt::SkipEmptyParts))
        out << QJsonDocument::fromJson(line.toUtf8()).object().value(QStringLiteral("selection")).toString();
    return out;
}
} // namespace

class TestSignalCommands : public QObject {
    Q_OBJECT

private slots:
    void importHashesAsHashDoesAndExportReadsBack();
    void importStopsAt750();
    void knownRemotesFromATree();
};

void TestSignalCommands::importHashesAsHashDoesAndExportReadsBack() {
    QTemporaryDir dir;
    const QString tv = dir.filePath(QStringLiteral("LG_TV.mode2"));
    const QString vcr = dir.filePath(QStringLiteral("vcr.mode2"));
    writeFile(tv, mode2Of({SignalGenerator::nec(0x04, 0x08), SignalGenerator::sony12(0x15, 0x01)}));
    writeFile(vcr, mode2Of({SignalGenerator::rc5(false, 5, 12)}));
    const QString base = dir.filePath(QStringLiteral("base.txt"));
    const Run imported = runCli({QStringLiteral("import"), tv, vcr, QStringLiteral("--out"), base});
    QCOMPARE(imported.exitCode, 0);
    QVERIFY2(imported.out.contains(QStringLiteral("3 records")), qPrintable(imported.out));
    const std::vector<ButtonRecord> records = baseRecords(base);
    QCOMPARE(int(records.size()), 3);
    QCOMPARE(records[0].remoteName, QStringLiteral("LG_TV"));
    QCOMPARE(records[2].remoteName, QStringLiteral("vcr"));
    QCOMPARE(records[0].buttonName, QStringLiteral("N/A"));
    QStringList hashes;
    for (const ButtonRecord& r : records)
        hashes << r.hash;
    QCOMPARE(hashes, hashSelections({QStringLiteral("--mode2"), tv}) +
                         hashSelections({QStringLiteral("--mode2"), vcr}));

    const QString back = dir.filePath(QStringLiteral("back.mode2"));
    const Run exported = runCli({QStringLiteral("export"), base, QStringLiteral("--format"),
                                 QStringLiteral("mode2"), QStringLiteral("--out"), back});
    QCOMPARE(exported.exitCode, 0);
    const QString again = dir.filePath(QStringLiteral("again.txt"));
    QCOMPARE(runCli({QStringLiteral("import"), back, QStringLiteral("--out"), again}).exitCode, 0);
    const std::vector<ButtonRecord> reread = baseRecords(again);
    QCOMPARE(int(reread.size()), 3);
    for (std::size_t i = 0; i < 3; ++i) {
        QCOMPARE(reread[i].hash, records[i].hash);
        QCOMPARE(reread[i].timings, records[i].timings);
    }
    const Run missing = runCli({QStringLiteral("export"), base, QStringLiteral("--out"), back});
    QCOMPARE(missing.exitCode, 2);
}

void TestSignalCommands::importStopsAt750() {
    QTemporaryDir dir;
    std::vector<SignalGenerator::Micros> frames;
    for (int i = 0; i < 751; ++i)
        frames.push_back(SignalGenerator::nec(std::uint8_t(i / 256), std::uint8_t(i % 256)));
    const QString file = dir.filePath(QStringLiteral("many.mode2"));
    writeFile(file, mode2Of(frames));
    const QString base = dir.filePath(QStringLiteral("base.txt"));
    const Run r = runCli({QStringLiteral("import"), file, QStringLiteral("--out"), base});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains(QStringLiteral("1 signals left out")), qPrintable(r.err));
    QCOMPARE(int(baseRecords(base).size()), 750);
}

void TestSignalCommands::knownRemotesFromATree() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("tv/lg")));
    writeFile(dir.filePath(QStringLiteral("tv/lg/unnamed.mode2")), mode2Of({SignalGenerator::nec(1, 2)}));
    writeFile(dir.filePath(QStringLiteral("tv/notes.txt")), "not a remote\n");
    const auto power = SignalGenerator::nec(0x04, 0x08);
    const QVector<Burst> remote{Burst{QVector<int>(power.begin(), power.end()), QStringLiteral("Power"), 0}};
    const QString flipper = writeSignals(remote, SignalFormat::Flipper, QStringLiteral("tv"));
    if (!flipper.isEmpty()) {
        writeFile(dir.filePath(QStringLiteral("tv/a.ir")), flipper.toUtf8());
        writeFile(dir.filePath(QStringLiteral("tv/lg/b.ir")), flipper.toUtf8());
    }
    const QString out = dir.filePath(QStringLiteral("BazaDannih.baz"));
    const Run r = runCli(
        {QStringLiteral("known-remotes"), dir.filePath(QStringLiteral("tv")), QStringLiteral("--out"), out});
    QCOMPARE(r.exitCode, 0);
    const QStringList lines = TextLines::read(out)->lines();
    QVERIFY(lines.first().startsWith(QLatin1Char(';')));
    AnalogueBase analogues;
    QCOMPARE(analogues.load(out), AnalogueBase::LoadResult::Loaded);
    if (flipper.isEmpty()) {
        QCOMPARE(analogues.count(), 0); // mode2 names no buttons
        QSKIP("the Flipper writer is not on this branch; the named-button case needs it");
    }
    QCOMPARE(analogues.count(), 1);
    QCOMPARE(lines.mid(2), QStringList{QStringLiteral("/a.ir/b.ir")});
    QCOMPARE(analogues.entry(1), hashSelections({QStringLiteral("--format"), QStringLiteral("flipper"),
                                                 dir.filePath(QStringLiteral("tv/a.ir"))})
                                     .value(0));
}

QTEST_GUILESS_MAIN(TestSignalCommands)
#include "test_signal_commands.moc"
