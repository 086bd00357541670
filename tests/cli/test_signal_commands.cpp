#include "base/core/analogue_base.h"
#include "base/core/base_file.h"
#include "cli/cli_test_support.h"
#include "formats/core/signal_files.h"
#include "formats/core/signal_generator.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace ravlin;

namespace {
struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

// `prefix` runs the tool under another program (prlimit); `outFile` takes its standard output.
Run runCli(const QStringList& args, const QByteArray& input = {}, const QStringList& prefix = {},
           const QString& outFile = {}) {
    QProcess p;
    if (!outFile.isEmpty()) p.setStandardOutputFile(outFile);
    if (prefix.isEmpty())
        p.start(QStringLiteral(RAVLIN_CLI), args);
    else
        p.start(prefix.first(), prefix.mid(1) + QStringList{QStringLiteral(RAVLIN_CLI)} + args);
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
    void failedWritesKeepTheOldFile_data();
    void failedWritesKeepTheOldFile();
    void inputsThatAreNoBaseChangeNothing_data();
    void inputsThatAreNoBaseChangeNothing();
    void overlongHashLines();
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

// Every writer under a real failing write (a file-size limit: write() returns EFBIG as a full disk
// gives ENOSPC) and with standard output on a full device: exit status 3, the reason said, the old
// file byte for byte, no temporary file left.
void TestSignalCommands::failedWritesKeepTheOldFile_data() {
    QTest::addColumn<QStringList>("args"); // OUT stands for the output, BASE for a demo base file
    QTest::addColumn<QString>("stdoutFile");
    QTest::newRow("import") << QStringList{"import", "IN", "--out", "OUT"} << QString();
    QTest::newRow("export") << QStringList{"export", "BASE", "--format", "lircd", "--out", "OUT"}
                            << QString();
    QTest::newRow("known-remotes") << QStringList{"known-remotes", "DIR", "--out", "OUT"} << QString();
    QTest::newRow("actions --irf") << QStringList{"actions", "BASE", "--avto", "--irf", "OUT"} << QString();
    QTest::newRow("hash > /dev/full") << QStringList{"hash", "IN"} << "/dev/full";
    QTest::newRow("fit > /dev/full") << QStringList{"fit", "BASE"} << "/dev/full";
    QTest::newRow("--help > /dev/full") << QStringList{"--help"} << "/dev/full";
}

void TestSignalCommands::failedWritesKeepTheOldFile() {
    QFETCH(QStringList, args);
    QFETCH(QString, stdoutFile);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("remotes")));
    const QString in = dir.filePath(QStringLiteral("remotes/tv.mode2"));
    std::vector<SignalGenerator::Micros> frames;
    for (int i = 0; i < 40; ++i)
        frames.push_back(SignalGenerator::nec(std::uint8_t(i), std::uint8_t(i + 1)));
    writeFile(in, mode2Of(frames));
    const QString base =
        test::writeDemoBase(dir, {QStringLiteral("PW"), QStringLiteral("Key 1"), QStringLiteral("Play"),
                                  QStringLiteral("Stop"), QStringLiteral("Mute")});
    const QString out = dir.filePath(QStringLiteral("old.out"));
    const QByteArray old("old contents that must stay\r\n");
    writeFile(out, old);
    args.replaceInStrings(QRegularExpression("^IN$"), in)
        .replaceInStrings(QRegularExpression("^OUT$"), out)
        .replaceInStrings(QRegularExpression("^BASE$"), base)
        .replaceInStrings(QRegularExpression("^DIR$"), dir.filePath(QStringLiteral("remotes")));
    const QStringList limit{QStringLiteral("prlimit"), QStringLiteral("--fsize=64")};
    const Run r = runCli(args, {}, stdoutFile.isEmpty() ? limit : QStringList{}, stdoutFile);
    QCOMPARE(r.exitCode, 3);
    QVERIFY2(r.err.contains(stdoutFile.isEmpty() ? QStringLiteral("cannot write ") + out
                                                 : QStringLiteral("cannot write standard output")),
             qPrintable(r.err));
    QFile kept(out);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
             QStringList({QStringLiteral("old.out"), QStringLiteral("pult.txt")}));
    // Without the limit the same command succeeds (the limit, not the command, made it fail).
    if (stdoutFile.isEmpty()) QCOMPARE(runCli(args).exitCode, 0);
}

