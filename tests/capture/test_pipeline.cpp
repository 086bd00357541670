#include "capture/pipeline_fixture.h"

#include "base/core/key_names.h"
#include "hashing/core/number_text.h"
#include "hashing/core/protocol_decoder.h"
#include "hashing/core/protocol_threshold.h"

#include <QtTest>

#include <memory>

using namespace ravlin;
using namespace ravlin::testing;

class TestPipeline : public QObject {
    Q_OBJECT

private slots:
    void defaultConfigurationHashesUnrecognisedBurstAsVer1();
    void recognisedBurstGivesDecoderText();
    void decoderOnlySourceWithUnrecognisedBurstAddsNothing();
    void existingHashIsNeverAutoAddedAndLastMatchIsSelected();
    void unknownHashOffersAdd();
    void duplicateNameQuestion_data();
    void duplicateNameQuestion();
    void lowerCaseNameTakesTableSpelling();
    void hvostTakesLastRealName();
    void emptyAndEvenBurstsAreReported();
    void rehashOfShownRecord();
    void fullBaseOverwritesLastRecord();
    void captureSessionAddsWithSuffix();
    void matchSignal_data();
    void matchSignal();
    void noRestartDuringRescan();
    void offPageResetsPlaceholders();
    void sourceSelection_data();
    void sourceSelection();
    void variableDistributionClearedAfterDrawing();
    void threshold_data();
    void threshold();
    void masks();
    void panelSynchronisation_data();
    void panelSynchronisation();
    void buttonNameFilter_data();
    void buttonNameFilter();
};

void TestPipeline::defaultConfigurationHashesUnrecognisedBurstAsVer1() {
    PipelineRig rig;
    rig.hashTab = true;
    const auto burst = plainBurst(0x5A5A5A5u);
    QVERIFY(!ProtocolDecoder(burst, 0xFF, 0xFF, 0xFF).recognised());
    rig.receive(burst);

    const HashResult oneBit = Hash1bit(burst);
    QVERIFY(oneBit.threshold != 0);
    const QString expected = QStringLiteral("00") + ver1Text(EncodeVer1(burst, oneBit.threshold));
    const RunOutcome& out = rig.pipeline.lastOutcome();
    QVERIFY(out.oneBitRan);
    QVERIFY(!out.xBitRan);
    QVERIFY(out.ver1Ran);
    QCOMPARE(out.selection, expected);
    QCOMPARE(rig.working.hash, expected);
    QCOMPARE(rig.pipeline.lastSelectedHash(), expected);
    QCOMPARE(rig.panel.threshold, IntToBase(oneBit.threshold, 16));
    QCOMPARE(rig.pipeline.view().oneBitStatus, statusText(oneBit.code, oneBit.record));
    QCOMPARE(rig.pipeline.view().xBitStatus, QStringLiteral("N/A"));
    QCOMPARE(rig.pipeline.view().decoderStatus, QStringLiteral("N/A"));
    QCOMPARE(rig.pipeline.view().decodedText, QStringLiteral("ХЭШ 96"));
    QCOMPARE(rig.pipeline.view().decodedVars, QStringLiteral("Его переменные"));
    QCOMPARE(rig.reception.repeatColour, ViewColour::Fuchsia);
    QCOMPARE(rig.burst.hash, expected);
    QVERIFY(!rig.pipeline.recognised());
    QCOMPARE(rig.restarts, 1);
    QCOMPARE(rig.stops, 1);
    QCOMPARE(rig.dialogs.beeps(), oneBit.code > 16 ? 1 : 0);
    QVERIFY(!rig.pipeline.isScheduled());
    // Not in the base: nothing added (auto-add is off), the record panel says so.
    QCOMPARE(rig.base.count(), 0);
    QCOMPARE(rig.entry.view.selection, QStringLiteral("Нету"));
}

