#include "hashing/core/protocol_threshold.h"
#include "hashing/core/sub_decoders.h"

#include <QSet>
#include <QtTest>

using namespace ravlin;

class TestSubDecoders : public QObject {
    Q_OBJECT

private slots:
    // Every row owns its own flag, check box and setting, and switching one row's setting moves
    // exactly its own bit of the masks.
    void rowsDriveTheirOwnBit() {
        QSet<int> places;
        QSet<QString> names;
        for (const SubDecoderRow& row : subDecoderRows()) {
            QVERIFY(row.group >= 1 && row.group <= 3 && row.flag >= 1 && row.flag <= 8);
            QVERIFY(!places.contains(row.group * 10 + row.flag));
            places.insert(row.group * 10 + row.flag);
            QVERIFY(!names.contains(QLatin1String(row.objectName)));
            names.insert(QLatin1String(row.objectName));

            DecoderSettings s;
            s.*row.setting = !row.enabledByDefault();
            const DecoderMasks before = decoderMasks(DecoderSettings{});
            const DecoderMasks after = decoderMasks(s);
            const std::uint8_t bit = static_cast<std::uint8_t>(0x80 >> (row.flag - 1));
            const std::uint8_t b[3] = {before.group1, before.group2, before.group3};
            const std::uint8_t a[3] = {after.group1, after.group2, after.group3};
            for (int g = 0; g < 3; ++g)
                QCOMPARE(a[g] ^ b[g], g == row.group - 1 ? bit : 0);
        }
        QCOMPARE(subDecoderRows().size(), std::size_t(23));
        // The optional RC6, SIRC15 and RC5X rows start unticked: the masks stay those of the tab's
        // defaults, so no decoder result changes until one is ticked.
        QCOMPARE(decoderMasks(DecoderSettings{}), (DecoderMasks{0xFF, 0xFC, 0x03}));
    }

    void decoderLists_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("group1");
        QTest::addColumn<int>("group3");
        QTest::addColumn<QString>("bad");
        QTest::newRow("three optional") << "+rc6,+sirc15,+rc5x" << true << 0xFF << 0x3B << "";
        QTest::newRow("untick RC5") << "-rc5" << true << 0xBF << 0x03 << "";
        QTest::newRow("last item wins") << "+rc6,-rc6" << true << 0xFF << 0x03 << "";
        QTest::newRow("no sign") << "+rc6,sirc15" << false << 0xFF << 0x03 << "sirc15";
        QTest::newRow("unknown key") << "+rc7" << false << 0xFF << 0x03 << "+rc7";
        QTest::newRow("empty item") << "+rc6," << false << 0xFF << 0x03 << "";
        QTest::newRow("case matters") << "+RC6" << false << 0xFF << 0x03 << "+RC6";
    }
    void decoderLists() {
        QFETCH(QString, list);
        QFETCH(bool, ok);
        QFETCH(int, group1);
        QFETCH(int, group3);
        QFETCH(QString, bad);
        DecoderSettings s;
        QString error = QStringLiteral("unset");
        QCOMPARE(applyDecoderList(list, s, &error), ok);
        const DecoderMasks m = decoderMasks(s);
        QCOMPARE(int(m.group1), group1);
        QCOMPARE(int(m.group3), group3);
        QCOMPARE(error, ok ? QStringLiteral("unset") : bad);
    }
};

QTEST_GUILESS_MAIN(TestSubDecoders)
#include "test_sub_decoders.moc"
