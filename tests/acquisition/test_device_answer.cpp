#include "acquisition/core/device_answer.h"

#include <QtTest>

#include <array>

using namespace ravlin;

namespace {

std::array<std::uint8_t, 256> answerBlock(std::uint8_t type, std::uint8_t b3, std::uint8_t key) {
    std::array<std::uint8_t, 256> block{};
    block[0] = 0xFF;
    block[1] = 0xFF;
    block[2] = type;
    block[3] = b3;
    block[4] = key;
    return block;
}

} // namespace

class TestDeviceAnswer : public QObject {
    Q_OBJECT

private slots:
    void decode_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::newRow("keyboard") << 0x01 << 0x07 << "Key_";
        QTest::newRow("keyboard other bytes") << 0x01 << 0xFF << "Key_";
        QTest::newRow("error") << 0x55 << 0x00 << "Это - Ошибка в модуле!!!";
        QTest::newRow("hash") << 0xF8 << 0x12 << "Это - Значение ХЭШa";
        QTest::newRow("unknown") << 0x02 << 0x07 << "ОТВЕТ НЕ ОПОЗНАННННННН!!!!";
        QTest::newRow("tail") << 0x00 << 0xFF << "Hvost";
        QTest::newRow("key 5 first") << 0x00 << 0x07 << "Plt_Key 5_1";
        QTest::newRow("key 5 second") << 0x00 << 0x87 << "Plt_Key 5_2";
        QTest::newRow("name 63") << 0x00 << 0x3F << "Plt_Hvost_1";
        QTest::newRow("own code 41") << 0x00 << 0x41 << "Plt_41_1";
        QTest::newRow("own code C0") << 0x00 << 0xC0 << "Plt_40_2";
        QTest::newRow("own code 7F") << 0x00 << 0x7F << "Plt_7F_1";
        QTest::newRow("PW") << 0x00 << 0x01 << "Plt_PW_1";
        QTest::newRow("code 0") << 0x00 << 0x00 << "Plt_N/A_1";
        QTest::newRow("code 0 second") << 0x00 << 0x80 << "Plt_N/A_2";
    }
    void decode() {
        QFETCH(int, type);
        QFETCH(int, key);
        QFETCH(QString, text);
        const auto block = answerBlock(static_cast<std::uint8_t>(type), 0x33, static_cast<std::uint8_t>(key));
        AnswerBuffer buffer;
        buffer.text = QString(60, QLatin1Char('x'));
        std::int32_t length = -1;
        QCOMPARE(DecodeDeviceAnswer(block, 5, buffer, length), 0);
        QCOMPARE(length, text.size());
        QCOMPARE(buffer.text.size(), kAnswerBufferLength);
        QCOMPARE(buffer.text.left(length), text);
        QCOMPARE(buffer.text.mid(length), QString(60 - length, QLatin1Char(' ')));
        QVERIFY(length <= 26);
    }

    void sameTextSameIdentity() {
        AnswerBuffer a, b;
        std::int32_t la = 0, lb = 0;
        DecodeDeviceAnswer(answerBlock(0x01, 0x01, 0x02), 5, a, la);
        DecodeDeviceAnswer(answerBlock(0x01, 0x77, 0x99), 9, b, lb);
        QCOMPARE(a.text, b.text);
        DecodeDeviceAnswer(answerBlock(0x00, 0x00, 0x87), 5, b, lb);
        QVERIFY(a.text != b.text);
    }

    void kindTexts_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("text");
        QTest::newRow("00") << 0x00 << "Кнопка   ПУЛЬТА       вроде распознанна";
        QTest::newRow("01") << 0x01 << "Кнопка   Клавиатуры   вроде распознанна";
        QTest::newRow("55") << 0x55 << "Ошибка в модуле!!!";
        QTest::newRow("F8") << 0xF8 << "Значение ХЭШa";
        QTest::newRow("F9") << 0xF9 << "ОТВЕТ НЕ ОПОЗНАННННННН!!!!";
    }
    void kindTexts() {
        QFETCH(int, type);
        QFETCH(QString, text);
        QCOMPARE(deviceAnswerKindText(static_cast<std::uint8_t>(type)), text);
    }

    void byteList_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("list");
        // Bytes 4..count counted from 1: block indexes 3.. (3 holds 0xA3, then 0x07, 0x10, 0x02).
        QTest::newRow("remote") << 0x00 << 6 << "0x0A3, 0x007, 0x010";
        QTest::newRow("hash separators") << 0xF8 << 7 << "0x0A3, 0x007,0x010,0x002";
        QTest::newRow("one entry") << 0xF8 << 4 << "0x0A3";
        QTest::newRow("short block") << 0x00 << 3 << "";
    }
    void byteList() {
        QFETCH(int, type);
        QFETCH(int, count);
        QFETCH(QString, list);
        auto block = answerBlock(static_cast<std::uint8_t>(type), 0xA3, 0x07);
        block[5] = 0x10;
        block[6] = 0x02;
        QCOMPARE(deviceAnswerByteList(block, count), list);
    }

    void byteListFullBlockStaysInBounds() {
        std::array<std::uint8_t, 256> block{};
        block.fill(0xEE);
        const QString list = deviceAnswerByteList(block, 255);
        QCOMPARE(list.count(QStringLiteral("0x0EE")), 252);
        QCOMPARE(deviceAnswerByteList(block, 100000).count(QStringLiteral("0x")), 253);
    }
};

QTEST_GUILESS_MAIN(TestDeviceAnswer)
#include "test_device_answer.moc"
