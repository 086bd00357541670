#include "base/core/analogue_base.h"
#include "base/core/key_names.h"
#include "base/core/name_choice.h"
#include "base/core/name_picture.h"
#include "fakes/scripted_dialogs.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace ravlin;

namespace {

// A picture reader that answers as told and counts its calls.
struct FakePicture : RemotePictureLoader {
    bool answer = true;
    QStringList paths;
    bool load(const QString& path) override {
        paths << path;
        return answer;
    }
};

struct Rig {
    QTemporaryDir dir;
    ButtonBase base;
    WorkingRecord working;
    CaptureBuffer buffer;
    fakes::ScriptedDialogs dialogs;
    BaseEntry entry;
    BurstFields burst;
    ResultLog editorMemo;
    ResultLog memo;
    PageInFront page{true, false};
    BaseEditor editor{base, working, buffer, entry, burst, dialogs, editorMemo, page};
    NamePictureState state;
    NamePicture picture{state, editor, dialogs, memo, dir.path()};
    NameChoice choice{base, editor, dialogs};
    FakePicture loader;
    const QStringList& log = memo.lines();

    Rig() {
        QDir(dir.path()).mkpath(QStringLiteral("Tarnisk/OpisPl"));
        picture.setPictureLoader(&loader);
    }
    QString path(const QString& name) const { return dir.path() + QStringLiteral("/Tarnisk/OpisPl/") + name; }
    void writeRemote(const QString& code, const std::vector<RemoteZone>& zones) {
        QVERIFY(TextFileWriter::write(path(code + QStringLiteral(".txt")), RemoteDescription::lines(zones)));
    }
    void writeRemoteLines(const QString& code, const QStringList& lines) {
        QVERIFY(TextFileWriter::write(path(code + QStringLiteral(".txt")), lines));
    }
    void addRecord(const QString& button) {
        ButtonRecord r;
        r.buttonName = button;
        r.hash = QStringLiteral("H%1").arg(base.count());
        base.append(r);
    }
};

// The description of the zone example: one zone 0010 , 0020 / 0030 , 0040 named PW.
const QStringList kExample = {QStringLiteral("; Файл описания кнопок пульта"),
                              QString(),
                              QStringLiteral("; Всего кнопок"),
                              QStringLiteral("01"),
                              QString(),
                              QStringLiteral("; ХУ, ХУ и имя кнопок"),
                              QString(),
                              QStringLiteral("0010 , 0020"),
                              QStringLiteral("0030 , 0040"),
                              QStringLiteral("\\\\_PW_//"),
                              QString(),
                              QStringLiteral("Конец файла")};

} // namespace

