#include "firmware/core/firmware_patch.h"
#include "firmware_records.h"

#include "fakes/scripted_dialogs.h"
#include "platform/core/text_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace ravlin;
using ravlin::test::firmwareRecord;

Q_DECLARE_METATYPE(ravlin::OutputSettings)
Q_DECLARE_METATYPE(ravlin::ButtonRecord)

class FirmwarePatchTest : public QObject {
    Q_OBJECT

private slots:
    void numbers_data();
    void numbers();
    void optionsByte_data();
    void optionsByte();
    void deviceHash_data();
    void deviceHash();
    void tableKeepsOneEntryPerHashText();
    void actionCodes_data();
    void actionCodes();
    void rowGrouping_data();
    void rowGrouping();
    void save_data();
    void save();
    void saveAsksBeforeOverwriting();
};

void FirmwarePatchTest::numbers_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("byteHex");
    QTest::addColumn<int>("prefix");
    QTest::addColumn<int>("remainder");
    QTest::newRow("5") << 5 << "05" << 0 << 5;
    QTest::newRow("248 stays one byte") << 248 << "F8" << 0 << 0xF8;
    QTest::newRow("249") << 249 << "F9" << 0xF9 << 0x01;
    QTest::newRow("300") << 300 << "2C" << 0xF9 << 0x34;
    QTest::newRow("501") << 501 << "F5" << 0xFA << 0x05;
    QTest::newRow("1983 largest that fits") << 1983 << "BF" << 0xFF << 0xF7;
    QTest::newRow("1984 prefix beyond a byte") << 1984 << "C0" << 0x100 << 0;
    QTest::newRow("negative") << -1 << "FF" << 0 << -1;
}

void FirmwarePatchTest::numbers() {
    QFETCH(int, value);
    QFETCH(QString, byteHex);
    QFETCH(int, prefix);
    QFETCH(int, remainder);
    QCOMPARE(ByteHex(value), byteHex);
    const SplitLength s = SplitLength::of(value);
    QCOMPARE(s.prefix, prefix);
    QCOMPARE(s.remainder, remainder);
}

void FirmwarePatchTest::optionsByte_data() {
    QTest::addColumn<OutputSettings>("settings");
    QTest::addColumn<int>("options");
    QTest::addColumn<int>("zero");
    QTest::addColumn<int>("one");
    const OutputSettings d;
    QTest::newRow("defaults") << d << 0x00 << 0xF9 << 0xFC;
    auto s = d;
    s.noV9 = true;
    s.noDetector = true;
    QTest::newRow("C1 C3") << s << 0xC0 << 0xF9 << 0xFC;
    s = d;
    s.noOnes = true;
    s.silent = true;
    s.known = KnownButtonAction::LengthsV8;
    s.unknown = UnknownButtonAction::Nothing;
    QTest::newRow("C4 C2 V8 nothing") << s << 0x3C << 0xF9 << 0xFC;
    s = d;
    s.known = KnownButtonAction::Emulate;
    s.unknown = UnknownButtonAction::ErrorV9;
    s.zeroDepth = 1;
    s.oneDepth = 8;
    QTest::newRow("emulate, error, depths 0 and 7") << s << 0x03 << 0xF8 << 0xFF;
    s = d;
    s.pauseMode = true;
    s.zeroDepth = 4;
    QTest::newRow("pause mode") << s << 0x00 << 109 << 0xFC;
}

void FirmwarePatchTest::optionsByte() {
    QFETCH(OutputSettings, settings);
    QFETCH(int, options);
    QFETCH(int, zero);
    QFETCH(int, one);
    QCOMPARE(int(settings.optionsByte()), options);
    QCOMPARE(int(settings.zeroDepthByte()), zero);
    QCOMPARE(int(settings.oneDepthByte()), one);
}