void TestPipeline::recognisedBurstGivesDecoderText() {
    PipelineRig rig;
    rig.hashTab = true;
    const auto burst = pulseDistanceFrame({0x12, 0x34, 0x56, 0xA9});
    const DecoderResult decoded = ProtocolDecoder(burst, decoderMasks(rig.decoder).group1, 0, 0);
    QVERIFY(decoded.recognised());
    QVERIFY(decoded.hash.startsWith(QStringLiteral("96")));
    rig.receive(burst);

    const RunOutcome& out = rig.pipeline.lastOutcome();
    QCOMPARE(out.selection, decoded.hash);
    QVERIFY(!out.oneBitRan);
    QVERIFY(!out.ver1Ran);
    QCOMPARE(rig.panel.threshold, QStringLiteral("34"));
    QCOMPARE(rig.pipeline.view().oneBitStatus, QStringLiteral("N/A"));
    QCOMPARE(rig.pipeline.view().decoderStatus, decoded.hash);
    QCOMPARE(rig.pipeline.view().decodedText, decoded.hash);
    QCOMPARE(rig.pipeline.view().decodedVars, decoded.vars);
    QCOMPARE(rig.reception.repeatColour, ViewColour::Teal);
    QVERIFY(rig.pipeline.recognised());

    // With the 1bit box off, a recognised burst still selects the decoder's text; an unrecognised
    // one gets "00" + "N/A" replaced by the Ver1 coding at the typed threshold.
    rig.panel.oneBit = false;
    rig.panel.threshold = QStringLiteral("3B");
    rig.panel.autoThreshold = false;
    const auto plain = plainBurst(0x1234567u);
    rig.receive(plain);
    QCOMPARE(rig.pipeline.lastOutcome().selection, QStringLiteral("00") + ver1Text(EncodeVer1(plain, 0x3B)));
    rig.panel.ver1 = false;
    rig.receive(plain);
    QCOMPARE(rig.pipeline.lastOutcome().selection, QStringLiteral("00N/A"));
}

void TestPipeline::decoderOnlySourceWithUnrecognisedBurstAddsNothing() {
    PipelineRig rig;
    rig.panel.source = HashSource::M96;
    rig.pipeline.settings().autoAdd = true;
    rig.addRecord(QStringLiteral("PW"), QStringLiteral("N/A"));
    rig.base.setCurrentIndex(1);
    rig.receive(pulseDistanceFrame({0x12, 0x34, 0x56, 0xA9})); // recognised: the panel shows its record state
    const BaseEntryView before = rig.entry.view;

    rig.receive(plainBurst(0x0F0F0F0u));
    const RunOutcome& out = rig.pipeline.lastOutcome();
    QCOMPARE(out.selection, QStringLiteral("N/A"));
    QVERIFY(!out.ver1Ran);
    QCOMPARE(rig.working.hash, QStringLiteral("N/A"));
    // Auto-add took the recognised one; the unrecognised one adds nothing and looks nothing up.
    QCOMPARE(rig.base.count(), 2);
    QCOMPARE(rig.entry.view.selection, before.selection);
    QCOMPARE(rig.entry.view.changeCaption, before.changeCaption);
    QCOMPARE(rig.base.currentIndex(), 2);
    QCOMPARE(rig.session.burstCounter, 1);
    QCOMPARE(rig.restarts, 2);
}

void TestPipeline::existingHashIsNeverAutoAddedAndLastMatchIsSelected() {
    PipelineRig rig;
    rig.pipeline.settings().autoAdd = true;
    const auto burst = plainBurst(0x2AAAAAAu);
    rig.receive(burst);
    const QString hash = rig.working.hash;
    QCOMPARE(rig.base.count(), 1); // new: added
    QCOMPARE(rig.log.last(), QStringLiteral("Добавили запись. Теперь записей - 1"));
    QCOMPARE(rig.entry.view.countLabel, QStringLiteral("1"));

    rig.base.clear();
    rig.addRecord(QStringLiteral("PW"), hash, QStringLiteral("Первый"));
    rig.addRecord(QStringLiteral("Play"), QStringLiteral("00FFFF"));
    rig.addRecord(QStringLiteral("Stop"), hash, QStringLiteral("Третий"));
    rig.receive(burst);
    QCOMPARE(rig.base.count(), 3);
    QCOMPARE(rig.base.currentIndex(), 3);
    QCOMPARE(rig.entry.view.selection, QStringLiteral("3 - Stop"));
    QCOMPARE(rig.entry.view.selectionColour, ViewColour::Face);
    QCOMPARE(rig.entry.settings.remoteName, QStringLiteral("Третий"));
    QCOMPARE(rig.entry.settings.buttonName, QStringLiteral("Stop"));
    QCOMPARE(rig.entry.view.changeCaption, QStringLiteral("Изменить"));
    QCOMPARE(rig.pipeline.lastRealButtonName(), QStringLiteral("Stop"));

    // Off the oscillogram page the panel is emptied.
    rig.burstPage = false;
    rig.receive(burst);
    QCOMPARE(rig.entry.view.selection, QString());
    QCOMPARE(rig.base.currentIndex(), 3);
}