class TestNamingAids : public QObject {
    Q_OBJECT

private slots:
    void zoneExample_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<QString>("key");
        QTest::newRow("first corner") << 10 << 20 << "PW";
        QTest::newRow("second corner") << 30 << 40 << "PW";
        QTest::newRow("right of it") << 31 << 40 << "N/A";
        QTest::newRow("above it") << 20 << 19 << "N/A";
        QTest::newRow("origin") << 0 << 0 << "N/A";
    }
    void zoneExample() {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(QString, key);
        Rig r;
        r.writeRemoteLines(QStringLiteral("A01"), kExample);
        r.picture.load();
        QCOMPARE(r.picture.zones().size(), std::size_t(1));
        // A picture of 100 x 700 pixels maps pixels to units one to one.
        r.picture.pointerMoved(x, y, 100, 700);
        QCOMPARE(r.picture.positionLabel(), QStringLiteral("X,Y=(%1 , %2)").arg(x).arg(y));
        QCOMPARE(r.picture.keyLabel(), QStringLiteral("Key=") + key);
        QVERIFY(r.dialogs.events.isEmpty());
    }

    void pictureUnitsScaleWithThePicture() {
        Rig r;
        r.picture.pointerMoved(199, 599, 200, 600); // last pixel of a 200 x 600 picture
        QCOMPARE(r.picture.positionLabel(), QStringLiteral("X,Y=(99 , 698)"));
        r.picture.pointerMoved(5, 5, 0, 0); // an empty picture is ignored
        QCOMPARE(r.picture.positionLabel(), QStringLiteral("X,Y=(99 , 698)"));
    }

    void laterOverlappingZoneWins() {
        Rig r;
        r.writeRemote(QStringLiteral("A01"), {{0, 0, 50, 50, QStringLiteral("Menu")},
                                              {20, 20, 60, 60, QStringLiteral("OK")},
                                              {0, 0, 10, 10, QStringLiteral("PW")}});
        r.picture.load();
        QCOMPARE(r.picture.keyAt(5, 5), QStringLiteral("PW"));
        QCOMPARE(r.picture.keyAt(15, 15), QStringLiteral("Menu"));
        QCOMPARE(r.picture.keyAt(30, 30), QStringLiteral("OK"));
        QCOMPARE(r.picture.keyAt(55, 55), QStringLiteral("OK"));
    }

    void namesAreCutAndMarksDropped() {
        Rig r;
        QStringList lines = kExample;
        lines[9] = QStringLiteral("\\\\_Очень длинное имя кнопки_//");
        r.writeRemoteLines(QStringLiteral("A01"), lines);
        r.picture.load();
        QCOMPARE(r.picture.zones().at(0).name, QStringLiteral("Очень длинное им"));
    }

    void moreThanAHundredZonesReadAHundredAndSaySo() {
        Rig r;
        std::vector<RemoteZone> zones;
        for (int i = 0; i < 150; ++i)
            zones.push_back({i, i, i, i, QStringLiteral("Z%1").arg(i)});
        r.writeRemote(QStringLiteral("A01"), zones);
        r.picture.load();
        QCOMPARE(r.picture.zones().size(), std::size_t(100));
        QCOMPARE(r.picture.zones().back().name, QStringLiteral("Z99"));
        QCOMPARE(r.picture.keyAt(120, 120), QStringLiteral("N/A"));
        QCOMPARE(r.log.size(), 1);
        QVERIFY(r.log.first().contains(QStringLiteral("150")));
    }

    void malformedFilesKeepWhatWasRead_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("zones");
        QTest::newRow("count not a number") << 4 << "zz" << 0;
        QTest::newRow("blank in a column") << 8 << " 010 , 0020" << 0;
        QTest::newRow("sign in a column") << 9 << "0030 , -040" << 0;
        QTest::newRow("more announced than written") << 4 << "05" << 1;
    }
    void malformedFilesKeepWhatWasRead() {
        QFETCH(int, line);
        QFETCH(QString, text);
        QFETCH(int, zones);
        Rig r;
        QStringList lines = kExample;
        lines[line - 1] = text;
        r.writeRemoteLines(QStringLiteral("A01"), lines);
        r.picture.load();
        QCOMPARE(int(r.picture.zones().size()), zones);
        QCOMPARE(r.log.size(), 1);
        QCOMPARE(r.picture.keyAt(31, 40), QStringLiteral("N/A"));
    }

    void writtenA08ReadsBackEqual() {
        Rig r;
        std::vector<RemoteZone> zones;
        for (int i = 0; i < 100; ++i)
            zones.push_back({i, 7 * i, i + 1, 7 * i + 6, QStringLiteral("Кнопка номер %1").arg(i).left(16)});
        r.writeRemote(QStringLiteral("A03"), zones);
        r.picture.chooseRemote(QStringLiteral("A3"));
        QVERIFY(r.picture.writeDescription());
        const auto back = TextLines::read(r.path(QStringLiteral("A08.txt")));
        QVERIFY(back);
        QCOMPARE(back->line(4), QStringLiteral("100"));
        QCOMPARE(back->line(back->count()), QStringLiteral("Конец файла"));
        QCOMPARE(RemoteDescription::read(*back).zones, zones);
        QCOMPARE(RemoteDescription::lines({{1, 2, 30, 40, QStringLiteral("PW")}}).mid(3, 5),
                 (QStringList{"01", "", "; ХУ, ХУ и имя кнопок", "", "0001 , 0002"}));
    }

    void remoteChoice_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("selector");
        QTest::newRow("A1") << "A1"
                            << "A01"
                            << "A1";
        QTest::newRow("A7") << "A7"
                            << "A07"
                            << "A7";
        QTest::newRow("A8") << "A8"
                            << "A01"
                            << "A1";
        QTest::newRow("lower case") << "a3"
                                    << "A01"
                                    << "A1";
        QTest::newRow("empty") << ""
                               << "A01"
                               << "A1";
    }
    void remoteChoice() {
        QFETCH(QString, text);
        QFETCH(QString, code);
        QFETCH(QString, selector);
        Rig r;
        r.state.remoteCode = QStringLiteral("A05");
        r.writeRemoteLines(code, kExample);
        r.picture.chooseRemote(text);
        QCOMPARE(r.state.remoteCode, code);
        QCOMPARE(r.state.selectorText, selector);
        QCOMPARE(r.picture.zones().size(), std::size_t(1));
        QCOMPARE(r.loader.paths, QStringList{r.path(code + QStringLiteral(".jpg"))});
    }

    // A missing description file shows a box only while the window is visible; a missing picture
    // always does. Both leave a memo line, and the zones of a readable description still work.
    void missingFiles_data() {
        QTest::addColumn<bool>("description");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<int>("zones");
        const QString noBase = NamePicture::kDescriptionMissing;
        const QString noPicture = NamePicture::kPictureMissing;
        QTest::newRow("description, hidden") << false << false << QStringList{"beep"} << 0;
        QTest::newRow("description, visible") << false << true << QStringList{"beep", "info: " + noBase} << 0;
        QTest::newRow("picture, hidden") << true << false << QStringList{"beep", "info: " + noPicture} << 1;
        QTest::newRow("picture, visible") << true << true << QStringList{"beep", "info: " + noPicture} << 1;
    }
    void missingFiles() {
        QFETCH(bool, description);
        QFETCH(bool, visible);
        QFETCH(QStringList, events);
        QFETCH(int, zones);
        Rig r;
        r.picture.setPictureLoader(nullptr); // the stand-in: is there a file
        if (description) r.writeRemoteLines(QStringLiteral("A01"), kExample);
        r.picture.setWindowVisible(visible);
        r.picture.load();
        QCOMPARE(r.dialogs.events, events);
        // Without the description the missing picture is named too, and the folder both were looked for in.
        QStringList log{NamePicture::kPictureMissing, lookedInLine(r.path(QString()).chopped(1))};
        if (!description) log.prepend(NamePicture::kDescriptionMissing);
        QCOMPARE(r.log, log);
        QCOMPARE(int(r.picture.zones().size()), zones);
        QVERIFY(!r.picture.pictureLoaded());
        r.picture.pointerMoved(20, 30, 100, 700);
        QCOMPARE(r.picture.currentKey(), QString(zones ? "PW" : "N/A"));
    }

    void clickAndDoubleClickName() {
        Rig r;
        r.writeRemoteLines(QStringLiteral("A01"), kExample);
        r.picture.load();
        r.picture.pointerMoved(50, 50, 100, 700);
        r.picture.click();
        r.picture.doubleClick();
        QCOMPARE(r.dialogs.events, (QStringList{"beep", "beep"}));
        QCOMPARE(r.editor.settings().buttonName, QStringLiteral("N/A"));

        r.editor.settings().buttonName = QStringLiteral("Custom");
        r.editor.view().nameMarker = ViewColour::Yellow;
        r.picture.pointerMoved(15, 25, 100, 700);
        r.picture.click();
        QCOMPARE(r.editor.settings().buttonName, QStringLiteral("PW"));
        QCOMPARE(r.editor.view().nameMarker, ViewColour::Face);
        QCOMPARE(r.base.count(), 0);

        // A double click names the burst on screen and stores it (Change, here appending).
        r.working.hash = QStringLiteral("0025ABCD");
        r.editor.view().offerAdd();
        r.editor.settings().buttonName = QStringLiteral("N/A");
        r.picture.doubleClick();
        QCOMPARE(r.base.count(), 1);
        QCOMPARE(r.base.record(1).buttonName, QStringLiteral("PW"));
        QCOMPARE(r.base.record(1).hash, QStringLiteral("0025ABCD"));
    }

    void numberBox_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("beeps");
        QTest::newRow("40 capped") << "40"
                                   << "3D"
                                   << "A/B" << 0;
        QTest::newRow("3D") << "3D"
                            << "3D"
                            << "A/B" << 0;
        QTest::newRow("letter gets a zero") << "A"
                                            << "0A"
                                            << "Key 8" << 0;
        QTest::newRow("leading zeros dropped") << "005"
                                               << "5"
                                               << "Key 3" << 0;
        QTest::newRow("zero") << "0"
                              << "0"
                              << "N/A" << 0;
        QTest::newRow("lower case") << "3b"
                                    << "3B"
                                    << "Jump" << 0;
        QTest::newRow("huge") << "FFFFFFFFFFFFFFFFFFFFFFFF"
                              << "3D"
                              << "A/B" << 0;
        QTest::newRow("not hexadecimal") << "1G"
                                         << "1G"
                                         << "Mute" << 1;
        QTest::newRow("Cyrillic") << "А"
                                  << "А"
                                  << "Mute" << 1;
        QTest::newRow("emptied") << ""
                                 << ""
                                 << "Mute" << 0;
    }
    void numberBox() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, name);
        QFETCH(int, beeps);
        Rig r;
        r.addRecord(QStringLiteral("A/B"));
        r.editor.settings().buttonName = QStringLiteral("Mute");
        r.choice.numberChanged(typed);
        QCOMPARE(r.choice.view().number, shown);
        QCOMPARE(r.editor.settings().buttonName, name);
        QCOMPARE(r.dialogs.beeps(), beeps);
        if (beeps == 0 && !typed.isEmpty()) {
            QCOMPARE(r.choice.view().ascendingText, name);
            QCOMPARE(r.choice.view().descendingText, name);
            QCOMPARE(r.choice.view().uniqueness,
                     name == "A/B" ? QStringLiteral("Повторяется в 1") : NameChoiceView::kUnique);
        }
    }

    void indexSteps_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<QString>("index");
        QTest::addColumn<QString>("name");
        QTest::newRow("> at 64 stays") << "64" << true << "64"
                                       << "Obshaya";
        QTest::newRow("< at 00 stays") << "00" << false << "00"
                                       << "N/A";
        QTest::newRow("> from 05") << "05" << true << "06"
                                   << "Key 4";
        QTest::newRow("< from 1") << "1" << false << "00"
                                  << "N/A";
        QTest::newRow("< above range") << "70" << false << "63"
                                       << "Hvost";
        QTest::newRow("> above range") << "70" << true << "64"
                                       << "Obshaya";
        QTest::newRow("> below range") << "-5" << true << "00"
                                       << "N/A";
        QTest::newRow("> on text") << "ab" << true << "01"
                                   << "PW";
    }
    void indexSteps() {
        QFETCH(QString, start);
        QFETCH(bool, forward);
        QFETCH(QString, index);
        QFETCH(QString, name);
        Rig r;
        r.choice.view().index = start;
        forward ? r.choice.next() : r.choice.previous();
        QCOMPARE(r.choice.view().index, index);
        QCOMPARE(r.choice.view().indexLabel, QStringLiteral("Под пунктом ") + index + " находится - " + name);
        QCOMPARE(r.editor.settings().buttonName, name);
    }

    void groupsFillBothLists() {
        Rig r;
        r.choice.selectGroup(1); // "TV"
        QCOMPARE(r.choice.view().ascending.size(), 18);
        QCOMPARE(r.choice.view().ascending.mid(0, 3), (QStringList{"N/A", "Mute", "-/--"}));
        QCOMPARE(r.choice.view().descending.mid(0, 2), (QStringList{"N/A", "Zoom"}));
        r.choice.selectGroup(5); // "All Key"
        QCOMPARE(r.choice.view().ascending.size(), 66);
        QCOMPARE(r.choice.view().ascending.count(QStringLiteral("N/A")), 2);
        QCOMPARE(r.choice.view().descending.at(1), QStringLiteral("Obshaya"));
        r.choice.selectGroup(6); // no such button
        QCOMPARE(r.choice.view().group, 5);
    }

    void choosingChecksUniqueness() {
        Rig r;
        for (const char* name : {"PW", "Mute", "PW", "Key 1", "PW"})
            r.addRecord(QString::fromLatin1(name));
        r.choice.choose(true, QStringLiteral("PW"));
        QCOMPARE(r.choice.view().uniqueness, QStringLiteral("Повторяется в 1,3,5"));
        QCOMPARE(r.choice.view().uniquenessColour, ViewColour::Yellow);
        QCOMPARE(r.choice.view().descendingText, QStringLiteral("N/A"));
        r.choice.choose(false, QStringLiteral("Key 2"));
        QCOMPARE(r.choice.view().uniqueness, NameChoiceView::kUnique);
        QCOMPARE(r.choice.view().uniquenessColour, ViewColour::Face);
        QCOMPARE(r.choice.view().ascendingText, QStringLiteral("N/A"));
        QCOMPARE(r.editor.settings().buttonName, QStringLiteral("Key 2"));
        // Records past the count do not count.
        r.base.setCount(2);
        QCOMPARE(NameChoice::usedIn(r.base, QStringLiteral("PW")), QStringLiteral("1"));
    }

    void enterNormalisesWithoutUniqueness() {
        Rig r;
        r.addRecord(QStringLiteral("PW"));
        r.choice.enter(true, QStringLiteral("pw"));
        QCOMPARE(r.choice.view().ascendingText, QStringLiteral("PW"));
        QCOMPARE(r.editor.settings().buttonName, QStringLiteral("PW"));
        QCOMPARE(r.choice.view().uniqueness, NameChoiceView::kUnique);
        r.choice.enter(false, QStringLiteral("key 11"));
        QCOMPARE(r.choice.view().descendingText, QStringLiteral("key 11"));
        QCOMPARE(r.editor.settings().buttonName, QStringLiteral("PW"));
    }
};

QTEST_GUILESS_MAIN(TestNamingAids)
#include "test_naming_aids.moc"
