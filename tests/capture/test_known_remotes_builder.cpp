#include "base/core/analogue_base.h"
#include "base/core/hash_sources.h"
#include "capture/core/known_remotes_builder.h"
#include "capture/core/signal_import.h"
#include "fakes/manual_scheduler.h"
#include "fakes/scripted_dialogs.h"
#include "formats/core/signal_generator.h"
#include "platform/core/text_file.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace ravlin;

namespace {
Burst named(const SignalGenerator::Micros& micros, const QString& name) {
    return Burst{QVector<int>(micros.begin(), micros.end()), name, 1};
}
QString hashOf(const SignalGenerator::Micros& micros) {
    return importBursts({named(micros, QStringLiteral("x"))}, QString(), {}).records.front().hash;
}
} // namespace

class TestKnownRemotesBuilder : public QObject {
    Q_OBJECT

private slots:
    void buttonNames_data();
    void buttonNames();
    void roundTripThroughTheWorkbenchReaders();
    void keyLinesStopAt400_data();
    void keyLinesStopAt400();
    void burstsThatTellNoRemoteApart_data();
    void burstsThatTellNoRemoteApart();
    void sourceNames_data();
    void sourceNames();
};

void TestKnownRemotesBuilder::buttonNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("button"); // -1: not one of the base's buttons
    using B = KnownRemotesBuilder::Button;
    const QList<QPair<const char*, int>> rows = {{"Power", int(B::Power)},
                                                 {"POWER", int(B::Power)},
                                                 {"KEY_POWER", int(B::Power)},
                                                 {"pwr", int(B::Power)},
                                                 {"PW", int(B::Power)},
                                                 {"On/Off", int(B::Power)},
                                                 {"Key 1", int(B::Key1)},
                                                 {"Key_1", int(B::Key1)},
                                                 {"KEY_1", int(B::Key1)},
                                                 {"1", int(B::Key1)},
                                                 {"num_1", int(B::Key1)},
                                                 {"KEY_PLAY", int(B::Play)},
                                                 {"Play_Pause", int(B::Play)},
                                                 {"stop", int(B::Stop)},
                                                 {"Key 10", -1},
                                                 {"Power_on", -1},
                                                 {"11", -1},
                                                 {"key", -1},
                                                 {"Stopwatch", -1},
                                                 {"", -1}};
    for (const auto& [name, button] : rows)
        QTest::newRow(*name ? name : "(empty)") << QString::fromUtf8(name) << button;
}

void TestKnownRemotesBuilder::buttonNames() {
    QFETCH(QString, name);
    QFETCH(int, button);
    const auto b = KnownRemotesBuilder::buttonOf(name);
    QCOMPARE(b ? int(*b) : -1, button);
}

// Built, written in cp1251 with CR LF, loaded as the workbench loads BazaDannih.baz: the key lines
// are the entries, and the "Источник" search lists the files of a hash.
void TestKnownRemotesBuilder::roundTripThroughTheWorkbenchReaders() {
    const auto power = SignalGenerator::nec(0x04, 0x08);
    const auto play = SignalGenerator::nec(0x04, 0x30);
    const auto sony = SignalGenerator::sony12(0x15, 0x01);
    KnownRemotesBuilder builder;
    builder.addFile(QStringLiteral("tv1.ir"),
                    {named(play, QStringLiteral("Play")), named(power, QStringLiteral("Power")),
                     named(SignalGenerator::nec(4, 9), QStringLiteral("Mute"))});
    builder.addFile(QStringLiteral("TVs/tv2.ir"),
                    {named(power, QStringLiteral("POWER")), named(power, QStringLiteral("pwr"))});
    builder.addFile(QStringLiteral("Телевизор.ir"),
                    {named(power, QStringLiteral("KEY_POWER")), named(sony, QStringLiteral("KEY_STOP"))});
    QCOMPARE(builder.files(), 3);
    QCOMPARE(builder.buttons(), 6);
    const QStringList lines = builder.lines(QStringLiteral("; built from test files"));
    // The hash in the most files first; then the others in the order first met; a file counts once.
    QCOMPARE(lines, (QStringList{QStringLiteral("; built from test files"), hashOf(power),
                                 QStringLiteral("/tv1.ir/TVs\\tv2.ir/Телевизор.ir"), hashOf(play),
                                 QStringLiteral("/tv1.ir"), hashOf(sony), QStringLiteral("/Телевизор.ir")}));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("BazaDannih.baz"));
    QVERIFY(TextFileWriter::write(path, lines));
    QFile raw(path);
    QVERIFY(raw.open(QIODevice::ReadOnly));
    const QByteArray bytes = raw.readAll();
    QVERIFY(bytes.contains("\r\n/tv1.ir/TVs\\tv2.ir/\xD2\xE5\xEB")); // cp1251 "Тел", CR LF
    QVERIFY(!bytes.contains("\n\n"));

    AnalogueBase analogues;
    QCOMPARE(analogues.load(path), AnalogueBase::LoadResult::Loaded);
    QCOMPARE(analogues.count(), 3);
    QCOMPARE(analogues.indexOf(hashOf(power)), 1);
    QCOMPARE(analogues.indexOf(hashOf(sony)), 3);

    fakes::ScriptedDialogs dialogs;
    fakes::ManualScheduler scheduler;
    NoPolling polling;
    const QString hash = hashOf(power);
    HashSources sources(path, hash, dialogs, scheduler, polling);
    sources.shown();
    scheduler.advance(50);
    QCOMPARE(sources.sources(), (QStringList{QStringLiteral("tv1.ir"), QStringLiteral("TVs\\tv2.ir"),
                                             QStringLiteral("Телевизор.ir")}));
}

