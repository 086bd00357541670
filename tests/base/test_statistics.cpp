#include "base/core/statistics.h"

#include <QtTest>

using namespace ravlin;

namespace {

ButtonBase baseOf(const QList<QPair<QString, QString>>& namesAndHashes) {
    ButtonBase base;
    for (const auto& [name, hash] : namesAndHashes) {
        ButtonRecord r;
        r.buttonName = name;
        r.hash = hash;
        base.append(r);
    }
    return base;
}

} // namespace

class TestStatistics : public QObject {
    Q_OBJECT

private slots:
    void byName() {
        const ButtonBase base = baseOf({{"PW", "1"}, {"OK", "2"}, {"PW", "3"}});
        QCOMPARE(statisticsLines(base, StatisticsBasis::ButtonName),
                 QStringList({"PW         - 01,03", "OK         - 02"}));
    }

    void byHashInOrderOfFirstAppearance() {
        const ButtonBase base = baseOf({{"PW", "00B1"}, {"OK", "00A1"}, {"N/A", "00B1"}, {"", "00A1"}});
        QCOMPARE(statisticsLines(base, StatisticsBasis::Hash),
                 QStringList({"00B1                     - 01,03", "00A1                     - 02,04"}));
    }

    void longKeysAreNotCut() {
        const ButtonBase base = baseOf({{"VeryLongName1234", "00112233445566778899AABBCCDDEEFF"}});
        QCOMPARE(statisticsLines(base, StatisticsBasis::ButtonName), QStringList({"VeryLongName1234- 01"}));
        QCOMPARE(statisticsLines(base, StatisticsBasis::Hash),
                 QStringList({"00112233445566778899AABBCCDDEEFF- 01"}));
    }

    void threeDigitNumbersFrom100() {
        QList<QPair<QString, QString>> records;
        for (int i = 1; i <= 120; ++i)
            records.append({i % 10 == 0 ? "Mute" : QStringLiteral("K%1").arg(i), "H"});
        const ButtonBase base = baseOf(records);
        const QStringList byName = statisticsLines(base, StatisticsBasis::ButtonName);
        QCOMPARE(byName.size(), 109);
        QCOMPARE(byName.at(9), QStringLiteral("Mute       - 10,20,30,40,50,60,70,80,90,100,110,120"));
        QCOMPARE(byName.at(0), QStringLiteral("K1         - 01"));
        QCOMPARE(byName.last(), QStringLiteral("K119       - 119"));
        const QStringList byHash = statisticsLines(base, StatisticsBasis::Hash);
        QCOMPARE(byHash.size(), 1);
        QVERIFY(byHash.at(0).startsWith(QStringLiteral("H                        - 01,02,03,")));
        QVERIFY(
            byHash.at(0).endsWith(QStringLiteral(",98,99,100,101,102,103,104,105,106,107,108,109,110,111,112,"
                                                 "113,114,115,116,117,118,119,120")));
    }

    void emptyBaseGivesNoLines() {
        QVERIFY(statisticsLines(ButtonBase(), StatisticsBasis::ButtonName).isEmpty());
        QVERIFY(buildStatistics(ButtonBase(), StatisticsBasis::Hash).empty());
    }
};

QTEST_GUILESS_MAIN(TestStatistics)
#include "test_statistics.moc"
