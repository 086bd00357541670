#include "fakes/scripted_dialogs.h"
#include "firmware/core/action_map.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace ravlin;

class ActionMapTest : public QObject {
    Q_OBJECT

private slots:
    void actionNames();
    void validity_data();
    void validity();
    void saveThenOpen();
    void malformedFilesReadWithoutCrash_data();
    void malformedFilesReadWithoutCrash();
    void avtoFillsAtMost79();
    void avtoStartingIndex_data();
    void avtoStartingIndex();
    void avtoPasses();
    void pelvarLayout();
    void openingChecks_data();
    void openingChecks();
    void fileNameRule();
};

namespace {

// The main window's fields the commands read, empty.
struct MainFields {
    TestAreaSettings testArea;
    HashPanelSettings panel;
    BaseEntrySettings entry{QString(), QString(), QString()};
    BurstFields burst{QString(), {}};
    ActionMapCommands::Inputs inputs() const { return {testArea, panel, entry, burst}; }
};

ButtonRecord rec(const QString& name, const QString& hash) {
    ButtonRecord r;
    r.remoteName = QStringLiteral("TV");
    r.buttonName = name;
    r.hash = hash;
    return r;
}

QString hashOf(int i) {
    return QStringLiteral("A%1").arg(i, 15, 16, QLatin1Char('0')).toUpper();
}

ActionMapEntry entry(const char* name, const char* hash, const char* action) {
    return {QString::fromUtf8(name), QString::fromUtf8(hash), QString::fromUtf8(action)};
}

} // namespace

void ActionMapTest::actionNames() {
    const QStringList& n = JoystickActionNames();
    QCOMPARE(n.size(), 93);
    const QList<std::pair<int, const char*>> spots{
        {0, "None"},    {1, "Xmax - Right"}, {4, "Ymin - Down"}, {8, "Xmax Ymin"},   {9, "None1"},
        {15, "None7"},  {16, "Key 01 - PW"}, {17, "Key 02 - 0"}, {26, "Key 11 - 9"}, {27, "Key 12"},
        {39, "Key 24"}, {40, "KeT 01"},      {68, "KeT 29"},     {69, "Key 30"},     {71, "Key 32"},
        {72, "KeT 33"}, {92, "KeT 53"}};
    for (const auto& [i, text] : spots)
        QCOMPARE(n.at(i), QString::fromLatin1(text));
    QCOMPARE(actionIndex(QStringLiteral("Foo")), -1);
}

void ActionMapTest::validity_data() {
    QTest::addColumn<ActionMapEntry>("e");
    QTest::addColumn<bool>("valid");
    QTest::newRow("complete") << entry("PW", "1234567890ABCDEF", "Key 01 - PW") << true;
    QTest::newRow("action None") << entry("PW", "1234567890ABCDEF", "None") << false;
    QTest::newRow("empty action") << entry("PW", "1234567890ABCDEF", "") << false;
    QTest::newRow("unknown action") << entry("PW", "1234567890ABCDEF", "Jump") << false;
    QTest::newRow("no name") << entry("", "1234567890ABCDEF", "KeT 53") << false;
    QTest::newRow("no hash") << entry("PW", "", "KeT 53") << false;
}

void ActionMapTest::validity() {
    QFETCH(ActionMapEntry, e);
    QFETCH(bool, valid);
    ActionMap map;
    map.entries[5] = e;
    map.refreshFlags();
    QCOMPARE(bool(map.valid[5]), valid);
    QCOMPARE(map.validCount(), valid ? 1 : 0);
}

