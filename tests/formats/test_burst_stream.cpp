#include "formats/core/burst_stream.h"

#include <QBuffer>
#include <QtTest>

using namespace ravlin;

namespace {
// The text read line by line through a device, as the streaming command reads it.
ReadResult streamed(const QByteArray& text, const BurstLineParser::Options& options, qsizetype maxLine = 64) {
    QBuffer device;
    device.setData(text);
    device.open(QIODevice::ReadOnly);
    LineReader reader(device, maxLine);
    BurstLineParser parser(options);
    ReadResult out;
    QByteArray line;
    for (;;) {
        const LineReader::Status s = reader.next(line);
        if (s == LineReader::Status::End) break;
        if (s == LineReader::Status::TooLong)
            out.problems.push_back(
                {reader.lineNumber(), ProblemKind::LineTooLong, {QString::number(maxLine)}});
        else
            parser.feed(line, reader.lineNumber(), out);
    }
    parser.finish(reader.textLineCount(), out);
    return out;
}
} // namespace

class TestBurstStream : public QObject {
    Q_OBJECT

private slots:
    void sameAsTheWholeTextReaders_data();
    void sameAsTheWholeTextReaders();
    void tooLongLineIsSkipped();
};

void TestBurstStream::sameAsTheWholeTextReaders_data() {
    QTest::addColumn<bool>("mode2");
    QTest::addColumn<bool>("micros");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("units") << false << false << QByteArray("# c\r\n422 211,26\n\n 300\t150 , 30 \n");
    QTest::newRow("units, bad tokens")
        << false << false << QByteArray("300 1.5 30\n300 x\n0000000001 2\n16777216\n-5 10\n9 9");
    QTest::newRow("micros") << false << true << QByteArray("9000 4500 562.5\n1.2345\n5.\n9000.000 1\n");
    QTest::newRow("mode2") << true << false
                           << QByteArray("Pulse 9000\r\nSPACE\t4500\npulse 00000000560\nspace 40000\n"
                                         "pulse 1\n# x\ntimeout\npulse 2\nspace 3\n");
    QTest::newRow("mode2, bad lines")
        << true << false
        << QByteArray("pulse 500\nspace\nhello 3\npulse 5 6\npulse 99999999999\npulse 16777216\n"
                      "pulse \xc2\xa0"
                      "7\nfrequency 38000\ntimeout 5\npulse 1");
}

void TestBurstStream::sameAsTheWholeTextReaders() {
    QFETCH(bool, mode2);
    QFETCH(bool, micros);
    QFETCH(QByteArray, text);
    BurstLineParser::Options options;
    options.input = mode2 ? BurstLineParser::Input::Mode2 : BurstLineParser::Input::BurstList;
    options.list = {micros, ReceiverKind::Movrik};
    const ReadResult whole =
        mode2 ? readMode2Text(QString::fromUtf8(text)) : readBurstList(QString::fromUtf8(text), options.list);
    const ReadResult lines = streamed(text, options);
    QVERIFY(!whole.bursts.isEmpty());
    QCOMPARE(lines.bursts, whole.bursts);
    QCOMPARE(lines.problems, whole.problems);
}

// A line past the limit is reported once and skipped up to its line end, also the last line of an
// input that ends without one; a line exactly at the limit is read.
void TestBurstStream::tooLongLineIsSkipped() {
    const QByteArray text =
        "1 2 3\n" + QByteArray(200, '7') + "\n4 5 6\n" + QByteArray(64, '#') + "\n" + QByteArray(65, '7');
    const ReadResult r = streamed(text, {}, 64);
    QCOMPARE(r.bursts.size(), 2);
    QCOMPARE(r.bursts[1].line, 3);
    const QStringList limit{QStringLiteral("64")};
    QCOMPARE(r.problems,
             (QVector<Problem>{{2, ProblemKind::LineTooLong, limit}, {5, ProblemKind::LineTooLong, limit}}));
}

QTEST_GUILESS_MAIN(TestBurstStream)
#include "test_burst_stream.moc"
