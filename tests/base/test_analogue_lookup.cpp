#include "base/core/analogue_base.h"
#include "base/core/analogue_lookup.h"
#include "base/core/hash_sources.h"
#include "fakes/counting_polling.h"
#include "fakes/manual_scheduler.h"
#include "fakes/scripted_dialogs.h"
#include "platform/core/text_file.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace ravlin;

namespace {
const QStringList kExample = {QStringLiteral("; known remotes"), QStringLiteral("AB"), QStringLiteral("002F"),
                              QStringLiteral("/tv1.txt/tv2.txt")};
} // namespace

class TestAnalogueLookup : public QObject {
    Q_OBJECT

private slots:
    void exampleFileLoadsOneEntry();
    void knownHashShowsSeeButton();
    void unknownHashHidesSeeButton();
    void offPageResetsLabel();
    void disabledCheckChangesNothing();
    void exactMatchInLookup();
    void sources_data();
    void sources();
    void sourcesWindowListsFiles();
    void sourcesWindowMissingFile();
};

void TestAnalogueLookup::exampleFileLoadsOneEntry() {
    AnalogueBase base;
    base.loadLines(kExample);
    QCOMPARE(base.count(), 1);
    QCOMPARE(base.entry(1), QStringLiteral("002F"));
    QCOMPARE(base.indexOf(QStringLiteral("002F")), 1);
}

void TestAnalogueLookup::knownHashShowsSeeButton() {
    AnalogueBase base;
    base.loadLines(kExample);
    AnalogueView view;
    showAnalogueLookup(base, QStringLiteral("002F"), true, true, view);
    QCOMPARE(view.label, QStringLiteral("КНОПКА ЕСТЬ В БАЗЕ."));
    QVERIFY(view.seeButtonVisible);
}

void TestAnalogueLookup::unknownHashHidesSeeButton() {
    AnalogueBase base;
    base.loadLines(kExample);
    AnalogueView view;
    view.label = QStringLiteral("something else");
    // The button hidden already: the label is left as it is.
    showAnalogueLookup(base, QStringLiteral("0030"), true, true, view);
    QCOMPARE(view.label, QStringLiteral("something else"));
    showAnalogueLookup(base, QStringLiteral("002F"), true, true, view);
    showAnalogueLookup(base, QStringLiteral("0030"), true, true, view);
    QCOMPARE(view.label, QStringLiteral("N/A     Неизвестная кнопка"));
    QVERIFY(!view.seeButtonVisible);
}

void TestAnalogueLookup::offPageResetsLabel() {
    AnalogueBase base;
    base.loadLines(kExample);
    AnalogueView view;
    showAnalogueLookup(base, QStringLiteral("002F"), true, true, view);
    showAnalogueLookup(base, QStringLiteral("002F"), false, true, view);
    QCOMPARE(view.label, QStringLiteral("N/A     Неизвестная кнопка"));
    QVERIFY(!view.seeButtonVisible);
}

void TestAnalogueLookup::disabledCheckChangesNothing() {
    AnalogueBase base;
    base.loadLines(kExample);
    AnalogueView view;
    showAnalogueLookup(base, QStringLiteral("002F"), true, false, view);
    QCOMPARE(view.label, QStringLiteral("N/A     Неизвестная кнопка"));
    QVERIFY(!view.seeButtonVisible);
}

void TestAnalogueLookup::exactMatchInLookup() {
    AnalogueBase base;
    base.loadLines({QStringLiteral("00A1B2C3"), QStringLiteral("/remote.txt")});
    AnalogueView view;
    showAnalogueLookup(base, QStringLiteral("00A1"), true, true, view);
    QVERIFY(!view.seeButtonVisible);
    showAnalogueLookup(base, QStringLiteral("00a1b2c3"), true, true, view);
    QVERIFY(!view.seeButtonVisible);
    // ... while the sources list finds the part.
    QCOMPARE(
        hashSourcesOf({QStringLiteral("00A1B2C3"), QStringLiteral("/remote.txt")}, QStringLiteral("00A1")),
        QStringList{QStringLiteral("remote.txt")});
}

