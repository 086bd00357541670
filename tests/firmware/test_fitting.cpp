#include "firmware/core/fitting.h"
#include "firmware_records.h"

#include "fakes/manual_scheduler.h"
#include "fakes/scripted_dialogs.h"
#include "fakes/simple_fakes.h"

#include <QtTest>

using namespace ravlin;
using ravlin::test::firmwareRecord;
using ravlin::test::pattern;
using Records = QList<ButtonRecord>;

Q_DECLARE_METATYPE(ravlin::Answer)

namespace {

struct FixedRandom : RandomSource {
    void seed(std::uint64_t) override {}
    std::uint32_t below(std::uint32_t) override { return 7; }
};

// A fitting over fakes: "Порог" 3B, " ХЭШ 1bit" selected, base rescanned, "В 3 байта".
struct Bench {
    ButtonBase base;
    RescanFlags flags{true, false};
    fakes::ScriptedDialogs dialogs;
    fakes::ManualScheduler scheduler;
    fakes::FixedClock clock;
    FixedRandom random;
    HashPanelSettings panel;
    ReceptionSettings reception;
    TestAreaSettings testArea;
    BaseEntry entry;
    RecordCursor cursor{entry, base};
    QString& porog = panel.threshold; // "3B"
    bool& fiveBytes = reception.fiveByteRepeats;
    bool& testMode = testArea.testSwitch;
    int wentToFirst = 0;
    Fitting fitting{base, flags, dialogs, scheduler, clock, random, panel, reception, testArea, cursor};

    explicit Bench(const Records& records = {}) {
        for (const ButtonRecord& r : records)
            base.append(r);
        panel.source = HashSource::OneBit;
        QObject::connect(&cursor, &RecordCursor::goToRecordRequested, [this] { ++wentToFirst; });
        fitting.stampOverride() = {QStringLiteral("10.01.2011"), QStringLiteral("12:00:00"), 0x1234ABCD};
    }
    QString& box(HashVariableSet::Index i) { return fitting.settings().box(i); }
    void scanAndTick() {
        fitting.scan();
        scheduler.advance(Fitting::kIntervalMs);
    }
};

// Four full packets of n durations (31 raw bytes by default), distinct in their last bits.
Records fullRecords(int first = 0x123, int n = 30) {
    return {firmwareRecord("PW", "K1", pattern(n, {n}, first)),
            firmwareRecord("Key 5", "K2", pattern(n, {n - 1, n}, first)),
            firmwareRecord("Key 5", "K3", pattern(n, {n - 2, n - 1, n}, first)),
            firmwareRecord("N/A", "K4", pattern(n, {n - 8}, first))};
}

} // namespace

class FittingTest : public QObject {
    Q_OBJECT

private slots:
    void openingChecks_data();
    void openingChecks();
    void runs_data();
    void runs();
    void goldenPatch();
    void automaticRerunOnNextTick();
    void automaticRerunHappensOncePerScan();
    void scanNeedsTwoRecords();
    void recognitionCheck_data();
    void recognitionCheck();
    void runShowsTheCheckAndSaveWarns();
};

void FittingTest::openingChecks_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("testMode");
    QTest::addColumn<bool>("oneBit");
    QTest::addColumn<bool>("rescanned");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("rescannedAfter");
    using namespace FittingText;
    const QString info = QStringLiteral("info: ");
    QTest::newRow("test mode skips the checks")
        << 0 << true << false << false << Answer::Yes << QStringList{} << true << false;
    QTest::newRow("fewer than 4") << 3 << false << true << true << Answer::Yes
                                  << QStringList{"beep", info + kFewerThan4} << false << true;
    QTest::newRow("not 1bit clears the flag") << 20 << false << false << true << Answer::Yes
                                              << QStringList{"beep", info + kSelectOneBit} << false << false;
    QTest::newRow("not rescanned") << 20 << false << true << false << Answer::Yes
                                   << QStringList{"beep", info + kNotRescanned} << false << false;
    QTest::newRow("14 records, No") << 14 << false << true << true << Answer::No
                                    << QStringList{"beep", "yesno: " + kFewerThan15} << false << true;
    QTest::newRow("14 records, Yes") << 14 << false << true << true << Answer::Yes
                                     << QStringList{"beep", "yesno: " + kFewerThan15} << true << true;
    QTest::newRow("15 records") << 15 << false << true << true << Answer::No << QStringList{} << true << true;
}