void TestPipeline::unknownHashOffersAdd() {
    PipelineRig rig;
    rig.addRecord(QStringLiteral("PW"), QStringLiteral("0011"));
    rig.receive(plainBurst(0x3333333u));
    QCOMPARE(rig.base.currentIndex(), 2);
    QCOMPARE(rig.entry.view.changeCaption, QStringLiteral("Добавить"));
    QCOMPARE(rig.entry.view.selection, QStringLiteral("Нету"));
    QCOMPARE(rig.entry.view.selectionColour, ViewColour::Red);
    rig.burstPage = false;
    rig.receive(plainBurst(0x3333333u));
    QCOMPARE(rig.entry.view.selection, QString());
    QCOMPARE(rig.entry.view.selectionColour, ViewColour::Face);
}

void TestPipeline::duplicateNameQuestion_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("storedName");
    QTest::newRow("no") << static_cast<int>(Answer::No) << QStringLiteral("N/A");
    QTest::newRow("yes") << static_cast<int>(Answer::Yes) << QStringLiteral("Play");
}

void TestPipeline::duplicateNameQuestion() {
    QFETCH(int, answer);
    QFETCH(QString, storedName);
    PipelineRig rig;
    rig.pipeline.settings().autoAdd = true;
    rig.addRecord(QStringLiteral("Play"), QStringLiteral("0001"));
    rig.addRecord(QStringLiteral("Play"), QStringLiteral("0002"));
    rig.entry.settings.buttonName = QStringLiteral("Play");
    rig.dialogs.answers << static_cast<Answer>(answer);
    rig.receive(plainBurst(0x4444444u));
    QCOMPARE(rig.dialogs.events,
             QStringList{QStringLiteral("yesno: С таким названием уже 2 кн. в базе\r\nВы уверенны что хотите "
                                        "добавить ещё?")});
    QCOMPARE(rig.base.count(), 3);
    QCOMPARE(rig.base.record(3).buttonName, storedName);
    QCOMPARE(rig.base.record(3).hash, rig.working.hash);
    QCOMPARE(rig.base.record(3).timings, rig.working.timings);
    QCOMPARE(rig.base.currentIndex(), 3);
}

void TestPipeline::lowerCaseNameTakesTableSpelling() {
    PipelineRig rig;
    QVERIFY(KeyNamTab::indexOf(QStringLiteral("VOL+")) >= 0);
    rig.entry.settings.buttonName = QStringLiteral("vol+");
    rig.receive(plainBurst(0x5555555u));
    QCOMPARE(rig.entry.settings.buttonName, QStringLiteral("VOL+"));
    QCOMPARE(rig.pipeline.lastRealButtonName(), QStringLiteral("VOL+"));

    // Characters outside the allowed set are dropped for the comparison only.
    rig.entry.settings.buttonName = QStringLiteral("vol\u00A0+");
    rig.receive(plainBurst(0x5555555u));
    QCOMPARE(rig.entry.settings.buttonName, QStringLiteral("VOL+"));

    // An unknown name stays as typed; during a rescan the box is left alone.
    rig.entry.settings.buttonName = QStringLiteral("vol 11");
    rig.receive(plainBurst(0x5555555u));
    QCOMPARE(rig.entry.settings.buttonName, QStringLiteral("vol 11"));
    rig.rescan = true;
    rig.entry.settings.buttonName = QStringLiteral("vol+");
    rig.receive(plainBurst(0x5555555u));
    QCOMPARE(rig.entry.settings.buttonName, QStringLiteral("vol+"));
}

