#include "base/core/base_editor.h"
#include "base/core/key_names.h"
#include "fakes/scripted_dialogs.h"

#include <QtTest>

#include <numeric>
#include <vector>

using namespace ravlin;

namespace {

struct Rig {
    ButtonBase base;
    WorkingRecord working;
    CaptureBuffer buffer;
    BaseEntry entry;
    BurstFields burst;
    fakes::ScriptedDialogs dialogs;
    ResultLog memo;
    PageInFront page{true, false};
    BaseEditor editor{base, working, buffer, entry, burst, dialogs, memo, page};
    const QStringList& log = memo.lines();
    int handOvers = 0;
    int distributionClears = 0;
    int pictureClears = 0;

    Rig() {
        QObject::connect(&editor, &BaseEditor::burstRebuilt, [this] { ++handOvers; });
        QObject::connect(&editor, &BaseEditor::distributionClearRequested, [this] { ++distributionClears; });
        QObject::connect(&editor, &BaseEditor::displayReset, [this] { ++pictureClears; });
    }

    // A burst on screen with its own hash and timings, then Add under the given names.
    void addButton(int i, const QString& remote = QString(), const QString& button = QStringLiteral("PW")) {
        working.hash = QStringLiteral("HASH%1").arg(i);
        for (int t = 0; t < kTimingTextCount; ++t)
            working.timings[t] = QStringLiteral("%1%2").arg(t).arg(i, 2, 10, QChar(u'0'));
        editor.settings().remoteName = remote.isEmpty() ? QStringLiteral("Remote %1").arg(i) : remote;
        editor.settings().buttonName = button;
        editor.add();
    }
};

} // namespace

class TestBaseEditor : public QObject {
    Q_OBJECT
private slots:
    void storingALongBurstTellsWhatWasCut() {
        Rig r;
        std::vector<std::int32_t> burst(231, 30);
        for (std::int32_t d : burst)
            r.buffer.append(d);
        r.working.hash = QStringLiteral("00AB");
        r.working.timings = timingTextsOf(burst);
        r.editor.add();
        QCOMPARE(
            r.log.last(),
            QStringLiteral("Запись 1: посылка из 231 длительностей, в тайминги записи вошли первые 198"));
        // A burst that fits, and one rebuilt from a record, are stored without a note.
        r.editor.settings().buttonName = QStringLiteral("OK");
        r.buffer.fromRecord = true;
        r.editor.add();
        QCOMPARE(r.log.last(), QStringLiteral("Добавили запись. Теперь записей - 2"));
        r.buffer.fromRecord = false;
        r.buffer.count = 197;
        r.working.timings = timingTextsOf(std::vector<std::int32_t>(197, 30));
        r.editor.add();
        QCOMPARE(r.log.last(), QStringLiteral("Добавили запись. Теперь записей - 3"));
    }

    void defaults() {
        Rig r;
        QCOMPARE(r.editor.settings().recordNumber, QStringLiteral("1"));
        QCOMPARE(r.editor.settings().remoteName, QStringLiteral("Пульт 1"));
        QCOMPARE(r.editor.settings().buttonName, QStringLiteral("N/A"));
        QCOMPARE(r.editor.view().countLabel, QStringLiteral("000"));
        QCOMPARE(r.editor.view().changeCaption, QStringLiteral("Изменить"));
        QCOMPARE(r.burst.hash, WorkingRecord::kHashPlaceholder);
    }

    void addWithPlaceholderDoesNothing() {
        Rig r;
        r.editor.add();
        r.editor.change();
        QCOMPARE(r.base.count(), 0);
        QVERIFY(r.log.isEmpty());
        QVERIFY(r.dialogs.events.isEmpty());
        QCOMPARE(r.editor.view().countLabel, QStringLiteral("000"));
    }

