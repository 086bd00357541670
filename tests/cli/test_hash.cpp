#include "capture/pipeline_fixture.h"
#include "cli/hash_command.h"
#include "formats/core/signal_generator.h"
#include "hashing/core/number_text.h"
#include "hashing/core/protocol_decoder.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

#include <numeric>

using namespace ravlin;
using namespace ravlin::testing;
using namespace ravlin::cli;

namespace {
struct Run {
    int exitCode = -1;
    QStringList lines;
    QString err;
};

Run runCli(const QStringList& args, const QByteArray& input) {
    QProcess p;
    p.start(QStringLiteral(RAVLIN_CLI), args);
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(30000);
    Run r;
    r.exitCode = p.exitCode();
    r.lines = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QByteArray lineOf(const std::vector<std::int32_t>& d, const QString& sep = QStringLiteral(" ")) {
    QStringList parts;
    for (auto v : d)
        parts << QString::number(v);
    return parts.join(sep).toUtf8() + '\n';
}

QJsonObject parse(const QString& line) {
    QJsonParseError e;
    const QJsonDocument doc = QJsonDocument::fromJson(line.toUtf8(), &e);
    if (e.error != QJsonParseError::NoError) qWarning() << "bad JSON" << line << e.errorString();
    return doc.object();
}

QStringList keysInOrder(const QString& line) {
    // Top-level keys only: the nested objects are emptied first.
    QString flat = line.mid(1, line.size() - 2);
    static const QRegularExpression nested(QStringLiteral("\\{[^{}]*\\}"));
    flat.replace(nested, QStringLiteral("{}"));
    static const QRegularExpression key(QStringLiteral("\"([A-Za-z0-9]+)\": "));
    QStringList keys;
    auto it = key.globalMatch(flat);
    while (it.hasNext())
        keys << it.next().captured(1);
    return keys;
}
} // namespace

class TestCliHash : public QObject {
    Q_OBJECT

private slots:
    void burstsInUnits();
    void microsecondsGiveTheReceivedUnits_data();
    void microsecondsGiveTheReceivedUnits();
    void mode2GivesTheSameBursts();
    void badLineIsReportedWithItsNumber();
    void errorLinesQuoteTheToken();
    void heldSonyButtonFramesApart();
    void longMode2BurstIsCutWithAWarning();
    void options();
    void commandLine_data();
    void commandLine();
    void usage();
    void firstBurstIsPrintedBeforeTheInputEnds();
    void formatOptionAndContentGiveTheSameBursts();
    void namedSignalsCarryNameAndSource();
    void wholeInputIsBounded();
    void specialInputFiles();
};

void TestCliHash::burstsInUnits() {
    const auto plain = plainBurst(0x2468ACEu);
    const auto frame = pulseDistanceFrame({0x20, 0xDF, 0x10, 0xEF});
    const Run r = runCli({QStringLiteral("hash")},
                         "# two bursts\n\n" + lineOf(plain) + lineOf(frame, QStringLiteral(", ")));
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QString());
    QCOMPARE(r.lines.size(), 2);
    const QStringList order = {QStringLiteral("n"),         QStringLiteral("decoder"),
                               QStringLiteral("hash1bit"),  QStringLiteral("hashXbit"),
                               QStringLiteral("ver1"),      QStringLiteral("selection"),
                               QStringLiteral("threshold"), QStringLiteral("porog")};
    QCOMPARE(keysInOrder(r.lines[0]), order);
    QCOMPARE(keysInOrder(r.lines[1]), order);

