#include "base/core/bulk_rename.h"
#include "base/core/test_area.h"
#include "base/core/test_exports.h"
#include "fakes/scripted_dialogs.h"
#include "hashing/core/number_text.h"
#include "platform/core/text_file.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace ravlin;

using Records = std::vector<ButtonRecord>;
Q_DECLARE_METATYPE(Records)

namespace {

using Timings = std::array<QString, kTimingTextCount>;

// Durations as timing texts: three hex digits each, 33 per text.
Timings timingsOf(const QList<int>& durations) {
    Timings t;
    for (qsizetype i = 0; i < durations.size() && i < kTimingTextCount * kDurationsPerTimingText; ++i)
        t[i / kDurationsPerTimingText] += IntToBaseWidth(durations[i], 16, 3);
    return t;
}

ButtonRecord rec(const QString& button, const QString& hash = QString(), const QString& timing1 = QString(),
                 const QString& remote = QStringLiteral("R")) {
    ButtonRecord r;
    r.remoteName = remote;
    r.buttonName = button;
    r.hash = hash;
    r.timings[0] = timing1;
    return r;
}

ButtonBase baseOf(const Records& records) {
    ButtonBase b;
    b.setRecords(records);
    return b;
}

QStringList names(const ButtonBase& b) {
    QStringList out;
    for (const ButtonRecord& r : b.records())
        out << r.buttonName;
    return out;
}

// The header line of every exported block (blocks are ten lines).
QStringList blockHeaders(const QStringList& lines) {
    QStringList out;
    for (qsizetype i = 0; i < lines.size(); i += 10)
        out << lines[i] + QLatin1Char(' ') + lines.value(i + 2);
    return out;
}

} // namespace

class TestExportsAndRenames : public QObject {
    Q_OBJECT
private slots:
    void assemblerData_data() {
        QTest::addColumn<QList<int>>("durations");
        QTest::addColumn<QStringList>("data"); // the lines after the four heading lines
        QTest::newRow("two-byte first")
            << QList<int>{0x123, 0x010, 0x008} << QStringList{".DB 0xF9,0x2B,0x10,0x08"};
        QTest::newRow("17 one-byte") << QList<int>(17, 5)
                                     << QStringList{".DB " + QStringList(16, "0x05").join(','),
                                                    ".DB 0x05,0x00"};
        QTest::newRow("line of 17 bytes")
            << (QList<int>(15, 1) << 300)
            << QStringList{".DB " + QStringList(15, "0x01").join(',') + ",0xF9,0x34"};
        QTest::newRow("248 one byte, 249 two")
            << QList<int>{248, 249} << QStringList{".DB 0xF8,0xF9,0x01,0x00"};
        // 1984 is the longest two-byte form; longer text is held there instead of a byte that overflows.
        QTest::newRow("longest and beyond")
            << QList<int>{1983, 1984, 0xFFF} << QStringList{".DB 0xFF,0xF7,0xFF,0xF8,0xFF,0xF8"};
        QTest::newRow("no burst") << QList<int>{} << QStringList{};
    }
    void assemblerData() {
        QFETCH(QList<int>, durations);
        QFETCH(QStringList, data);
        const QStringList lines = TestExports::assemblerData(timingsOf(durations));
        QCOMPARE(lines.mid(0, 4), (QStringList{"", "", "; Выводим данные в виде hex массива", ""}));
        QCOMPARE(lines.mid(4), data);
    }

    void durationList() {
        const QStringList lines = TestExports::durationList(timingsOf({450, 0x10, 0}));
        QCOMPARE(lines, (QStringList{"; Выводим данные в виде длинн", "", "   1   1  -    9.600  МиллиСек",
                                     "   2   0  -    0.341  МиллиСек", "   3   1  -    0.000  МиллиСек"}));
        // Durations run on across the six texts.
        QCOMPARE(TestExports::durationList(timingsOf(QList<int>(40, 1))).last().left(4),
                 QStringLiteral("  40"));
    }

