#include "fakes/manual_scheduler.h"

#include <QtTest>

using namespace ravlin;
using namespace ravlin::fakes;

class TestManualScheduler : public QObject {
    Q_OBJECT
private slots:
    void firesInTimeOrder() {
        ManualScheduler s;
        QStringList log;
        auto a = s.create(200);
        auto b = s.create(120);
        a->setHandler([&] { log << QStringLiteral("a%1").arg(s.now()); });
        b->setHandler([&] { log << QStringLiteral("b%1").arg(s.now()); });
        a->start();
        b->start();
        s.advance(400);
        QCOMPARE(log, QStringList({"b120", "a200", "b240", "b360", "a400"}));
    }

    void singleShotAndStopInsideHandler() {
        ManualScheduler s;
        int oneShot = 0, repeating = 0;
        auto once = s.create(400, true);
        once->setHandler([&] { ++oneShot; });
        once->start();
        auto rep = s.create(100);
        rep->setHandler([&] {
            if (++repeating == 3) rep->stop();
        });
        rep->start();
        s.advance(2000);
        QCOMPARE(oneShot, 1);
        QCOMPARE(repeating, 3);
        QCOMPARE(s.activeCount(), 0);
    }

    // A run stepped to its end: a one-shot timer restarted by its handler twice ends after three
    // steps; a run that never ends stops at the step limit.
    void advanceWhileStepsToTheEnd() {
        ManualScheduler s;
        int runs = 0;
        auto t = s.create(400, true);
        t->setHandler([&] {
            if (++runs < 3) t->start();
        });
        t->start();
        s.advanceWhile([&] { return t->isActive(); }, 400, 10);
        QCOMPARE(runs, 3);
        QCOMPARE(s.now(), 1200);
        s.advanceWhile([] { return true; }, 50, 4);
        QCOMPARE(s.now(), 1400);
    }

    void intervalChangeRestarts() {
        ManualScheduler s;
        int ticks = 0;
        auto t = s.create(1000);
        t->setHandler([&] {
            ++ticks;
            t->setInterval(200);
        });
        t->start();
        s.advance(999);
        QCOMPARE(ticks, 0);
        s.advance(1);
        QCOMPARE(ticks, 1);
        s.advance(200);
        QCOMPARE(ticks, 2);
    }
};

QTEST_GUILESS_MAIN(TestManualScheduler)
#include "test_manual_scheduler.moc"