    const QJsonObject first = parse(r.lines[0]);
    const HashResult one = Hash1bit(plain);
    const QString ver1 = ver1Text(EncodeVer1(plain, one.threshold));
    QCOMPARE(first.value(QStringLiteral("n")).toInt(), 31);
    QVERIFY(first.value(QStringLiteral("decoder")).isNull());
    const QJsonObject h1 = first.value(QStringLiteral("hash1bit")).toObject();
    QCOMPARE(h1.value(QStringLiteral("code")).toInt(), one.code);
    QCOMPARE(h1.value(QStringLiteral("text")).toString(), hashText(one.record));
    QCOMPARE(h1.value(QStringLiteral("threshold")).toInt(), one.threshold);
    QVERIFY(first.value(QStringLiteral("hashXbit")).isNull());
    QCOMPARE(first.value(QStringLiteral("ver1")).toString(), ver1);
    QCOMPARE(first.value(QStringLiteral("selection")).toString(), QStringLiteral("00") + ver1);
    QCOMPARE(first.value(QStringLiteral("threshold")).toInt(), one.threshold);
    QCOMPARE(first.value(QStringLiteral("porog")).toString(), IntToBase(one.threshold, 16));

    const QJsonObject second = parse(r.lines[1]);
    const DecoderResult decoded = ProtocolDecoder(frame, 0xFF, 0xFC, 0x03);
    QVERIFY(decoded.recognised());
    const QJsonObject dec = second.value(QStringLiteral("decoder")).toObject();
    QCOMPARE(dec.value(QStringLiteral("result")).toInt(), decoded.result);
    QCOMPARE(dec.keys().size(), 4);
    QCOMPARE(dec.value(QStringLiteral("protocol")).toString(), QStringLiteral("NEC"));
    QVERIFY(r.lines[1].contains(QLatin1String("{\"result\": 1, \"protocol\": \"NEC\", \"hash\": ")));
    QCOMPARE(dec.value(QStringLiteral("hash")).toString(), decoded.hash);
    QCOMPARE(dec.value(QStringLiteral("vars")).toString(), decoded.vars);
    QVERIFY(second.value(QStringLiteral("hash1bit")).isNull());
    QVERIFY(second.value(QStringLiteral("ver1")).isNull());
    QCOMPARE(second.value(QStringLiteral("selection")).toString(), decoded.hash);
    QCOMPARE(second.value(QStringLiteral("threshold")).toInt(), 0x34);
    QCOMPARE(second.value(QStringLiteral("porog")).toString(), QStringLiteral("34"));
}

void TestCliHash::microsecondsGiveTheReceivedUnits_data() {
    QTest::addColumn<int>("kind");
    for (const ReceiverKindInfo& info : ReceiverKinds::table())
        QTest::newRow(info.text) << int(info.kind);
}

void TestCliHash::microsecondsGiveTheReceivedUnits() {
    // A NEC frame typed in microseconds or as mode2 text gives the units a receiver of the kind
    // delivers (its own byte format written and read back), and the same hash.
    QFETCH(int, kind);
    const QString kindText = ReceiverKinds::text(static_cast<ReceiverKind>(kind));
    const std::vector<std::uint32_t> nec = SignalGenerator::nec(0x04, 0x08);
    QStringList micros;
    for (std::uint32_t us : nec)
        micros << QString::number(us);
    const auto received =
        convertRawBlock(static_cast<ReceiverKind>(kind), encodeMicros(static_cast<ReceiverKind>(kind), nec));
    QByteArray mode2;
    for (std::size_t i = 0; i < nec.size(); ++i)
        mode2 += (i % 2 == 0 ? "pulse " : "space ") + QByteArray::number(nec[i]) + '\n';
    HashOptions options;
    options.kind = static_cast<ReceiverKind>(kind);
    options.micros = true;
    const QVector<int> expected(received.begin(), received.end());
    QCOMPARE(readBursts(micros.join(QLatin1Char(' ')), options).bursts.value(0).durations, expected);
    options.micros = false;
    options.mode2 = true;
    QCOMPARE(readBursts(QString::fromLatin1(mode2), options).bursts.value(0).durations, expected);

    const Run us =
        runCli({QStringLiteral("hash"), QStringLiteral("--us"), QStringLiteral("--kind"), kindText},
               micros.join(QLatin1Char(' ')).toUtf8() + '\n');
    const Run units = runCli({QStringLiteral("hash"), QStringLiteral("--kind"), kindText}, lineOf(received));
    QCOMPARE(us.exitCode, 0);
    QCOMPARE(us.lines.size(), 1);
    QCOMPARE(us.lines, units.lines);
}