void TestAnalogueLookup::sources_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("hash");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("example") << kExample << QStringLiteral("002F")
                             << QStringList{QStringLiteral("tv1.txt"), QStringLiteral("tv2.txt")};
    QTest::newRow("trailing slash") << QStringList{QStringLiteral("002F"), QStringLiteral("/tv1.txt/")}
                                    << QStringLiteral("002F")
                                    << QStringList{QStringLiteral("tv1.txt"), QString()};
    QTest::newRow("two groups") << QStringList{QStringLiteral("0011"), QStringLiteral("/a.txt"),
                                               QStringLiteral("x0011"), QStringLiteral("/b.txt/c.txt")}
                                << QStringLiteral("0011")
                                << QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt"),
                                               QStringLiteral("c.txt")};
    QTest::newRow("sources line is skipped")
        << QStringList{QStringLiteral("0011"), QStringLiteral("/0011.txt"), QStringLiteral("/other")}
        << QStringLiteral("0011") << QStringList{QStringLiteral("0011.txt")};
    QTest::newRow("last line") << QStringList{QStringLiteral("0011")} << QStringLiteral("0011")
                               << QStringList{QString()};
    QTest::newRow("none") << kExample << QStringLiteral("FFFF") << QStringList{};
}

void TestAnalogueLookup::sources() {
    QFETCH(QStringList, lines);
    QFETCH(QString, hash);
    QFETCH(QStringList, expected);
    QCOMPARE(hashSourcesOf(lines, hash), expected);
}

void TestAnalogueLookup::sourcesWindowListsFiles() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("BazaDannih.baz"));
    QVERIFY(TextFileWriter::write(path, kExample));
    fakes::ScriptedDialogs dialogs;
    fakes::ManualScheduler scheduler;
    fakes::CountingPolling polling;
    polling.polling = true;
    const QString hash = QStringLiteral("002F");
    HashSources window(path, hash, dialogs, scheduler, polling);
    QCOMPARE(window.hashText(), QStringLiteral("Тут будет ХЭШ"));
    window.shown();
    QVERIFY(!polling.polling);
    QVERIFY(window.timerActive());
    scheduler.advance(49);
    QCOMPARE(window.hashText(), QStringLiteral("Тут будет ХЭШ"));
    scheduler.advance(1);
    QVERIFY(!window.timerActive());
    QCOMPARE(window.hashText(), QStringLiteral("002F"));
    QCOMPARE(window.sources(), (QStringList{QStringLiteral("tv1.txt"), QStringLiteral("tv2.txt")}));
    scheduler.advance(500);
    QCOMPARE(window.sources().size(), 2); // one shot
    window.closed();
    QVERIFY(polling.polling);
    QCOMPARE(polling.starts, 1);

    // Opened while polling was stopped: it stays stopped after closing.
    polling.polling = false;
    window.shown();
    scheduler.advance(50);
    window.closed();
    QVERIFY(!polling.polling);
    QCOMPARE(polling.starts, 1);
    QVERIFY(dialogs.events.isEmpty());
}

void TestAnalogueLookup::sourcesWindowMissingFile() {
    QTemporaryDir dir;
    fakes::ScriptedDialogs dialogs;
    fakes::ManualScheduler scheduler;
    fakes::CountingPolling polling;
    const QString hash = QStringLiteral("002F");
    HashSources window(dir.filePath(QStringLiteral("none.baz")), hash, dialogs, scheduler, polling);
    window.shown();
    scheduler.advance(50);
    QCOMPARE(
        dialogs.events,
        (QStringList{QStringLiteral("beep"),
                     QStringLiteral("info: Немогу подгрузить базу!!!\r\n(её необходимо скачать отдельно)")}));
    QCOMPARE(window.sources(), QStringList{QStringLiteral("Немогу подгрузить базу!!!")});
    QCOMPARE(window.hashText(), QStringLiteral("002F"));
}

QTEST_GUILESS_MAIN(TestAnalogueLookup)
#include "test_analogue_lookup.moc"
