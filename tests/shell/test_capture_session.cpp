// Capture sessions on the workbench: a scripted receiver sends bursts through polling and the
// processing run while the session timer guides the passes.
#include "fakes/scripted_receiver.h"
#include "formats/core/mode2.h"
#include "formats/core/signal_generator.h"
#include "shell_fixture.h"

#include <QtTest>

#include <functional>

using namespace ravlin;

namespace {
const QString kN0 = QStringLiteral("   ; Автомат сессия N0");
const QString kN1 = QStringLiteral("   ; Автомат сессия N1");

struct Session : test::ShellFixture {
    fakes::ScriptedReceiver* receiver = nullptr;
    CaptureSession& session;

    Session() : session(parts->captureSession) {
        auto r = std::make_unique<fakes::ScriptedReceiver>();
        receiver = r.get();
        wb->setUsbDriver(std::move(r));
        parts->poller.enterSlowStartMode();
        parts->poller.startPolling();
        scheduler.advance(Poller::kSlowIntervalMs); // the receiver answered: status 0
    }
    // Options the session takes, set so that giving them back shows.
    void setOptions(bool value) {
        parts->poller.settings().skipRepeats = value;
        parts->pipeline.settings().autoAdd = value;
        parts->matchSignal.enabled = value;
    }
    QList<bool> options() {
        return {parts->poller.settings().skipRepeats, parts->pipeline.settings().autoAdd,
                parts->matchSignal.enabled};
    }
    void startWithTarget(const QString& target) {
        wb->openCaptureSession();
        session.settings().target = target;
        session.start();
    }
    // Bursts of a held button, one per poll.
    void send(int bursts) {
        const auto bytes = encodeMicros(ReceiverKind::Movrik, SignalGenerator::nec(0x10, 0x42));
        for (int i = 0; i < bursts; ++i)
            receiver->queue(bytes);
    }
    // Advances in 10 ms steps until `done` holds (false after `limitMs`).
    bool runUntil(const std::function<bool()>& done, int limitMs = 20000) {
        for (int t = 0; t < limitMs && !done(); t += 10)
            scheduler.advance(10);
        return done();
    }
    bool reaches(SessionStage stage, int limitMs = 20000) {
        return runUntil([&] { return session.view().stage == stage; }, limitMs);
    }
    QStringList suffixes() {
        QStringList out;
        for (int i = 1; i <= parts->base.count(); ++i)
            out << parts->base.record(i).hash.mid(parts->base.record(i).hash.indexOf(QLatin1Char(' ')));
        return out;
    }
};
} // namespace

class TestCaptureSession : public QObject {
    Q_OBJECT

private slots:
    void targetOneMakesTwoPasses() {
        Session s;
        s.setOptions(true);
        s.parts->rescanFlags.rescanned = true;
        s.startWithTarget(QStringLiteral("1"));
        QCOMPARE(s.options(), (QList<bool>{false, false, false}));
        QVERIFY(!s.parts->rescanFlags.rescanned);
        QCOMPARE(s.wb->session().suffix, kN0);
        QCOMPARE(s.session.view().stage, SessionStage::Press);

        s.send(4); // press and hold: one burst in stage 1, three in stage 2
        QVERIFY(s.reaches(SessionStage::Hold));
        QVERIFY(s.reaches(SessionStage::Release));
        QVERIFY(s.reaches(SessionStage::Wait));
        QVERIFY(s.reaches(SessionStage::Press));
        QCOMPARE(s.session.passNumber(), 1);
        QCOMPARE(s.session.view().counterLabel, QStringLiteral("Принято - 1"));
        QCOMPARE(s.wb->session().suffix, kN1);
        QCOMPARE(s.suffixes(), QStringList(4, kN0));

        s.send(3);
        QVERIFY(s.reaches(SessionStage::Idle));
        QCOMPARE(s.suffixes(), QStringList(4, kN0) + QStringList(3, kN1));
        QCOMPARE(CaptureSession::stageText(s.session.view().stage), QStringLiteral("Свободен"));
        QCOMPARE(s.session.view().counterLabel, QStringLiteral("Принято - 0"));
        QVERIFY(s.wb->session().suffix.isEmpty());
        QVERIFY(!s.wb->session().running);
        QVERIFY(!s.session.isTimerActive());
        QCOMPARE(s.options(), (QList<bool>{true, true, true}));
        // The window stays open: the records were never looked up and no question was asked.
        QVERIFY(s.wb->session().windowOpen);
        QVERIFY(s.dialogs.events.isEmpty());
    }

