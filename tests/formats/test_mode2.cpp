#include "formats/core/mode2.h"

#include <QtTest>

using namespace ravlin;
using Micros = std::vector<std::uint32_t>;
using Samples = std::vector<Mode2Sample>;

namespace {

Mode2Sample pulse(std::uint32_t us) {
    return {Mode2Sample::Type::Pulse, us};
}
Mode2Sample space(std::uint32_t us) {
    return {Mode2Sample::Type::Space, us};
}
Mode2Sample timeout(std::uint32_t us) {
    return {Mode2Sample::Type::Timeout, us};
}

} // namespace

class TestMode2 : public QObject {
    Q_OBJECT

private slots:
    void words() {
        QCOMPARE(decodeMode2Word(0x01000229u), pulse(553));
        QCOMPARE(decodeMode2Word(0x000006A4u), space(1700));
        QCOMPARE(decodeMode2Word(0x03007530u), timeout(30000));
        QCOMPARE(decodeMode2Word(0x02009470u).type, Mode2Sample::Type::Frequency);
        QCOMPARE(decodeMode2Word(0x7F000001u).type, Mode2Sample::Type::Unknown);
        QCOMPARE(encodeMode2Word(pulse(0x12345678)), 0x01FFFFFFu);
    }

    void framing() {
        const Samples samples{space(100000),  pulse(9000),  space(4500),  pulse(560), space(560),
                              pulse(560),     space(40000), pulse(900),   space(900), pulse(900),
                              timeout(20000), space(5000),  pulse(300),   pulse(200), space(100),
                              space(50),      pulse(700),   space(30000), pulse(1)};
        const auto bursts = frameMode2(samples);
        QCOMPARE(bursts.size(), std::size_t(4));
        QCOMPARE(bursts[0], Micros({9000, 4500, 560, 560, 560}));
        QCOMPARE(bursts[1], Micros({900, 900, 900}));
        // Repeated samples of one type are joined; the idle space before is ignored.
        QCOMPARE(bursts[2], Micros({500, 150, 700}));
        QCOMPARE(bursts[3], Micros({1}));
    }

    void framingGapBuiltFromSpaces() {
        Mode2Framer f;
        QVERIFY(!f.feed(pulse(500)));
        QVERIFY(!f.feed(space(4000)));
        auto b = f.feed(space(2000));
        QVERIFY(b);
        QCOMPARE(*b, Micros({500}));
        QVERIFY(!f.inBurst());
        QVERIFY(!f.flush());
    }

    void framingGap_data() {
        QTest::addColumn<QString>("gap"); // as given after "gap=" or to --gap; empty: the default
        QTest::addColumn<std::uint32_t>("between");
        QTest::addColumn<int>("bursts");
        QTest::newRow("4.5 ms leader space stays inside") << QString() << 4500u << 1;
        QTest::newRow("5.999 ms stays inside") << QString() << 5999u << 1;
        QTest::newRow("6 ms ends the burst") << QString() << 6000u << 2;
        QTest::newRow("Sony frame gap 6.6 ms ends it") << QString() << 6600u << 2;
        QTest::newRow("gap=30 glues Sony frames") << "30" << 6600u << 1;
        QTest::newRow("gap=2.5 splits at a leader") << "2.5" << 4500u << 2;
    }
    void framingGap() {
        QFETCH(QString, gap);
        QFETCH(std::uint32_t, between);
        QFETCH(int, bursts);
        const std::uint32_t gapMicros = gap.isEmpty() ? kBurstGapMicros : parseGapMs(gap).value_or(0);
        QCOMPARE(frameMode2({pulse(560), space(between), pulse(560)}, gapMicros).size(), std::size_t(bursts));
    }

    void ignoresFrequencyAndUnknown() {
        const auto bursts = frameMode2({{Mode2Sample::Type::Frequency, 38000},
                                        pulse(10),
                                        {Mode2Sample::Type::Unknown, 5},
                                        space(20),
                                        pulse(30),
                                        space(40)});
        QCOMPARE(bursts.size(), std::size_t(1));
        QCOMPARE(bursts[0], Micros({10, 20, 30}));
    }

