#include "shell_fixture.h"

#include "fakes/scripted_receiver.h"
#include "shell/core/notifying_timer_factory.h"
#include "shell/core/startup.h"

#include <QSignalSpy>
#include <QTest>

using namespace ravlin;
using ravlin::test::ShellFixture;

namespace {
const QString kExitQuestion = QStringLiteral("yesno: Буфер содержит данные...\r\nВыйти с потерей данных?");
}

class TestWorkbench : public QObject {
    Q_OBJECT

private slots:
    void initialState() {
        ShellFixture f;
        QCOMPARE(f.parts->pipeline.lastRealButtonName(), QStringLiteral("N/A"));
        QCOMPARE(f.parts->base.currentIndex(), 1);
        QCOMPARE(f.parts->working.hash, QStringLiteral("Тут преобразованное значение"));
        QCOMPARE(f.parts->hashPanel.source, HashSource::OneBitPlusM96);
        QVERIFY(!f.wb->mainView().visible);
        QVERIFY(f.wb->launcherView().visible);
        QCOMPARE(f.wb->launcherView().caption, QStringLiteral("Ravlin   ver 1.1E"));
    }

    void exitWithEmptyBaseClosesAtOnce() {
        ShellFixture f;
        QSignalSpy close(f.wb.get(), &Workbench::closeMainWindowRequested);
        QVERIFY(f.wb->exitCommand());
        QVERIFY(f.dialogs.events.isEmpty());
        QCOMPARE(close.count(), 1);
    }