    void addStoresTheWorkingRecord() {
        Rig r;
        r.editor.view().offerAdd();
        r.addButton(1, QStringLiteral("ДвадцатьСимволов1234"), QStringLiteral("Key 1"));
        QCOMPARE(r.base.count(), 1);
        QCOMPARE(r.base.currentIndex(), 1);
        const ButtonRecord& rec = r.base.record(1);
        QCOMPARE(rec.remoteName, QStringLiteral("ДвадцатьСимволов"));
        QCOMPARE(rec.buttonName, QStringLiteral("Key 1"));
        QCOMPARE(rec.hash, QStringLiteral("HASH1"));
        QCOMPARE(rec.timings[5], QStringLiteral("501"));
        QCOMPARE(r.editor.view().selection, QStringLiteral("1 - Key 1"));
        QCOMPARE(r.editor.view().countLabel, QStringLiteral("1"));
        QCOMPARE(r.editor.view().changeCaption, QStringLiteral("Изменить"));
        QCOMPARE(r.log, QStringList{QStringLiteral("Добавили запись. Теперь записей - 1")});

        // Shown again with its first 16 characters.
        r.editor.settings().remoteName.clear();
        r.editor.goToRecord();
        QCOMPARE(r.editor.settings().remoteName, QStringLiteral("ДвадцатьСимволов"));
    }

    void addAtTheLimit() {
        Rig r;
        for (int i = 1; i <= 748; ++i)
            r.base.append(ButtonRecord{});
        r.addButton(749);
        QCOMPARE(r.dialogs.beeps(), 0);
        r.addButton(750);
        QCOMPARE(r.dialogs.beeps(), 1);
        QCOMPARE(r.base.count(), 750);
        r.addButton(751);
        QCOMPARE(r.dialogs.beeps(), 2);
        QCOMPARE(r.base.count(), 750);
        QCOMPARE(r.base.record(750).hash, QStringLiteral("HASH751"));
        QCOMPARE(r.base.record(749).hash, QStringLiteral("HASH749"));
        QCOMPARE(r.editor.view().selection, QStringLiteral("750 - PW"));
    }

    void changeOverwritesInPlace() {
        Rig r;
        for (int i = 1; i <= 3; ++i)
            r.addButton(i);
        r.editor.settings().recordNumber = QStringLiteral("2");
        r.editor.goToRecord();
        r.working.hash = QStringLiteral("NEW");
        r.editor.settings().buttonName = QStringLiteral("Mute");
        r.editor.change();
        QCOMPARE(r.base.count(), 3);
        QCOMPARE(r.base.record(2).hash, QStringLiteral("NEW"));
        QCOMPARE(r.base.record(2).buttonName, QStringLiteral("Mute"));
        QCOMPARE(r.base.record(3).hash, QStringLiteral("HASH3"));
        QCOMPARE(r.editor.view().selection, QStringLiteral("2 - Mute"));
    }

    void changeWithAddCaptionAppends() {
        Rig r;
        r.addButton(1);
        r.working.hash = QStringLiteral("FRESH");
        r.base.setCurrentIndex(2);
        r.editor.view().offerAdd();
        r.editor.change();
        QCOMPARE(r.base.count(), 2);
        QCOMPARE(r.base.record(2).hash, QStringLiteral("FRESH"));
        QCOMPARE(r.base.record(1).hash, QStringLiteral("HASH1"));
        QCOMPARE(r.editor.view().changeCaption, QStringLiteral("Изменить"));
        QCOMPARE(r.log.size(), 2);
    }

    void changeWithoutSelectionStoresNothing_data() {
        QTest::addColumn<int>("index");
        QTest::newRow("none selected") << 0;
        QTest::newRow("new burst") << 3;
        QTest::newRow("negative") << -4;
    }
    void changeWithoutSelectionStoresNothing() {
        QFETCH(int, index);
        Rig r;
        r.addButton(1);
        r.addButton(2);
        const auto before = r.base.records();
        r.base.setCurrentIndex(index);
        r.working.hash = QStringLiteral("OTHER");
        r.dialogs.events.clear();
        r.editor.change();
        QCOMPARE(r.base.records(), before);
        QCOMPARE(r.dialogs.events, (QStringList{QStringLiteral("beep"),
                                                QStringLiteral("info: На данный момент нет выбранных...")}));
    }