void TestCliHash::mode2GivesTheSameBursts() {
    const auto frame = pulseDistanceFrame({0x20, 0xDF, 0x10, 0xEF});
    const auto plain = plainBurst(0x0F0F0F0u);
    // Movrik units written as microseconds that round back to them.
    const auto toMode2 = [](const std::vector<std::int32_t>& d) {
        QByteArray out;
        for (std::size_t i = 0; i < d.size(); ++i) {
            const qint64 us = qRound64(d[i] * 21.33333);
            out += (i % 2 == 0 ? "pulse " : "space ") + QByteArray::number(us) + '\n';
        }
        return out;
    };
    const QByteArray input = "# recorded\n" + toMode2(frame) + "space 45000\n" + toMode2(plain) +
                             "timeout 1000\n" + "pulse 560\nspace 560\npulse 560\n";
    const Run m2 = runCli({QStringLiteral("hash"), QStringLiteral("--mode2")}, input);
    const Run units = runCli({QStringLiteral("hash")}, lineOf(frame) + lineOf(plain) + "26 26 26\n");
    QCOMPARE(m2.exitCode, 0);
    QCOMPARE(m2.err, QString());
    QCOMPARE(m2.lines.size(), 3);
    QCOMPARE(m2.lines, units.lines);
}

void TestCliHash::badLineIsReportedWithItsNumber() {
    const Run r =
        runCli({QStringLiteral("hash")}, "# c\n300 150 30\n300 x 30\n\n-5 10\n" +
                                             lineOf(std::vector<std::int32_t>(256, 30)) + "422 211 26\n");
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.lines.size(), 2);
    QVERIFY2(r.err.contains(QStringLiteral("line 3: \"x\"")), qPrintable(r.err));
    QVERIFY2(r.err.contains(QStringLiteral("line 5: \"-5\"")), qPrintable(r.err));
    QVERIFY2(r.err.contains(QStringLiteral("line 6: a burst holds at most 255 durations")),
             qPrintable(r.err));
    QCOMPARE(r.err.count(QLatin1Char('\n')), 3);

    const Run m2 =
        runCli({QStringLiteral("hash"), QStringLiteral("--mode2")}, "pulse 500\nspace\nhello 3\npulse 500\n");
    QCOMPARE(m2.exitCode, 1);
    QVERIFY(m2.err.contains(QStringLiteral("line 2:")));
    QVERIFY(m2.err.contains(QStringLiteral("line 3:")));
    QCOMPARE(m2.lines.size(), 1);
    QCOMPARE(parse(m2.lines[0]).value(QStringLiteral("n")).toInt(), 1); // joined pulses
}

void TestCliHash::errorLinesQuoteTheToken() {
    const Run r = runCli({QStringLiteral("hash")}, "300 99999999999 30\n300 a\x01\"b 30\n300 16777216 30\n");
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.err,
             QStringLiteral("ravlin-cli hash: line 1: \"99999999999\" is too large (at most 16777215)\n"
                            "ravlin-cli hash: line 2: \"a\\x01\\\"b\" is not a whole number of units\n"
                            "ravlin-cli hash: line 3: \"16777216\" is too large (at most 16777215)\n"));
    const Run m2 =
        runCli({QStringLiteral("hash"), QStringLiteral("--mode2")}, "pulse 99999999999\npulse 5\x7f\n");
    QVERIFY2(m2.err.contains(QStringLiteral("line 1: \"99999999999\" is too large")), qPrintable(m2.err));
    QVERIFY2(m2.err.contains(QStringLiteral("line 2: \"5\\x7F\" is not a whole number")), qPrintable(m2.err));
}

namespace {
QByteArray mode2Text(const std::vector<std::uint32_t>& micros) {
    QByteArray out;
    for (std::size_t i = 0; i < micros.size(); ++i)
        out += (i % 2 == 0 ? "pulse " : "space ") + QByteArray::number(micros[i]) + '\n';
    return out;
}
} // namespace