    void exitWithRecordsAsks_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes closes") << true;
        QTest::newRow("No keeps running") << false;
    }

    void exitWithRecordsAsks() {
        QFETCH(bool, yes);
        ShellFixture f;
        f.parts->base.append(ButtonRecord{});
        f.dialogs.answers << (yes ? Answer::Yes : Answer::No);
        QSignalSpy close(f.wb.get(), &Workbench::closeMainWindowRequested);
        QSignalSpy quit(f.wb.get(), &Workbench::quitRequested);
        QCOMPARE(f.wb->exitCommand(), yes);
        QCOMPARE(f.dialogs.events, QStringList{kExitQuestion});
        QCOMPARE(close.count(), yes ? 1 : 0);
        QCOMPARE(quit.count(), 0);
        QCOMPARE(f.parts->base.count(), 1); // nothing discarded by asking
    }

    void closingClosesNetworkReceiverThenQuitsOnce() {
        ShellFixture f;
        QStringList order;
        auto network = std::make_unique<fakes::ScriptedNetworkDriver>();
        const fakes::ScriptedNetworkDriver& net = *network;
        f.wb->setNetworkDriver(std::move(network));
        f.parts->poller.settings().address[0] = QStringLiteral("127");
        f.parts->poller.settings().address[1] = QStringLiteral("0");
        f.parts->poller.settings().address[2] = QStringLiteral("0");
        f.parts->poller.settings().address[3] = QStringLiteral("1");
        f.parts->poller.settings().kindText = QStringLiteral("IgorPlug-UDP");
        f.parts->poller.applyReceiverKind();
        f.parts->poller.stopPolling();
        f.dialogs.events.clear(); // the network start's beep
        connect(f.wb.get(), &Workbench::quitRequested, this,
                [&] { order << net.calls.filter(QStringLiteral("close")) << QStringLiteral("quit"); });
        f.parts->startup.begin();
        f.scheduler.advance(300);
        f.wb->mainWindowClosing();
        f.wb->mainWindowClosing(); // the launcher's own close comes back here
        QCOMPARE(order, (QStringList{QStringLiteral("close"), QStringLiteral("quit")}));
        QCOMPARE(f.scheduler.activeCount(), 0);
        QVERIFY(f.dialogs.events.isEmpty()); // nothing asked, nothing saved
    }

    void closingBeforeBeginIsSafe() {
        ShellFixture f;
        QSignalSpy quit(f.wb.get(), &Workbench::quitRequested);
        f.wb->mainWindowClosing();
        QCOMPARE(quit.count(), 1);
    }

    void linksOpenTheDocumentationPage() {
        ShellFixture f;
        f.wb->openProjectPage();
        f.wb->openHelpPage();
        QCOMPARE(f.urls.opened.size(), 2);
        for (const QString& url : f.urls.opened) {
            QVERIFY(url.startsWith(QStringLiteral("file://")));
            QVERIFY(url.contains(f.dir.path() + QStringLiteral("/docs/index.md")));
        }
    }

    void activePage() {
        ShellFixture f;
        f.wb->setActivePage(MainPage::Burst, BurstTab::HashModules);
        QVERIFY(f.wb->isBurstPageActive());
        QVERIFY(f.wb->isBurstTabActive(BurstTab::HashModules));
        QVERIFY(!f.wb->isBurstTabActive(BurstTab::Module96));
        f.wb->setActivePage(MainPage::HexBaza, BurstTab::HashModules);
        QVERIFY(!f.wb->isBurstPageActive());
        QVERIFY(!f.wb->isBurstTabActive(BurstTab::HashModules));
    }

    void notifyingTimersAnnounceAfterTheHandler() {
        fakes::ManualScheduler scheduler;
        QStringList calls;
        NotifyingTimerFactory factory(scheduler, [&] { calls << QStringLiteral("changed"); });
        auto repeating = factory.create(100);
        auto once = factory.create(250, true);
        repeating->setHandler([&] { calls << QStringLiteral("tick"); });
        once->setHandler([&] { calls << QStringLiteral("once"); });
        repeating->start();
        once->start();
        QVERIFY(repeating->isActive());
        QCOMPARE(repeating->interval(), 100);
        scheduler.advance(300);
        QCOMPARE(calls,
                 (QStringList{QStringLiteral("tick"), QStringLiteral("changed"), QStringLiteral("tick"),
                              QStringLiteral("changed"), QStringLiteral("once"), QStringLiteral("changed"),
                              QStringLiteral("tick"), QStringLiteral("changed")}));
        QVERIFY(!once->isActive());
        repeating->stop();
        calls.clear();
        scheduler.advance(1000);
        QVERIFY(calls.isEmpty());
    }

    void notifyingTimerMayBeReplacedFromItsOwnHandler() {
        fakes::ManualScheduler scheduler;
        int changes = 0;
        NotifyingTimerFactory factory(scheduler, [&] { ++changes; });
        auto t = factory.create(10);
        int second = 0;
        t->setHandler([&] {
            t->stop();
            t->setHandler([&] { ++second; });
        });
        t->start();
        scheduler.advance(10);
        QCOMPARE(changes, 1);
        t->start();
        scheduler.advance(10);
        QCOMPARE(second, 1);
        QCOMPARE(changes, 2);
    }

    void directoryPrefix_data() {
        QTest::addColumn<QString>("preset");
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain name") << "pult.txt"
                                    << "/home/u/ravlin"
                                    << "/home/u/ravlin/pult.txt";
        QTest::newRow("dir with slash") << "Len.txt"
                                        << "/home/u/"
                                        << "/home/u/Len.txt";
        QTest::newRow("root dir") << "Diagram.bmp"
                                  << "/"
                                  << "/Diagram.bmp";
        QTest::newRow("already a path") << "/srv/x/pult.txt"
                                        << "/home/u"
                                        << "/srv/x/pult.txt";
        QTest::newRow("relative with separator") << "sub/pult.txt"
                                                 << "/home/u"
                                                 << "sub/pult.txt";
        QTest::newRow("backslash path") << "D:\\data\\pult.txt"
                                        << "/home/u"
                                        << "D:\\data\\pult.txt";
    }

    void directoryPrefix() {
        QFETCH(QString, preset);
        QFETCH(QString, dir);
        QFETCH(QString, expected);
        QCOMPARE(withDirectoryPrefix(preset, dir), expected);
    }

    void centring_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("1280x1024") << QSize(1280, 1024) << QSize(795, 580) << QPoint(242, 222);
        QTest::newRow("half rounds to even up") << QSize(1366, 768) << QSize(795, 580) << QPoint(286, 94);
        QTest::newRow("half rounds to even down") << QSize(1024, 769) << QSize(795, 580) << QPoint(114, 94);
        QTest::newRow("screen smaller") << QSize(640, 480) << QSize(795, 580) << QPoint(-78, -50);
    }

    void centring() {
        QFETCH(QSize, screen);
        QFETCH(QSize, window);
        QFETCH(QPoint, expected);
        QCOMPARE(centredPosition(screen, window), expected);
    }

    void resultLogCountsClears() {
        ResultLog log;
        log.append(QStringLiteral("a"));
        log.append(QStringLiteral("b"));
        QCOMPARE(log.lines().size(), 2);
        log.clear();
        QVERIFY(log.lines().isEmpty());
        QCOMPARE(log.clears(), std::uint64_t{1});
    }
};

QTEST_GUILESS_MAIN(TestWorkbench)
#include "test_workbench.moc"
