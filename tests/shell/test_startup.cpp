#include "shell_fixture.h"

#include "base/core/key_names.h"
#include "capture/core/pipeline.h"
#include "shell/core/folder_lock.h"
#include "shell/core/startup.h"
#include "shell/core/working_folder.h"

#include <QFile>
#include <QSysInfo>

#include <QTemporaryDir>

#include <QSignalSpy>
#include <QTest>

using namespace ravlin;
using ravlin::test::ShellFixture;

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    // A second workbench in one folder is refused; a lock left by a process that ended is taken over.
    void secondCopyInOneFolderIsRefused() {
        QTemporaryDir dir;
        {
            FolderLock first(dir.path());
            QCOMPARE(first.acquire(), FolderLock::Result::Locked);
            FolderLock second(dir.path());
            QCOMPARE(second.acquire(), FolderLock::Result::HeldByAnother);
            QVERIFY(second.refusal().contains(dir.path()));
            QTemporaryDir other;
            QCOMPARE(FolderLock(other.path()).acquire(), FolderLock::Result::Locked);
        }
        QFile left(dir.filePath(FolderLock::kFileName));
        QVERIFY(left.open(QIODevice::WriteOnly));
        left.write("2147480000\nravlin\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        left.close();
        QCOMPARE(FolderLock(dir.path()).acquire(), FolderLock::Result::Locked);
    }

    void nothingRunsBeforeBegin() {
        ShellFixture f;
        f.scheduler.advance(10000);
        QCOMPARE(f.parts->startup.phase(), Startup::Phase::Created);
        QVERIFY(f.dialogs.events.isEmpty());
    }

    void progressReaches105AfterSevenTicks() {
        ShellFixture f;
        f.parts->startup.begin();
        f.scheduler.advance(199);
        QCOMPARE(f.parts->startup.phase(), Startup::Phase::Loading);
        f.scheduler.advance(1);
        QCOMPARE(f.parts->startup.phase(), Startup::Phase::Progress);
        QCOMPARE(f.wb->launcherView().progress, 0);
        for (int tick = 1; tick <= 6; ++tick) {
            f.scheduler.advance(120);
            QCOMPARE(f.wb->launcherView().progress, 15 * tick);
            QVERIFY(f.wb->launcherView().progressVisible);
            QVERIFY(!f.wb->launcherView().choicesVisible);
        }
        QCOMPARE(f.wb->mainView().versionLabel, QString());
        f.scheduler.advance(120);
        QCOMPARE(f.wb->launcherView().progress, 105);
        QVERIFY(!f.wb->launcherView().progressVisible);
        QVERIFY(f.wb->launcherView().choicesVisible);
        QCOMPARE(f.parts->startup.phase(), Startup::Phase::Choosing);
        QCOMPARE(f.wb->mainView().caption, QStringLiteral("Ravlin   ver 1.1E"));
        QCOMPARE(f.wb->mainView().versionLabel, QStringLiteral("ver 1.1E"));
        QVERIFY(f.wb->mainView().authorLabel.contains(QStringLiteral("10.01.11")));
        // No more progress ticks once the choices are shown.
        f.scheduler.advance(120 * 3);
        QCOMPARE(f.wb->launcherView().progress, 105);
    }

    void progressShowsFirstPages() {
        ShellFixture f;
        f.wb->setActivePage(MainPage::Settings, BurstTab::Module96);
        f.runToChoices();
        QCOMPARE(f.wb->activePage(), MainPage::About);
        QCOMPARE(f.wb->activeBurstTab(), BurstTab::ReceivedData);
    }

    void countdownCaptionsNineToZeroThenButton1() {
        ShellFixture f;
        f.runToChoices();
        QSignalSpy shown(&f.parts->startup, &Startup::showMainWindowRequested);
        QSignalSpy hidden(&f.parts->startup, &Startup::hideLauncherRequested);
        f.parts->hashPanel.source = HashSource::XBit;
        QCOMPARE(f.wb->launcherView().button1Caption, QStringLiteral("Основная конфигурация  (10)"));
        for (int shownNumber = 9; shownNumber >= 0; --shownNumber) {
            f.scheduler.advance(500);
            QCOMPARE(f.wb->launcherView().button1Caption,
                     QStringLiteral("Основная конфигурация  (%1)").arg(shownNumber));
        }
        f.scheduler.advance(500); // eleventh tick: the caption stays at (0)
        QCOMPARE(f.wb->launcherView().button1Caption, QStringLiteral("Основная конфигурация  (0)"));
        QCOMPARE(f.parts->startup.phase(), Startup::Phase::Choosing);
        QCOMPARE(shown.count(), 0);
        f.scheduler.advance(500); // twelfth tick presses Button1
        QCOMPARE(f.parts->startup.phase(), Startup::Phase::Done);
        QCOMPARE(f.parts->hashPanel.source, HashSource::OneBitPlusM96);
        QCOMPARE(shown.count(), 1);
        QCOMPARE(hidden.count(), 1);
        QVERIFY(f.wb->mainView().visible);
        QVERIFY(!f.wb->launcherView().visible);
        QCOMPARE(f.parts->startup.countdown(), Startup::kCountdownStart);
        f.scheduler.advance(10000);
        QCOMPARE(shown.count(), 1);
    }

    void configurations_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<HashSource>("source");
        QTest::newRow("Button1 main") << 1 << HashSource::OneBitPlusM96;
        QTest::newRow("Button2 patch data") << 2 << HashSource::OneBit;
        QTest::newRow("Button3 bug report") << 3 << HashSource::M96NA;
    }

    void configurations() {
        QFETCH(int, button);
        QFETCH(HashSource, source);
        ShellFixture f;
        f.parts->hashPanel.source = HashSource::XBit;
        HashPanelSettings applied = f.parts->hashPanel;
        applied.source = source;
        synchronisePanel(applied);
        f.runToChoices();
        f.scheduler.advance(1500);
        QSignalSpy shown(&f.parts->startup, &Startup::showMainWindowRequested);
        f.parts->startup.chooseConfiguration(button);
        QCOMPARE(f.parts->hashPanel.source, source);
        // The panel was applied after the choice was set: its check boxes follow the new source.
        const HashPanelSettings& panel = f.parts->hashPanel;
        QCOMPARE(panel.oneBitLocked, applied.oneBitLocked);
        QCOMPARE(panel.xBitLocked, applied.xBitLocked);
        QCOMPARE(panel.decoderLocked, applied.decoderLocked);
        QCOMPARE(panel.decoder, applied.decoder);
        QCOMPARE(shown.count(), 1);
        QVERIFY(!f.wb->launcherView().visible);
        // The countdown is stopped: no automatic press later changes the choice.
        const QString caption = f.wb->launcherView().button1Caption;
        f.scheduler.advance(10000);
        QCOMPARE(f.wb->launcherView().button1Caption, caption);
        QCOMPARE(f.parts->hashPanel.source, source);
    }

    void startTickEmptiesBaseFillsNamesStartsPolling() {
        ShellFixture f;
        ButtonRecord r{
            QStringLiteral("TV"), QStringLiteral("PW"), QStringLiteral("00AB"), {QStringLiteral("123")}};
        f.parts->base.append(r);
        f.parts->base.append(r);
        f.parts->base.record(700).hash = QStringLiteral("dangling");
        f.parts->startup.begin();
        f.scheduler.advance(399);
        QCOMPARE(f.parts->base.count(), 2);
        QVERIFY(!f.parts->poller.isPolling());
        f.scheduler.advance(1);
        QCOMPARE(f.parts->base.count(), 0);
        QCOMPARE(f.parts->base.record(1).hash, QString());
        QCOMPARE(f.parts->base.record(1).timings[0], QString());
        QCOMPARE(f.parts->base.record(700).hash, QString());
        QCOMPARE(f.wb->mainView().keyNameItems.size(), 65);
        QCOMPARE(f.wb->mainView().keyNameItems, KeyNamTab::names());
        // Polling in its slow start mode.
        QVERIFY(f.parts->poller.isPolling());
        QVERIFY(f.parts->poller.slow());
        QCOMPARE(f.parts->poller.pollIntervalMs(), 1000);
        f.parts->base.append(r);
        f.scheduler.advance(5000);
        QCOMPARE(f.parts->base.count(), 1); // one-shot
    }

    void missingAnalogueBaseBeepsBoxesAndLogs() {
        ShellFixture f(false, true);
        f.parts->startup.begin();
        f.scheduler.advance(200);
        QCOMPARE(f.dialogs.events,
                 (QStringList{
                     QStringLiteral("beep"),
                     QStringLiteral("info: Немогу подгрузить базу!!!\r\n(её необходимо скачать отдельно)")}));
        // The memo says where the base was looked for.
        QCOMPARE(f.parts->resultLog.lines(),
                 (QStringList{QStringLiteral("Немогу подгрузить базу!!!"),
                              lookedInLine(f.dir.path() + QStringLiteral("/Tarnisk/OpisPl"))}));
        QCOMPARE(f.parts->analogues.count(), 0);
        // Start-up goes on.
        f.scheduler.advance(7 * 120);
        QCOMPARE(f.parts->startup.phase(), Startup::Phase::Choosing);
    }

    void commentOnlyBaseLoadsNothingQuietly() {
        ShellFixture f;
        f.writeData(QStringLiteral("BazaDannih.baz"), {QStringLiteral("; header"), QStringLiteral("AB"),
                                                       QString(), QStringLiteral("/x.txt/y.txt")});
        f.runToChoices();
        QCOMPARE(f.parts->analogues.count(), 0);
        QVERIFY(f.dialogs.events.isEmpty());
        QVERIFY(f.parts->resultLog.lines().isEmpty());
    }

    void analogueBaseIsLoadedAtStart() {
        ShellFixture f;
        f.writeData(QStringLiteral("BazaDannih.baz"),
                    {QStringLiteral(";c"), QStringLiteral("002F"), QStringLiteral("/tv1.txt/tv2.txt"),
                     QStringLiteral("1234")});
        f.runToChoices();
        QCOMPARE(f.parts->analogues.count(), 2);
        QCOMPARE(f.parts->analogues.entry(1), QStringLiteral("002F"));
        QCOMPARE(f.parts->analogues.entry(2), QStringLiteral("1234"));
    }

    void unreadableAnalogueBaseIsReportedAndStartupGoesOn() {
        ShellFixture f;
        QFile::remove(f.dir.path() + QStringLiteral("/Tarnisk/OpisPl/BazaDannih.baz"));
        QDir(f.dir.path()).mkpath(QStringLiteral("Tarnisk/OpisPl/BazaDannih.baz"));
        f.runToChoices();
        QCOMPARE(f.dialogs.events.size(), 1);
        QVERIFY(f.dialogs.events.first().startsWith(QStringLiteral("info: ")));
        QVERIFY(f.dialogs.events.first().contains(QStringLiteral("BazaDannih.baz")));
        QCOMPARE(f.parts->analogues.count(), 0);
        QCOMPARE(f.parts->startup.phase(), Startup::Phase::Choosing);
    }

    void missingRemoteDescriptionBeepsAndLogsWithoutBox() {
        ShellFixture f(true, false);
        f.parts->startup.begin();
        f.scheduler.advance(200);
        QCOMPARE(f.dialogs.events, QStringList{QStringLiteral("beep")});
        const QString folder = lookedInLine(f.dir.path() + QStringLiteral("/Tarnisk/OpisPl"));
        // The picture is missing too, and the memo says so.
        QCOMPARE(f.parts->resultLog.lines(),
                 (QStringList{QStringLiteral("Немогу подгрузить базу пульта!!!"),
                              QStringLiteral("Немогу подгрузить вид пульта!!!"), folder}));
        QCOMPARE(f.parts->namePicture.remoteCode, QStringLiteral("A01"));
        QCOMPARE(f.parts->namePicture.selectorText, QStringLiteral("A1"));
    }

    void bothFilesMissingGiveBothReportsInOrder() {
        ShellFixture f(false, false);
        f.parts->startup.begin();
        f.scheduler.advance(200);
        QCOMPARE(f.dialogs.beeps(), 2);
        QCOMPARE(f.dialogs.events.last(), QStringLiteral("beep"));
        const QString folder = lookedInLine(f.dir.path() + QStringLiteral("/Tarnisk/OpisPl"));
        QCOMPARE(f.parts->resultLog.lines(),
                 (QStringList{QStringLiteral("Немогу подгрузить базу!!!"), folder,
                              QStringLiteral("Немогу подгрузить базу пульта!!!"),
                              QStringLiteral("Немогу подгрузить вид пульта!!!"), folder}));
    }

    void runsOnItsContextAlone() {
        // Over plain state, with the work it hands over recorded: no workbench needed.
        fakes::ManualScheduler timers;
        fakes::ScriptedDialogs dialogs;
        QTemporaryDir dir;
        ButtonBase base;
        AnalogueBase analogues;
        HashPanelSettings panel;
        FileDialogPresets presets;
        NamePictureState picture;
        LauncherView launcher;
        MainView main;
        ResultLog log;
        QStringList calls;
        struct Polling final : PollingControl {
            QStringList& calls;
            bool slow = false;
            explicit Polling(QStringList& c) : calls(c) {}
            void stopPolling() override {}
            void startPolling() override {
                calls << (slow ? QStringLiteral("poll") : QStringLiteral("fast poll"));
            }
            bool isPolling() const override { return false; }
            void enterSlowStartMode() override { slow = true; }
            int lastDriverStatus() const override { return 0; }
        } polling{calls};
        Startup startup(StartupContext{timers, dialogs, dir.path(), base, analogues, panel, presets, picture,
                                       launcher, main, log, polling});
        connect(&startup, &Startup::remoteDescriptionLoadRequested,
                [&] { calls << QStringLiteral("load ") + picture.remoteCode; });
        connect(&startup, &Startup::activePageRequested,
                [&](MainPage p, BurstTab) { calls << QStringLiteral("page %1").arg(int(p)); });
        connect(&startup, &Startup::hashPanelApplyRequested,
                [&] { calls << QStringLiteral("apply %1").arg(int(panel.source)); });
        QSignalSpy shown(&startup, &Startup::showMainWindowRequested);
        startup.begin();
        timers.advance(200 + 7 * 120);
        startup.chooseConfiguration(2);
        QCOMPARE(calls,
                 (QStringList{QStringLiteral("load A01"), QStringLiteral("poll"), QStringLiteral("page 0"),
                              QStringLiteral("apply %1").arg(int(HashSource::OneBit))}));
        QCOMPARE(shown.count(), 1);
        QVERIFY(main.visible);
        QCOMPARE(log.lines(), (QStringList{QStringLiteral("Немогу подгрузить базу!!!"),
                                           lookedInLine(dir.path() + QStringLiteral("/Tarnisk/OpisPl"))}));
    }

    void presetsGetTheApplicationDirectory() {
        ShellFixture f;
        f.parts->presets.lengths = QStringLiteral("/already/full/Len.txt");
        f.parts->presets.saveBase = QStringLiteral("C:\\base\\pult.txt");
        f.runToChoices();
        const QString dir = f.dir.path();
        QCOMPARE(f.parts->presets.openBase, dir + QStringLiteral("/pult.txt"));
        QCOMPARE(f.parts->presets.saveBase, QStringLiteral("C:\\base\\pult.txt"));
        QCOMPARE(f.parts->presets.diagram, dir + QStringLiteral("/Diagram.bmp"));
        QCOMPARE(f.parts->presets.lengths, QStringLiteral("/already/full/Len.txt"));
    }

    void centreRequestedDuringLoading() {
        ShellFixture f;
        QSignalSpy centre(&f.parts->startup, &Startup::centreMainWindowRequested);
        f.parts->startup.begin();
        f.scheduler.advance(199);
        QCOMPARE(centre.count(), 0);
        f.scheduler.advance(1);
        QCOMPARE(centre.count(), 1);
        f.scheduler.advance(3000);
        QCOMPARE(centre.count(), 1);
    }

    void everyTickAnnouncesAChange() {
        ShellFixture f;
        QSignalSpy changed(f.wb.get(), &Workbench::changed);
        f.parts->startup.begin();
        // The match window's tune timer runs from creation too (100, 200, 300, 400 ms).
        f.scheduler.advance(200); // T1
        QCOMPARE(changed.count(), 1 + 2);
        f.scheduler.advance(120 + 80); // T2 at 320, start tick at 400
        QCOMPARE(changed.count(), 3 + 4);
    }
    // The working folder: --workdir wins; an installed program (shipped data beside its bin/)
    // works in the XDG data folder, seeded without overwriting; the build tree works where started.
    void workingFolder_data() {
        QTest::addColumn<QString>("workdir");  // --workdir, relative to the current directory
        QTest::addColumn<bool>("installed");   // shipped data beside the executable's folder
        QTest::addColumn<QString>("xdg");      // $XDG_DATA_HOME; "@..." = that folder in the sandbox
        QTest::addColumn<QString>("expected"); // working folder in the sandbox; "" = an error
        QTest::addColumn<bool>("seeded");
        const auto row = [](const char* name, const char* workdir, bool installed, const char* xdg,
                            const char* expected, bool seeded) {
            QTest::newRow(name) << workdir << installed << xdg << expected << seeded;
        };
        row("build tree", "", false, "@xdg", "cwd", false);
        row("workdir", "../mine", true, "@xdg", "mine", false);
        row("workdir missing", "nowhere", false, "", "", false);
        row("installed, XDG set", "", true, "@xdg", "xdg/ravlin", true);
        row("installed, XDG unset", "", true, "", "home/.local/share/ravlin", true);
        row("installed, XDG relative", "", true, "xdg", "home/.local/share/ravlin", true);
        // Installed with the prefix ~/.local: the shipped data are the working folder itself.
        row("installed in XDG data home", "", true, "@prefix/share", "prefix/share/ravlin", false);
    }

    void workingFolder() {
        QFETCH(QString, workdir);
        QFETCH(bool, installed);
        QFETCH(QString, xdg);
        QFETCH(QString, expected);
        QFETCH(bool, seeded);
        QTemporaryDir sandbox;
        const QDir root(sandbox.path());
        const QString bin = root.filePath(QStringLiteral("prefix/bin"));
        const QString shipped = QDir(bin).filePath(kInstalledDataFromBin);
        QVERIFY(root.mkpath(QStringLiteral("cwd")) && root.mkpath(QStringLiteral("mine")) &&
                root.mkpath(bin));
        const QString known = QStringLiteral("Tarnisk/OpisPl/BazaDannih.baz");
        if (installed) {
            QVERIFY(QDir().mkpath(shipped + QStringLiteral("/Tarnisk/OpisPl")) &&
                    QDir().mkpath(shipped + QStringLiteral("/captures")));
            QVERIFY(TextFileWriter::write(QDir(shipped).filePath(known), {QStringLiteral("shipped")}));
            QVERIFY(
                TextFileWriter::write(shipped + QStringLiteral("/captures/demo.cap"), {QStringLiteral("1")}));
        }

        const WorkingFolder w = chooseWorkingFolder({workdir, bin, root.filePath(QStringLiteral("cwd")),
                                                     xdg.startsWith(u'@') ? root.filePath(xdg.mid(1)) : xdg,
                                                     root.filePath(QStringLiteral("home"))});
        if (expected.isEmpty()) {
            QVERIFY(w.error.contains(QStringLiteral("nowhere")));
            return;
        }
        QCOMPARE(w.error, QString());
        QCOMPARE(w.path, root.filePath(expected));
        QCOMPARE(w.guideFile, installed && workdir.isEmpty()
                                  ? root.filePath(QStringLiteral("prefix/share/doc/ravlin/index.html"))
                                  : root.filePath(expected + QStringLiteral("/docs/index.md")));
        QCOMPARE(w.seedFrom.isEmpty(), !seeded);
        if (w.seedFrom.isEmpty()) return;

        // First start: the folder is made and filled. The user then changes a shipped file, adds one of
        // their own and deletes one; the next start restores only the deleted one.
        QCOMPARE(seedWorkingFolder(w.path, w.seedFrom), QStringList());
        const QDir mine(w.path);
        QCOMPARE(TextLines::read(mine.filePath(known))->line(1), QStringLiteral("shipped"));
        QVERIFY(TextFileWriter::write(mine.filePath(known), {QStringLiteral("user's")}));
        QVERIFY(TextFileWriter::write(mine.filePath(QStringLiteral("pult.txt")), {QStringLiteral("base")}));
        QVERIFY(QFile::remove(mine.filePath(QStringLiteral("captures/demo.cap"))));
        QCOMPARE(seedWorkingFolder(w.path, w.seedFrom), QStringList());
        QCOMPARE(TextLines::read(mine.filePath(known))->line(1), QStringLiteral("user's"));
        QCOMPARE(TextLines::read(mine.filePath(QStringLiteral("pult.txt")))->line(1), QStringLiteral("base"));
        QVERIFY(QFile::exists(mine.filePath(QStringLiteral("captures/demo.cap"))));
        QCOMPARE(TextLines::read(QDir(shipped).filePath(known))->line(1), QStringLiteral("shipped"));
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "test_startup.moc"