void TestCliHash::heldSonyButtonFramesApart() {
    // Sony 20-bit frames starting 45 ms apart; all ones leaves the shortest gap, 6.6 ms.
    std::vector<std::uint32_t> frame = {2400};
    for (int bit = 0; bit < 20; ++bit) {
        frame.push_back(600);
        frame.push_back(1200);
    }
    const std::uint32_t length = std::accumulate(frame.begin(), frame.end(), 0u);
    QByteArray input;
    for (int i = 0; i < 3; ++i)
        input += mode2Text(frame) + "space " + QByteArray::number(45000 - length) + '\n';
    const Run r = runCli({QStringLiteral("hash"), QStringLiteral("--mode2")}, input);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.lines.size(), 3);
    for (const QString& line : r.lines) {
        const QJsonObject o = parse(line);
        QCOMPARE(o.value(QStringLiteral("n")).toInt(), 41);
        QCOMPARE(o.value(QStringLiteral("decoder")).toObject().value(QStringLiteral("vars")).toString(),
                 QStringLiteral("Sony"));
    }
    const Run glued = runCli(
        {QStringLiteral("hash"), QStringLiteral("--mode2"), QStringLiteral("--gap"), QStringLiteral("30")},
        input);
    QCOMPARE(glued.lines.size(), 1);
    QCOMPARE(parse(glued.lines[0]).value(QStringLiteral("n")).toInt(), 3 * 41 + 2);
    const Run bad = runCli({QStringLiteral("hash"), QStringLiteral("--gap"), QStringLiteral("0")}, {});
    QCOMPARE(bad.exitCode, 2);
    QVERIFY(bad.err.contains(QStringLiteral("--gap")));
}

void TestCliHash::longMode2BurstIsCutWithAWarning() {
    const Run r = runCli({QStringLiteral("hash"), QStringLiteral("--mode2")},
                         mode2Text(std::vector<std::uint32_t>(301, 500)) + "timeout\n");
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.lines.size(), 1);
    QCOMPARE(parse(r.lines[0]).value(QStringLiteral("n")).toInt(), 255);
    QCOMPARE(r.err,
             QStringLiteral("ravlin-cli hash: line 302: warning: a burst of 301 durations was cut to 255 "
                            "after its last whole mark\n"));
}