    void analyses_data() {
        QTest::addColumn<Records>("records");
        QTest::addColumn<QString>("bit"); // empty: "Анализ длинны"
        QTest::addColumn<QStringList>("lines");
        const QStringList lengthHead{"анализ кол во бит в посылке по всей базе",
                                     "(Проверяет длинну всех посылок и выдаёт диаапазон)", "",
                                     "В представленных данных длинна"};
        const Records three{rec("a", "20FF", "00A025100"), rec("b", "00", "030"), rec("c", "44AB", "0F0024")};
        QTest::newRow("length") << three << QString() << (QStringList(lengthHead) << "колеблится 0 - 68");
        QTest::newRow("length, two records") << Records(three.begin(), three.begin() + 2) << QString()
                                             << QStringList{"Недостаточно данных для анализа"};
        QTest::newRow("bit 1") << three << "01"
                               << QStringList{"анализ длины заданного бита по всей базе",
                                              "то что меньше  10 - 10", "то что больше  48 - 240"};
        QTest::newRow("bit 2, 37 is long") << three << " 2"
                                           << QStringList{"анализ длины заданного бита по всей базе",
                                                          "то что меньше  36 - 36", "то что больше  37 - 37"};
        QTest::newRow("bit 3, beyond two texts")
            << three << "3"
            << QStringList{"анализ длины заданного бита по всей базе", "то что меньше  1000 - 0",
                           "то что больше  256 - 256"};
        QTest::newRow("bit beyond every text")
            << three << "40"
            << QStringList{"анализ длины заданного бита по всей базе", "то что меньше  1000 - 0",
                           "то что больше  1000 - 0"};
        QTest::newRow("bit not a number")
            << three << "x1"
            << QStringList{"анализ длины заданного бита по всей базе", "то что меньше  1000 - 0",
                           "то что больше  1000 - 0"};
        QTest::newRow("bit, two records") << Records(three.begin(), three.begin() + 2) << "01"
                                          << QStringList{"Недостаточно данных для анализа"};
    }
    void analyses() {
        QFETCH(Records, records);
        QFETCH(QString, bit);
        QFETCH(QStringList, lines);
        const ButtonBase base = baseOf(records);
        QCOMPARE(bit.isEmpty() ? TestExports::lengthAnalysis(base) : TestExports::bitAnalysis(base, bit),
                 lines);
    }

    void keyNameTable() {
        const QStringList lines = TestExports::keyNameTable();
        QCOMPARE(lines.size(), 66);
        QCOMPARE(lines.mid(0, 3),
                 (QStringList{"const", "  KeyNamTab: array[1..63] of string = (", "\"PW\","}));
        QCOMPARE(lines.last(), QStringLiteral("\"Obshaya\","));
    }

    void characteristicButtons_data() {
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QStringList>("blocks"); // header and button name of each block
        QTest::newRow("Mute and Hvost")
            << QStringList{"Mute", "Hvost"} << QStringList{"0<<<<Mute.txt Hvost", "1<<<<Mute.txt Mute"};
        QTest::newRow("two characteristic")
            << QStringList{"Mute", "Play", "Hvost", "PW"}
            << QStringList{"1<<<<Mute.txt Play", "2<<<<Mute.txt PW", "2<<<<Mute.txt Hvost"};
        // The third pass starts from record 1 again and may repeat a record of the first.
        QTest::newRow("one characteristic")
            << QStringList{"Key 1", "Hvost", "Mute"}
            << QStringList{"1<<<<Mute.txt Key 1", "1<<<<Mute.txt Hvost", "1<<<<Mute.txt Key 1"};
        QTest::newRow("only tails") << QStringList{"Hvost", "Hvost"} << QStringList{"0<<<<Mute.txt Hvost"};
        QTest::newRow("empty base") << QStringList{} << QStringList{};
    }
    void characteristicButtons() {
        QFETCH(QStringList, buttons);
        QFETCH(QStringList, blocks);
        Records records;
        for (const QString& b : buttons)
            records.push_back(rec(b, "H" + b, "0100FF"));
        const QStringList lines = TestExports::characteristicButtons(baseOf(records), "Mute.txt");
        QCOMPARE(lines.size() % 10, 0);
        QCOMPARE(blockHeaders(lines), blocks);
        if (!lines.isEmpty())
            QCOMPARE(lines.mid(1, 5), (QStringList{"R", lines[2], "H" + lines[2], "0100FF", ""}));
    }

