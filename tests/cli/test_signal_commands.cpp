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
    void exportParsedGivesTheSameLines();
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

// Over a small collection of users' files: repeat frames and lone marks never become keys, files of
// one name in two folders are two sources, and the "Источник" window lists them.
void TestSignalCommands::knownRemotesFromATree() {
    QTemporaryDir dir;
    const QString collection = QStringLiteral(RAVLIN_TEST_DATA "/formats/collection");
    const QString out = dir.filePath(QStringLiteral("BazaDannih.baz"));
    const Run r = runCli({QStringLiteral("known-remotes"), collection, QStringLiteral("--out"), out});
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.err.contains(QStringLiteral(": 2 button signals left out as repeat frames")),
             qPrintable(r.err));
    QVERIFY2(r.err.contains(QStringLiteral(": 1 button signals left out: fewer than 7 durations")),
             qPrintable(r.err));
    const QStringList lines = TextLines::read(out)->lines();
    QVERIFY(lines.first().startsWith(QLatin1Char(';')));
    const QString power = hashSelections({QStringLiteral("--format"), QStringLiteral("pronto"),
                                          collection + QStringLiteral("/pronto/lg_forum.txt")})
                              .value(0);
    QCOMPARE(lines.value(1), power);
    QCOMPARE(lines.value(2), QStringLiteral("/TVs\\LG\\LG_AKB.ir/TVs\\Samsung\\LG_AKB.ir/"
                                            "lirc\\LG_AKB72915207.lircd.conf/pronto\\lg_forum.txt"));
    for (const QString& line : lines)
        QVERIFY2(!line.startsWith(QLatin1String("03")) && !line.startsWith(QLatin1String("01")),
                 qPrintable(line)); // no tail hash of a repeat frame or a lone mark
    AnalogueBase analogues;
    QCOMPARE(analogues.load(out), AnalogueBase::LoadResult::Loaded);
    QCOMPARE(analogues.entry(1), power);
}

// A lircd.conf with comments after its codes imports cleanly; parsed Flipper signals of every
// protocol family come back from import and export --parsed as the same protocol, address and
// command lines.
void TestSignalCommands::exportParsedGivesTheSameLines() {
    QTemporaryDir dir;
    const QString lirc =
        QStringLiteral(RAVLIN_TEST_DATA "/formats/collection/lirc/LG_AKB72915207.lircd.conf");
    const Run clean =
        runCli({QStringLiteral("import"), lirc, QStringLiteral("--out"), dir.filePath("l.txt")});
    QCOMPARE(clean.exitCode, 0);

    const QString sample = QStringLiteral(RAVLIN_TEST_DATA "/formats/parsed_protocols.ir");
    const QString base = dir.filePath(QStringLiteral("base.txt"));
    QCOMPARE(runCli({QStringLiteral("import"), sample, QStringLiteral("--out"), base}).exitCode, 0);
    const QString back = dir.filePath(QStringLiteral("back.ir"));
    const Run exported =
        runCli({QStringLiteral("export"), base, QStringLiteral("--format"), QStringLiteral("flipper"),
                QStringLiteral("--parsed"), QStringLiteral("--out"), back});
    QCOMPARE(exported.exitCode, 0);
    QVERIFY2(exported.out.contains(QStringLiteral("14 signals written to ") + back +
                                   QStringLiteral(" (14 parsed)")),
             qPrintable(exported.out));
    const auto fields = [](const QString& path) {
        QStringList out;
        const QStringList lines = TextLines::read(path)->lines();
        for (const QString& line : lines)
            if (line.startsWith(QLatin1String("protocol:")) || line.startsWith(QLatin1String("address:")) ||
                line.startsWith(QLatin1String("command:")))
                out << line;
        return out;
    };
    QCOMPARE(fields(back), fields(sample));
    const Run wrong =
        runCli({QStringLiteral("export"), base, QStringLiteral("--format"), QStringLiteral("lircd"),
                QStringLiteral("--parsed"), QStringLiteral("--out"), back});
    QCOMPARE(wrong.exitCode, 2);
}

QTEST_GUILESS_MAIN(TestSignalCommands)
#include "test_signal_commands.moc"
