#include "formats/core/capture_file.h"

#include "fakes/capture_texts.h"

#include <QtTest>

using namespace ravlin;
using Bytes = std::vector<std::uint8_t>;
using fakes::kSmallCapture;
using fakes::writeFile;

class TestCaptureFile : public QObject {
    Q_OBJECT

private slots:
    void parsesCaptureFile() {
        const CaptureFile f = CaptureFile::parse(QString::fromUtf8(kSmallCapture));
        QVERIFY(f.problems.isEmpty());
        QCOMPARE(f.bursts.size(), std::size_t(3));
        QCOMPARE(f.bursts[0].delayMs, 100);
        QCOMPARE(f.bursts[0].kind, ReceiverKind::USBtiny);
        QCOMPARE(f.bursts[1].bytes, Bytes({0xF9, 0x10, 1, 2, 3}));
        QCOMPARE(f.bursts[2].kind, ReceiverKind::Movrik);
        // Written and read again it is the same.
        const CaptureFile again = CaptureFile::parse(CaptureFile::format(f.bursts, "c"));
        QCOMPARE(again.bursts.size(), f.bursts.size());
        for (std::size_t i = 0; i < f.bursts.size(); ++i) {
            QCOMPARE(again.bursts[i].bytes, f.bursts[i].bytes);
            QCOMPARE(again.bursts[i].delayMs, f.bursts[i].delayMs);
            QCOMPARE(again.bursts[i].kind, f.bursts[i].kind);
        }
    }

    void badLinesSkipped_data() {
        QTest::addColumn<QString>("line");
        QTest::newRow("no colon") << "100 10 20";
        QTest::newRow("bad delay") << "x: 10 20";
        QTest::newRow("negative delay") << "-5: 10 20";
        QTest::newRow("no bytes") << "100:";
        QTest::newRow("bad byte") << "100: 10 G0";
        QTest::newRow("three digits") << "100: 100";
        QTest::newRow("unknown kind") << "kind: Sony";
        QTest::newRow("too many bytes") << "1:" + QString(" 11").repeated(256);
    }
    void badLinesSkipped() {
        QFETCH(QString, line);
        const CaptureFile f = CaptureFile::parse("1: 05 06\n" + line + "\n2: 07 08\n");
        QCOMPARE(f.bursts.size(), std::size_t(2));
        QCOMPARE(f.problems.size(), 1);
        QCOMPARE(f.problems[0].line, 2);
        QVERIFY(f.problems[0].message().startsWith("line 2: "));
    }

    void captureFileIsCutAtItsLimit_data() {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<int>("bursts");
        QTest::newRow("at the limit") << CaptureFile::kMaxFileBytes << 2;
        QTest::newRow("one past") << CaptureFile::kMaxFileBytes + 1 << 1;
    }
    void captureFileIsCutAtItsLimit() {
        // A whole burst, a long comment, and a last burst that ends exactly at the size: past the
        // limit its line is left out with a problem, never served as a shorter burst.
        QFETCH(qint64, size);
        QFETCH(int, bursts);
        const QByteArray first = "5: 01 02 03\n";
        const QByteArray last = "0: 0A 0B 0C 0D 0E\n";
        QByteArray text = first + '#' + QByteArray(size - first.size() - last.size() - 2, 'x') + '\n' + last;
        QCOMPARE(qint64(text.size()), size);
        QTemporaryDir dir;
        bool ok = false;
        const CaptureFile file = CaptureFile::read(writeFile(dir, text), &ok);
        QVERIFY(ok);
        QCOMPARE(int(file.bursts.size()), bursts);
        QCOMPARE(file.bursts.back().bytes.size(), std::size_t(bursts == 2 ? 5 : 3));
        QCOMPARE(file.problems.size(), bursts == 2 ? 0 : 1);
        if (bursts == 1) {
            QCOMPARE(file.problems.at(0).line, 3);
            QVERIFY(file.problems.at(0).text().contains("larger than 16 MiB"));
        }
    }
};

QTEST_GUILESS_MAIN(TestCaptureFile)
#include "test_capture_file.moc"