void TestPipeline::hvostTakesLastRealName() {
    PipelineRig rig;
    rig.entry.settings.buttonName = QStringLiteral("hvost");
    rig.receive(plainBurst(0x1111111u));
    // No real name yet: "hvost" is not rewritten to the table spelling "Hvost" either.
    QCOMPARE(rig.entry.settings.buttonName, QStringLiteral("hvost"));
    QCOMPARE(rig.pipeline.lastRealButtonName(), QStringLiteral("hvost"));

    rig.entry.settings.buttonName = QStringLiteral("PW");
    rig.receive(plainBurst(0x1111111u));
    rig.entry.settings.buttonName = QStringLiteral("Hvost");
    rig.receive(plainBurst(0x1111111u));
    QCOMPARE(rig.entry.settings.buttonName, QStringLiteral("PW"));
}

void TestPipeline::emptyAndEvenBurstsAreReported() {
    PipelineRig rig;
    rig.receive({});
    QCOMPARE(rig.caption, QStringLiteral("Ошибка чётности"));
    QVERIFY(rig.dialogs.beeps() >= 2);
    QCOMPARE(rig.restarts, 1);

    PipelineRig even;
    auto burst = plainBurst(0x1234567u);
    burst.push_back(100);
    even.receive(burst);
    QCOMPARE(even.caption, QStringLiteral("Ошибка чётности"));
    QCOMPARE(even.dialogs.events.first(), QStringLiteral("beep"));
    // The run still produces a hash.
    QVERIFY(even.working.hash.startsWith(QStringLiteral("00")));
    QVERIFY(even.distribution.cell(3, 1, 100)); // an even count: the tail row starts at the last one
    QVERIFY(even.distribution.cell(3, 2, 30));
}

void TestPipeline::rehashOfShownRecord() {
    PipelineRig rig;
    rig.addRecord(QStringLiteral("PW"), QStringLiteral("0011"));
    rig.addRecord(QStringLiteral("Play"), QStringLiteral("old"));
    rig.entry.settings.recordNumber = QStringLiteral("2");
    rig.receive(plainBurst(0x6666666u), /*fromRecord=*/false); // fresh burst: no re-hash
    QCOMPARE(rig.base.record(2).hash, QStringLiteral("old"));

    PipelineRig shown;
    shown.addRecord(QStringLiteral("PW"), QStringLiteral("0011"));
    shown.addRecord(QStringLiteral("Play"), QStringLiteral("old"));
    shown.entry.settings.recordNumber = (QStringLiteral(" 2"));
    shown.receive(plainBurst(0x6666666u), true);
    QCOMPARE(shown.base.record(2).hash, shown.working.hash);
    QCOMPARE(shown.base.count(), 2); // rebuilt bursts are never auto-added
    QCOMPARE(shown.base.currentIndex(), 2);

    shown.entry.settings.recordNumber = (QStringLiteral("7"));
    shown.receive(plainBurst(0x7777777u), true);
    QCOMPARE(shown.dialogs.beeps(), 1);
    QVERIFY(shown.base.record(2).hash != shown.working.hash);
}

void TestPipeline::fullBaseOverwritesLastRecord() {
    PipelineRig rig;
    rig.pipeline.settings().autoAdd = true;
    for (int i = 1; i <= ButtonBase::kCapacity; ++i)
        rig.addRecord(QStringLiteral("PW"), QString::number(i));
    rig.receive(plainBurst(0x7654321u));
    QCOMPARE(rig.base.count(), 750);
    QCOMPARE(rig.base.record(750).hash, rig.working.hash);
    QCOMPARE(rig.dialogs.beeps(), 1);
    QCOMPARE(rig.base.currentIndex(), 750);
}

