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
    builder.addFile(QStringLiteral("tv2.ir"),
                    {named(power, QStringLiteral("POWER")), named(power, QStringLiteral("pwr"))});
    builder.addFile(QStringLiteral("Телевизор.ir"),
                    {named(power, QStringLiteral("KEY_POWER")), named(sony, QStringLiteral("KEY_STOP"))});
    QCOMPARE(builder.files(), 3);
    QCOMPARE(builder.buttons(), 6);
    const QStringList lines = builder.lines(QStringLiteral("; built from test files"));
    // The hash in the most files first; then the others in the order first met; a file counts once.
    QCOMPARE(lines, (QStringList{QStringLiteral("; built from test files"), hashOf(power),
                                 QStringLiteral("/tv1.ir/tv2.ir/Телевизор.ir"), hashOf(play),
                                 QStringLiteral("/tv1.ir"), hashOf(sony), QStringLiteral("/Телевизор.ir")}));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("BazaDannih.baz"));
    QVERIFY(TextFileWriter::write(path, lines));
    QFile raw(path);
    QVERIFY(raw.open(QIODevice::ReadOnly));
    const QByteArray bytes = raw.readAll();
    QVERIFY(bytes.contains("\r\n/tv1.ir/tv2.ir/\xD2\xE5\xEB")); // cp1251 "Тел", CR LF
    QVERIFY(!bytes.contains("\n\n"));

    AnalogueBase analogues;
    QCOMPARE(analogues.load(path), AnalogueBase::LoadResult::Loaded);
    QCOMPARE(analogues.count(), 3);
    QCOMPARE(analogues.indexOf(hashOf(power)), 1);
    QCOMPARE(analogues.indexOf(hashOf(sony)), 3);

    fakes::ScriptedDialogs dialogs;
    fakes::ManualScheduler scheduler;
    HashSources sources(path, dialogs, scheduler, {{}, {}, {}, [&] { return hashOf(power); }, {}});
    sources.shown();
    scheduler.advance(50);
    QCOMPARE(sources.sources(), (QStringList{QStringLiteral("tv1.ir"), QStringLiteral("tv2.ir"),
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

QTEST_GUILESS_MAIN(TestKnownRemotesBuilder)
#include "test_known_remotes_builder.moc"
