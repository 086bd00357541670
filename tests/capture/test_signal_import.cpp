#include "capture/core/signal_import.h"
#include "capture/pipeline_fixture.h"
#include "formats/core/signal_files.h"
#include "formats/core/signal_generator.h"

#include <QtTest>

using namespace ravlin;
using namespace ravlin::testing;

namespace {
Burst burstOf(const SignalGenerator::Micros& micros, const QString& name, int line = 1) {
    Burst b;
    for (auto us : micros)
        b.durations.push_back(static_cast<int>(us));
    b.name = name;
    b.line = line;
    return b;
}
} // namespace

class TestSignalImport : public QObject {
    Q_OBJECT

private slots:
    void importedRecordEqualsTheAutoAddedOne_data();
    void importedRecordEqualsTheAutoAddedOne();
    void buttonNames_data();
    void buttonNames();
    void remoteNameFromFileName();
    void stopsAtTheRoomGiven_data();
    void stopsAtTheRoomGiven();
    void durationsStayWithinTheByteFormat();
    void exportReadsTheTimingTextsBackWithinOneUnit_data();
    void exportReadsTheTimingTextsBackWithinOneUnit();
    void timingTexts_data();
    void timingTexts();
    void longFrameRoundTrip_data();
    void longFrameRoundTrip();
};

// The import stores what the workbench stores when it receives the same burst and adds it itself.
void TestSignalImport::importedRecordEqualsTheAutoAddedOne_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("source");
    QTest::newRow("Movrik, 1b+M96") << int(ReceiverKind::Movrik) << int(HashSource::OneBitPlusM96);
    QTest::newRow("UDP, 1b+M96") << int(ReceiverKind::IgorPlugUdp) << int(HashSource::OneBitPlusM96);
    QTest::newRow("USBtiny, 1bit") << int(ReceiverKind::USBtiny) << int(HashSource::OneBit);
}

void TestSignalImport::importedRecordEqualsTheAutoAddedOne() {
    QFETCH(int, kind);
    QFETCH(int, source);
    const auto k = static_cast<ReceiverKind>(kind);
    const QVector<Burst> bursts{burstOf(SignalGenerator::nec(0x04, 0x08), QStringLiteral("vol+")),
                                burstOf(SignalGenerator::sony12(0x15, 0x01), QStringLiteral("Power")),
                                burstOf(SignalGenerator::rc5(false, 0x05, 0x0C), QStringLiteral("pw"))};
    SignalImportSettings settings;
    settings.kind = k;
    settings.panel.source = static_cast<HashSource>(source);
    synchronisePanel(settings.panel);
    const SignalImport imported = importBursts(bursts, QStringLiteral("LG_TV"), settings);
    QCOMPARE(int(imported.records.size()), 3);

    PipelineRig rig;
    rig.panel = settings.panel;
    rig.pipeline.settings().autoAdd = true;
    rig.entry.settings.remoteName = QStringLiteral("LG_TV");
    for (const Burst& b : bursts) {
        rig.entry.settings.buttonName = b.name;
        std::vector<std::uint32_t> micros(b.durations.begin(), b.durations.end());
        rig.receive(convertRawBlock(k, encodeMicros(k, micros))); // as the receiver delivers it
    }
    QCOMPARE(rig.base.count(), 3);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(imported.records[std::size_t(i)], rig.base.record(i + 1));
    QCOMPARE(imported.threshold, rig.panel.threshold);
}

void TestSignalImport::buttonNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("stored");
    QTest::newRow("table spelling") << "vol+"
                                    << "VOL+";
    QTest::newRow("blank around") << "  key 1 "
                                  << "Key 1";
    QTest::newRow("not in table") << "Power"
                                  << "Power";
    QTest::newRow("empty") << ""
                           << "N/A";
    QTest::newRow("cut to 16") << "Input_Source_Select"
                               << "Input_Source_Sel";
    QTest::newRow("Cyrillic kept") << "вкл"
                                   << "вкл";
}

void TestSignalImport::buttonNames() {
    QFETCH(QString, name);
    QFETCH(QString, stored);
    QCOMPARE(importedButtonName(name), stored);
}

void TestSignalImport::remoteNameFromFileName() {
    QCOMPARE(remoteNameFromPath(QStringLiteral("/x/TVs/LG_AKB.ir")), QStringLiteral("LG_AKB"));
    QCOMPARE(remoteNameFromPath(QStringLiteral("a.b.conf")), QStringLiteral("a.b"));
    QCOMPARE(remoteNameFromPath(QStringLiteral("Very_long_remote_name.ir")),
             QStringLiteral("Very_long_remote"));
}