void TestPipeline::captureSessionAddsWithSuffix() {
    PipelineRig rig;
    rig.session.running = true;
    rig.session.suffix = QStringLiteral("   ; Автомат сессия N0");
    const auto burst = plainBurst(0x1212121u);
    rig.receive(burst);
    rig.receive(burst); // the same hash again: a session adds it anyway
    QCOMPARE(rig.base.count(), 2);
    QCOMPARE(rig.base.record(1).hash, rig.working.hash + rig.session.suffix);
    QCOMPARE(rig.session.sessionCounter, 2);
    QCOMPARE(rig.session.burstCounter, 2);

    // With the session window open: no duplicate question, no lookup, no add after 15.
    rig.session.windowOpen = true;
    rig.entry.settings.buttonName = QStringLiteral("Play");
    rig.addRecord(QStringLiteral("Play"), QStringLiteral("a"));
    rig.addRecord(QStringLiteral("Play"), QStringLiteral("b"));
    const QString panel = rig.entry.view.selection;
    for (int i = 0; i < 20; ++i)
        rig.receive(burst);
    QVERIFY(rig.dialogs.events.isEmpty());
    QCOMPARE(rig.session.sessionCounter, 22);
    QCOMPARE(rig.base.count(), 4 + 13);
    QCOMPARE(rig.entry.view.selection, panel);
    QCOMPARE(rig.session.burstCounter, 22);
    for (int i = 0; i < 40; ++i)
        rig.receive(burst);
    QCOMPARE(rig.session.burstCounter, 50);
}

void TestPipeline::matchSignal_data() {
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("anyRecord");
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("known");
    QTest::addColumn<int>("expectedSignals");
    QTest::newRow("off") << false << false << QStringLiteral("2") << true << 0;
    QTest::newRow("given record") << true << false << QStringLiteral("2") << true << 1;
    QTest::newRow("other record") << true << false << QStringLiteral("5") << true << 0;
    QTest::newRow("any record found") << true << true << QStringLiteral("5") << true << 1;
    QTest::newRow("any record, none") << true << true << QStringLiteral("5") << false << 0;
    QTest::newRow("number Отсутствует") << true << false << QStringLiteral("Отсутствует") << false << 1;
}

void TestPipeline::matchSignal() {
    QFETCH(bool, enabled);
    QFETCH(bool, anyRecord);
    QFETCH(QString, number);
    QFETCH(bool, known);
    QFETCH(int, expectedSignals);
    PipelineRig rig;
    const auto burst = plainBurst(0x5151515u);
    rig.receive(burst);
    const QString hash = rig.working.hash;
    rig.addRecord(QStringLiteral("PW"), QStringLiteral("x"));
    rig.addRecord(QStringLiteral("Play"), known ? hash : QStringLiteral("y"));
    rig.match.enabled = enabled;
    rig.match.anyRecord = anyRecord;
    rig.match.recordNumber = number;
    rig.receive(burst);
    QCOMPARE(rig.matches, expectedSignals);
}

void TestPipeline::noRestartDuringRescan() {
    PipelineRig rig;
    rig.rescan = true;
    rig.receive(plainBurst(0x1111111u));
    QCOMPARE(rig.restarts, 0);
    QCOMPARE(rig.stops, 1);
}

void TestPipeline::offPageResetsPlaceholders() {
    PipelineRig rig;
    rig.burstPage = false;
    rig.receive(plainBurst(0x2222222u));
    QCOMPARE(rig.burst.hash, WorkingRecord::kHashPlaceholder);
    QCOMPARE(rig.reception.repeatColour, ViewColour::Face);
    QVERIFY(rig.working.hash.startsWith(QStringLiteral("00")));
    // Not on the hash sub-tab: the module labels keep their text.
    QCOMPARE(rig.pipeline.view().oneBitStatus, QStringLiteral("N/A"));
}