    void burstDuringReleaseRestartsItsWait() {
        Session s;
        s.startWithTarget(QStringLiteral("0"));
        s.send(3);
        QVERIFY(s.reaches(SessionStage::Release));
        s.scheduler.advance(300);
        QCOMPARE(s.session.tickCounter(), 3);
        const int before = s.parts->base.count();
        s.send(1);
        QVERIFY(s.runUntil([&] { return s.parts->base.count() == before + 1; }));
        QVERIFY(s.runUntil([&] { return s.session.tickCounter() == 0; }, 100));
        const qint64 restarted = s.scheduler.now();
        QVERIFY(s.reaches(SessionStage::Wait));
        QVERIFY(s.scheduler.now() - restarted >= 690); // seven quiet ticks counted anew after the burst
    }

    void closingInHoldRestoresOptionsAndClearsSuffix() {
        Session s;
        s.setOptions(true);
        s.startWithTarget(QStringLiteral("6"));
        s.send(2);
        QVERIFY(s.reaches(SessionStage::Hold));
        s.session.windowClosed();
        QCOMPARE(s.options(), (QList<bool>{true, true, true}));
        QVERIFY(s.wb->session().suffix.isEmpty());
        QVERIFY(!s.wb->session().running);
        QVERIFY(!s.wb->session().windowOpen);
        QCOMPARE(s.session.view().stage, SessionStage::Idle);
        QVERIFY(!s.session.isTimerActive());
        // With the window closed and no auto-add, bursts are no longer added.
        s.parts->pipeline.settings().autoAdd = false;
        const int count = s.parts->base.count();
        s.send(2);
        s.scheduler.advance(1000);
        QCOMPARE(s.parts->base.count(), count);
    }

    void aPassStopsAddingAfterFifteen() {
        Session s;
        s.startWithTarget(QStringLiteral("0"));
        s.send(20);
        QVERIFY(s.runUntil([&] { return s.receiver->reads.empty(); }));
        s.scheduler.advance(300);
        // The press is added in stage 1; then the counter starts over and 15 more are added. (A
        // burst between the end of holding and the release stage is not counted.)
        QVERIFY(s.wb->session().sessionCounter > 15);
        QCOMPARE(s.parts->base.count(), 16);
        QCOMPARE(s.session.view().stage, SessionStage::Release);
    }

    void startWithoutReceiverOnlyBeeps_data() {
        QTest::addColumn<bool>("polled");
        QTest::newRow("receiver not connected") << true;
        QTest::newRow("no status yet") << false;
    }
    void startWithoutReceiverOnlyBeeps() {
        QFETCH(bool, polled);
        test::ShellFixture f;
        auto r = std::make_unique<fakes::ScriptedReceiver>();
        r->idleStatus = StatusNotConnected;
        f.wb->setUsbDriver(std::move(r));
        if (polled) {
            f.parts->poller.enterSlowStartMode();
            f.parts->poller.startPolling();
            f.scheduler.advance(Poller::kSlowIntervalMs);
        }
        f.wb->openCaptureSession();
        f.parts->captureSession.start();
        QCOMPARE(f.dialogs.events, QStringList{QStringLiteral("beep")});
        QCOMPARE(f.parts->captureSession.view().stage, SessionStage::Idle);
        QVERIFY(!f.parts->captureSession.isTimerActive());
        QVERIFY(!f.wb->session().running);
        QVERIFY(f.wb->session().suffix.isEmpty());
        QVERIFY(f.parts->poller.settings().skipRepeats);
    }

    void targetBoxReadsLeadingDigits_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("target");
        QTest::newRow("number") << QStringLiteral("6") << 6;
        QTest::newRow("digits then text") << QStringLiteral("12ab") << 12;
        QTest::newRow("text") << QStringLiteral("x3") << 0;
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("negative") << QStringLiteral("-2") << 0;
        QTest::newRow("huge") << QStringLiteral("99999999999999") << CaptureSession::kMaxTarget;
    }
    void targetBoxReadsLeadingDigits() {
        QFETCH(QString, text);
        QFETCH(int, target);
        QCOMPARE(CaptureSession::targetOf(text), target);
    }

    void sessionButtonResetsTheDisplayAndMatchesBlink() {
        Session s;
        s.parts->baseEditor.settings().recordNumber = QStringLiteral("7");
        s.wb->openCaptureSession();
        QCOMPARE(s.parts->baseEditor.settings().recordNumber, QStringLiteral("1"));
        s.session.windowClosed();
        // A match found by the processing run blinks the match window.
        s.parts->matchSignal.enabled = true;
        s.parts->matchSignal.anyRecord = true;
        s.parts->pipeline.settings().autoAdd = true;
        s.send(2);
        QVERIFY(s.runUntil([&] { return s.parts->matchVisualisation.isBlinking(); }));
        QCOMPARE(s.parts->base.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestCaptureSession)
#include "test_capture_session.moc"