void TestSignalImport::stopsAtTheRoomGiven_data() {
    QTest::addColumn<int>("bursts");
    QTest::addColumn<int>("room");
    QTest::addColumn<int>("made");
    QTest::newRow("750 into an empty base") << 750 << 750 << 750;
    QTest::newRow("751 into an empty base") << 751 << 750 << 750;
    QTest::newRow("3 into 1 free place") << 3 << 1 << 1;
    QTest::newRow("full base") << 2 << 0 << 0;
}

void TestSignalImport::stopsAtTheRoomGiven() {
    QFETCH(int, bursts);
    QFETCH(int, room);
    QFETCH(int, made);
    QVector<Burst> list(bursts, burstOf(SignalGenerator::nec(1, 2), QStringLiteral("OK")));
    list.insert(0, Burst{}); // no durations: skipped, not counted
    const SignalImport imported = importBursts(list, QStringLiteral("r"), {}, room);
    QCOMPARE(int(imported.records.size()), made);
    QCOMPARE(imported.leftOut, bursts - made);
}

void TestSignalImport::durationsStayWithinTheByteFormat() {
    const QVector<int> micros{100000, 0, 560, -5, 560};
    const std::vector<std::int32_t> units = burstUnits(micros, ReceiverKind::Movrik);
    QCOMPARE(units, (std::vector<std::int32_t>{maxDurationUnits(ReceiverKind::Movrik), 1, 26, 1, 26}));
    QVector<int> tooLong(301, 500);
    QCOMPARE(int(burstUnits(tooLong, ReceiverKind::Movrik).size()), 255);
    // In the kind's steps: 560 us is 10 units of "IgorPlug-UDP" (2-unit steps), not 11.
    QCOMPARE(burstUnits(QVector<int>{9000, 560, 560}, ReceiverKind::IgorPlugUdp),
             (std::vector<std::int32_t>{176, 10, 10}));
    // Movrik durations above 248 units take two bytes: 255 bytes fit one block, 256 are cut after
    // the last whole mark.
    QVector<int> wide(128, 6000);
    wide[0] = 560;
    QCOMPARE(burstUnits(wide, ReceiverKind::Movrik).size(), std::size_t(128));
    wide.push_back(560);
    QCOMPARE(burstUnits(wide, ReceiverKind::Movrik).size(), std::size_t(127));
}

void TestSignalImport::exportReadsTheTimingTextsBackWithinOneUnit_data() {
    QTest::addColumn<int>("kind");
    for (const ReceiverKindInfo& info : ReceiverKinds::table())
        QTest::newRow(info.text) << int(info.kind);
}

void TestSignalImport::exportReadsTheTimingTextsBackWithinOneUnit() {
    QFETCH(int, kind);
    const auto k = static_cast<ReceiverKind>(kind);
    const QVector<Burst> bursts{burstOf(SignalGenerator::nec(0x20, 0x10), QStringLiteral("Play")),
                                burstOf(SignalGenerator::jvc(3, 4, true), QStringLiteral("Stop"))};
    SignalImportSettings settings;
    settings.kind = k;
    std::vector<ButtonRecord> records = importBursts(bursts, QStringLiteral("r"), settings).records;
    records.push_back(ButtonRecord{QStringLiteral("r"), QStringLiteral("Mute"), QStringLiteral("96AB"), {}});
    ExportLeftOut leftOut;
    const QVector<Burst> out = exportRecords(records, k, &leftOut);
    QCOMPARE(leftOut.withoutTimings, 1);
    QVERIFY(leftOut.unreadable.isEmpty());
    QCOMPARE(out.size(), 2);
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(out[i].name, bursts[i].name);
        QCOMPARE(out[i].line, i + 1);
        // Exported and imported again, the durations are the same units and the hash the same.
        const SignalImport again = importBursts({out[i]}, QStringLiteral("r"), settings);
        QCOMPARE(again.records.front().timings, records[std::size_t(i)].timings);
        QCOMPARE(again.records.front().hash, records[std::size_t(i)].hash);
    }
}

