#include "formats/core/capture_file.h"

#include <QtTest>

using namespace ravlin;
using Bytes = std::vector<std::uint8_t>;

namespace {

const char* kSmallCapture = "# two bursts, USBtiny bytes then Movrik\n"
                            "kind: USBtiny\n"
                            "100: 10 20 30 40\r\n"
                            "\n"
                            "  50:  F9 10 01 02 03  \n"
                            "kind: Movrik\n"
                            "0: 0A 0B 0C 0D 0E\n";

} // namespace

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
};

QTEST_GUILESS_MAIN(TestCaptureFile)
#include "test_capture_file.moc"