void ActionMapTest::saveThenOpen() {
    QTemporaryDir dir;
    fakes::ScriptedDialogs dialogs;
    ButtonBase base;
    RescanFlags flags;
    ActionMap map;
    MainFields fields;
    fields.entry.remoteName = QStringLiteral("My TV: 1.2");
    ActionMapCommands cmd(map, base, flags, dialogs, fields.inputs());
    map.entries[0] = entry("Power", "1234567890ABCDEF", "Key 01 - PW");
    map.entries[41] = entry("Сон", "00FF00FF00FF00FF0", "KeT 53");
    map.entries[79] = entry("Jumper", "ABCDABCDABCDABCD", "Jump"); // not an action: reads back "None"
    map.entries[7] = entry("", "", "Xmin Ymin");
    const QString path = dir.filePath(QStringLiteral("remote"));
    dialogs.fileNames << path;
    QVERIFY(cmd.saveFile());
    QCOMPARE(dialogs.events.first(), QStringLiteral("save: My_TV__1_2.irf"));
    QVERIFY(QFile::exists(path + QStringLiteral(".irf")));

    ActionMap expected = map;
    expected.entries[79].action = QStringLiteral("None");
    expected.entries[7].action = QStringLiteral("Xmin Ymin");
    map.entries.fill(entry("x", "y", "Xmax Ymin"));
    dialogs.fileNames << path;
    QVERIFY(cmd.openFile());
    for (int i = 0; i < ActionMap::kSets; ++i)
        QCOMPARE(map.entries[i], expected.entries[i]);
    QCOMPARE(map.validCount(), 2);

    // A second save proposes the name now in use and asks before overwriting.
    dialogs.fileNames << path;
    dialogs.answers << Answer::No;
    QVERIFY(!cmd.saveFile());
    QVERIFY(dialogs.events.contains(QStringLiteral("yesno: ") + ActionMapText::kOverwrite));
    dialogs.fileNames << dir.filePath(QStringLiteral("missing.irf"));
    QVERIFY(!cmd.openFile());
    QCOMPARE(dialogs.events.last(), QStringLiteral("info: ") + ActionMapText::kNotFound);
}

void ActionMapTest::malformedFilesReadWithoutCrash_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name1");
    QTest::addColumn<QString>("action1");
    QTest::newRow("empty") << QByteArray() << QString() << QStringLiteral("None");
    QTest::newRow("short lines") << QByteArray("a\r\nb\r\n\r\n-\r\n\r\nx\r\n1\r\n-\r\n3-") << QString()
                                 << QStringLiteral("None");
    QTest::newRow("binary") << QByteArray("\x00\xff\x01-\x02\n\n\n\n\n;\n1-\xc0\xc1\n2- h\n3- Ymax - Up", 34)
                            << QStringLiteral("Б") << QStringLiteral("Ymax - Up");
}

void ActionMapTest::malformedFilesReadWithoutCrash() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name1);
    QFETCH(QString, action1);
    ActionMap map;
    readIrf(map, TextLines::fromBytes(bytes));
    QCOMPARE(map.entries[0].name, name1);
    QCOMPARE(map.entries[0].action, action1);
    QCOMPARE(map.entries[79], ActionMapEntry{});
}

void ActionMapTest::avtoFillsAtMost79() {
    ButtonBase base;
    const QStringList names{"Up", "Down", "Key 1", "Left"};
    for (int i = 0; i < 100; ++i)
        base.append(rec(names.at(i % 4), hashOf(i)));
    ActionMap map;
    QCOMPARE(fillAutomatically(map, base, false), 79);
    QCOMPARE(map.validCount(), 79);
    QVERIFY(map.entries[79].name.isEmpty());
    // General buttons with distinct names stop at the limits of the two passes.
    ButtonBase general;
    for (int i = 0; i < 100; ++i)
        general.append(rec(QStringLiteral("B%1").arg(i), hashOf(i)));
    QCOMPARE(fillAutomatically(map, general, true), 76);
    QCOMPARE(map.entries[0].action, QStringLiteral("Key 02 - 0"));
    QCOMPARE(map.entries[75].action, QStringLiteral("KeT 53"));
}