void TestPipeline::sourceSelection_data() {
    QTest::addColumn<int>("source");
    QTest::addColumn<bool>("xBit");
    QTest::addColumn<bool>("ver1");
    QTest::addColumn<QString>("kind"); // how the expected selection is formed
    QTest::newRow("1b+M96, Xbit box")
        << static_cast<int>(HashSource::OneBitPlusM96) << true << false << QStringLiteral("00xbit");
    QTest::newRow("1b+M96, no Ver1") << static_cast<int>(HashSource::OneBitPlusM96) << false << false
                                     << QStringLiteral("001bit");
    QTest::newRow("1bit") << static_cast<int>(HashSource::OneBit) << false << false << QStringLiteral("1bit");
    QTest::newRow("1bit, Ver1") << static_cast<int>(HashSource::OneBit) << false << true
                                << QStringLiteral("ver1@1bit");
    QTest::newRow("Xbit") << static_cast<int>(HashSource::XBit) << true << false << QStringLiteral("xbit");
    QTest::newRow("M96 + N/A") << static_cast<int>(HashSource::M96NA) << false << true
                               << QStringLiteral("N/A");
}

void TestPipeline::sourceSelection() {
    QFETCH(int, source);
    QFETCH(bool, xBit);
    QFETCH(bool, ver1);
    QFETCH(QString, kind);
    PipelineRig rig;
    rig.panel.source = static_cast<HashSource>(source);
    rig.panel.xBit = xBit;
    rig.panel.ver1 = ver1;
    const auto burst = plainBurst(0x3C3C3C3u);
    rig.receive(burst);
    const HashResult one = Hash1bit(burst);
    const HashResult x = HashXbit(burst);
    QString expected;
    if (kind == QLatin1String("00xbit")) expected = QStringLiteral("00") + hashText(x.record);
    if (kind == QLatin1String("001bit")) expected = QStringLiteral("00") + hashText(one.record);
    if (kind == QLatin1String("1bit")) expected = hashText(one.record);
    if (kind == QLatin1String("xbit")) expected = hashText(x.record);
    if (kind == QLatin1String("ver1@1bit")) expected = ver1Text(EncodeVer1(burst, one.threshold));
    if (kind == QLatin1String("N/A")) expected = QStringLiteral("N/A");
    QCOMPARE(rig.pipeline.lastOutcome().selection, expected);
}

void TestPipeline::variableDistributionClearedAfterDrawing() {
    PipelineRig rig;
    const Picture& picture = rig.pipeline.view().variableDistribution;
    QCOMPARE(picture.ops.size(), std::size_t{1});
    rig.hashTab = true;
    rig.receive(plainBurst(0x1357913u));
    QVERIFY(picture.ops.size() > 3);
    QCOMPARE(picture.ops.front().kind, PictureOp::Kind::Fill);
    QCOMPARE(picture.ops.at(1).colour, ViewColour::Red);
    QVERIFY(rig.pipeline.view().minLabel.startsWith(QStringLiteral("Min=")));
    QVERIFY(rig.pipeline.view().maxLabel.startsWith(QStringLiteral("Max=")));
    QVERIFY(rig.pipeline.view().mediumLabel.startsWith(QStringLiteral("Medium=")));
    // Next run off the hash tab: the picture is cleared and nothing drawn.
    rig.hashTab = false;
    rig.receive(plainBurst(0x1357913u));
    QCOMPARE(picture.ops.size(), std::size_t{1});
    QCOMPARE(picture.ops.front().colour, ViewColour::Black);
}

void TestPipeline::threshold_data() {
    QTest::addColumn<QString>("decoderText");
    QTest::addColumn<QString>("threshold");
    QTest::newRow("99") << QStringLiteral("99AB") << QStringLiteral("29");
    QTest::newRow("57") << QStringLiteral("5712") << QStringLiteral("33");
    QTest::newRow("FC") << QStringLiteral("FC00") << QStringLiteral("20");
    QTest::newRow("96") << QStringLiteral("96123456") << QStringLiteral("34");
    QTest::newRow("51") << QStringLiteral("51") << QStringLiteral("50");
    QTest::newRow("41") << QStringLiteral("41") << QStringLiteral("2D");
    QTest::newRow("37") << QStringLiteral("37") << QStringLiteral("2F");
    QTest::newRow("33") << QStringLiteral("33") << QStringLiteral("32");
    QTest::newRow("23") << QStringLiteral("23") << QStringLiteral("12E");
    QTest::newRow("54") << QStringLiteral("54") << QStringLiteral("3E");
    QTest::newRow("55") << QStringLiteral("55") << QStringLiteral("3E");
    QTest::newRow("25") << QStringLiteral("25") << QStringLiteral("38");
    QTest::newRow("D7") << QStringLiteral("D7") << QStringLiteral("38");
    QTest::newRow("short") << QStringLiteral("9") << QStringLiteral("38");
}

