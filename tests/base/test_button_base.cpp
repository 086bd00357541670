#include "base/core/button_base.h"
#include "base/core/key_names.h"

#include <QtTest>

using namespace ravlin;

namespace {

ButtonRecord makeRecord(int i) {
    ButtonRecord r;
    r.remoteName = QStringLiteral("Remote %1").arg(i);
    r.buttonName = KeyNamTab::name(i % KeyNamTab::kCount);
    r.hash = QStringLiteral("H%1").arg(i);
    for (int t = 0; t < kTimingTextCount; ++t)
        r.timings[t] = QStringLiteral("T%1.%2").arg(i).arg(t);
    return r;
}

} // namespace

class TestButtonBase : public QObject {
    Q_OBJECT
private slots:
    void keyNames() {
        QCOMPARE(KeyNamTab::names().size(), 65);
        QCOMPARE(KeyNamTab::name(0), QStringLiteral("N/A"));
        QCOMPARE(KeyNamTab::name(64), QStringLiteral("Obshaya"));
        QCOMPARE(KeyNamTab::name(63), QStringLiteral("Hvost"));
        QCOMPARE(KeyNamTab::name(17), QStringLiteral("VOL+"));
        QCOMPARE(KeyNamTab::name(65), QString());
        QCOMPARE(KeyNamTab::name(-1), QString());
        QCOMPARE(KeyNamTab::indexOf("Key 10"), 12);
        QCOMPARE(KeyNamTab::indexOf("key 10"), -1);
        QCOMPARE(KeyNamTab::indexOf("PreView"), 19);
        QCOMPARE(KeyNamTab::indexOf("A/B"), 61);
    }

    void namesAreCutTo16() {
        ButtonBase base;
        ButtonRecord r = makeRecord(1);
        r.remoteName = QStringLiteral("ДвадцатьСимволов1234");
        QCOMPARE(r.remoteName.size(), 20);
        base.append(r);
        QCOMPARE(base.record(1).remoteName, QStringLiteral("ДвадцатьСимволов"));
    }

    void limitOf750() {
        ButtonBase base;
        for (int i = 1; i < 750; ++i)
            QVERIFY(!base.append(makeRecord(i)).atLimit);
        const auto at = base.append(makeRecord(750));
        QCOMPARE(at.index, 750);
        QVERIFY(at.atLimit);
        const auto over = base.append(makeRecord(9999));
        QCOMPARE(over.index, 750);
        QVERIFY(over.atLimit);
        QCOMPARE(base.count(), 750);
        QCOMPARE(base.record(750).hash, QStringLiteral("H9999"));
        QCOMPARE(base.record(749).hash, QStringLiteral("H749"));
    }

    void removeKeepsAllFieldsTogether() {
        ButtonBase base;
        for (int i = 1; i <= 5; ++i)
            base.append(makeRecord(i));
        base.remove(3);
        QCOMPARE(base.count(), 4);
        QCOMPARE(base.record(1), makeRecord(1));
        QCOMPARE(base.record(2), makeRecord(2));
        QCOMPARE(base.record(3), makeRecord(4));
        QCOMPARE(base.record(4), makeRecord(5));
        QCOMPARE(base.record(5), ButtonRecord());
        base.remove(0);
        base.remove(5);
        QCOMPARE(base.count(), 4);
    }

    void hashLookup() {
        ButtonBase base;
        ButtonRecord a = makeRecord(1), b = makeRecord(2);
        b.hash = a.hash;
        base.append(a);
        base.append(makeRecord(3));
        base.append(b);
        QCOMPARE(base.lastIndexOfHash(a.hash), 3);
        QCOMPARE(base.firstIndexOfHash(a.hash), 1);
        QCOMPARE(base.lastIndexOfHash(a.hash.toLower()), 0);
        // Records past the count do not match.
        base.setCount(2);
        QCOMPARE(base.lastIndexOfHash(a.hash), 1);
    }

    void outOfRangeAccessIsHarmless() {
        ButtonBase base;
        QCOMPARE(base.record(0), ButtonRecord());
        QCOMPARE(base.record(751), ButtonRecord());
        base.record(-5).hash = "x";
        QCOMPARE(base.record(-5).hash, QString());
        base.setCount(100000);
        QCOMPARE(base.count(), 750);
        base.setCount(-3);
        QCOMPARE(base.count(), 0);
    }

    void workingRecordPlaceholders() {
        WorkingRecord w;
        QVERIFY(!w.hasBurst());
        QCOMPARE(w.timings[0], QStringLiteral("Тут будут отображаться значения таймингов кнопки"));
        QCOMPARE(w.timings[1], QString());
        w.hash = "X";
        QVERIFY(w.hasBurst());
        w.reset();
        QVERIFY(!w.hasBurst());
    }
};

QTEST_GUILESS_MAIN(TestButtonBase)
#include "test_button_base.moc"
