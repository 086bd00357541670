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
        QCOMPARE(subDecoderRows().size(), std::size_t(20));
    }
};

QTEST_GUILESS_MAIN(TestSubDecoders)
#include "test_sub_decoders.moc"