void TestKnownRemotesBuilder::keyLinesStopAt400_data() {
    QTest::addColumn<int>("distinct");
    QTest::newRow("400") << 400;
    QTest::newRow("401") << 401;
}

void TestKnownRemotesBuilder::keyLinesStopAt400() {
    QFETCH(int, distinct);
    KnownRemotesBuilder builder;
    // One file holds the last code as well, so it is found in two files and leads.
    const auto code = [](int i) {
        return SignalGenerator::nec(std::uint8_t(i / 256), std::uint8_t(i % 256));
    };
    for (int i = 0; i < distinct; ++i)
        builder.addFile(QStringLiteral("r%1.ir").arg(i), {named(code(i), QStringLiteral("Power"))});
    builder.addFile(QStringLiteral("extra.ir"), {named(code(distinct - 1), QStringLiteral("Stop"))});
    QCOMPARE(builder.hashes(), distinct);
    const QStringList lines = builder.lines(QStringLiteral(";"));
    QCOMPARE(lines.size(), 1 + 2 * 400);
    QCOMPARE(lines.at(1), hashOf(code(distinct - 1)));
    QCOMPARE(lines.at(2), QStringLiteral("/r%1.ir/extra.ir").arg(distinct - 1));
    QCOMPARE(lines.at(3), hashOf(code(0)));
    // The ties keep the order they were met in: with 401 the one met last among them is left out.
    QCOMPARE(lines.at(799), hashOf(code(398)));
    QCOMPARE(lines.contains(hashOf(code(399))), distinct == 400);
}

// A Power signal of each kind, alone in a file: whether it becomes a key, or which count it goes to.
void TestKnownRemotesBuilder::burstsThatTellNoRemoteApart_data() {
    QTest::addColumn<QVector<int>>("micros");
    QTest::addColumn<QString>("outcome"); // "key", "repeat" or "short"
    QTest::newRow("NEC frame") << QVector<int>{named(SignalGenerator::nec(4, 8), {}).durations} << "key";
    QTest::newRow("NEC repeat frame") << named(SignalGenerator::necRepeat(), {}).durations << "repeat";
    QTest::newRow("5 durations, a tail") << QVector<int>{9000, 4500, 560, 2250, 560} << "repeat";
    QTest::newRow("lone mark") << QVector<int>{560} << "short";
    QTest::newRow("6 durations") << QVector<int>{2400, 600, 1200, 600, 600, 600} << "short";
    QTest::newRow("7 durations") << QVector<int>{2400, 600, 1200, 600, 600, 600, 1200} << "key";
}

void TestKnownRemotesBuilder::burstsThatTellNoRemoteApart() {
    QFETCH(QVector<int>, micros);
    QFETCH(QString, outcome);
    KnownRemotesBuilder builder;
    builder.addFile(QStringLiteral("a.ir"), {Burst{micros, QStringLiteral("Power"), 1}});
    QCOMPARE(builder.buttons(), 1);
    QCOMPARE(builder.hashes(), outcome == QLatin1String("key") ? 1 : 0);
    QCOMPARE(builder.repeatFrames(), outcome == QLatin1String("repeat") ? 1 : 0);
    QCOMPARE(builder.shortBursts(), outcome == QLatin1String("short") ? 1 : 0);
}

void TestKnownRemotesBuilder::sourceNames_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("source");
    const QString folders = QStringLiteral("Air_Conditioners/Mitsubishi/");
    QTest::newRow("folders") << "TVs/LG/LG_AKB.ir"
                             << "TVs\\LG\\LG_AKB.ir";
    QTest::newRow("control character") << "TVs/a\tb.ir"
                                       << "TVs\\a?b.ir";
    // 48 characters in all are kept whole; one more drops the first folder.
    QTest::newRow("48") << folders + QStringLiteral("MSZ_GE25VA_remote.ir")
                        << "Air_Conditioners\\Mitsubishi\\MSZ_GE25VA_remote.ir";
    QTest::newRow("49") << folders + QStringLiteral("MSZ_GE25VA_remote1.ir")
                        << "\u2026\\Mitsubishi\\MSZ_GE25VA_remote1.ir";
    QTest::newRow("long file name") << "TVs/" + QString(60, QLatin1Char('x')) + ".ir"
                                    << QChar(0x2026) + QString(44, QLatin1Char('x')) + ".ir";
}

void TestKnownRemotesBuilder::sourceNames() {
    QFETCH(QString, path);
    QFETCH(QString, source);
    QCOMPARE(KnownRemotesBuilder::sourceName(path), source);
    QVERIFY(source.size() <= KnownRemotesBuilder::kSourceWidth);
}

QTEST_GUILESS_MAIN(TestKnownRemotesBuilder)
#include "test_known_remotes_builder.moc"