void TestPipeline::threshold() {
    QFETCH(QString, decoderText);
    QFETCH(QString, threshold);
    QCOMPARE(ProtocolThreshold(decoderText), threshold);
}

void TestPipeline::masks() {
    DecoderSettings s;
    QCOMPARE(decoderMasks(s), (DecoderMasks{0xFF, 0xFC, 0x03}));
    s = DecoderSettings{};
    s.nec = false;
    s.firstOfRepeats = false;
    s.mouse = true;
    s.roison = true;
    s.timeSlots = false;
    QCOMPARE(decoderMasks(s), (DecoderMasks{0x7E, 0xFD, 0x82}));
}

void TestPipeline::panelSynchronisation_data() {
    QTest::addColumn<int>("source");
    QTest::addColumn<bool>("oneBit");
    QTest::addColumn<bool>("xBit");
    QTest::addColumn<bool>("decoder");
    QTest::addColumn<QString>("expected"); // oneBit xBit decoder, then their locks
    QTest::newRow("1bit from defaults")
        << static_cast<int>(HashSource::OneBit) << true << false << true << QStringLiteral("100 100");
    QTest::newRow("1b+M96 after 1bit")
        << static_cast<int>(HashSource::OneBitPlusM96) << true << false << false << QStringLiteral("101 101");
    QTest::newRow("Xbit keeps the others")
        << static_cast<int>(HashSource::XBit) << false << false << true << QStringLiteral("011 010");
    QTest::newRow("Xbit box stays ticked")
        << static_cast<int>(HashSource::M96) << true << true << false << QStringLiteral("111 001");
    QTest::newRow("M96 + N/A ticks decoder")
        << static_cast<int>(HashSource::M96NA) << false << false << false << QStringLiteral("001 001");
}

void TestPipeline::panelSynchronisation() {
    QFETCH(int, source);
    QFETCH(bool, oneBit);
    QFETCH(bool, xBit);
    QFETCH(bool, decoder);
    QFETCH(QString, expected);
    PipelineRig rig;
    rig.panel.source = static_cast<HashSource>(source);
    rig.panel.oneBit = oneBit;
    rig.panel.xBit = xBit;
    rig.panel.decoder = decoder;
    rig.pipeline.view().oneBitStatus = QStringLiteral("0 - x");
    rig.pipeline.applyPanel();
    const auto bit = [](bool b) { return b ? QLatin1Char('1') : QLatin1Char('0'); };
    const QString got = QString() + bit(rig.panel.oneBit) + bit(rig.panel.xBit) + bit(rig.panel.decoder) +
                        QLatin1Char(' ') + bit(rig.panel.oneBitLocked) + bit(rig.panel.xBitLocked) +
                        bit(rig.panel.decoderLocked);
    QCOMPARE(got, expected);
    QCOMPARE(rig.pipeline.view().oneBitStatus, QStringLiteral("N/A"));
}

void TestPipeline::buttonNameFilter_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("filtered");
    QTest::newRow("latin") << QStringLiteral("vol+") << QStringLiteral("VOL+");
    QTest::newRow("cyrillic keeps case") << QStringLiteral("ёжик Ж") << QStringLiteral("ёжик Ж");
    QTest::newRow("signs") << QStringLiteral("a@\"'\\|`№") << QStringLiteral("A@\"'\\|`№");
    QTest::newRow("dropped") << QStringLiteral("k\u00E9y\u00A01\u20AC") << QStringLiteral("KY1");
    QTest::newRow("tab and cr") << QStringLiteral("a\tb\rc\n") << QStringLiteral("A\tB\rC");
}

void TestPipeline::buttonNameFilter() {
    QFETCH(QString, typed);
    QFETCH(QString, filtered);
    QCOMPARE(Pipeline::filterButtonName(typed), filtered);
}

QTEST_GUILESS_MAIN(TestPipeline)
#include "test_pipeline.moc"
