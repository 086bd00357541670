#include "base/core/analogue_base.h"
#include "platform/core/text_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace ravlin;

class TestAnalogueBase : public QObject {
    Q_OBJECT

private slots:
    void keyLines_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("key");
        QTest::newRow("hash") << "002F" << true;
        QTest::newRow("three chars") << "ABC" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("comment") << ";002F0102" << false;
        QTest::newRow("sources") << "/tv1.txt/tv2.txt" << false;
        QTest::newRow("blanks count") << "    " << true;
        QTest::newRow("cyrillic") << "Пульт" << true;
    }

    void keyLines() {
        QFETCH(QString, line);
        QFETCH(bool, key);
        QCOMPARE(AnalogueBase::isKeyLine(line), key);
    }

    void exampleFileGivesOneEntry() {
        AnalogueBase b;
        b.loadLines({QStringLiteral("; known remotes"), QStringLiteral("AB"), QStringLiteral("002F"),
                     QStringLiteral("/tv1.txt/tv2.txt")});
        QCOMPARE(b.count(), 1);
        QCOMPARE(b.entry(1), QStringLiteral("002F"));
        QCOMPARE(b.indexOf(QStringLiteral("002F")), 1);
        QCOMPARE(b.indexOf(QStringLiteral("002f")), 0); // case-sensitive
        QCOMPARE(b.indexOf(QStringLiteral("002")), 0);  // whole text only
        QCOMPARE(b.entry(0), QString());
        QCOMPARE(b.entry(2), QString());
    }

    void allCommentsGiveNothing() {
        AnalogueBase b;
        b.loadLines({QStringLiteral(";a"), QStringLiteral("12"), QString(), QStringLiteral("/x/y"),
                     QStringLiteral("abc")});
        QCOMPARE(b.count(), 0);
    }

    void longLinesAreCut() {
        AnalogueBase b;
        const QString line = QStringLiteral("0123456789ABCDEF0123456789ABCDEF0123456789");
        b.loadLines({line, line.left(34)});
        QCOMPARE(b.count(), 2);
        QCOMPARE(b.entry(1), line.left(34));
        QCOMPARE(b.entry(1).size(), 34);
        QCOMPARE(b.indexOf(line), 0);
        QCOMPARE(b.indexOf(line.left(34)), 1); // the first equal entry
    }

    void stopsAt400() {
        QStringList lines;
        for (int i = 1; i <= 450; ++i) {
            lines << QStringLiteral("H%1").arg(i, 4, 10, QLatin1Char('0'));
            lines << QStringLiteral("/f%1.txt").arg(i);
        }
        AnalogueBase b;
        b.loadLines(lines);
        QCOMPARE(b.count(), 400);
        QCOMPARE(b.entry(400), QStringLiteral("H0400"));
        QCOMPARE(b.indexOf(QStringLiteral("H0401")), 0);
    }

    void duplicatesFindTheFirst() {
        AnalogueBase b;
        b.loadLines({QStringLiteral("AAAA"), QStringLiteral("BBBB"), QStringLiteral("AAAA")});
        QCOMPARE(b.count(), 3);
        QCOMPARE(b.indexOf(QStringLiteral("AAAA")), 1);
    }

    void loadsCp1251FileAndReplacesPreviousContent() {
        QTemporaryDir dir;
        const QString path = AnalogueBase::filePath(dir.path());
        QVERIFY(path.endsWith(QStringLiteral("/Tarnisk/OpisPl/BazaDannih.baz")));
        QVERIFY(QDir().mkpath(dir.path() + QStringLiteral("/Tarnisk/OpisPl")));
        QVERIFY(TextFileWriter::write(
            path, {QStringLiteral("; база"), QStringLiteral("Ёлка№1"), QStringLiteral("/a.txt")}));
        AnalogueBase b;
        b.loadLines({QStringLiteral("OLD1"), QStringLiteral("OLD2")});
        QCOMPARE(b.load(path), AnalogueBase::LoadResult::Loaded);
        QCOMPARE(b.count(), 1);
        QCOMPARE(b.entry(1), QStringLiteral("Ёлка№1"));
    }

    void lineEndsOfAnyKind() {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/b.baz");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("1111\r\n2222\n3333\r4444");
        f.close();
        AnalogueBase b;
        QCOMPARE(b.load(path), AnalogueBase::LoadResult::Loaded);
        QCOMPARE(b.count(), 4);
        QCOMPARE(b.entry(4), QStringLiteral("4444"));
    }

    void missingFileEmptiesTheBase() {
        QTemporaryDir dir;
        AnalogueBase b;
        b.loadLines({QStringLiteral("OLD1")});
        QCOMPARE(b.load(dir.path() + QStringLiteral("/none.baz")), AnalogueBase::LoadResult::Missing);
        QCOMPARE(b.count(), 0);
    }

    void directoryOrPipeIsAReadError() {
        QTemporaryDir dir;
        AnalogueBase b;
        QString error;
        QCOMPARE(b.load(dir.path(), &error), AnalogueBase::LoadResult::ReadError);
        QVERIFY(!error.isEmpty());
        QCOMPARE(b.count(), 0);
        // A pipe in the file's place is refused at once (start-up must not wait for a writer).
        const QString fifo = dir.filePath(QStringLiteral("BazaDannih.baz"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QCOMPARE(b.load(fifo, &error), AnalogueBase::LoadResult::ReadError);
        QVERIFY(error.contains(QStringLiteral("не обычный файл")));
    }

    void binaryGarbageDoesNotBreakLoading() {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/g.baz");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QByteArray bytes;
        for (int i = 0; i < 5000; ++i)
            bytes.append(static_cast<char>((i * 37) & 0xFF));
        f.write(bytes);
        f.close();
        AnalogueBase b;
        QCOMPARE(b.load(path), AnalogueBase::LoadResult::Loaded);
        QVERIFY(b.count() <= AnalogueBase::kCapacity);
        for (int i = 1; i <= b.count(); ++i)
            QVERIFY(b.entry(i).size() <= AnalogueBase::kEntryLength);
    }
};

QTEST_GUILESS_MAIN(TestAnalogueBase)
#include "test_analogue_base.moc"