void FittingTest::openingChecks() {
    QFETCH(int, count);
    QFETCH(bool, testMode);
    QFETCH(bool, oneBit);
    QFETCH(bool, rescanned);
    QFETCH(Answer, answer);
    QFETCH(bool, shown);
    QFETCH(QStringList, events);
    QFETCH(bool, rescannedAfter);
    Bench b;
    for (int i = 0; i < count; ++i)
        b.base.append(firmwareRecord("PW", QString::number(i), pattern(30, {30})));
    b.testMode = testMode;
    b.panel.source = oneBit ? HashSource::OneBit : HashSource::XBit;
    b.flags.rescanned = rescanned;
    b.dialogs.answers << answer;
    b.box(HashVariableSet::Pmax) = QStringLiteral("21");
    b.fitting.settings().automatic = false;
    QCOMPARE(b.fitting.open(), shown);
    QCOMPARE(b.dialogs.events, events);
    QCOMPARE(b.flags.rescanned, rescannedAfter);
    if (b.fitting.settings().automatic) {
        QCOMPARE(b.fitting.settings().boxes, FittingSettings::openingBoxes());
    } else {
        QCOMPARE(b.box(HashVariableSet::Pmax), QStringLiteral("21")); // not shown: nothing reset
    }
}

void FittingTest::runs_data() {
    QTest::addColumn<Records>("records");
    QTest::addColumn<bool>("fiveBytes");
    QTest::addColumn<bool>("automatic");
    QTest::addColumn<QString>("knBit");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QStringList>("boxes"); // "NN=XX": box EditBNN shows XX
    QTest::addColumn<int>("messages");
    using namespace FittingText;
    const QString info = QStringLiteral("info: ");
    const QStringList none;
    for (int raw : {6, 7}) {
        const Records r = fullRecords() << firmwareRecord("OK", "S", pattern(raw - 1, {raw - 1}));
        const QString n = ByteHex(raw);
        QTest::addRow("%d raw bytes, 3 bytes", raw)
            << r << false << true << "0D" << none << "!" << QStringList{"04=" + n, "13=20"} << 0;
        QTest::addRow("%d raw bytes, 5 bytes", raw)
            << r << true << true << "0D" << none << "!" << QStringList{"04=1F", "13=" + n} << 0;
    }
    const Records tails{firmwareRecord("A", "1", pattern(3, {3})), firmwareRecord("B", "2", pattern(3, {2})),
                        firmwareRecord("C", "3", pattern(4, {4}))};
    QTest::newRow("all tails fail W1")
        << tails << false << true << "0D" << QStringList{"beep"} << "W1" << QStringList{"11=08"} << 0;
    Records long32;
    for (int i = 0; i < 4; ++i)
        long32 << firmwareRecord("PW", QString::number(i), pattern(31, {31 - i}));
    QTest::newRow("KnBit 30 over KnPmax 21, automatic")
        << long32 << false << true << "30" << none << "!" << QStringList{"03=21", "11=20"} << 0;
    QTest::newRow("KnBit 30 over KnPmax 21, by hand")
        << long32 << false << false << "30" << QStringList{"beep", info + kBitAbovePmax} << ""
        << QStringList{"11=30"} << 0;
    QTest::newRow("KnBit 07") << fullRecords() << false << true << "07"
                              << QStringList{"beep", info + kBitOutOfRange} << "" << QStringList{} << 0;
    QTest::newRow("KnBit 39") << fullRecords() << false << true << "39"
                              << QStringList{"beep", info + kBitOutOfRange} << "" << QStringList{} << 0;
    QTest::newRow("pause 501 replaces F9 BB")
        << fullRecords(0x1EC) << false << true << "0D" << none << "!" << QStringList{"01=FA", "02=05"} << 0;
    QTest::newRow("pause 501 by hand") << fullRecords(0x1EC) << false << false << "0D"
                                       << QStringList{info + kChoosePause} << "" << QStringList{"01=F9"} << 0;
    // Estimate (97 + 32) x 29 / 2 + 110 = 1980, then + 5 + 3.
    QTest::newRow("pause 1988 capped at 1983") << fullRecords(0x06E, 28) << false << true << "0D" << none
                                               << "!" << QStringList{"01=FF", "02=F7"} << 1;
    Records small = fullRecords();
    small << firmwareRecord("OK", "G", {0x123, 0x002, 0x020, 0x020, 0x020, 0x020, 0x060});
    QTest::newRow("A1") << small << false << true << "0D" << QStringList{"beep"} << "A1"
                        << QStringList{"09=NA", "10=NA", "06=2F"} << 0;
    Records large = fullRecords();
    large << firmwareRecord("OK", "G", {0x123, 0x0FE, 0x020, 0x020, 0x020, 0x020, 0x060});
    QTest::newRow("A2") << large << false << true << "0D" << QStringList{"beep"} << "A2"
                        << QStringList{"09=NA", "10=NA"} << 0;
    Records second = fullRecords();
    second << firmwareRecord("OK", "T2", pattern(34, {34}, 0x123, 0x020, 0x0F0));
    QTest::newRow("single duration in timing text 2")
        << second << false << true << "0D" << none << "!" << QStringList{"09=F4", "10=1D", "03=24"} << 0;
}

