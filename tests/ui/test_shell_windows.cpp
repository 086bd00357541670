#include "fakes/manual_scheduler.h"
#include "fakes/scripted_dialogs.h"
#include "fakes/simple_fakes.h"
#include "shell/core/startup.h"
#include "shell/core/workbench.h"
#include "shell/ui/help_page.h"
#include "shell/ui/launcher_window.h"
#include "shell/ui/link_label.h"
#include "shell/ui/main_window.h"
#include "shell/ui/shell_windows.h"
#include "ui/ui_shell.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolBar>

#include <memory>

using namespace ravlin;

namespace {

struct Shell : test::UiShell {
    Shell() {
        windows->showLauncher();
        parts->startup.begin();
    }
    LauncherWindow& launcher() { return windows->launcher(); }
    template <typename T> T* find(QWidget& w, const char* name) {
        return w.findChild<T*>(QString::fromLatin1(name));
    }
};

QStringList tabTexts(const QTabWidget* tabs) {
    QStringList out;
    for (int i = 0; i < tabs->count(); ++i)
        out << tabs->tabText(i);
    return out;
}

} // namespace

class TestShellWindows : public QObject {
    Q_OBJECT

private slots:
    // "About &Help": the guide becomes an HTML page with all its pictures and the help anchor, and the
    // help window shows it there.
    void guidePageHasItsPicturesAndAnchor() {
        const QString guide = QStringLiteral(RAVLIN_SOURCE_DIR "/docs/index.md");
        QFile md(guide);
        QVERIFY(md.open(QIODevice::ReadOnly));
        const int pictures = static_cast<int>(md.readAll().count("](images/"));
        const QString html = guideHtml(guide);
        QVERIFY(html.contains(QStringLiteral("name=\"help\"")));
        QVERIFY(html.contains(QStringLiteral("href=\"#help\"")));
        QTemporaryDir dir;
        const QString page = dir.filePath(QStringLiteral("index.html"));
        QFile out(page);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(html.toUtf8());
        out.close();
        HelpWindow window;
        window.showPage(page, QStringLiteral("help"));
        QTextDocument* doc = window.document();
        int loaded = 0;
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat f = it.fragment().charFormat();
                if (!f.isImageFormat()) continue;
                const QUrl url(f.toImageFormat().name());
                const QVariant image = doc->resource(QTextDocument::ImageResource, url);
                QVERIFY2(url.isLocalFile() && image.isValid(), qPrintable(url.toString()));
                ++loaded;
            }
        QVERIFY(pictures >= 19);
        QCOMPARE(loaded, pictures);
        // Scrolled away from the top, to the help section near the end.
        QVERIFY(window.verticalScrollBar()->value() > 0);
    }

    void windowsExistInCreationOrder() {
        Shell s;
        QStringList names;
        for (QWidget* w : s.windows->all())
            names << w->objectName();
        QCOMPARE(names, (QStringList{"TFormA", "TForm1", "TForm3", "TForm2", "TForm5", "TForm4", "TForm6",
                                     "TForm7", "TForm8", "TForm10", "TForm11", "TFormSignal"}));
        QVERIFY(s.launcher().isVisible());
        for (QWidget* w : s.windows->all())
            if (w != &s.launcher()) QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));

        // The program's start: the launcher alone first, then the others once, in the same order.
        ShellWindows first(*s.wb, ShellWindows::Creation::LauncherFirst);
        QCOMPARE(first.all().size(), std::size_t(1));
        QVERIFY(!first.byName(QStringLiteral("TForm1")));
        first.createOtherWindows();
        first.createOtherWindows();
        QStringList later;
        for (QWidget* w : first.all())
            later << w->objectName();
        QCOMPARE(later, names);
    }

    void secondaryCaptions_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("caption");
        QTest::newRow("TForm2") << "TForm2"
                                << "Имя по рисунку";
        QTest::newRow("TForm3") << "TForm3"
                                << "Операции с Eprom";
        QTest::newRow("TForm4") << "TForm4"
                                << "Создаём слепок кодировки";
        QTest::newRow("TForm5") << "TForm5"
                                << "Визуализация совпадений";
        QTest::newRow("TForm6") << "TForm6"
                                << "Настройка графики и зума";
        QTest::newRow("TForm7") << "TForm7"
                                << "Подбор переменных ХЭШирования";
        QTest::newRow("TForm8") << "TForm8"
                                << "Выбор имени";
        QTest::newRow("TForm10") << "TForm10"
                                 << "Настройки под кнопки Pelvar";
        QTest::newRow("TForm11") << "TForm11"
                                 << "Источник";
        QTest::newRow("TFormSignal") << "TFormSignal"
                                     << "Сигнал";
    }

    void secondaryCaptions() {
        QFETCH(QString, form);
        QFETCH(QString, caption);
        Shell s;
        QWidget* w = s.windows->byName(form);
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), caption);
    }

    void mainWindowFrame() {
        Shell s;
        QCOMPARE(s.main().size(), QSize(795, 580));
        QCOMPARE(s.main().tabs()->tabPosition(), QTabWidget::South);
        QCOMPARE(tabTexts(s.main().tabs()),
                 (QStringList{" About ", " HEX Baza ", " Kestrum ", " Settings ", "IR Distribution"}));
        QCOMPARE(tabTexts(s.main().burstTabs()), (QStringList{" Принятые данные ", " Параметры приёма ",
                                                              "Модули ХЭШирования", "Модуль 96 и другие"}));
        QStringList tools;
        for (QAction* a : s.main().toolBar()->actions())
            tools << a->text();
        QCOMPARE(tools,
                 (QStringList{"Open", "Save", "Pult", "Eprom", "Создание слепка", "Выбор имени", "Exit"}));
        QStringList menus;
        for (QAction* a : s.main().menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus, (QStringList{"&File", "About &Help"}));
        // Each typed action is the one the tool bar or menu shows, under its caption.
        const MainWindowActions& act = s.main().actions();
        QCOMPARE(s.main().toolBar()->actions(),
                 (QList<QAction*>{act.open, act.save, act.pult, act.eprom, act.captureSession, act.nameChoice,
                                  act.exit}));
        QCOMPARE(s.main().menuBar()->actions().last(), act.help);
        QStringList fileItems;
        for (QAction* a : s.main().findChild<QMenu*>(QStringLiteral("MenuFile"))->actions())
            if (!a->isSeparator()) fileItems << a->text();
        QCOMPARE(fileItems, (QStringList{"&Open Cod File", "&Save Cod File", "Save &Diagram", "&Сигнал…",
                                         "&Import Signals...", "E&xport Signals...", "&Exit"}));
        const QList<QAction*> fileActions{act.openCodFile,   act.saveCodFile,   act.saveDiagram, act.signal,
                                          act.importSignals, act.exportSignals, act.fileExit};
        for (int i = 0; i < fileActions.size(); ++i)
            QCOMPARE(fileActions.at(i)->text(), fileItems.at(i));
        QVERIFY(s.main().statusBar());
        for (QWidget* place :
             {s.main().receivedDataPage(), s.main().receptionParamsPage(), s.main().hashModulesPage(),
              s.main().module96Page(), s.main().hexBazaPage(), s.main().irDistributionPage(),
              s.main().settingsPage(), s.main().burstTopArea(), s.main().stripArea(),
              s.main().hashResultArea(), s.main().baseEntryArea(), s.main().analogueArea()})
            QVERIFY(place && place->layout());
    }

    void launcherButtonsAppearAfterProgress() {
        Shell s;
        auto* b1 = s.find<QPushButton>(s.launcher(), "Button1");
        auto* b2 = s.find<QPushButton>(s.launcher(), "Button2");
        auto* b3 = s.find<QPushButton>(s.launcher(), "Button3");
        QVERIFY(b1 && b2 && b3);
        QCOMPARE(s.launcher().windowTitle(), QStringLiteral("Ravlin   ver 1.1E"));
        QCOMPARE(b1->text(), QStringLiteral("Основная конфигурация  (10)"));
        QCOMPARE(b2->text(), QStringLiteral("Сбор данных для патча 9,10 прошивок"));
        QCOMPARE(b3->text(), QStringLiteral("Сбор данных для отправки bug report."));
        QCOMPARE(b1->size(), QSize(233, 41));
        QVERIFY(!b1->isVisible());
        auto* progress = s.find<QProgressBar>(s.launcher(), "ProgressBar1");
        QVERIFY(progress && progress->isVisible());
        s.scheduler.advance(200 + 3 * 120);
        QCOMPARE(progress->value(), 45);
        s.scheduler.advance(4 * 120);
        QVERIFY(!progress->isVisible());
        QVERIFY(b1->isVisible() && b2->isVisible() && b3->isVisible());
        s.scheduler.advance(500);
        QCOMPARE(b1->text(), QStringLiteral("Основная конфигурация  (9)"));
    }

    void clickingAConfigurationOpensTheMainWindow() {
        Shell s;
        s.scheduler.advance(200 + 7 * 120);
        QTest::mouseClick(s.find<QPushButton>(s.launcher(), "Button2"), Qt::LeftButton);
        QCOMPARE(s.parts->hashPanel.source, HashSource::OneBit);
        QVERIFY(s.main().isVisible());
        QVERIFY(!s.launcher().isVisible());
        QCOMPARE(s.main().windowTitle(), QStringLiteral("Ravlin   ver 1.1E"));
        QCOMPARE(s.main().tabs()->currentIndex(), 0);
        QCOMPARE(s.find<QLabel>(s.main(), "LabelVersion")->text(), QStringLiteral("ver 1.1E"));
        QVERIFY(s.find<QLabel>(s.main(), "LabelAuthor")->text().contains(QStringLiteral("10.01.11")));
    }

    void countdownPressesButton1ByItself() {
        Shell s;
        s.scheduler.advance(200 + 7 * 120 + 12 * 500);
        QVERIFY(s.main().isVisible());
        QVERIFY(!s.launcher().isVisible());
        QCOMPARE(s.parts->hashPanel.source, HashSource::OneBitPlusM96);
    }

    void exitWithEmptyBaseEndsTheProcess() {
        Shell s;
        s.scheduler.advance(200 + 7 * 120 + 12 * 500);
        QSignalSpy quit(s.wb.get(), &Workbench::quitRequested);
        s.windows->byName(QStringLiteral("TForm6"))->show(); // a non-modal window stays open
        s.main().actions().exit->trigger();
        QVERIFY(s.dialogs.events.filter(QStringLiteral("yesno")).isEmpty());
        QVERIFY(!s.main().isVisible());
        QCOMPARE(quit.count(), 1);
    }

    void exitAnsweredNoKeepsRunning() {
        Shell s;
        s.scheduler.advance(200 + 7 * 120 + 12 * 500);
        s.parts->base.append(ButtonRecord{});
        s.dialogs.answers << Answer::No;
        QSignalSpy quit(s.wb.get(), &Workbench::quitRequested);
        s.main().actions().fileExit->trigger();
        QCOMPARE(s.dialogs.events.last(),
                 QStringLiteral("yesno: Буфер содержит данные...\r\nВыйти с потерей данных?"));
        QVERIFY(s.main().isVisible());
        QCOMPARE(quit.count(), 0);
        // The close box asks the same question: No keeps the window, Yes closes it.
        s.dialogs.answers << Answer::No << Answer::Yes;
        s.main().close();
        QVERIFY(s.main().isVisible());
        s.main().close();
        QVERIFY(!s.main().isVisible());
        QCOMPARE(s.dialogs.events.filter(QStringLiteral("Выйти с потерей данных")).size(), 3);
        QCOMPARE(quit.count(), 1);
    }

    void tabSwitchesAreReported() {
        Shell s;
        s.main().tabs()->setCurrentIndex(2);
        s.main().burstTabs()->setCurrentIndex(2);
        QCOMPARE(s.wb->activePage(), MainPage::Burst);
        QCOMPARE(s.wb->activeBurstTab(), BurstTab::HashModules);
        s.wb->setActivePage(MainPage::IrDistribution, BurstTab::Module96);
        s.wb->notifyChanged();
        QCOMPARE(s.main().tabs()->currentIndex(), 4);
        QCOMPARE(s.main().burstTabs()->currentIndex(), 3);
    }

    void resultLogAppearsInTheMemo() {
        Shell s; // no known-remotes base in the directory
        s.scheduler.advance(200);
        QVERIFY(s.main().resultMemo()->toPlainText().contains(QStringLiteral("Немогу подгрузить базу!!!")));
        s.parts->resultLog.clear();
        s.wb->log(QStringLiteral("one"));
        s.wb->notifyChanged();
        QCOMPARE(s.main().resultMemo()->toPlainText(), QStringLiteral("one"));
    }

    void resultLogFollowsItsNewestLine() {
        Shell s;
        s.main().show();
        s.main().tabs()->setCurrentIndex(2); // lines arrive while " HEX Baza " is hidden
        for (int i = 0; i < 200; ++i)
            s.wb->log(QStringLiteral("line %1").arg(i));
        s.wb->notifyChanged();
        s.main().tabs()->setCurrentIndex(1);
        QCoreApplication::processEvents();
        s.wb->log(QStringLiteral("last"));
        s.wb->notifyChanged();
        QCoreApplication::processEvents();
        QScrollBar* bar = s.main().resultMemo()->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());
    }

    void linkLabelsHoverAndOpen() {
        Shell s;
        auto* link = s.find<LinkLabel>(s.main(), "LabelLink1");
        QVERIFY(link);
        QCOMPARE(link->font().family(), QStringLiteral("MS Sans Serif"));
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QApplication::sendEvent(link, &enter);
        QCOMPARE(link->font().family(), QStringLiteral("Arial"));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(link, &leave);
        QCOMPARE(link->font().family(), QStringLiteral("MS Sans Serif"));
        s.main().show();
        QTest::mouseClick(link, Qt::LeftButton);
        s.main().actions().help->trigger();
        QCOMPARE(s.urls.opened.size(), 2);
        QVERIFY(s.urls.opened.at(0).endsWith(QStringLiteral("/docs/index.md")));
        QVERIFY(s.urls.opened.at(1).endsWith(QStringLiteral("/docs/index.md#help")));
    }
};

QTEST_MAIN(TestShellWindows)
#include "test_shell_windows.moc"
