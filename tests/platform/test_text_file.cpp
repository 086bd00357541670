#include "fakes/file_size_limit.h"
#include "platform/core/cp1251.h"
#include "platform/core/regular_file.h"
#include "platform/core/text_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

using namespace ravlin;

class TestTextFile : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { TextFileWriter::failurePoint = nullptr; }

    void roundTripOfCyrillic() {
        QTemporaryDir dir;
        const QString path = dir.filePath("a.txt");
        const QStringList lines = {QStringLiteral("Пульт №1"), QStringLiteral("Ёлка ёж"), QString(), "ABC"};
        QVERIFY(TextFileWriter::write(path, lines));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        // cp1251: "П" is 0xCF, "№" is 0xB9, "Ё" is 0xA8; lines end in CR LF.
        QCOMPARE(static_cast<unsigned char>(bytes.at(0)), 0xCF);
        QVERIFY(bytes.contains('\xB9'));
        QVERIFY(bytes.startsWith(QByteArray("\xCF")));
        QVERIFY(bytes.endsWith("ABC\r\n"));
        QCOMPARE(bytes.count("\r\n"), 4);
        const auto read = TextLines::read(path);
        QVERIFY(read.has_value());
        QCOMPARE(read->lines(), lines);
    }

    void characterOutsideCp1251IsWrittenAsQuestionMark() {
        QCOMPARE(encodeCp1251(QStringLiteral("a€b")), QByteArray("a\x88"
                                                                 "b"));
        QCOMPARE(encodeCp1251(QStringLiteral("x日y✓")), QByteArray("x?y?"));
        QCOMPARE(decodeCp1251(QByteArray("\xC0\xFF")), QStringLiteral("Ая"));
        QVERIFY(!cp1251Holds(QStringLiteral("日本😀пульт")));
        QVERIFY(cp1251Holds(QStringLiteral("Пульт? №1")));
    }

    void missingLinesReadAsEmpty() {
        const TextLines t = TextLines::fromBytes("one\r\ntwo\nthree\rfour");
        QCOMPARE(t.count(), 4);
        QCOMPARE(t.line(1), QStringLiteral("one"));
        QCOMPARE(t.line(3), QStringLiteral("three"));
        QCOMPARE(t.line(4), QStringLiteral("four"));
        QCOMPARE(t.line(5), QString());
        QCOMPARE(t.line(0), QString());
        QCOMPARE(t.line(-7), QString());
        const TextLines crLf = TextLines::fromBytes("one\r\ntwo\nthree\rfour\r", LineEnds::CrLf);
        QCOMPARE(crLf.lines(), QStringList({"one", "two", "three\rfour\r"}));
    }

    void failedWriteLeavesOldFileIntact() {
        QTemporaryDir dir;
        const QString path = dir.filePath("base.txt");
        QVERIFY(TextFileWriter::write(path, {"old 1", "old 2"}));
        TextFileWriter::failurePoint = [](qsizetype written) { return written == 3; };
        QString error;
        QVERIFY(!TextFileWriter::write(path, {"n1", "n2", "n3", "n4", "n5"}, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(TextLines::read(path)->lines(), QStringList({"old 1", "old 2"}));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"base.txt"}));
    }

    // A write that really fails (a file-size limit makes write() return EFBIG, as a full disk gives
    // ENOSPC) leaves the old file byte for byte and no temporary file; the limit just fits passes.
    void realWriteFailureKeepsTheOldFile_data() {
        QTest::addColumn<int>("limit");
        QTest::addColumn<bool>("written");
        QTest::newRow("one byte short") << 4999 << false;
        QTest::newRow("exactly the size") << 5000 << true;
    }
    void realWriteFailureKeepsTheOldFile() {
        QFETCH(int, limit);
        QFETCH(bool, written);
        QTemporaryDir dir;
        const QString path = dir.filePath("base.txt");
        const QStringList old{"old 1", "old 2"};
        QVERIFY(TextFileWriter::write(path, old));
        // 500 lines of 8 characters and CR LF: 5000 bytes.
        const QStringList lines(500, QStringLiteral("12345678"));
        QString error;
        bool ok = false;
        {
            fakes::FileSizeLimit limited{rlim_t(limit)};
            ok = TextFileWriter::write(path, lines, &error);
        }
        QCOMPARE(ok, written);
        QCOMPARE(error.isEmpty(), written);
        QCOMPARE(TextLines::read(path)->lines(), written ? lines : old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"base.txt"}));
    }

    void readingADirectoryOrMissingFileFails() {
        QTemporaryDir dir;
        QString error;
        QVERIFY(!TextLines::read(dir.path(), &error).has_value());
        QVERIFY(!error.isEmpty());
        QVERIFY(!TextLines::read(dir.filePath("none.txt"), &error).has_value());
    }

    void onlyRegularFilesWithinTheLimit_data() {
        QTest::addColumn<QString>("what");
        QTest::addColumn<int>("size");      // bytes read; -1 refused
        QTest::addColumn<int>("cutSize");   // bytes read when a cut is allowed; -1 refused
        QTest::addColumn<QString>("error"); // part of the reason
        QTest::newRow("at the limit") << "100" << 100 << 100 << "";
        QTest::newRow("one past") << "101" << -1 << 100 << "больше 100 байт";
        QTest::newRow("empty") << "0" << 0 << 0 << "";
        QTest::newRow("fifo") << "fifo" << -1 << -1 << "не обычный файл (канал (FIFO))";
        QTest::newRow("socket") << "socket" << -1 << -1 << "не обычный файл (сокет)";
        QTest::newRow("/dev/zero") << "/dev/zero" << -1 << -1 << "не обычный файл (устройство)";
        QTest::newRow("folder") << "folder" << -1 << -1 << "это папка";
        QTest::newRow("missing") << "missing" << -1 << -1 << "Не удаётся прочитать";
        QTest::newRow("read error") << "/proc/self/mem" << -1 << -1 << "Ошибка чтения";
    }
    void onlyRegularFilesWithinTheLimit() {
        QFETCH(QString, what);
        QFETCH(int, size);
        QFETCH(int, cutSize);
        QFETCH(QString, error);
        QTemporaryDir dir;
        QString path = what.startsWith(u'/') ? what : dir.filePath(what);
        bool isNumber = false;
        const int bytes = what.toInt(&isNumber);
        if (isNumber) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(bytes, 'x'));
        } else if (what == "fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0); // no writer: open must not wait
        } else if (what == "folder") {
            QVERIFY(QDir(dir.path()).mkdir(what));
        } else if (what == "socket") {
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            const QByteArray name = QFile::encodeName(path);
            QVERIFY(name.size() < qsizetype(sizeof address.sun_path));
            std::memcpy(address.sun_path, name.constData(), std::size_t(name.size()));
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        }
        QVERIFY(pathExists(path) == (what != "missing"));
        QString reason;
        const auto whole = readRegularFile(path, 100, &reason);
        QCOMPARE(whole ? int(whole->size()) : -1, size);
        QVERIFY(reason.contains(error));
        bool cut = false;
        const auto prefix = readRegularFile(path, 100, &reason, &cut);
        QCOMPARE(prefix ? int(prefix->size()) : -1, cutSize);
        QCOMPARE(cut, size < 0 && cutSize >= 0);
        // Text files go the same way.
        QCOMPARE(readTextFile(path, 100, &reason).has_value(), size >= 0);
    }

    void extensionCompletion_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "scan"
                               << "scan.bmp";
        QTest::newRow("case matters") << "scan.BMP"
                                      << "scan.BMP.bmp";
        QTest::newRow("inside") << "a.bmp.old"
                                << "a.bmp.old";
        QTest::newRow("at first character") << ".bmp"
                                            << ".bmp.bmp";
    }
    void extensionCompletion() {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(withExtension(name, ".bmp"), expected);
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "test_text_file.moc"