void ActionMapTest::avtoStartingIndex_data() {
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("firstGeneral");
    QTest::newRow("no keys") << QStringList() << QStringLiteral("Key 02 - 0");
    // Any key name moves general buttons to "Key 12" (index 27), however low the key.
    QTest::newRow("Key 0") << QStringList{"Key 0"} << QStringLiteral("Key 12");
    QTest::newRow("Key 1") << QStringList{"Key 1"} << QStringLiteral("Key 12");
    QTest::newRow("Key 3 and Key 9") << QStringList{"Key 3", "Key 9"} << QStringLiteral("Key 12");
    // Key 10 takes "Key 12" itself; the first general button takes the next index instead of sharing it.
    QTest::newRow("Key 10") << QStringList{"Key 10"} << QStringLiteral("Key 13");
}

void ActionMapTest::avtoStartingIndex() {
    QFETCH(QStringList, keys);
    QFETCH(QString, firstGeneral);
    ButtonBase base;
    base.append(rec(QStringLiteral("Mute"), hashOf(1)));
    base.append(rec(QStringLiteral("Hvost"), hashOf(2)));
    for (int i = 0; i < keys.size(); ++i)
        base.append(rec(keys.at(i), hashOf(10 + i)));
    base.append(rec(QStringLiteral("Menu"), hashOf(3)));
    ActionMap map;
    QCOMPARE(fillAutomatically(map, base, true), keys.size() + 2);
    QCOMPARE(map.entries[keys.size()].name, QStringLiteral("Mute"));
    QCOMPARE(map.entries[keys.size()].action, firstGeneral);
    QCOMPARE(actionIndex(map.entries[keys.size() + 1].action), actionIndex(firstGeneral) + 1);
    QStringList actions;
    for (const ActionMapEntry& e : map.entries)
        if (!e.name.isEmpty()) actions << e.action;
    QCOMPARE(QSet<QString>(actions.begin(), actions.end()).size(), actions.size());
}

void ActionMapTest::avtoPasses() {
    ButtonBase base;
    base.append(rec(QStringLiteral("CH+"), hashOf(1)));
    base.append(rec(QStringLiteral("OK"), QStringLiteral("ABC")));
    base.append(rec(QStringLiteral("Vol"), QStringLiteral("N/A")));
    base.append(rec(QStringLiteral("Vol"), QStringLiteral("00AB")));
    base.append(rec(QStringLiteral("Vol"), QStringLiteral("ABC000"))); // same padded hash as OK
    base.append(rec(QStringLiteral("Vol"), hashOf(5)));
    base.append(rec(QStringLiteral("Vol"), hashOf(6))); // second hash of a name: same action
    base.append(rec(QStringLiteral("VOL+"), hashOf(7)));
    ActionMap map;
    QCOMPARE(fillAutomatically(map, base, false), 5);
    const QList<ActionMapEntry> expected{
        entry("CH+", hashOf(1).toLatin1(), "Ymax - Up"), entry("VOL+", hashOf(7).toLatin1(), "Xmax - Right"),
        entry("OK", "ABC0000000000000", "Key 01 - PW"), entry("Vol", hashOf(5).toLatin1(), "Key 02 - 0"),
        entry("Vol", hashOf(6).toLatin1(), "Key 02 - 0")};
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(map.entries[i], expected.at(i));
    // Without the axes CH+ and VOL+ are general buttons.
    QCOMPARE(fillAutomatically(map, base, true), 5);
    QCOMPARE(map.entries[0].name, QStringLiteral("OK"));
    QCOMPARE(map.entries[1], entry("CH+", hashOf(1).toLatin1(), "Key 02 - 0"));
    QCOMPARE(map.entries[4], entry("VOL+", hashOf(7).toLatin1(), "Key 04 - 2"));
}