void FirmwarePatchTest::deviceHash_data() {
    QTest::addColumn<ButtonRecord>("record");
    QTest::addColumn<int>("knBit");
    QTest::addColumn<QString>("hash");
    // 67 durations: ones (0x0F0) at 67, 65, 62, 60 | 59, 55; the last duration is the first bit.
    std::vector<int> d(67, 0x010);
    for (int p : {67, 65, 62, 60, 59, 55})
        d[std::size_t(p - 1)] = 0x0F0;
    QTest::newRow("67 durations, KnBit 0D")
        << firmwareRecord("PW", "H", d) << 0x0D << "0x43,0xA5,0x88,0x00,0x00,0x00,0x00,0x00";
    QTest::newRow("67 durations, KnBit 08")
        << firmwareRecord("PW", "H", d) << 0x08 << "0x43,0xA5,0x00,0x00,0x00,0x00,0x00,0x00";
    QTest::newRow("248 is one raw byte")
        << firmwareRecord("PW", "H", {0x0F8}) << 0x0D << "0x01,0x80,0x00,0x00,0x00,0x00,0x00,0x00";
    QTest::newRow("249 is two") << firmwareRecord("PW", "H", {0x0F9, 0x03A}) << 0x0D
                                << "0x03,0x40,0x00,0x00,0x00,0x00,0x00,0x00";
    ButtonRecord broken;
    broken.timings = {QStringLiteral("0F"), QStringLiteral("z0F0F0"), {}, QStringLiteral("0F0")};
    QTest::newRow("short and odd texts") << broken << 0x0D << "0x03,0xC0,0x00,0x00,0x00,0x00,0x00,0x00";
    QTest::newRow("empty record") << ButtonRecord{} << 0x38 << "0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00";
}

void FirmwarePatchTest::deviceHash() {
    QFETCH(ButtonRecord, record);
    QFETCH(int, knBit);
    QFETCH(QString, hash);
    const QString text = DeviceHash(record, knBit, 0x3B);
    QCOMPARE(text, hash);
    QCOMPARE(text.size(), 39);
}

void FirmwarePatchTest::tableKeepsOneEntryPerHashText() {
    ButtonBase base;
    base.append(firmwareRecord("PW", "A", {0x100, 0x020}));
    base.append(firmwareRecord("OK", "B", {0x100, 0x060}));
    base.append(firmwareRecord("Mute", "A", {0x100, 0x060, 0x060}));
    DeviceHashTable table;
    BuildDeviceHashTable(base, 0x0D, 0x3B, table);
    QCOMPARE(table.count(), 2);
    QCOMPARE(table.entries[1].buttonName, QStringLiteral("OK"));
    QCOMPARE(table.entries[1].text(), QStringLiteral("0x03,0xC0,0x00,0x00,0x00,0x00,0x00,0x00"));
}

void FirmwarePatchTest::actionCodes_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("codes");
    QTest::newRow("Key 5 shared, N/A distinct")
        << QStringList{"Key 5", "N/A", "Key 5", "N/A"} << QList<int>{0x07, 0x41, 0x07, 0x42};
    QTest::newRow("Hvost, table names, others")
        << QStringList{"Hvost", "PW", "Obshaya", "Zzz", "Hvost", "Zzz", "Key 0"}
        << QList<int>{0xFF, 0x01, 0x40, 0x41, 0xFF, 0x41, 0x02};
}

void FirmwarePatchTest::actionCodes() {
    QFETCH(QStringList, names);
    QFETCH(QList<int>, codes);
    DeviceHashTable table;
    for (const QString& n : names)
        table.entries.push_back({n, 0, false, n});
    const std::vector<int> got = ravlin::actionCodes(table);
    QCOMPARE(QList<int>(got.begin(), got.end()), codes);
}

void FirmwarePatchTest::rowGrouping_data() {
    QTest::addColumn<int>("entries");
    QTest::addColumn<QList<int>>("emptyLines"); // positions after "DuKnopki:", up to the closing separator
    QTest::newRow("12 entries") << 12 << QList<int>{10, 17};
    QTest::newRow("16 entries") << 16 << QList<int>{10, 21, 22};
    QTest::newRow("6 entries") << 6 << QList<int>{10, 11};
    QTest::newRow("empty table") << 0 << QList<int>{4};
}

