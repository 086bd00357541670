#include "base/core/base_order.h"
#include "base/core/key_names.h"
#include "base/core/rescan.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace ravlin;

namespace {

ButtonBase baseOfNames(const QStringList& names) {
    ButtonBase base;
    for (int i = 0; i < names.size(); ++i) {
        ButtonRecord r;
        r.remoteName = QStringLiteral("R");
        r.buttonName = names[i];
        r.hash = QStringLiteral("H%1").arg(i + 1);
        r.timings[0] = QString::number(i + 1); // identifies the original position
        base.append(r);
    }
    return base;
}

QStringList namesOf(const ButtonBase& base) {
    QStringList out;
    for (int i = 1; i <= base.count(); ++i)
        out << base.record(i).buttonName;
    return out;
}

QStringList originsOf(const ButtonBase& base) {
    QStringList out;
    for (int i = 1; i <= base.count(); ++i)
        out << base.record(i).timings[0];
    return out;
}

// The ordering step played literally: for each table entry from the last to the first, every
// record with that name past the boundary is brought to position 1.
std::vector<ButtonRecord> literalOrder(std::vector<ButtonRecord> recs) {
    std::size_t p = 0;
    for (int t = KeyNamTab::kLast; t >= 1; --t) {
        for (;;) {
            std::size_t f = p;
            while (f < recs.size() && recs[f].buttonName != KeyNamTab::name(t))
                ++f;
            if (f >= recs.size()) break;
            ButtonRecord moved = recs[f];
            recs.erase(recs.begin() + static_cast<long>(f));
            recs.insert(recs.begin(), moved);
            ++p;
        }
    }
    return recs;
}

bool unnamedLiteral(const QString& n) {
    return n.isEmpty() || n == "N/A";
}

// The hash-duplicate marking played literally over all pairs.
void literalMark(std::vector<ButtonRecord>& r, const DuplicateOptions& o) {
    const std::size_t n = r.size();
    for (std::size_t i = 0; i + 1 < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j) {
            if (r[i].hash != r[j].hash || r[j].hash == "?") continue;
            auto mark = [](ButtonRecord& x) {
                x.hash = "?";
                x.remoteName = x.buttonName = "N/A";
            };
            if (unnamedLiteral(r[j].buttonName))
                mark(r[j]);
            else if (unnamedLiteral(r[i].buttonName))
                mark(r[i]);
        }
    for (std::size_t i = 0; i + 1 < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j) {
            if (r[i].hash != r[j].hash || r[j].hash == "?") continue;
            if ((r[i].remoteName == r[j].remoteName || o.ignoreRemoteNames) &&
                (r[i].buttonName == r[j].buttonName || o.ignoreButtonNames))
                r[j].hash = "?";
        }
}

} // namespace