    void deleteThirdOfFive() {
        Rig r;
        for (int i = 1; i <= 5; ++i)
            r.addButton(i, QString(), KeyNamTab::name(i));
        const auto before = r.base.records();
        r.editor.settings().recordNumber = QStringLiteral("3");
        r.editor.goToRecord();
        r.dialogs.events.clear();
        r.editor.settings().recordNumber = QStringLiteral("3");
        r.editor.remove();
        QCOMPARE(r.dialogs.events,
                 (QStringList{QStringLiteral("beep"), QStringLiteral("yesno: Удалить кнопку N3 из базы?"),
                              QStringLiteral("info: Кнопка была успешно удалена!!!")}));
        QCOMPARE(r.base.count(), 4);
        const auto after = r.base.records();
        QCOMPARE(after.size(), std::size_t(4));
        QCOMPARE(after[0], before[0]);
        QCOMPARE(after[1], before[1]);
        QCOMPARE(after[2], before[3]);
        QCOMPARE(after[3], before[4]);
        QCOMPARE(r.base.currentIndex(), 0);
        QCOMPARE(r.editor.view().selection, QStringLiteral("N/A"));
        QCOMPARE(r.editor.view().countLabel, QStringLiteral("4"));
        QCOMPARE(r.editor.view().changeCaption, QStringLiteral("Изменить"));
    }

    void deleteDeclined() {
        Rig r;
        for (int i = 1; i <= 2; ++i)
            r.addButton(i);
        const auto before = r.base.records();
        r.dialogs.answers << Answer::No;
        r.editor.remove();
        QCOMPARE(r.base.records(), before);
        QCOMPARE(r.base.currentIndex(), 2);
        QVERIFY(r.dialogs.events.last().startsWith(QStringLiteral("yesno: Удалить кнопку N2 ")));
    }

    void deleteOnEmptyBase() {
        Rig r;
        r.editor.remove();
        QCOMPARE(r.dialogs.events, (QStringList{QStringLiteral("beep"),
                                                QStringLiteral("info: Список пуст - удалять нечего!!!")}));
    }

    void deleteTakesRecordNumberWhenNothingShown_data() {
        QTest::addColumn<QString>("recordNumber");
        QTest::addColumn<bool>("asks");
        QTest::newRow("in range") << "2" << true;
        QTest::newRow("zero") << "0" << false;
        QTest::newRow("past the count") << "9" << false;
        QTest::newRow("not a number") << "x" << false;
    }
    void deleteTakesRecordNumberWhenNothingShown() {
        QFETCH(QString, recordNumber);
        QFETCH(bool, asks);
        Rig r;
        for (int i = 1; i <= 3; ++i)
            r.addButton(i);
        r.editor.view().dropSelection();
        r.dialogs.answers << Answer::No;
        r.dialogs.events.clear();
        r.editor.settings().recordNumber = recordNumber;
        r.editor.remove();
        QCOMPARE(r.base.count(), 3);
        if (asks)
            QCOMPARE(r.dialogs.events.last(), QStringLiteral("yesno: Удалить кнопку N2 из базы?"));
        else
            QCOMPARE(r.dialogs.events,
                     (QStringList{QStringLiteral("beep"),
                                  QStringLiteral("info: На данный момент нет выбранных...")}));
    }

    void deleteAfterDeleteUsesRecordNumber() {
        Rig r;
        for (int i = 1; i <= 3; ++i)
            r.addButton(i);
        r.editor.settings().recordNumber = QStringLiteral("1");
        r.editor.remove(); // record 3 is selected by the last add
        QCOMPARE(r.base.count(), 2);
        r.editor.remove(); // nothing selected now: Edit6 names record 1
        QCOMPARE(r.base.count(), 1);
        QCOMPARE(r.base.record(1).hash, QStringLiteral("HASH2"));
    }