void ActionMapTest::pelvarLayout() {
    ActionMap map;
    map.entries[2] = entry("PW", "0102030405060708", "Key 01 - PW");
    map.entries[4] = entry("None set", "1111111111111111", "None");
    map.entries[10] = entry("Up", "A1A2A3A4A5A6A7A8", "Ymax - Up");
    map.entries[70] = entry("Vol", "B1B2B3B4B5B6B7B8FF", "KeT 53");
    map.refreshFlags();
    const QStringList lines = pelvarLines(map);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.at(0), QStringLiteral(".DB 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x10,       "
                                         "0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0x03   "
                                         "  ; PW        - Key 01 - PW  |||  Up        - Ymax - Up"));
    QCOMPARE(lines.at(1), QStringLiteral(".DB 0xB1, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7, 0xB8, 0x5C,       "
                                         "0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00"
                                         "  ; Vol       - KeT 53       |||  "));
    // A first name of nine characters widens the first comment column to 43.
    map.entries[2].name = QStringLiteral("Power_one");
    const QString wide = pelvarLines(map).at(0);
    QVERIFY(wide.contains(QStringLiteral("   ; Power_one") + QString(30, QLatin1Char(' ')) +
                          QStringLiteral(" - Key 01 - PW|||  Up")));
    // After every 14 lines an empty line follows.
    for (int i = 0; i < 30; ++i)
        map.entries[i] = {QStringLiteral("B"), hashOf(i), QStringLiteral("KeT 01")};
    map.refreshFlags();
    const QStringList many = pelvarLines(map);
    QCOMPARE(many.size(), 17); // 16 data lines and one empty line
    QVERIFY(many.at(14).isEmpty());
}

void ActionMapTest::openingChecks_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("m96");
    QTest::addColumn<bool>("rescanned");
    QTest::addColumn<bool>("withM96");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("opens");
    QTest::newRow("fewer than 4") << 3 << true << true << true << ActionMapText::kFewerThan4 << false;
    QTest::newRow("not M96") << 20 << false << true << true << ActionMapText::kSelectM96 << false;
    QTest::newRow("not rescanned with M96")
        << 20 << true << true << false << ActionMapText::kNotRescanned << false;
    QTest::newRow("fewer than 15, No") << 10 << true << true << true << ActionMapText::kFewerThan15 << false;
    QTest::newRow("all pass") << 20 << true << true << true << QString() << true;
}

void ActionMapTest::openingChecks() {
    QFETCH(int, count);
    QFETCH(bool, m96);
    QFETCH(bool, rescanned);
    QFETCH(bool, withM96);
    QFETCH(QString, message);
    QFETCH(bool, opens);
    ButtonBase base;
    for (int i = 0; i < count; ++i)
        base.append(rec(QStringLiteral("B"), hashOf(i)));
    RescanFlags flags{rescanned, withM96};
    fakes::ScriptedDialogs dialogs;
    dialogs.answers << Answer::No;
    ActionMap map;
    MainFields fields;
    fields.panel.source = m96 ? HashSource::M96 : HashSource::OneBit;
    ActionMapCommands cmd(map, base, flags, dialogs, fields.inputs());
    QCOMPARE(cmd.open(), opens);
    QCOMPARE(dialogs.events.size(), message.isEmpty() ? 0 : 2);
    if (!message.isEmpty()) QVERIFY(dialogs.events.at(1).endsWith(message));
    QCOMPARE(flags.rescanned, rescanned && m96);
    fields.testArea.testSwitch = true;
    QVERIFY(cmd.open());
}

void ActionMapTest::fileNameRule() {
    QCOMPARE(safeFileName(QStringLiteral("Пульт Ёж.1,2:3;4/5\\6{7}[8](9)")),
             QStringLiteral("Пульт_Ёж_1_2_3_4_5_6_7__8__9_"));
    QCOMPARE(safeFileName(QStringLiteral("a!#$%&'*+-<=>?^_|~№\"`@z")),
             QStringLiteral("a!#$%&'*+-<=>?^_|~№\"`@z"));
}

QTEST_GUILESS_MAIN(ActionMapTest)
#include "test_action_map.moc"