void FittingTest::runs() {
    QFETCH(Records, records);
    QFETCH(bool, fiveBytes);
    QFETCH(bool, automatic);
    QFETCH(QString, knBit);
    QFETCH(QStringList, events);
    QFETCH(QString, panel);
    QFETCH(QStringList, boxes);
    QFETCH(int, messages);
    Bench b(records);
    b.fiveBytes = fiveBytes;
    b.fitting.settings().automatic = automatic;
    b.box(HashVariableSet::Bit) = knBit;
    b.scanAndTick();
    QCOMPARE(b.dialogs.events, events);
    QCOMPARE(b.fitting.view().panelCaption, panel);
    QCOMPARE(b.fitting.patchReady(), panel == QStringLiteral("!"));
    QCOMPARE(b.fitting.view().panelColour, panel == QStringLiteral("!") ? ViewColour::Green
                                           : panel.isEmpty()            ? ViewColour::Yellow
                                                                        : ViewColour::Red);
    for (const QString& check : boxes) {
        const auto index = static_cast<HashVariableSet::Index>(check.left(2).toInt() - 1);
        QCOMPARE(b.box(index), check.mid(3));
    }
    QCOMPARE(b.fitting.view().messages.size(), messages);
    QVERIFY(!b.fitting.isRunning());
}

void FittingTest::goldenPatch() {
    Records records = fullRecords();
    records << firmwareRecord("Hvost", "K5", {0x123, 0x020, 0x060});
    Bench b(records);
    // The scan's go-to-record rewrites "Порог" before the tick reads it.
    b.porog = QStringLiteral("10");
    QObject::connect(&b.cursor, &RecordCursor::goToRecordRequested, [&b] { b.porog = QStringLiteral("3B"); });
    b.scanAndTick();

    const QString sep = QStringLiteral("; ") + QString(66, u'-');
    const QString z = QStringLiteral(",0x00").repeated(6);
    const QString end =
        QStringLiteral(".DB 0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,  0x00,0x00,0x00,0x00,0x00,"
                       "0x00,0x00,0x00  ; Завершение посылки");
    const QStringList expected{
        sep,
        "; Имя пульта     - TV",
        "; Дата  создания - 10.01.2011",
        "; Время создания - 12:00:00",
        "; Уник. индифик. - 1234ABCDB847",
        sep,
        "; Созданно программой Kestrum ver 1.1E",
        "; выложенной на сайт ravlin.example.org   от 10.01.11",
        sep,
        "; Во избежании ошибок - ВРУЧНУЮ НЕ МЕНЯТЬ!!!",
        ";  Для внесения изменений патчер создан  !!!",
        sep,
        "",
        "DuPeremennie:",
        ".DB 0xF9,0xBB,0x20,0x1F,0xF9,0x2F,0xF9,0x28,  0x64,0x1D,0x0D,0x3B,0x04,0x00,0xF9,0xFC",
        "",
        sep,
        "",
        "DuKnopki:",
        ".DB 0x04,0xA0" + z + ",  0xFF,0x00,0x00,0x00,0x00,0x00,0x00,0x00  ; Хвост это",
        ".DB 0x1F,0x80" + z + ",  0x01,0x01,0x00,0x00,0x00,0x00,0x00,0x00  ; PW - Активирующая кнопка",
        ".DB 0x1F,0xC0" + z + ",  0x07,0x02,0x03,0x00,0x00,0x00,0x00,0x00  ; K05 03  - Раскладка Ноль",
        ".DB 0x1F,0xE0" + z + ",  0x07,0x02,0x03,0x00,0x00,0x00,0x00,0x00  ; K05 03  - Раскладка Ноль",
        ".DB 0x1F,0x00,0x80,0x00,0x00,0x00,0x00,0x00,  0x41,0x00,0x00,0x00,0x00,0x00,0x00,0x00  ; N/A",
        end,
        end,
        end,
        end,
        "",
        sep,
        "; Конец файла.",
        ""};
    const QStringList& patch = b.fitting.view().patch;
    for (qsizetype i = 0; i < std::min(patch.size(), expected.size()); ++i)
        QCOMPARE(patch.at(i), expected.at(i));
    QCOMPARE(patch.size(), expected.size());

    const FittingView& v = b.fitting.view();
    QCOMPARE(v.status, FittingText::kDone);
    QCOMPARE(v.breakingPointLabel, QStringLiteral("KnBit = 09"));
    QCOMPARE(v.duplicatesLabel, QStringLiteral("Дубли = 0  (Неповторимых 5)"));
    QCOMPARE(v.pauseLabel, QStringLiteral("чем KnPz =  F934"));
    QCOMPARE(v.knBitColour, ViewColour::Face);
    QCOMPARE(b.fitting.settings().boxes, (std::array<QString, 13>{"F9", "BB", "20", "1F", "F9", "2F", "F9",
                                                                  "28", "64", "1D", "0D", "3B", "04"}));
    QVERIFY(!b.fitting.settings().automatic);
}