    void navigation_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("command"); // 0 previous, 1 next, 2 Enter
        QTest::addColumn<QString>("shown");
        QTest::newRow("next on last") << "3" << 1 << "3";
        QTest::newRow("previous on first") << "1" << 0 << "1";
        QTest::newRow("next") << "2" << 1 << "3";
        QTest::newRow("previous") << "3" << 0 << "2";
        QTest::newRow("Enter past the count") << "99" << 2 << "3";
        QTest::newRow("Enter below 1") << "-5" << 2 << "1";
        QTest::newRow("previous past the count") << "50" << 0 << "3";
        QTest::newRow("next from garbage") << "abc" << 1 << "1";
    }
    void navigation() {
        QFETCH(QString, start);
        QFETCH(int, command);
        QFETCH(QString, shown);
        Rig r;
        for (int i = 1; i <= 3; ++i)
            r.addButton(i);
        r.editor.settings().recordNumber = start;
        if (command == 0) r.editor.previous();
        if (command == 1) r.editor.next();
        if (command == 2) r.editor.enterInRecordNumber();
        QCOMPARE(r.editor.settings().recordNumber, shown);
        QCOMPARE(r.base.currentIndex(), shown.toInt());
        QCOMPARE(r.working.hash, QStringLiteral("HASH") + shown);
        QCOMPARE(r.dialogs.beeps(), 0);
        QCOMPARE(r.handOvers, 1);
    }

    void enterZeroOnEmptyBase() {
        Rig r;
        r.editor.settings().recordNumber = QStringLiteral("0");
        r.editor.enterInRecordNumber();
        QCOMPARE(r.editor.settings().recordNumber, QStringLiteral("1"));
        QCOMPARE(r.dialogs.beeps(), 1);
        QCOMPARE(r.handOvers, 0);
        QCOMPARE(r.working.hash, WorkingRecord::kHashPlaceholder);
    }

    void goToRecordParsing_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::addColumn<int>("beeps");
        QTest::addColumn<bool>("goes");
        QTest::newRow("leading blanks") << "   2"
                                        << "2" << 0 << true;
        QTest::newRow("plus sign") << "+1"
                                   << "1" << 0 << true;
        QTest::newRow("trailing letters") << "2x"
                                          << "0" << 2 << false;
        QTest::newRow("empty") << ""
                               << "0" << 2 << false;
        QTest::newRow("trailing blank") << "2 "
                                        << "0" << 2 << false;
        QTest::newRow("out of range") << "4"
                                      << "4" << 1 << false;
        QTest::newRow("zero") << "0"
                              << "0" << 1 << false;
        QTest::newRow("huge") << "99999999999"
                              << "0" << 2 << false;
    }
    void goToRecordParsing() {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QFETCH(int, beeps);
        QFETCH(bool, goes);
        Rig r;
        for (int i = 1; i <= 3; ++i)
            r.addButton(i);
        r.working.hash = QStringLiteral("ON SCREEN");
        r.editor.settings().recordNumber = typed;
        r.editor.goToRecord();
        QCOMPARE(r.editor.settings().recordNumber, written);
        QCOMPARE(r.dialogs.beeps(), beeps);
        QCOMPARE(r.handOvers, goes ? 1 : 0);
        if (!goes) QCOMPARE(r.working.hash, QStringLiteral("ON SCREEN"));
    }

    void goToRecordLoadsEverything() {
        Rig r;
        r.addButton(1, QStringLiteral("TV"), QStringLiteral("Mute"));
        r.addButton(2, QStringLiteral("DVD"), QStringLiteral("Свой"));
        r.editor.settings().recordNumber = QStringLiteral("2");
        r.editor.goToRecord();
        QCOMPARE(r.base.currentIndex(), 2);
        QCOMPARE(r.editor.settings().remoteName, QStringLiteral("DVD"));
        QCOMPARE(r.editor.settings().buttonName, QStringLiteral("Свой"));
        QCOMPARE(r.editor.view().nameMarker, ViewColour::Yellow);
        QCOMPARE(r.working.hash, QStringLiteral("HASH2"));
        QCOMPARE(r.burst.hash, QStringLiteral("HASH2"));
        QCOMPARE(r.burst.timings[3], QStringLiteral("302"));
        QVERIFY(r.buffer.fromRecord);

        r.editor.settings().recordNumber = QStringLiteral("1");
        r.editor.goToRecord();
        QCOMPARE(r.editor.view().nameMarker, ViewColour::Face);

        // Another tab in front: the fields show their placeholders, the working record is loaded.
        r.page.burstPage = false;
        r.editor.settings().recordNumber = QStringLiteral("2");
        r.editor.goToRecord();
        QCOMPARE(r.working.timings[0], QStringLiteral("002"));
        QCOMPARE(r.burst.hash, WorkingRecord::kHashPlaceholder);
        QCOMPARE(r.burst.timings[0], WorkingRecord::kTimingPlaceholder);
        QCOMPARE(r.burst.timings[1], QString());
        QCOMPARE(r.handOvers, 3);
    }

    void burstFieldsAreWritten() {
        Rig r;
        r.addButton(1);
        r.editor.goToRecord();
        QCOMPARE(r.burst.hash, QStringLiteral("HASH1"));
        QCOMPARE(r.burst.timings[2], QStringLiteral("201"));
    }

    void goToRecordRebuilds76Durations() {
        Rig r;
        std::vector<std::int32_t> durations;
        for (int i = 0; i < 76; ++i)
            durations.push_back((i * 37 + 11) % 0x7F8);
        const auto texts = timingTextsOf(durations);
        QCOMPARE(texts[0].size(), 99);
        QCOMPARE(texts[1].size(), 99);
        QCOMPARE(texts[2].size(), 30);
        QVERIFY(texts[3].isEmpty());
        ButtonRecord rec;
        rec.hash = QStringLiteral("H");
        rec.timings = texts;
        r.base.append(rec);
        r.editor.goToRecord();
        QCOMPARE(r.buffer.count, 76);
        QCOMPARE(r.buffer.total, std::accumulate(durations.begin(), durations.end(), std::int64_t(0)));
        for (int i = 0; i < 76; ++i)
            QCOMPARE(r.buffer.durations[i + 1], durations[i]);
        QCOMPARE(r.handOvers, 1);
    }

    void rebuildKeepsAtMost255() {
        CaptureBuffer buffer;
        std::array<QString, kTimingTextCount> texts;
        for (auto& t : texts)
            t = QString(150, u'1'); // 50 durations of 0x111 each: 300 in all
        BaseEditor::rebuildBuffer(buffer, texts);
        QCOMPARE(buffer.count, 255);
        QCOMPARE(buffer.total, std::int64_t(255) * 0x111);
        QVERIFY(buffer.fromRecord);
    }

    void rebuildGroups_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("values");
        QTest::newRow("whole groups") << "0A3010FFF" << QList<int>{0xA3, 0x10, 0xFFF};
        QTest::newRow("short last group read") << "0A30F" << QList<int>{0xA3, 0xF};
        QTest::newRow("single spare digit dropped") << "0A31" << QList<int>{0xA3};
        QTest::newRow("zero group") << "000" << QList<int>{0};
        QTest::newRow("empty") << "" << QList<int>{};
    }
    void rebuildGroups() {
        QFETCH(QString, text);
        QFETCH(QList<int>, values);
        CaptureBuffer buffer;
        buffer.append(99);
        BaseEditor::rebuildBuffer(buffer, {text, {}, {}, {}, {}, {}});
        QCOMPARE(buffer.count, int(values.size()));
        std::int64_t total = 0;
        for (int i = 0; i < values.size(); ++i) {
            QCOMPARE(buffer.durations[i + 1], values[i]);
            total += values[i];
        }
        QCOMPARE(buffer.total, total);
    }

    void nameNormalisation_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::addColumn<bool>("known");
        QTest::newRow("pw") << "pw"
                            << "PW" << true;
        QTest::newRow("key 1") << "key 1"
                               << "Key 1" << true;
        QTest::newRow("key 11") << "key 11"
                                << "key 11" << false;
        QTest::newRow("preview") << "preview"
                                 << "PreView" << true;
        QTest::newRow("n/a") << "n/a"
                             << "N/A" << true;
        QTest::newRow("obshaya") << "OBSHAYA"
                                 << "Obshaya" << true;
        QTest::newRow("control character dropped") << QString("o\x01k") << "OK" << true;
        QTest::newRow("unknown Cyrillic") << "Громче"
                                          << "Громче" << false;
        QTest::newRow("exact") << "VOL+"
                               << "VOL+" << true;
    }
    void nameNormalisation() {
        QFETCH(QString, typed);
        QFETCH(QString, result);
        QFETCH(bool, known);
        Rig r;
        r.editor.buttonNameChanged(typed);
        r.editor.buttonNameEnter();
        QCOMPARE(r.editor.settings().buttonName, result);
        QCOMPARE(r.editor.view().nameMarker, known ? ViewColour::Face : ViewColour::Yellow);
    }

    void markerFollowsTheText() {
        Rig r;
        r.editor.buttonNameChanged(QStringLiteral("pw"));
        QCOMPARE(r.editor.view().nameMarker, ViewColour::Yellow);
        r.editor.buttonNameChanged(QStringLiteral("PW"));
        QCOMPARE(r.editor.view().nameMarker, ViewColour::Face);
        r.editor.buttonNameChanged(QStringLiteral("Key 11"));
        QCOMPARE(r.editor.view().nameMarker, ViewColour::Yellow);
    }

    void clearDeclined() {
        Rig r;
        r.addButton(1);
        r.dialogs.answers << Answer::No;
        r.editor.clearBase();
        QCOMPARE(r.base.count(), 1);
        QCOMPARE(r.pictureClears, 0);
    }

    void clearBase_data() {
        QTest::addColumn<bool>("withDistribution");
        QTest::newRow("base only") << false;
        QTest::newRow("with the distribution") << true;
    }
    void clearBase() {
        QFETCH(bool, withDistribution);
        Rig r;
        for (int i = 1; i <= 3; ++i)
            r.addButton(i);
        r.editor.settings().recordNumber = QStringLiteral("2");
        r.editor.goToRecord();
        r.editor.settings().clearDistributionWithBase = withDistribution;
        r.dialogs.events.clear();
        r.editor.clearBase();
        QCOMPARE(r.dialogs.events,
                 QStringList{QStringLiteral("yesno: Принятые данные будут уничтожены!!! Вы уверены?")});
        QCOMPARE(r.dialogs.kinds, QList<QuestionKind>{QuestionKind::Confirmation});
        QCOMPARE(r.base.count(), 0);
        QCOMPARE(r.base.currentIndex(), 1);
        QCOMPARE(r.editor.settings().recordNumber, QStringLiteral("1"));
        QCOMPARE(r.editor.settings().buttonName, QStringLiteral("N/A"));
        QCOMPARE(r.editor.view().countLabel, QStringLiteral("0"));
        QCOMPARE(r.editor.view().selection, QString());
        QCOMPARE(r.burst.hash, WorkingRecord::kHashPlaceholder);
        QCOMPARE(r.burst.timings[0], WorkingRecord::kTimingPlaceholder);
        QCOMPARE(r.burst.timings[4], QString());
        QCOMPARE(r.pictureClears, 1);
        QCOMPARE(r.distributionClears, withDistribution ? 1 : 0);
        // Nothing on screen any more: Add stores nothing.
        r.editor.add();
        QCOMPARE(r.base.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestBaseEditor)
#include "test_base_editor.moc"