void TestCliHash::options() {
    const auto plain = plainBurst(0x2468ACEu);
    const Run r = runCli({QStringLiteral("hash"), QStringLiteral("--source"), QStringLiteral("m96"),
                          QStringLiteral("--threshold"), QStringLiteral("2A")},
                         lineOf(plain));
    const QJsonObject o = parse(r.lines.value(0));
    QCOMPARE(o.value(QStringLiteral("selection")).toString(), QStringLiteral("N/A"));
    QVERIFY(o.value(QStringLiteral("ver1")).isNull());
    QCOMPARE(o.value(QStringLiteral("threshold")).toInt(), 0x2A);
    QCOMPARE(o.value(QStringLiteral("porog")).toString(), QStringLiteral("2A"));
    // Read as the window reads "Порог": a lower-case letter is digit -1, so "2a" is 2 * 16 - 1.
    const Run lower = runCli({QStringLiteral("hash"), QStringLiteral("--source"), QStringLiteral("m96"),
                              QStringLiteral("--threshold"), QStringLiteral("2a")},
                             lineOf(plain));
    QCOMPARE(parse(lower.lines.value(0)).value(QStringLiteral("threshold")).toInt(), 31);

    const Run x = runCli({QStringLiteral("hash"), QStringLiteral("--xbit"), QStringLiteral("--no-ver1")},
                         lineOf(plain));
    const QJsonObject xo = parse(x.lines.value(0));
    const HashResult xr = HashXbit(plain);
    QCOMPARE(xo.value(QStringLiteral("hashXbit")).toObject().value(QStringLiteral("text")).toString(),
             hashText(xr.record));
    QCOMPARE(xo.value(QStringLiteral("selection")).toString(), QStringLiteral("00") + hashText(xr.record));

    // The optional sub-decoders only when asked for: an RC6 frame is a plain hash without them.
    const SignalGenerator::Micros rc6 = *SignalGenerator::encode(SignalGenerator::Protocol::RC6, 0x00, 0x0C);
    QStringList rc6Line;
    for (std::uint32_t us : rc6)
        rc6Line << QString::number(us);
    const QByteArray rc6Input = rc6Line.join(u' ').toLatin1() + '\n';
    const Run plainRc6 = runCli({QStringLiteral("hash"), QStringLiteral("--us")}, rc6Input);
    QVERIFY(parse(plainRc6.lines.value(0)).value(QStringLiteral("decoder")).isNull());
    const Run ticked = runCli({QStringLiteral("hash"), QStringLiteral("--us"), QStringLiteral("--decoders"),
                               QStringLiteral("+rc6,+rc5x")},
                              rc6Input);
    const QJsonObject decoded = parse(ticked.lines.value(0)).value(QStringLiteral("decoder")).toObject();
    QCOMPARE(decoded.value(QStringLiteral("result")).toInt(), 21);
    QCOMPARE(decoded.value(QStringLiteral("hash")).toString(), QStringLiteral("R60C00"));
    const Run badList =
        runCli({QStringLiteral("hash"), QStringLiteral("--decoders"), QStringLiteral("rc6")}, {});
    QCOMPARE(badList.exitCode, 2);
    QVERIFY(badList.err.contains(QStringLiteral("--decoders")));

    const Run bad = runCli({QStringLiteral("hash"), QStringLiteral("--source"), QStringLiteral("none")}, {});
    QCOMPARE(bad.exitCode, 2);
    QVERIFY(bad.err.contains(QStringLiteral("unknown source")));
    const Run missing = runCli({QStringLiteral("hash"), QStringLiteral("/nonexistent/bursts.txt")}, {});
    QCOMPARE(missing.exitCode, 2);
    QVERIFY(missing.err.contains(QStringLiteral("/nonexistent/bursts.txt")));
}

// The command line's rules: the first refusal in the order given, a value after "=" or as the next
// argument, the last of a repeated option kept. "result" is the usage error, or the kind when accepted.
void TestCliHash::commandLine_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("result");
    QTest::newRow("value after =") << QStringList{"--kind=USBtiny"} << "USBtiny";
    QTest::newRow("last one kept") << QStringList{"--kind", "USBtiny", "--kind", "movrik"} << "Movrik";
    QTest::newRow("value missing") << QStringList{"--us", "--source"} << "--source needs a value";
    QTest::newRow("empty value") << QStringList{"--source", ""}
                                 << "unknown source \"\" (1b+M96, 1bit, xbit, m96, m96na)";
    QTest::newRow("missing, rule's own")
        << QStringList{"--threshold"} << "--threshold needs a hexadecimal number";
    QTest::newRow("first refusal") << QStringList{"--kind", "x", "--gap", "0"}
                                   << "--kind needs one of IgorPlug-USB, IgorPlug-UDP, Movrik, USBtiny";
    QTest::newRow("unknown option") << QStringList{"--us", "--frob=1"} << "unknown option --frob=1";
    QTest::newRow("switch with value") << QStringList{"--xbit=1"} << "unknown option --xbit=1";
    QTest::newRow("two inputs") << QStringList{"a", "b"} << "only one input file may be given";
}

void TestCliHash::commandLine() {
    QFETCH(QStringList, args);
    QFETCH(QString, result);
    QString error;
    const auto options = parseHashOptions(args, &error);
    QCOMPARE(options ? ReceiverKinds::text(options->kind) : error, result);
}

void TestCliHash::usage() {
    const Run r = runCli({QStringLiteral("--help")}, {});
    QCOMPARE(r.exitCode, 0);
    const QString text = r.lines.join(QLatin1Char('\n'));
    for (const char* option :
         {"--source", "--xbit", "--no-ver1", "--threshold", "--kind", "--us", "--mode2", "--gap"})
        QVERIFY2(text.contains(QLatin1String(option)), option);
}