    // Text: bursts with their last line, bad lines reported and skipped, written text read back.
    void textReadAndWritten() {
        const QString text = QStringLiteral("# recorded\r\n"
                                            "space 100000\n"
                                            "pulse 9000\n"
                                            "space 4500\n"
                                            "pulse 560\n"
                                            "pulse\n"
                                            "space 40000\n"
                                            "PULSE 900\n"
                                            "blip 3\n"
                                            "space 16777216\n"
                                            "frequency 38000\n"
                                            "space 900\n"
                                            "pulse 900\n");
        const ReadResult r = readMode2Text(text);
        QCOMPARE(r.bursts.size(), 2);
        QCOMPARE(r.bursts[0], (Burst{{9000, 4500, 560}, QString(), 7}));
        QCOMPARE(r.bursts[1], (Burst{{900, 900, 900}, QString(), 14}));
        QCOMPARE(r.problems.size(), 3);
        QCOMPARE(r.problems[0].line, 6);
        QCOMPARE(r.problems[1].line, 9);
        QCOMPARE(r.problems[2].line, 10);

        const ReadResult again = readMode2Text(writeMode2Text(r.bursts));
        QVERIFY(again.problems.isEmpty());
        QCOMPARE(again.bursts.size(), r.bursts.size());
        for (int i = 0; i < r.bursts.size(); ++i)
            QCOMPARE(again.bursts[i].durations, r.bursts[i].durations);
    }

    // One line between "pulse 10" and "pulse 30": plain ASCII lines and lines with other blanks,
    // case or digits read alike, and every line that is no sample is one problem on its line.
    void lineForms_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("bursts"); // durations joined by ",", bursts by "|"
        QTest::addColumn<bool>("problem");
        const auto row = [](const char* name, const QString& line, const char* bursts, bool problem) {
            QTest::newRow(name) << line << QString::fromLatin1(bursts) << problem;
        };
        row("space", "space 700", "10,700,30", false);
        row("blanks, case, zeros", "  SPACE\t0000700  ", "10,700,30", false);
        row("many leading zeros", "space 00000000000700", "10,700,30", false);
        row("em space before", QStringLiteral("\u2003space 700"), "10,700,30", false);
        row("pulse joins", "Pulse 5", "45", false);
        row("gap", "space 16777215", "10|30", false);
        row("timeout", "timeout", "10|30", false);
        row("timeout with value", "TIMEOUT 99", "10|30", false);
        row("frequency", "frequency 38000", "40", false);
        row("comment", "# space 700", "40", false);
        row("empty", "", "40", false);
        row("past 24 bits", "space 16777216", "40", true);
        row("nine digits", "space 123456789", "40", true);
        row("no value", "space", "40", true);
        row("two values", "space 7 8", "40", true);
        row("fraction", "space 7.5", "40", true);
        row("sign", "space +7", "40", true);
        row("wide digit", QStringLiteral("space \uFF17"), "40", true);
        row("other word", QStringLiteral("spac\u00E9 7"), "40", true);
        row("long word", "frequencyx 7", "40", true);
    }
    void lineForms() {
        QFETCH(QString, line);
        QFETCH(QString, bursts);
        QFETCH(bool, problem);
        const ReadResult r =
            readMode2Text(QStringLiteral("pulse 10\r\n") + line + QStringLiteral("\npulse 30"));
        QStringList got;
        for (const Burst& b : r.bursts) {
            QStringList d;
            for (int us : b.durations)
                d << QString::number(us);
            got << d.join(u',');
        }
        QCOMPARE(got.join(u'|'), bursts);
        QCOMPARE(r.problems.size(), problem ? 1 : 0);
        if (problem) QCOMPARE(r.problems[0].line, 2);
        QCOMPARE(r.bursts.last().line, 3);
    }
};

QTEST_GUILESS_MAIN(TestMode2)
#include "test_mode2.moc"