// A file that is not what the command needs changes nothing: import reads nothing and leaves an
// existing base alone; a base file's readers refuse what is no base file.
void TestSignalCommands::inputsThatAreNoBaseChangeNothing_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("import of garbage")
        << QStringList{"import", "JUNK", "--out", "OUT"} << 1 << "no signal could be read";
    QTest::newRow("export of random bytes")
        << QStringList{"export", "JUNK", "--format", "flipper", "--out", "OUT"} << 2
        << "is not a button base file";
    QTest::newRow("export of /proc/self/maps")
        << QStringList{"export", "/proc/self/maps", "--format", "mode2", "--out", "OUT"} << 2
        << "is not a button base file";
    QTest::newRow("fit of random bytes") << QStringList{"fit", "JUNK"} << 2 << "is not a button base file";
    QTest::newRow("actions of random bytes")
        << QStringList{"actions", "JUNK", "--avto", "--irf", "OUT"} << 2 << "is not a button base file";
}

void TestSignalCommands::inputsThatAreNoBaseChangeNothing() {
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString junk = dir.filePath(QStringLiteral("junk.txt"));
    QByteArray bytes(3000, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char((i * 7919 + 13) % 251);
    writeFile(junk, bytes);
    const QString base = test::writeDemoBase(dir);
    QFile f(base);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    args.replaceInStrings(QRegularExpression("^JUNK$"), junk)
        .replaceInStrings(QRegularExpression("^OUT$"), base);
    const Run r = runCli(args);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    f.seek(0);
    QCOMPARE(f.readAll(), before);
}

// A line over 64 KiB is reported as soon as it passes the limit and skipped up to its line end;
// reading goes on at the next line, and input without line breaks costs bounded memory.
void TestSignalCommands::overlongHashLines() {
    const QByteArray burst("422 211 26 26 26 79 26 26 26 79 26 79 26\n");
    const QByteArray atLimit = QByteArray(65536, '#') + '\n';
    const Run fits = runCli({QStringLiteral("hash")}, atLimit + burst);
    QCOMPARE(fits.exitCode, 0);
    QCOMPARE(fits.out.count(u'\n'), 1);
    const Run over = runCli({QStringLiteral("hash")}, QByteArray(65537, '1') + '\n' + burst);
    QCOMPARE(over.exitCode, 1);
    QVERIFY2(over.err.contains(QStringLiteral("line 1: the line is longer than 65536 characters")),
             qPrintable(over.err));
    QCOMPARE(over.out.count(u'\n'), 1); // the burst of line 2 was processed
    const Run unbroken = runCli({QStringLiteral("hash")}, QByteArray(300000, '7'));
    QCOMPARE(unbroken.exitCode, 1);
    QCOMPARE(unbroken.err.count(QStringLiteral("longer than")), 1);

    // An endless stream without line breaks: the report comes while the input goes on.
    QProcess p;
    p.setStandardInputFile(QStringLiteral("/dev/zero"));
    p.start(QStringLiteral(RAVLIN_CLI), {QStringLiteral("hash")});
    QByteArray err;
    for (int i = 0; i < 100 && !err.contains("longer than"); ++i) {
        p.waitForReadyRead(100);
        err += p.readAllStandardError();
    }
    QCOMPARE(p.state(), QProcess::Running);
    p.kill();
    p.waitForFinished();
    QVERIFY2(err.contains("line 1: the line is longer than 65536 characters"), err.constData());
}

QTEST_GUILESS_MAIN(TestSignalCommands)
#include "test_signal_commands.moc"
