#include "hashing/core/number_text.h"

#include <QtTest>

using namespace ravlin;

class TestNumberText : public QObject {
    Q_OBJECT
private slots:
    void intToBase_data() {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<int>("base");
        QTest::addColumn<QString>("expected");
        QTest::newRow("letter first gets 0") << qint64(160) << 16 << "0A0";
        QTest::newRow("3B") << qint64(59) << 16 << "3B";
        QTest::newRow("zero hex") << qint64(0) << 16 << "0";
        QTest::newRow("F") << qint64(15) << 16 << "0F";
        QTest::newRow("binary padded") << qint64(5) << 2 << "00000101";
        QTest::newRow("binary long") << qint64(511) << 2 << "111111111";
        QTest::newRow("decimal") << qint64(1234) << 10 << "1234";
        QTest::newRow("negative") << qint64(-26) << 16 << "-1A";
        QTest::newRow("negative letter first") << qint64(-10) << 16 << "-0A";
        QTest::newRow("most negative")
            << qint64(std::numeric_limits<qint64>::min()) << 16 << "-8000000000000000";
    }
    void intToBase() {
        QFETCH(qint64, value);
        QFETCH(int, base);
        QFETCH(QString, expected);
        QCOMPARE(IntToBase(value, base), expected);
    }

    void intToBaseWidth_data() {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("expected");
        QTest::newRow("pad") << qint64(5) << 3 << "005";
        QTest::newRow("letter first padded") << qint64(0xA3) << 3 << "0A3";
        QTest::newRow("cut to last digits") << qint64(257) << 2 << "01";
        QTest::newRow("letter prefix cut") << qint64(0xAB) << 2 << "AB";
        QTest::newRow("65535 in 2") << qint64(65535) << 2 << "FF";
    }
    void intToBaseWidth() {
        QFETCH(qint64, value);
        QFETCH(int, width);
        QFETCH(QString, expected);
        QCOMPARE(IntToBaseWidth(value, 16, width), expected);
    }

    void strToBase_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("base");
        QTest::addColumn<int>("expected");
        QTest::newRow("3B") << "3B" << 16 << 59;
        QTest::newRow("lower case counts as -1") << "3b" << 16 << 47;
        QTest::newRow("leading zeros") << "000A" << 16 << 10;
        QTest::newRow("empty") << "" << 16 << 0;
        QTest::newRow("only zeros") << "000" << 16 << 0;
        QTest::newRow("binary") << "00101" << 2 << 5;
        QTest::newRow("binary mask") << "11110111" << 2 << 0xF7;
        QTest::newRow("blank is -1") << " 1" << 10 << -9;
    }
    void strToBase() {
        QFETCH(QString, text);
        QFETCH(int, base);
        QFETCH(int, expected);
        QCOMPARE(StrToBase(text, base), expected);
    }

    void roundTrip() {
        for (int v : {0, 1, 9, 10, 59, 255, 256, 4095, 65535, 1 << 20})
            QCOMPARE(StrToBase(IntToBase(v, 16), 16), v);
    }
};

QTEST_GUILESS_MAIN(TestNumberText)
#include "test_number_text.moc"
