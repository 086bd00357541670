#include "acquisition/core/receiver_kind.h"

#include <QtTest>

using namespace ravlin;

class TestReceiverKind : public QObject {
    Q_OBJECT

private slots:
    void statusTexts_data() {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << "Status : OK!";
        QTest::newRow("1") << 1 << "Status : NotConect";
        QTest::newRow("2") << 2 << "Status : NoDataAvailable";
        QTest::newRow("3") << 3 << "Status : InvalidBaudrate";
        QTest::newRow("4") << 4 << "Status : OverRunError";
        QTest::newRow("5") << 5 << "Status : UnError";
        QTest::newRow("-1") << -1 << "Status : UnError";
    }
    void statusTexts() {
        QFETCH(int, status);
        QFETCH(QString, text);
        QCOMPARE(statusLineText(status), text);
    }
};

QTEST_GUILESS_MAIN(TestReceiverKind)
#include "test_receiver_kind.moc"
