#include "capture/core/signal_import.h"
#include "capture/pipeline_fixture.h"
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
    int skipped = -1;
    const QVector<Burst> out = exportRecords(records, k, &skipped);
    QCOMPARE(skipped, 1);
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

QTEST_GUILESS_MAIN(TestSignalImport)
#include "test_signal_import.moc"