void FirmwarePatchTest::rowGrouping() {
    QFETCH(int, entries);
    QFETCH(QList<int>, emptyLines);
    DeviceHashTable table;
    for (int i = 0; i < entries; ++i)
        table.entries.push_back({QString::number(i), std::uint64_t(i), false, QStringLiteral("Key 3")});
    const QStringList lines = WritePatchText({}, {}, table, QStringLiteral("TV"), {});
    const qsizetype start = lines.indexOf(QStringLiteral("DuKnopki:")) + 1;
    QList<int> empty;
    int rows = 0;
    qsizetype i = start;
    for (; !lines.at(i).startsWith(QStringLiteral("; ---")); ++i) {
        if (lines.at(i).isEmpty())
            empty << int(i - start);
        else
            ++rows;
    }
    QCOMPARE(empty, emptyLines);
    QCOMPARE(rows, entries + 4);
    QCOMPARE(lines.mid(i + 1), (QStringList{QStringLiteral("; Конец файла."), QString()}));
}

void FirmwarePatchTest::save_data() {
    QTest::addColumn<bool>("ready");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written"); // empty: nothing written
    QTest::addColumn<QStringList>("events");
    QTest::newRow("no patch") << false << "a" << QString()
                              << QStringList{QStringLiteral("info: ") + kNothingToSavePatch};
    QTest::newRow("cancelled") << true << QString() << QString() << QStringList{"save: PachFile.pch"};
    QTest::newRow("extension added") << true << "p"
                                     << "p.pch" << QStringList{"save: PachFile.pch"};
    QTest::newRow("kept") << true << "p.pch"
                          << "p.pch" << QStringList{"save: PachFile.pch"};
    QTest::newRow("upper case .PCH gets .pch") << true << "p.PCH"
                                               << "p.PCH.pch" << QStringList{"save: PachFile.pch"};
}

void FirmwarePatchTest::save() {
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QFETCH(bool, ready);
    QFETCH(QStringList, events);
    QTemporaryDir dir;
    fakes::ScriptedDialogs dialogs;
    if (!chosen.isEmpty()) dialogs.fileNames << dir.filePath(chosen);
    const QStringList lines{QStringLiteral("; Имя"), QString(), QStringLiteral("x")};
    QCOMPARE(savePatch(dialogs, ready, lines), !written.isEmpty());
    QCOMPARE(dialogs.events, events);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
             written.isEmpty() ? QStringList{} : QStringList{written});
    if (written.isEmpty()) return;
    QFile f(dir.filePath(written));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("; \xC8\xEC\xFF\r\n\r\nx\r\n"));
}

void FirmwarePatchTest::saveAsksBeforeOverwriting() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.pch"));
    QVERIFY(TextFileWriter::write(path, {QStringLiteral("old")}));
    fakes::ScriptedDialogs dialogs;
    dialogs.fileNames << path << path;
    dialogs.answers << Answer::No << Answer::Yes;
    QVERIFY(!savePatch(dialogs, true, {QStringLiteral("new")}));
    QCOMPARE(TextLines::read(path)->lines().first(), QStringLiteral("old"));
    QVERIFY(savePatch(dialogs, true, {QStringLiteral("new")}));
    QCOMPARE(TextLines::read(path)->lines().first(), QStringLiteral("new"));
    const QString ask = QStringLiteral("yesno: ") + kOverwritePatchQuestion;
    QCOMPARE(dialogs.events,
             (QStringList{"save: PachFile.pch", "beep", ask, "save: PachFile.pch", "beep", ask}));
}

QTEST_GUILESS_MAIN(FirmwarePatchTest)
#include "test_firmware_patch.moc"
