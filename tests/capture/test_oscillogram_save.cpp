#include "capture/core/oscillogram_save.h"
#include "fakes/scripted_dialogs.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace ravlin;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestOscillogramSave : public QObject {
    Q_OBJECT
private slots:
    void completesTheName_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("saved");
        QTest::newRow("plain") << "scan"
                               << "scan.bmp";
        QTest::newRow("upper-case extension") << "scan.BMP"
                                              << "scan.BMP.bmp";
        QTest::newRow("extension inside") << "a.bmp.old"
                                          << "a.bmp.old";
        QTest::newRow("extension at the end") << "pic.bmp"
                                              << "pic.bmp";
    }
    void completesTheName() {
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        QTemporaryDir dir;
        fakes::ScriptedDialogs dialogs;
        dialogs.fileNames << dir.filePath(typed);
        const auto path = chooseBitmapFile(dialogs, dir.path());
        QVERIFY(path.has_value());
        QCOMPARE(*path, dir.filePath(saved));
        QCOMPARE(dialogs.events,
                 QStringList{QStringLiteral("save: ") + dir.path() + QStringLiteral("/Diagram.bmp")});
    }

    void bothCommandsShareTheLastName() {
        QTemporaryDir dir;
        fakes::ScriptedDialogs dialogs;
        QString shared = QStringLiteral("Diagram.bmp");
        dialogs.fileNames << dir.filePath("strip");
        QVERIFY(chooseBitmapFile(dialogs, dir.path(), shared));
        QVERIFY(!chooseBitmapFile(dialogs, dir.path(), shared)); // cancelled: the name stays
        QCOMPARE(dialogs.events,
                 QStringList({"save: " + dir.filePath("Diagram.bmp"), "save: " + dir.filePath("strip.bmp")}));
        QCOMPARE(shared, dir.filePath("strip.bmp"));
    }

    void cancelStops() {
        fakes::ScriptedDialogs dialogs;
        QVERIFY(!chooseBitmapFile(dialogs, QStringLiteral("/tmp")).has_value());
        QCOMPARE(dialogs.beeps(), 0);
    }

    void emptyFileIsOverwrittenWithoutAsking() {
        QTemporaryDir dir;
        writeFile(dir.filePath("old.bmp"), {});
        fakes::ScriptedDialogs dialogs;
        dialogs.fileNames << dir.filePath("old.bmp");
        QCOMPARE(chooseBitmapFile(dialogs, dir.path()).value_or(QString()), dir.filePath("old.bmp"));
        QCOMPARE(dialogs.events.size(), 1);
    }

    void nonEmptyFileAsks_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void nonEmptyFileAsks() {
        QFETCH(bool, yes);
        QTemporaryDir dir;
        writeFile(dir.filePath("old.bmp"), "BM");
        fakes::ScriptedDialogs dialogs;
        dialogs.fileNames << dir.filePath("old");
        dialogs.answers << (yes ? Answer::Yes : Answer::No);
        const auto path = chooseBitmapFile(dialogs, dir.path());
        QCOMPARE(path.has_value(), yes);
        if (yes) QCOMPARE(*path, dir.filePath("old.bmp"));
        QCOMPARE(dialogs.events.mid(1),
                 (QStringList{QStringLiteral("beep"),
                              QStringLiteral(
                                  "yesno: Файл с таким именем уже существует\r\n       Перезаписать его?")}));
    }
};

QTEST_GUILESS_MAIN(TestOscillogramSave)
#include "test_oscillogram_save.moc"
