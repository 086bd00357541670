// The match window's blinking and tune: four toggles at 0.5 s per match, the tune primed half a
// second after creation and played at most once every 3.5 s.
#include "base/core/match_visualisation.h"
#include "fakes/manual_scheduler.h"
#include "fakes/recording_tune_player.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace ravlin;

namespace {
struct Rig {
    QTemporaryDir dir;
    MatchSignalSettings settings;
    fakes::ManualScheduler scheduler;
    fakes::RecordingTunePlayer player;
    std::unique_ptr<MatchVisualisation> match;

    // `tune`: the bytes of Beep.mid (none: no file).
    explicit Rig(const QByteArray& tune = QByteArrayLiteral("MThd"), bool withFile = true) {
        const QString path = dir.filePath(QStringLiteral("Beep.mid"));
        if (withFile) {
            QFile f(path);
            if (f.open(QIODevice::WriteOnly)) f.write(tune);
        }
        settings.enabled = true;
        match = std::make_unique<MatchVisualisation>(settings, scheduler, path);
        match->setPlayer(&player);
    }
    // Colours after the match signal and after each of `ticks` blink ticks.
    QList<ViewColour> blink(int ticks) {
        QList<ViewColour> out;
        match->signal();
        out << match->groupColour();
        for (int i = 0; i < ticks; ++i) {
            scheduler.advance(MatchVisualisation::kBlinkMs);
            out << match->groupColour();
        }
        return out;
    }
};
constexpr ViewColour R = ViewColour::Red;
constexpr ViewColour F = ViewColour::Face;
} // namespace

class TestMatchVisualisation : public QObject {
    Q_OBJECT

private slots:
    void tuneIsPrimedThenReady_data() {
        QTest::addColumn<QByteArray>("tune");
        QTest::addColumn<bool>("withFile");
        QTest::addColumn<QStringList>("calls");
        const QStringList primed{QStringLiteral("open Beep.mid"), QStringLiteral("play"),
                                 QStringLiteral("pause")};
        QTest::newRow("tune present") << QByteArrayLiteral("MThd") << true << primed;
        QTest::newRow("empty tune") << QByteArray() << true << QStringList();
        QTest::newRow("no tune") << QByteArray() << false << QStringList();
    }
    void tuneIsPrimedThenReady() {
        QFETCH(QByteArray, tune);
        QFETCH(bool, withFile);
        QFETCH(QStringList, calls);
        Rig rig(tune, withFile);
        rig.scheduler.advance(400);
        QVERIFY(rig.player.calls.isEmpty());
        rig.scheduler.advance(100); // tick 31
        QCOMPARE(rig.player.calls, calls);
        QVERIFY(!rig.match->tuneReady());
        rig.scheduler.advance(400); // tick 35
        QVERIFY(rig.match->tuneReady());
        QVERIFY(!rig.match->tuneTimerActive());
    }

    void matchTogglesFourTimesThenStops() {
        Rig rig;
        rig.scheduler.advance(1000);
        QCOMPARE(rig.blink(4), (QList<ViewColour>{R, F, R, F, F}));
        QCOMPARE(rig.match->runCounter(), 4);
        QVERIFY(!rig.match->isBlinking());
        rig.scheduler.advance(2000);
        QCOMPARE(rig.match->runCounter(), 4); // nothing runs once stopped
    }

    void secondMatchRestartsBlinkingWithoutSecondTune() {
        Rig rig;
        rig.settings.sound = true;
        rig.scheduler.advance(1000);
        rig.player.calls.clear();
        QCOMPARE(rig.blink(2), (QList<ViewColour>{R, F, R}));
        QCOMPARE(rig.player.calls, QStringList{QStringLiteral("play")});
        // One second later: the run counter starts over, so the blinking goes on past the time the
        // first match alone would have stopped it (three seconds).
        QCOMPARE(rig.blink(2), (QList<ViewColour>{F, R, F}));
        QCOMPARE(rig.scheduler.now(), 3000);
        QVERIFY(rig.match->isBlinking());
        QCOMPARE(rig.match->runCounter(), 2);
        rig.scheduler.advance(2 * MatchVisualisation::kBlinkMs);
        QVERIFY(!rig.match->isBlinking());
        QCOMPARE(rig.match->groupColour(), F);
        QCOMPARE(rig.player.plays(), 1);
        // 3.5 s after the play the tune is allowed again (re-primed at 3.1 s on the way).
        QVERIFY(!rig.match->tuneReady());
        rig.scheduler.advance(500);
        QVERIFY(rig.match->tuneReady());
        rig.player.calls.clear();
        rig.blink(0);
        QCOMPARE(rig.player.calls, QStringList{QStringLiteral("play")});
    }

    void switchingOffStopsTheBlinking() {
        Rig rig;
        rig.blink(1);
        rig.match->signal();
        QCOMPARE(rig.match->groupColour(), R);
        rig.settings.enabled = false;
        rig.match->optionClicked();
        QCOMPARE(rig.match->groupColour(), F);
        QVERIFY(!rig.match->isBlinking());
        // Switched off while blinking: the next tick stops it too.
        rig.settings.enabled = true;
        rig.match->signal();
        rig.settings.enabled = false;
        rig.scheduler.advance(MatchVisualisation::kBlinkMs);
        QCOMPARE(rig.match->groupColour(), F);
        QVERIFY(!rig.match->isBlinking());
    }

    void missingTuneBlinksSilently() {
        Rig rig(QByteArray(), false);
        rig.settings.sound = true;
        rig.scheduler.advance(1000);
        QCOMPARE(rig.blink(1), (QList<ViewColour>{R, F}));
        QVERIFY(rig.player.calls.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestMatchVisualisation)
#include "test_match_visualisation.moc"