void TestCliHash::firstBurstIsPrintedBeforeTheInputEnds() {
    for (const QStringList& args : {QStringList{QStringLiteral("hash"), QStringLiteral("--mode2")},
                                    QStringList{QStringLiteral("hash")}}) {
        const bool mode2 = args.size() == 2;
        QProcess p;
        p.start(QStringLiteral(RAVLIN_CLI), args);
        QVERIFY(p.waitForStarted());
        p.write(mode2 ? "pulse 9000\nspace 4500\npulse 560\ntimeout 1\n" : "422 211 26\n");
        // The input stays open: the line must come now, not at its end.
        QVERIFY2(p.waitForReadyRead(10000), qPrintable(args.join(QLatin1Char(' '))));
        QCOMPARE(parse(QString::fromUtf8(p.readLine())).value(QStringLiteral("n")).toInt(), 3);
        p.write(mode2 ? "pulse 560\n" : "26\n");
        p.closeWriteChannel();
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(QString::fromUtf8(p.readAll()).count(QLatin1Char('\n')), 1);
        QCOMPARE(p.exitCode(), 0);
    }
}

void TestCliHash::formatOptionAndContentGiveTheSameBursts() {
    const QByteArray samples = mode2Text(SignalGenerator::nec(0x04, 0x08)) + "timeout\n" +
                               mode2Text(SignalGenerator::sony12(0x15, 1));
    const Run m2 = runCli({QStringLiteral("hash"), QStringLiteral("--mode2")}, samples);
    QCOMPARE(m2.lines.size(), 2);
    const Run named =
        runCli({QStringLiteral("hash"), QStringLiteral("--format"), QStringLiteral("mode2")}, samples);
    QCOMPARE(named.lines, m2.lines);
    // A first line that is no sample: the whole input is read and told apart by its content.
    const Run detected = runCli({QStringLiteral("hash")}, "Using driver default on /dev/lirc0\n" + samples);
    QCOMPARE(detected.lines, m2.lines);
    const Run bad = runCli({QStringLiteral("hash"), QStringLiteral("--format"), QStringLiteral("wav")}, {});
    QCOMPARE(bad.exitCode, 2);
    QVERIFY(bad.err.contains(QStringLiteral("--format")));
}

void TestCliHash::namedSignalsCarryNameAndSource() {
    HashOptions o;
    o.input = QStringLiteral("tv.ir");
    QString text;
    QTextStream out(&text);
    const auto nec = SignalGenerator::inUnits(SignalGenerator::nec(0x04, 0x08));
    writeHashLines({Burst{QVector<int>(nec.begin(), nec.end()), QStringLiteral("Po\"wer"), 7},
                    Burst{QVector<int>(nec.begin(), nec.end()), QString(), 9}},
                   o, out);
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(keysInOrder(lines[0]).mid(0, 4),
             (QStringList{QStringLiteral("n"), QStringLiteral("name"), QStringLiteral("source"),
                          QStringLiteral("decoder")}));
    QCOMPARE(parse(lines[0]).value(QStringLiteral("name")).toString(), QStringLiteral("Po\"wer"));
    QCOMPARE(parse(lines[0]).value(QStringLiteral("source")).toString(), QStringLiteral("tv.ir:7"));
    QVERIFY(!parse(lines[1]).contains(QStringLiteral("name")));
}

void TestCliHash::wholeInputIsBounded() {
    QByteArray big = "Filetype: IR signals file\n";
    big += QByteArray(int(kWholeInputLimit), '#');
    const Run r = runCli({QStringLiteral("hash")}, big);
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains(QStringLiteral("larger than 16 MiB")), qPrintable(r.err));
}

void TestCliHash::specialInputFiles() {
    // A pipe named as input is refused without waiting for a writer, and so is a device.
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("in.txt"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& input : {fifo, QStringLiteral("/dev/zero")}) {
        const Run r = runCli({QStringLiteral("hash"), input}, QByteArray());
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(QStringLiteral("не обычный файл")), qPrintable(r.err));
    }
}

QTEST_GUILESS_MAIN(TestCliHash)
#include "test_hash.moc"