    // Switch on, double click on "режим", off and on again: the full area appears only at the end.
    void visibilitySequence() {
        ButtonBase base;
        WorkingRecord working;
        fakes::ScriptedDialogs dialogs;
        QString name = "Len.txt";
        QString opened;
        TestArea area(base, working, dialogs, name, opened);
        const auto shown = [&] {
            const TestAreaView& v = area.view();
            return QList<bool>{v.unknownGroup,  v.testButton,   v.saveButton,
                               v.fittingButton, v.pelvarButton, v.lengthsButton};
        };
        const QList<bool> none(6, false);
        const QList<bool> lengthsOnly{false, false, false, false, false, true};
        QCOMPARE(shown(), none);
        area.modeLabelDoubleClicked(); // with the switch off the flag stays clear
        area.switchChanged(true);
        QCOMPARE(shown(), lengthsOnly);
        area.modeLabelDoubleClicked();
        QVERIFY(area.view().extended);
        QCOMPARE(shown(), lengthsOnly);
        area.switchChanged(false);
        QCOMPARE(shown(), none);
        area.switchChanged(true);
        QCOMPARE(shown(), QList<bool>(6, true));
        area.switchChanged(false);
        area.modeLabelDoubleClicked(); // clears the flag: only "длинн" follows from now on
        area.switchChanged(true);
        QCOMPARE(shown(), lengthsOnly);
    }

    // "длинн" lists and saves; the name is completed; an existing file is replaced only on Yes,
    // and a failed write leaves it as it was.
    void durationListSaves() {
        QTemporaryDir dir;
        ButtonBase base;
        WorkingRecord working;
        working.timings = timingsOf({450});
        fakes::ScriptedDialogs dialogs;
        QString name = "Len.txt";
        QString opened;
        TestArea area(base, working, dialogs, name, opened);
        const QString path = dir.filePath("out");
        dialogs.fileNames << path;
        area.durationList();
        QCOMPARE(dialogs.events, QStringList{"save: Len.txt"});
        QCOMPARE(name, path + ".txt");
        const QStringList written{"; Выводим данные в виде длинн", "", "   1   1  -    9.600  МиллиСек"};
        QCOMPARE(TextLines::read(name)->lines(), written);

        area.clearMemo();
        QVERIFY(area.memo().lines().isEmpty());
        area.keyNamesTest();
        dialogs.fileNames << name;
        dialogs.answers << Answer::No;
        area.saveToFile();
        QCOMPARE(dialogs.events.mid(1),
                 (QStringList{"save: " + name, "beep", "yesno: " + TestArea::kOverwriteQuestion}));
        QCOMPARE(TextLines::read(name)->lines(), written);

        TextFileWriter::failurePoint = [](qsizetype n) { return n >= 3; };
        dialogs.fileNames << name;
        area.saveToFile();
        TextFileWriter::failurePoint = nullptr;
        QVERIFY(dialogs.events.last().startsWith("info: Файл не сохранён."));
        QCOMPARE(TextLines::read(name)->lines(), written);

        dialogs.fileNames << name;
        area.saveToFile();
        QCOMPARE(TextLines::read(name)->lines(), TestExports::keyNameTable());
    }

    // Before the first burst the placeholder text gives no data lines.
    void noBurstOnScreen() {
        ButtonBase base;
        WorkingRecord working;
        fakes::ScriptedDialogs dialogs;
        QString name;
        QString opened;
        TestArea area(base, working, dialogs, name, opened);
        area.assemblerTest();
        QCOMPARE(area.memo().lines().size(), 4);
        dialogs.fileNames.clear();
        area.durationList();
        QCOMPARE(area.memo().lines(), (QStringList{"; Выводим данные в виде длинн", ""}));
    }