void FittingTest::automaticRerunOnNextTick() {
    // K1 and K2 differ only in the 14th duration from the end: duplicates below 14 bits.
    const Records records{
        firmwareRecord("PW", "K1", pattern(30, {30})), firmwareRecord("OK", "K2", pattern(30, {30, 17})),
        firmwareRecord("Up", "K3", pattern(30, {29})), firmwareRecord("Down", "K4", pattern(30, {28}))};
    for (bool automatic : {true, false}) {
        Bench b(records);
        b.fitting.settings().automatic = automatic;
        b.scanAndTick();
        QCOMPARE(b.fitting.view().breakingPointLabel, QStringLiteral("KnBit = 0E"));
        QCOMPARE(b.fitting.view().knBitColour, ViewColour::Yellow);
        QCOMPARE(b.fitting.view().duplicatesLabel, QStringLiteral("Дубли = 1  (Неповторимых 3)"));
        QCOMPARE(b.fitting.patchReady(), !automatic);
        QCOMPARE(b.fitting.isRunning(), automatic);
        if (!automatic) {
            QCOMPARE(b.fitting.table().count(), 3);
            continue;
        }
        QCOMPARE(b.box(HashVariableSet::Bit), QStringLiteral("0E"));
        b.scheduler.advance(Fitting::kIntervalMs);
        QVERIFY(b.fitting.patchReady());
        QCOMPARE(b.fitting.view().duplicatesLabel, QStringLiteral("Дубли = 0  (Неповторимых 4)"));
        QCOMPARE(b.fitting.view().knBitColour, ViewColour::Face);
        QCOMPARE(b.fitting.view().patch.at(14).mid(56, 4), QStringLiteral("0x0E"));
    }
}

void FittingTest::automaticRerunHappensOncePerScan() {
    // Packets of 6 raw bytes (KnPmax 7) with two equal bursts: duplicates at any KnBit, breaking
    // point 9, and the automatic KnBit falls back below it at every run.
    Bench b({firmwareRecord("PW", "K1", pattern(5, {5})), firmwareRecord("OK", "K2", pattern(5, {5})),
             firmwareRecord("Up", "K3", pattern(5, {4})), firmwareRecord("Down", "K4", pattern(5, {3}))});
    b.scanAndTick();
    QCOMPARE(b.box(HashVariableSet::Bit), QStringLiteral("09"));
    QVERIFY(b.fitting.isRunning());
    b.scheduler.advance(Fitting::kIntervalMs);
    QVERIFY(!b.fitting.isRunning());
    QVERIFY(b.fitting.patchReady());
    QCOMPARE(b.box(HashVariableSet::Bit), QStringLiteral("08"));
    QCOMPARE(b.fitting.view().messages.size(), 1);
    QCOMPARE(b.fitting.view().duplicatesLabel, QStringLiteral("Дубли = 1  (Неповторимых 3)"));
    b.scheduler.advance(10 * Fitting::kIntervalMs);
    QVERIFY(b.fitting.patchReady());
}

void FittingTest::scanNeedsTwoRecords() {
    Bench b({firmwareRecord("PW", "K1", pattern(30, {30}))});
    b.scanAndTick();
    QCOMPARE(b.dialogs.events, (QStringList{"beep", "info: " + FittingText::kFewerThan2}));
    QCOMPARE(b.fitting.view().status, FittingView::kIdleStatus);
    QCOMPARE(b.wentToFirst, 0);
    QVERIFY(!b.fitting.patchReady());
}

