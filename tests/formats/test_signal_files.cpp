#include "formats/core/signal_files.h"
#include "formats/core/signal_generator.h"

#include <QFile>
#include <QtTest>

using namespace ravlin;

namespace {

QString sample(const QString& name) {
    QFile f(QStringLiteral(RAVLIN_TEST_DATA "/formats/") + name);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QVector<int> durations(const SignalGenerator::Micros& m) {
    return QVector<int>(m.begin(), m.end());
}

QVector<int> encoded(SignalGenerator::Protocol p, std::uint32_t address, std::uint32_t command) {
    return durations(*SignalGenerator::encode(p, address, command));
}

QStringList namesOf(const ReadResult& r) {
    QStringList names;
    for (const Burst& b : r.bursts)
        names << b.name;
    return names;
}

QList<int> problemLines(const ReadResult& r) {
    QList<int> lines;
    for (const Problem& p : r.problems)
        lines << p.line;
    return lines;
}

// Every duration of `b` within `tolerance` of `a`'s.
bool near(const QVector<int>& a, const QVector<int>& b, int tolerance) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (std::abs(a[i] - b[i]) > tolerance) return false;
    return true;
}

constexpr int kProntoPeriod = 27; // one carrier period of the written 38 kHz, rounded up

} // namespace

class TestSignalFiles : public QObject {
    Q_OBJECT

private slots:
    void detection_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("format");
        QTest::newRow("flipper") << sample(QStringLiteral("remote.ir")) << "flipper";
        QTest::newRow("lircd") << sample(QStringLiteral("remote.lircd.conf")) << "lircd";
        QTest::newRow("pronto") << sample(QStringLiteral("remote.pronto")) << "pronto";
        QTest::newRow("mode2") << sample(QStringLiteral("remote.mode2")) << "mode2";
        QTest::newRow("flipper, comments before the header")
            << sample(QStringLiteral("collection/TVs/LG/LG_AKB.ir")) << "flipper";
        QTest::newRow("lircd, CR LF")
            << sample(QStringLiteral("collection/lirc/LG_AKB72915207.lircd.conf")) << "lircd";
        QTest::newRow("pronto after a title")
            << sample(QStringLiteral("collection/pronto/lg_forum.txt")) << "pronto";
        QTest::newRow("pronto 5000 form") << "5000 0073 0000 0001 0005 000C\n"
                                          << "pronto";
        QTest::newRow("plain numbers") << "9000 4500 560 560\n"
                                       << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("flipper header not first") << "name: x\nFiletype: IR signals file\n"
                                                  << "";
    }

    void detection() {
        QFETCH(QString, text);
        QFETCH(QString, format);
        const auto detected = detectSignalFormat(text);
        QCOMPARE(detected ? signalFormatName(*detected) : QString(), format);
        if (detected) QCOMPARE(signalFormatFromName(format), detected);
    }

    // The same buttons of one remote, written in four formats, give the same frames.
    void samplesAgree() {
        const QVector<int> power = encoded(SignalGenerator::Protocol::NEC, 0x04, 0x08);
        const QVector<int> volUp = encoded(SignalGenerator::Protocol::NEC, 0x04, 0x02);
        const QVector<int> repeat = durations(SignalGenerator::necRepeat());

        const ReadResult ir = readSignals(sample(QStringLiteral("remote.ir")), SignalFormat::Flipper);
        QVERIFY2(ir.problems.isEmpty(), qPrintable(ir.problems.value(0).message()));
        QCOMPARE(namesOf(ir), QStringList({"Power", "Power_learned", "Vol_up_held", "Vol_up_held",
                                           "Vol_up_held", "Vol_up_held", "Mute", "Play", "Stop"}));
        QCOMPARE(ir.bursts[0].durations, power); // parsed NEC 04/08 equals its learned raw form
        QCOMPARE(ir.bursts[1].durations, power);
        QCOMPARE(ir.bursts[0].line, 8);
        QCOMPARE(ir.bursts[2].durations, volUp); // a held button: the frame, then three repeat frames
        QCOMPARE(ir.bursts[3].durations, repeat);
        QCOMPARE(ir.bursts[5].durations, repeat);
        QCOMPARE(ir.bursts[6].durations, encoded(SignalGenerator::Protocol::NECext, 0xEF00, 0xF40B));
        QCOMPARE(ir.bursts[7].durations, durations(SignalGenerator::rc5(false, 0x05, 0x35)));
        QCOMPARE(ir.bursts[8].durations, durations(SignalGenerator::sony12(0x15, 0x01)));

        const ReadResult lirc = readSignals(sample(QStringLiteral("remote.lircd.conf")), SignalFormat::Lircd);
        QVERIFY2(lirc.problems.isEmpty(), qPrintable(lirc.problems.value(0).message()));
        QCOMPARE(namesOf(lirc),
                 QStringList({"KEY_POWER", "KEY_VOLUMEUP", "KEY_PLAY", "KEY_STOP", "KEY_POWER"}));
        QCOMPARE(lirc.bursts[0].durations, power);
        QCOMPARE(lirc.bursts[1].durations, volUp);
        QCOMPARE(lirc.bursts[2].durations, durations(SignalGenerator::rc5(false, 0x05, 0x35)));
        QCOMPARE(lirc.bursts[3].durations, durations(SignalGenerator::rc5(false, 0x05, 0x36)));
        QCOMPARE(lirc.bursts[4].durations, power);

        const ReadResult pronto = readSignals(sample(QStringLiteral("remote.pronto")), SignalFormat::Pronto);
        QVERIFY2(pronto.problems.isEmpty(), qPrintable(pronto.problems.value(0).message()));
        QCOMPARE(namesOf(pronto), QStringList({"Power", "Power", "Vol_up"}));
        QVERIFY(near(pronto.bursts[0].durations, power, kProntoPeriod));
        QVERIFY(near(pronto.bursts[1].durations, repeat, kProntoPeriod));
        QVERIFY(near(pronto.bursts[2].durations, volUp, kProntoPeriod));

        const ReadResult mode2 = readSignals(sample(QStringLiteral("remote.mode2")), SignalFormat::Mode2);
        QCOMPARE(mode2.bursts.size(), 4);
        QCOMPARE(mode2.bursts[0].durations, volUp);
    }

    // Files as their users write them (comments, odd spacing, CR LF) read without a problem line:
    // a Flipper file with comments before its header, lircd.conf with comments after codes,
    // "repeat_bit" and lower-case flags, Pronto codes ending in a 0000 lead-out.
    void usersFiles_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<int>>("warnings");
        QTest::newRow("flipper") << "collection/TVs/LG/LG_AKB.ir"
                                 << QStringList{"Power", "POWER", "POWER", "POWER", "Key_1", "Vol_up", "Play"}
                                 << QList<int>{};
        QTest::newRow("lircd") << "collection/lirc/LG_AKB72915207.lircd.conf"
                               << QStringList{"KEY_POWER", "KEY_1", "KEY_VOLUMEUP", "KEY_PLAY", "KEY_STOP"}
                               << QList<int>{52}; // "repeat_bit 2": read with the toggle bit as it stands
        QTest::newRow("pronto") << "collection/pronto/lg_forum.txt" << QStringList{"Power", "1"}
                                << QList<int>{};
    }
    void usersFiles() {
        QFETCH(QString, file);
        QFETCH(QStringList, names);
        QFETCH(QList<int>, warnings);
        const QString text = sample(file);
        const ReadResult r = readSignals(text, *detectSignalFormat(text));
        QVERIFY2(r.problems.isEmpty(), qPrintable(r.problems.value(0).message()));
        QCOMPARE(namesOf(r), names);
        QList<int> warned;
        for (const Problem& w : r.warnings)
            warned << w.line;
        QCOMPARE(warned, warnings);
        QVERIFY(
            near(r.bursts[0].durations, encoded(SignalGenerator::Protocol::NEC, 0x04, 0x08), kProntoPeriod));
        QVERIFY(near(r.bursts.last().durations,
                     names.last() == QLatin1String("1") ? encoded(SignalGenerator::Protocol::NEC, 0x04, 0x11)
                     : names.last() == QLatin1String("Play")
                         ? durations(SignalGenerator::rc5(false, 0x05, 0x35))
                         : durations(SignalGenerator::rc5(false, 0x05, 0x36)),
                     kProntoPeriod));
    }

    void coded_lircd_rc6() {
        // RC6 mode 0 as LIRC describes it: the complement of the bits, the toggle bit twice as wide.
        const QString text = QStringLiteral("begin remote\n name R\n bits 16\n flags RC6\n header 2666 889\n"
                                            " one 444 444\n zero 444 444\n pre_data_bits 5\n pre_data 0x0F\n"
                                            " begin codes\n  OK 0xF3D5\n end codes\nend remote\n");
        const ReadResult r = readSignals(text, SignalFormat::Lircd);
        QVERIFY(r.problems.isEmpty());
        QCOMPARE(r.bursts.size(), 1);
        QCOMPARE(r.bursts[0].durations, encoded(SignalGenerator::Protocol::RC6, 0x0C, 0x2A));
    }

    // Pronto codes copied with their words wrapped over lines read as on one line; a code cut short
    // does not take the next code's words.
    void prontoWrapped() {
        const QString oneLine = sample(QStringLiteral("remote.pronto"));
        const ReadResult whole = readSignals(oneLine, SignalFormat::Pronto);
        QString wrapped;
        for (const QString& line : oneLine.split(QLatin1Char('\n'))) {
            if (line.startsWith(QLatin1Char('#'))) continue;
            const QStringList words = line.split(QLatin1Char(' '));
            for (int k = 0; k < words.size(); k += 7)
                wrapped += words.mid(k, 7).join(QLatin1Char(' ')) + QLatin1Char('\n');
        }
        const ReadResult r = readSignals(wrapped, SignalFormat::Pronto);
        QVERIFY2(r.problems.isEmpty(), qPrintable(r.problems.value(0).message()));
        QCOMPARE(namesOf(r), namesOf(whole));
        for (int i = 0; i < r.bursts.size(); ++i)
            QCOMPARE(r.bursts[i].durations, whole.bursts[i].durations);

        const ReadResult cut = readSignals(QStringLiteral("a: 0000 006D 0002 0000 0010 0010\n"
                                                          "0000 006D 0001 0000 0010 0010\n"),
                                           SignalFormat::Pronto);
        QCOMPARE(cut.problems.size(), 1);
        QCOMPARE(cut.problems[0].line, 1);
        QCOMPARE(cut.bursts.size(), 1);
        QCOMPARE(cut.bursts[0].line, 2);
    }

    void roundTrip_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<int>("tolerance");
        QTest::addColumn<bool>("parsed"); // Flipper: NEC and RC6 written as parsed signals
        QTest::newRow("flipper") << "flipper" << 0 << false;
        QTest::newRow("flipper, parsed") << "flipper" << 0 << true;
        QTest::newRow("lircd") << "lircd" << 0 << false;
        QTest::newRow("mode2") << "mode2" << 0 << false;
        QTest::newRow("pronto") << "pronto" << kProntoPeriod << false;
    }

    void roundTrip() {
        QFETCH(QString, format);
        QFETCH(int, tolerance);
        QFETCH(bool, parsed);
        const SignalFormat f = *signalFormatFromName(format);
        QVector<int> odd{1, 7, 3, 5000, 16, 5999, 254};
        QVector<int> longFrame;
        for (int i = 0; i < 255; ++i)
            longFrame << 300 + i;
        const QVector<Burst> bursts{{encoded(SignalGenerator::Protocol::NEC, 0x04, 0x08), "Key 1", 0},
                                    {encoded(SignalGenerator::Protocol::RC6, 0x0C, 0x2A), "", 0},
                                    {odd, "Two\nlines: #1", 0},
                                    {longFrame, "Long", 0}};
        const QString text = writeSignals(bursts, f, QStringLiteral("My remote"), {parsed});
        QCOMPARE(parsedSignalCount(text), parsed ? 2 : 0);
        const ReadResult r = readSignals(text, f);
        QVERIFY2(r.problems.isEmpty(), qPrintable(r.problems.value(0).message()));
        QVERIFY(r.warnings.isEmpty());
        QCOMPARE(r.bursts.size(), bursts.size());
        for (qsizetype i = 0; i < bursts.size(); ++i)
            QVERIFY2(near(r.bursts[i].durations, bursts[i].durations, tolerance),
                     qPrintable(QString::number(i)));
        const QStringList expected =
            f == SignalFormat::Lircd   ? QStringList({"Key_1", "Signal_2", "Two_lines:_#1", "Long"})
            : f == SignalFormat::Mode2 ? QStringList({"Key 1", "", "Two lines: #1", "Long"})
                                       : QStringList({"Key 1", "Signal 2", "Two lines: #1", "Long"});
        QCOMPARE(namesOf(r), expected);
    }

    void framing() {
        // A frame of 301 durations, a long space, then a short frame; the gap option moves the split.
        std::vector<std::uint32_t> micros(301, 500);
        micros.insert(micros.end(), {7000, 900, 450, 900, 8000});
        ReadResult r;
        appendSignalFrames(micros, QStringLiteral("A"), 3, kBurstGapMicros, r);
        QCOMPARE(r.bursts.size(), 2);
        QCOMPARE(r.bursts[0].durations.size(), 255);
        QCOMPARE(r.bursts[1].durations, QVector<int>({900, 450, 900}));
        QCOMPARE(r.warnings.size(), 1);
        QCOMPARE(r.warnings[0].line, 3);
        ReadResult wide;
        appendSignalFrames({9000, 4500, 560, 7000, 560}, QString(), 1, 7500, wide);
        QCOMPARE(wide.bursts.size(), 1);
        QCOMPARE(wide.bursts[0].durations.size(), 5);
        // A 10 MB line is read in one pass: one frame, cut, with one warning.
        const QString line = QStringLiteral(" 560").repeated(2'500'000);
        const QVector<QPair<SignalFormat, QString>> huge{
            {SignalFormat::Flipper, "Filetype: IR signals file\nVersion: 1\nname: Big\ntype: raw\n"
                                    "frequency: 38000\nduty_cycle: 0.33\ndata:" +
                                        line + "\n"},
            {SignalFormat::Lircd, "begin remote\n name R\n flags RAW_CODES\n begin raw_codes\n name Big\n" +
                                      line + "\n end raw_codes\nend remote\n"}};
        for (const auto& [format, text] : huge) {
            const ReadResult r = readSignals(text, format);
            QVERIFY(r.problems.isEmpty());
            QCOMPARE(r.bursts.size(), 1);
            QCOMPARE(r.bursts[0].durations.size(), 255);
            QCOMPARE(r.warnings.size(), 1);
        }
    }

    // Each bad input gives problems at the right lines and the good signals around it still read.
    void malformed_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("lines");
        QTest::addColumn<int>("bursts");
        const QString head = QStringLiteral("Filetype: IR signals file\nVersion: 1\n");
        const QString good = QStringLiteral("#\nname: ok\ntype: parsed\nprotocol: NEC\naddress: 04 00 00 00\n"
                                            "command: 08 00 00 00\n");
        QTest::newRow("flipper wrong header")
            << "flipper"
            << "Filetype: Something else\nVersion: 2\n" + good << QList<int>{1, 2} << 1;
        QTest::newRow("flipper no header") << "flipper" << good << QList<int>{2} << 1;
        QTest::newRow("flipper unknown protocol")
            << "flipper"
            << head +
                   "#\nname: a\ntype: parsed\nprotocol: nec\naddress: 04 00 00 00\ncommand: 08 00 00 00\n" +
                   good
            << QList<int>{6} << 1;
        QTest::newRow("flipper bad bytes")
            << "flipper"
            << head + "name: a\ntype: parsed\nprotocol: NEC\naddress: 04 00 00\ncommand: 08 00 00 00\n" + good
            << QList<int>{6} << 1;
        QTest::newRow("flipper too wide")
            << "flipper"
            << head + "name: a\ntype: parsed\nprotocol: RC5\naddress: 20 00 00 00\ncommand: 08 00 00 00\n" +
                   good
            << QList<int>{6} << 1;
        QTest::newRow("flipper missing data") << "flipper"
                                              << head +
                                                     "name: a\ntype: raw\nfrequency: 38000\n"
                                                     "duty_cycle: 0.33\n" +
                                                     good
                                              << QList<int>{3} << 1;
        QTest::newRow("flipper bad durations")
            << "flipper"
            << head + "name: z\ntype: raw\nfrequency: 38000\nduty_cycle: 0.33\ndata: 100 0 100\n"
                      "name: n\ntype: raw\nfrequency: 38000\nduty_cycle: 0.33\ndata: 100 -5 100\n"
                      "name: h\ntype: raw\nfrequency: 38000\nduty_cycle: 0.33\ndata: 100 99999999999 100\n"
                      "name: x\ntype: raw\nfrequency: 38k\nduty_cycle: 0.33\ndata: 100\n"
                      "name: e\ntype: raw\nfrequency: 38000\nduty_cycle: 0.33\ndata: 100 200\n"
            << QList<int>{7, 12, 17, 20} << 1;
        QTest::newRow("flipper comments before the header")
            << "flipper"
            << "# saved by hand\n\n#\n" + head + good << QList<int>{} << 1;
        QTest::newRow("flipper stray lines")
            << "flipper" << head + "type: raw\nfoo\nname: a\nbar: 1\n" + good << QList<int>{3, 4, 5, 6} << 1;
        const QString remote =
            QStringLiteral("begin remote\n name R\n bits 8\n%1 one 560 1690\n zero 560 560\n"
                           " ptrail 560\n begin codes\n  A 0x01%2\n  B 0x1FF\n end codes\nend remote\n");
        QTest::newRow("lircd good") << "lircd" << remote.arg(QString(), QString()) << QList<int>{9} << 1;
        QTest::newRow("lircd unknown flag")
            << "lircd" << remote.arg(" flags SPACE_ENC|XMP\n", QString()) << QList<int>{4} << 0;
        // A toggle bit is a warning: the codes are read as the first press sends them.
        QTest::newRow("lircd toggle mask")
            << "lircd" << remote.arg(" toggle_bit_mask 0x80\n", QString()) << QList<int>{10} << 1;
        QTest::newRow("lircd repeat_bit")
            << "lircd" << remote.arg(" REPEAT_BIT 2  # old name of toggle_bit\n", QString()) << QList<int>{10}
            << 1;
        QTest::newRow("lircd comment after a code")
            << "lircd" << remote.arg(" flags space_enc # lower case\n", "\t# Was: 1") << QList<int>{10} << 1;
        QTest::newRow("lircd second code")
            << "lircd" << remote.arg(QString(), " 0x02") << QList<int>{8, 9} << 1;
        QTest::newRow("lircd include")
            << "lircd"
            << "include \"common.conf\"\n" + remote.arg(QString(), QString()) << QList<int>{1, 10} << 1;
        QTest::newRow("lircd no one")
            << "lircd"
            << "begin remote\n name R\n bits 8\n zero 1 1\n begin codes\n A 1\n end codes\nend remote\n"
            << QList<int>{1} << 0;
        QTest::newRow("lircd raw") << "lircd"
                                   << "junk\nbegin remote\n name R\n flags RAW_CODES\n begin raw_codes\n 5 "
                                      "5\n name A\n 100 200\n 300\n"
                                      " name B\n 100 x\n name C\n 100 200 300 400\n end raw_codes\n"
                                   << QList<int>{1, 6, 11, 15} << 2;
        QTest::newRow("pronto forms") << "pronto"
                                      << "a: 5000 0073 0000 0001 0005 000C\n"
                                         "b: 0000 006D 0000 0002 0010 0010\n"
                                         "c: 0000 006D 0001 0000 0010 001\n"
                                         "d: 0000 0000 0001 0000 0010 0010\n"
                                         "e: 0000 006D 0001 0000 0000 0010\n"
                                         "f: hello\n"
                                         "g: 0000 006D 0001 0000 0010 0100\n"
                                      << QList<int>{1, 2, 3, 4, 5, 6} << 1;
        QTest::newRow("pronto lead-out 0000") << "pronto"
                                              << "a: 0000 006D 0001 0000 0010 0000\n"
                                                 "b: 0000 006D 0001 0001 0010 0000 0020 0000\n"
                                                 "c: 0000 006D 0002 0000 0010 0000 0010 0010\n"
                                              << QList<int>{3} << 3;
        QTest::newRow("mode2 zero") << "mode2"
                                    << "pulse 0\nspace 100\npulse 100\ntimeout\npulse 5\n"
                                    << QList<int>{4} << 1;
    }

    // Damaged copies of the samples (cut short, bytes changed) never crash, and every burst read is
    // a whole one: 1 to 255 durations, all above 0, ending with a mark.
    void damagedSamples() {
        QRandomGenerator random(19);
        for (const char* file : {"remote.ir", "remote.lircd.conf", "remote.pronto", "remote.mode2"}) {
            const QString text = sample(QLatin1String(file));
            const SignalFormat format = *detectSignalFormat(text);
            for (int round = 0; round < 300; ++round) {
                QString damaged = text.left(random.bounded(text.size() + 1));
                for (int k = random.bounded(4); k > 0 && !damaged.isEmpty(); --k)
                    damaged[random.bounded(damaged.size())] = QLatin1Char("0 -:\n#xF9"[random.bounded(9)]);
                const ReadResult r = readSignals(damaged, format);
                for (const Burst& b : r.bursts) {
                    QVERIFY(b.durations.size() % 2 == 1 && b.durations.size() <= 255);
                    QVERIFY(*std::min_element(b.durations.begin(), b.durations.end()) > 0);
                }
                for (const Problem& p : r.problems)
                    QVERIFY(p.line >= 1 && p.line <= damaged.count(QLatin1Char('\n')) + 1);
            }
        }
    }

    void malformed() {
        QFETCH(QString, format);
        QFETCH(QString, text);
        QFETCH(QList<int>, lines);
        QFETCH(int, bursts);
        const ReadResult r = readSignals(text, *signalFormatFromName(format));
        QStringList messages;
        for (const Problem& p : r.problems)
            messages << p.message();
        QVERIFY2(problemLines(r) == lines, qPrintable(messages.join(QStringLiteral(" | "))));
        QCOMPARE(r.bursts.size(), bursts);
    }
};

QTEST_GUILESS_MAIN(TestSignalFiles)
#include "test_signal_files.moc"