    // Exports go on collecting; then the base is cleared and the next file opened, in that order.
    void exportButtonsClearsThenOpens() {
        ButtonBase base = baseOf({rec("Mute"), rec("Hvost")});
        WorkingRecord working;
        fakes::ScriptedDialogs dialogs;
        QString name = "Len.txt";
        QString opened;
        TestArea area(base, working, dialogs, name, opened);
        QStringList calls;
        opened = QStringLiteral("/data/remotes/Mute.txt");
        connect(&area, &TestArea::reloadBaseRequested, [&] {
            calls << "clear:" + QString::number(area.memo().lines().size());
            calls << "open";
        });
        area.keyNamesTest();
        area.exportButtons();
        QCOMPARE(calls, (QStringList{"clear:86", "open"}));
        QCOMPARE(area.memo().lines().at(66), QStringLiteral("0<<<<Mute.txt"));
    }

    void bulkRename_data() {
        QTest::addColumn<Records>("records");
        QTest::addColumn<int>("rule");
        QTest::addColumn<QStringList>("names");
        const Records hashes{rec("a", "002F11"), rec("b", "0025"), rec("c", "00"),
                             rec("d", "1F00"),   rec("e", ""),     rec("f", "002")};
        QTest::newRow("hash not 00") << hashes << 0
                                     << QStringList{"NeUznal", "NeUznal", "NeUznal", "PW", "PW", "NeUznal"};
        QTest::newRow("hash starts 002F or 0025")
            << hashes << 1 << QStringList{"PW", "PW", "NeUznal", "NeUznal", "NeUznal", "NeUznal"};
        QTest::newRow("by length") << Records{rec("a", "", QString(147, 'A')),
                                              rec("b", "", QString(134, 'A')),
                                              rec("c", "", QString(135, 'A')),
                                              rec("d", "", QString(150, 'A')),
                                              rec("e", "", QString(161, 'A')),
                                              rec("f", "", QString(162, 'A')),
                                              rec("g")}
                                   << 2 << QStringList{"Key 8", "Key 1", "Key 8", "Key 9",
                                                       "Key 9", "Key 2", "Key 1"};
        QTest::newRow("remote to Mode")
            << Records{rec("a", "", "", "RM-FP"), rec("b", "", "", "RM-FPX"), rec("c", "", "", "RM-FP")} << 3
            << QStringList{"Mode", "b", "Mode"};
    }
    void bulkRename() {
        QFETCH(Records, records);
        QFETCH(int, rule);
        QFETCH(QStringList, names);
        ButtonBase base = baseOf(records);
        // A record past the count is left alone.
        base.record(base.count() + 1) = rec("beyond", "FF");
        WorkingRecord working;
        fakes::ScriptedDialogs dialogs;
        QString name;
        QString opened;
        TestArea area(base, working, dialogs, name, opened);
        switch (rule) {
        case 0:
            area.renameByNonZeroHash();
            break;
        case 1:
            area.renameByHashStart();
            break;
        case 2:
            area.renameByLength();
            break;
        default:
            area.renameRemoteToMode();
            break;
        }
        QCOMPARE(::names(base), names);
        QCOMPARE(base.record(base.count() + 1).buttonName, QStringLiteral("beyond"));
        QCOMPARE(base.record(1).hash, records[0].hash);
    }

    // The 147-character case spread over several texts, as records hold it.
    void lengthRuleCountsAllTexts() {
        ButtonBase base = baseOf({rec("x")});
        base.record(1).timings = timingsOf(QList<int>(49, 0x20));
        BulkRename::byLength(base);
        QCOMPARE(base.record(1).buttonName, QStringLiteral("Key 8"));
    }
};

QTEST_GUILESS_MAIN(TestExportsAndRenames)
#include "test_exports_and_renames.moc"