namespace {

const QString kSession = QStringLiteral("   ; Автомат сессия N");

// A session of two passes whose bursts differ ("PW"), two buttons whose bursts differ only before
// the last 13 durations ("Key 1", "Key 2"), a button whose second record has the first one's hash
// text but another burst ("Key 3"), and an unnamed button.
Records checkedRecords() {
    return {firmwareRecord("PW", "P" + kSession + "0", pattern(30, {27})),
            firmwareRecord("Key 1", "A", pattern(30, {30})),
            firmwareRecord("PW", "P" + kSession + "1", pattern(30, {26})),
            firmwareRecord("Key 2", "B", pattern(30, {30, 5})),
            firmwareRecord("Key 3", "C", pattern(30, {29})),
            firmwareRecord("Key 3", "C", pattern(30, {28})),
            firmwareRecord("N/A", "D" + kSession + "0", pattern(30, {25})),
            firmwareRecord("N/A", "D" + kSession + "1", pattern(30, {25}))};
}

} // namespace

void FittingTest::recognitionCheck_data() {
    QTest::addColumn<int>("knBit");
    QTest::addColumn<QStringList>("rows"); // button: total self other none [as]
    QTest::addColumn<int>("collisions");
    QTest::newRow("KnBit 0D: Key 2 taken for Key 1, Key 3 missed once")
        << 0x0D
        << QStringList{"PW 2 2 0 0", "Key 1 1 1 0 0", "Key 2 1 0 1 0 Key 1", "Key 3 2 1 0 1", "N/A D 2 2 0 0"}
        << 1;
    // Key 2's own duration is the 26th from the end: 25 bits still see one button, 26 see two.
    QTest::newRow("KnBit 19") << 0x19
                              << QStringList{"PW 2 2 0 0", "Key 1 1 1 0 0", "Key 2 1 0 1 0 Key 1",
                                             "Key 3 2 1 0 1", "N/A D 2 2 0 0"}
                              << 1;
    QTest::newRow("KnBit 1A") << 0x1A
                              << QStringList{"PW 2 2 0 0", "Key 1 1 1 0 0", "Key 2 1 1 0 0", "Key 3 2 1 0 1",
                                             "N/A D 2 2 0 0"}
                              << 0;
}

void FittingTest::recognitionCheck() {
    QFETCH(int, knBit);
    QFETCH(QStringList, rows);
    QFETCH(int, collisions);
    ButtonBase base;
    for (const ButtonRecord& r : checkedRecords())
        base.append(r);
    const RecognitionCheck check = checkRecognition(base, knBit, 0x3B);
    QStringList got;
    for (const RecognitionRow& r : check.rows) {
        QString line = QStringLiteral("%1 %2 %3 %4 %5")
                           .arg(r.button)
                           .arg(r.total)
                           .arg(r.self)
                           .arg(r.other())
                           .arg(r.none);
        for (const auto& [name, count] : r.others)
            line += u' ' + name;
        got << line;
    }
    QCOMPARE(got, rows);
    QCOMPARE(int(check.collisions.size()), collisions);
    if (collisions > 0) {
        QCOMPARE(check.collisions.front().kept, QStringLiteral("Key 1"));
        QCOMPARE(check.collisions.front().lost, QStringLiteral("Key 2"));
    }
    QVERIFY(!check.clean()); // Key 3 is always missed once
    QCOMPARE(check.verdict(), QStringLiteral("Проверка распознавания: из 8 вариантов чужими %1, не "
                                             "распознаны 1; коллизий %2")
                                  .arg(collisions)
                                  .arg(collisions));
}

void FittingTest::runShowsTheCheckAndSaveWarns() {
    Bench b(checkedRecords());
    b.fitting.settings().automatic = false;
    b.scanAndTick();
    QVERIFY(b.fitting.patchReady());
    const auto& shown = b.fitting.view().recognition;
    QVERIFY(shown.has_value());
    const RecognitionCheck direct = checkRecognition(b.base, 0x0D, 0x3B);
    QCOMPARE(b.fitting.view().recognitionVerdict, direct.verdict());
    QCOMPARE(shown->collisions.size(), direct.collisions.size());
    QVERIFY(b.fitting.view().messages.isEmpty());
    b.dialogs.fileNames << QString(); // the save dialog is cancelled: the warning still comes first
    QVERIFY(!b.fitting.save());
    QCOMPARE(b.fitting.view().messages, direct.warnings());
    QCOMPARE(b.fitting.view().messages.at(1),
             QStringLiteral("Коллизия: Key 1 и Key 2 (0x1F,0x80,0x00,0x00,0x00,0x00,0x00,0x00)"));
}

QTEST_GUILESS_MAIN(FittingTest)
#include "test_fitting.moc"