// Timing texts are hexadecimal: lower-case digits read as upper-case ones; any other character
// leaves the record without usable durations, and export never writes a zero or negative one.
void TestSignalImport::timingTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("durations"); // empty with `readable` false: no durations
    QTest::addColumn<bool>("readable");
    QTest::addColumn<bool>("exported");
    QTest::newRow("upper case") << "1A60D3" << QList<int>{0x1A6, 0x0D3} << true << true;
    QTest::newRow("lower case") << "1a60d3" << QList<int>{0x1A6, 0x0D3} << true << true;
    QTest::newRow("short last group") << "01A2B" << QList<int>{0x01A, 0x2B} << true << true;
    QTest::newRow("a duration of 0") << "01A000" << QList<int>{0x01A, 0} << true << false;
    QTest::newRow("letter past F") << "01G" << QList<int>{} << false << false;
    QTest::newRow("blank") << "01A 2B" << QList<int>{} << false << false;
    QTest::newRow("minus sign") << "-1A" << QList<int>{} << false << false;
    QTest::newRow("Cyrillic А") << QString::fromUtf8("01А") << QList<int>{} << false << false;
}

void TestSignalImport::timingTexts() {
    QFETCH(QString, text);
    QFETCH(QList<int>, durations);
    QFETCH(bool, readable);
    QFETCH(bool, exported);
    const auto values = timingTextValues(text);
    QCOMPARE(values.has_value(), readable);
    if (values) QCOMPARE(QList<int>(values->begin(), values->end()), durations);

    const std::vector<ButtonRecord> records{{QStringLiteral("r"),
                                             QStringLiteral("Key 1"),
                                             QStringLiteral("96AB"),
                                             {text + QStringLiteral("01A")}}};
    ExportLeftOut leftOut;
    const QVector<Burst> out = exportRecords(records, ReceiverKind::Movrik, &leftOut);
    QCOMPARE(out.size(), exported ? 1 : 0);
    QCOMPARE(leftOut.unreadable, exported ? QList<int>{} : QList<int>{1});
    for (const Burst& b : out)
        for (int us : b.durations)
            QVERIFY(us >= 1 && us <= 16777215);
}

// A frame longer than a record holds (an air conditioner's) is reported when it is cut to 198, and
// every format exports it ending on a mark; imported again it gives the record's first 197.
void TestSignalImport::longFrameRoundTrip_data() {
    QTest::addColumn<int>("format");
    QTest::newRow("flipper") << int(SignalFormat::Flipper);
    QTest::newRow("lircd") << int(SignalFormat::Lircd);
    QTest::newRow("pronto") << int(SignalFormat::Pronto);
    QTest::newRow("mode2") << int(SignalFormat::Mode2);
}

void TestSignalImport::longFrameRoundTrip() {
    QFETCH(int, format);
    SignalGenerator::Micros frame{3000, 1700};
    while (frame.size() < 229) // pairs up to 230 durations, then a last mark: 231
        frame.insert(frame.end(), {420, frame.size() % 3 == 0 ? 1260u : 420u});
    frame.push_back(420);
    QCOMPARE(int(frame.size()), 231);
    SignalImportSettings settings;
    const SignalImport first =
        importBursts({burstOf(frame, QStringLiteral("Cool"), 7)}, QStringLiteral("ac"), settings);
    QCOMPARE(first.cut.size(), 1);
    QCOMPARE(first.cut.front().durations, 231);
    QCOMPARE(first.cut.front().kept, 198);
    QCOMPARE(first.cut.front().line, 7);
    // At the limit nothing is reported: 198 durations fit.
    const SignalImport fits = importBursts(
        {burstOf(SignalGenerator::Micros(frame.begin(), frame.begin() + 198), QStringLiteral("Cool"))},
        QStringLiteral("ac"), settings);
    QVERIFY(fits.cut.isEmpty());

    const QVector<Burst> exported = exportRecords(first.records, settings.kind);
    QCOMPARE(exported.size(), 1);
    QCOMPARE(exported.front().durations.size(), 197);
    const auto f = static_cast<SignalFormat>(format);
    const ReadResult read = readSignals(writeSignals(exported, f, QStringLiteral("ac")), f);
    QVERIFY(read.problems.isEmpty());
    QCOMPARE(read.bursts.size(), 1);
    QCOMPARE(read.bursts.front().durations.size(), 197);
    const SignalImport again = importBursts(read.bursts, QStringLiteral("ac"), settings);
    QVERIFY(again.cut.isEmpty());
    QCOMPARE(again.records.front().buttonName, QStringLiteral("Cool"));
    std::vector<std::int32_t> kept =
        *timingTextValues(first.records.front().timings[0] + first.records.front().timings[1] +
                          first.records.front().timings[2] + first.records.front().timings[3] +
                          first.records.front().timings[4] + first.records.front().timings[5]);
    kept.pop_back();
    QCOMPARE(again.records.front().timings, timingTextsOf(kept));
}

QTEST_GUILESS_MAIN(TestSignalImport)
#include "test_signal_import.moc"