class TestBaseOrder : public QObject {
    Q_OBJECT

private slots:
    void durationsOfTimingText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("durations");
        QTest::newRow("empty") << "" << QList<int>{};
        QTest::newRow("one digit rounds to none") << "1" << QList<int>{};
        QTest::newRow("two digits make a group") << "1F" << QList<int>{0x1F};
        QTest::newRow("three") << "12C05A01E" << QList<int>{300, 90, 30};
        QTest::newRow("four digits: the fourth is dropped") << "12C0" << QList<int>{300};
        QTest::newRow("five digits: short last group") << "12C0A" << QList<int>{300, 10};
        QTest::newRow("all zero") << "000" << QList<int>{0};
    }
    void durationsOfTimingText() {
        QFETCH(QString, text);
        QFETCH(QList<int>, durations);
        const auto got = ravlin::durationsOfTimingText(text);
        QCOMPARE(QList<int>(got.begin(), got.end()), durations);
    }

    void repeatRecord_data() {
        QTest::addColumn<QString>("t1");
        QTest::addColumn<QString>("t2");
        QTest::addColumn<bool>("repeat");
        QTest::newRow("300 90 30") << "12C05A01E"
                                   << "" << true;
        QTest::newRow("five durations") << "0C8010060010023"
                                        << "" << true;
        QTest::newRow("four durations") << "12C05A05A01E"
                                        << "" << false;
        QTest::newRow("last 36") << "12C05A024"
                                 << "" << false;
        QTest::newRow("last 20") << "12C05A014"
                                 << "" << true;
        QTest::newRow("last 35") << "12C05A023"
                                 << "" << true;
        QTest::newRow("last 19") << "12C05A013"
                                 << "" << false;
        QTest::newRow("first 200") << "0C805A01E"
                                   << "" << true;
        QTest::newRow("first 199") << "0C705A01E"
                                   << "" << false;
        QTest::newRow("first 440") << "1B805A01E"
                                   << "" << true;
        QTest::newRow("first 441") << "1B905A01E"
                                   << "" << false;
        QTest::newRow("text 2 of one character") << "12C05A01E"
                                                 << "7" << true;
        QTest::newRow("text 2 of two characters") << "12C05A01E"
                                                  << "07" << false;
        QTest::newRow("empty") << ""
                               << "" << false;
    }
    void repeatRecord() {
        QFETCH(QString, t1);
        QFETCH(QString, t2);
        QFETCH(bool, repeat);
        ButtonRecord r;
        r.timings[0] = t1;
        r.timings[1] = t2;
        QCOMPARE(IsRepeatRecord(r), repeat);
        ButtonRecord later = r;
        later.timings[5] = "AB";
        QVERIFY(!IsRepeatRecord(later));
    }

    void orderingExample() {
        ButtonBase base = baseOfNames({"Mute", "PW", "N/A", "Key 1", "PW"});
        orderByKeyNames(base);
        moveUnnamedToEnd(base);
        QCOMPARE(namesOf(base), QStringList({"PW", "PW", "Key 1", "Mute", "N/A"}));
        QCOMPARE(originsOf(base), QStringList({"5", "2", "4", "1", "3"}));
    }

    void orderingMatchesTheStepByStepMoves() {
        QRandomGenerator gen(7);
        const QStringList extra = {"Свет", "N/A", "", "pw", "Hvost", "Obshaya"};
        for (int round = 0; round < 200; ++round) {
            QStringList names;
            const int n = gen.bounded(40);
            for (int i = 0; i < n; ++i)
                names << (gen.bounded(3) ? KeyNamTab::name(gen.bounded(1, 8) * (gen.bounded(2) ? 1 : 9) % 65)
                                         : extra[gen.bounded(extra.size())]);
            ButtonBase base = baseOfNames(names);
            const auto expected = literalOrder(base.records());
            orderByKeyNames(base);
            QCOMPARE(base.records(), expected);
        }
    }

    void unnamedRecordsGoBehindAllOthers_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("origins");
        QTest::newRow("N/A first") << QStringList{"N/A", "Foo"} << QStringList{"2", "1"};
        QTest::newRow("two N/A first") << QStringList{"N/A", "N/A", "Foo"} << QStringList{"3", "1", "2"};
        QTest::newRow("mixed") << QStringList{"A", "N/A", "B", "N/A", "C"}
                               << QStringList{"1", "3", "5", "2", "4"};
        QTest::newRow("all N/A") << QStringList{"N/A", "N/A"} << QStringList{"1", "2"};
        QTest::newRow("none") << QStringList{"A", "B"} << QStringList{"1", "2"};
        QTest::newRow("empty name is not N/A here")
            << QStringList{"", "N/A", "A"} << QStringList{"1", "3", "2"};
    }
    void unnamedRecordsGoBehindAllOthers() {
        QFETCH(QStringList, names);
        QFETCH(QStringList, origins);
        ButtonBase base = baseOfNames(names);
        moveUnnamedToEnd(base);
        QCOMPARE(originsOf(base), origins);
        QCOMPARE(base.count(), names.size());
    }

    void tidyNamesRepeatsAndOrder() {
        ButtonBase base = baseOfNames({"", "OK", "Mute", "X"});
        base.record(1).remoteName.clear();
        base.record(4).timings = {"12C05A01E", "", "", "", "", ""};
        Rescan::tidy(base);
        QCOMPARE(namesOf(base), QStringList({"Mute", "OK", "Hvost", "N/A"}));
        QCOMPARE(base.record(4).remoteName, QStringLiteral("N/A"));
        QCOMPARE(base.record(3).remoteName, QStringLiteral("R"));
    }

    void duplicatesWithDefaultOptions() {
        // Equal hash and button name, different remote names: the later goes.
        ButtonBase base = baseOfNames({"PW", "PW", "OK"});
        base.record(2).remoteName = "Other";
        base.record(2).hash = base.record(1).hash;
        QCOMPARE(Rescan::removeHashDuplicates(base, DuplicateOptions()), 1);
        QCOMPARE(originsOf(base), QStringList({"1", "3"}));
    }

    void unnamedCopyGoesWhicheverComesFirst_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("kept");
        QTest::newRow("N/A first") << QStringList{"N/A", "PW"} << "2";
        QTest::newRow("N/A second") << QStringList{"PW", "N/A"} << "1";
        QTest::newRow("empty first") << QStringList{"", "PW"} << "2";
        QTest::newRow("both N/A: the later goes") << QStringList{"N/A", "N/A"} << "1";
        QTest::newRow("different names, N/A first") << QStringList{"N/A", "OK"} << "2";
    }
    void unnamedCopyGoesWhicheverComesFirst() {
        QFETCH(QStringList, names);
        QFETCH(QString, kept);
        ButtonBase base = baseOfNames(names);
        base.record(2).hash = base.record(1).hash;
        DuplicateOptions o;
        o.ignoreRemoteNames = false; // the unnamed pass does not look at the options
        QCOMPARE(Rescan::removeHashDuplicates(base, o), 1);
        QCOMPARE(originsOf(base), QStringList({kept}));
    }

    void namedCopiesFollowTheOptions_data() {
        QTest::addColumn<bool>("ignoreRemotes");
        QTest::addColumn<bool>("ignoreButtons");
        QTest::addColumn<int>("left");
        // Three records of one hash: (R, PW), (S, PW), (R, OK).
        QTest::newRow("defaults") << true << false << 2;
        QTest::newRow("compare both") << false << false << 3;
        QTest::newRow("ignore both") << true << true << 1;
        QTest::newRow("ignore buttons only") << false << true << 2;
    }
    void namedCopiesFollowTheOptions() {
        QFETCH(bool, ignoreRemotes);
        QFETCH(bool, ignoreButtons);
        QFETCH(int, left);
        ButtonBase base = baseOfNames({"PW", "PW", "OK"});
        base.record(2).remoteName = "S";
        for (int i = 1; i <= 3; ++i)
            base.record(i).hash = "00AB";
        DuplicateOptions o{ignoreRemotes, ignoreButtons};
        QCOMPARE(Rescan::removeHashDuplicates(base, o), 3 - left);
        QCOMPARE(base.count(), left);
        QCOMPARE(base.record(1).timings[0], QStringLiteral("1"));
    }

    void markingMatchesAllPairs() {
        QRandomGenerator gen(99);
        const QStringList names = {"PW", "OK", "N/A", "", "Mute"};
        const QStringList remotes = {"R", "S"};
        const QStringList hashes = {"A", "B", "C", "?"};
        for (int round = 0; round < 300; ++round) {
            ButtonBase base;
            const int n = gen.bounded(1, 25);
            for (int i = 0; i < n; ++i) {
                ButtonRecord r;
                r.buttonName = names[gen.bounded(names.size())];
                r.remoteName = remotes[gen.bounded(remotes.size())];
                r.hash = hashes[gen.bounded(hashes.size())];
                r.timings[0] = QString::number(i);
                base.append(r);
            }
            const DuplicateOptions o{gen.bounded(2) == 1, gen.bounded(2) == 1};
            auto expected = base.records();
            literalMark(expected, o);
            markHashDuplicates(base, o);
            QCOMPARE(base.records(), expected);
        }
    }

    void removalKeepsEveryField() {
        ButtonBase base = baseOfNames({"A", "B", "C", "D"});
        base.record(2).hash = "?";
        base.record(3).hash = "?";
        const ButtonRecord d = base.record(4);
        QCOMPARE(removeMarkedRecords(base), 2);
        QCOMPARE(base.count(), 2);
        QCOMPARE(base.record(2), d);
        QCOMPARE(base.record(3), ButtonRecord());
        QCOMPARE(removeMarkedRecords(base), 0);
    }
};

QTEST_GUILESS_MAIN(TestBaseOrder)
#include "test_base_order.moc"
