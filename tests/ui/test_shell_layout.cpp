#include "capture/core/oscillogram.h"
#include "fakes/manual_scheduler.h"
#include "fakes/scripted_dialogs.h"
#include "fakes/simple_fakes.h"
#include "shell/core/shell_view.h"
#include "shell/core/startup.h"
#include "shell/core/workbench.h"
#include "shell/ui/main_window.h"
#include "shell/ui/shell_windows.h"
#include "ui/ui_shell.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace ravlin;

namespace {

struct Shell : test::UiShell {

    // Shows the main window with the given page (and inner page of " Kestrum ") in front.
    bool showPage(int page, int inner = 0) {
        main().show();
        if (!QTest::qWaitForWindowExposed(&main())) return false;
        main().tabs()->setCurrentIndex(page);
        main().burstTabs()->setCurrentIndex(inner);
        QApplication::processEvents();
        return true;
    }
};

constexpr int kBurstPage = 2;

// True when every pixel of `w` can be painted: nothing of it is clipped by its parents.
bool wholly(QWidget* w) {
    return w && w->isVisible() && w->visibleRegion().boundingRect() == w->rect();
}

} // namespace

class TestShellLayout : public QObject {
    Q_OBJECT

private slots:
    void opensAtDesignSize_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("inner");
        for (int page = 0; page < 5; ++page)
            QTest::addRow("page %d", page) << page << 0;
        for (int inner = 1; inner < 4; ++inner)
            QTest::addRow("Kestrum inner %d", inner) << kBurstPage << inner;
    }

    void opensAtDesignSize() {
        QFETCH(int, page);
        QFETCH(int, inner);
        Shell s;
        QVERIFY(s.showPage(page, inner));
        QCOMPARE(s.main().size(), QSize(MainWindow::kWidth, MainWindow::kHeight));
        QCOMPARE(s.main().minimumSize(), QSize(MainWindow::kWidth, MainWindow::kHeight));
        // The contents need no more room than the window gives them.
        QTabWidget* tabs = s.main().tabs();
        const QSize need = tabs->minimumSizeHint();
        QVERIFY2(need.width() <= tabs->width() && need.height() <= tabs->height(),
                 qPrintable(QStringLiteral("tabs need %1 x %2, have %3 x %4")
                                .arg(need.width())
                                .arg(need.height())
                                .arg(tabs->width())
                                .arg(tabs->height())));
        QWidget* current = tabs->currentWidget();
        QVERIFY(current->minimumSizeHint().width() <= current->width());
        QVERIFY(current->minimumSizeHint().height() <= current->height());
    }

    void userMayEnlargeTheWindow() {
        Shell s;
        QVERIFY(s.showPage(kBurstPage));
        s.main().resize(1000, 700);
        QApplication::processEvents();
        QCOMPARE(s.main().size(), QSize(1000, 700));
        s.main().resize(600, 400);
        QApplication::processEvents();
        QCOMPARE(s.main().size(), QSize(MainWindow::kWidth, MainWindow::kHeight));
    }

    void stripBoxIsWhollyVisible() {
        Shell s;
        QVERIFY(s.showPage(kBurstPage));
        auto* box = s.main().findChild<QScrollArea*>(QStringLiteral("ScrollBoxDiagram"));
        QVERIFY(box);
        QCOMPARE(box->size(), QSize(Oscillogram::kBoxWidth, Oscillogram::kBoxHeight));
        QVERIFY2(wholly(box), "the strip box is cut off");
        QVERIFY(box->viewport()->height() >= Oscillogram::kBoxHeight);
        QVERIFY2(wholly(s.main().findChild<QWidget*>(QStringLiteral("ImageDiagram"))),
                 "the strip is cut off");
    }

    void burstPageControlsAreWhollyVisible_data() {
        QTest::addColumn<QString>("name");
        for (const char* name :
             {"LabelStatus",   "LabelLength",     "PageControl2",    "EditTiming1",   "EditTiming6",
              "EditPebr",      "CheckBoxAutoAdd", "LabelUnderMouse", "LabelReadout1", "LabelReadout2",
              "LabelReadout3", "LabelReadout4",   "LabelReadout5",   "LabelReadout6", "ButtonZoom",
              "GroupBoxBase",  "BitBtnCl1",       "GroupBoxEntry",   "Edit10",        "ComboBoxKey",
              "PanelSi1",      "ButtonDey1",      "ButtonDey2",      "ButtonDey3",    "CheckBoxBaz",
              "AnalogueGroup"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void burstPageControlsAreWhollyVisible() {
        QFETCH(QString, name);
        Shell s;
        QVERIFY(s.showPage(kBurstPage));
        auto* w = s.main().findChild<QWidget*>(name);
        QVERIFY(w);
        QVERIFY2(wholly(w), qPrintable(name + QStringLiteral(" is cut off")));
        // Every text fits its control.
        QVERIFY2(
            w->width() >= w->minimumSizeHint().width(),
            qPrintable(
                QStringLiteral("%1: %2 < %3").arg(name).arg(w->width()).arg(w->minimumSizeHint().width())));
    }

    // Every control of every inner page of " Kestrum " is wholly visible without scrolling, and its
    // text fits; on "Модули ХЭШирования" also with the longest 1bit status text.
    void everyBurstTabControlIsWhollyVisible_data() {
        QTest::addColumn<int>("inner");
        QTest::addColumn<bool>("longStatus");
        QTest::newRow(" Принятые данные ") << 0 << false;
        QTest::newRow(" Параметры приёма ") << 1 << false;
        QTest::newRow("Модули ХЭШирования") << 2 << false;
        QTest::newRow("Модули ХЭШирования, long 1bit status") << 2 << true;
        QTest::newRow("Модуль 96 и другие") << 3 << false;
    }
    void everyBurstTabControlIsWhollyVisible() {
        QFETCH(int, inner);
        QFETCH(bool, longStatus);
        Shell s;
        QVERIFY(s.showPage(kBurstPage, inner));
        if (longStatus) {
            s.parts->pipeline.view().oneBitStatus = QStringLiteral("255 - FF.FF.FF.FF.FF.FF.FF");
            s.parts->pipeline.view().xBitStatus = QStringLiteral("255 - FF.FF.FF.FF.FF.FF.FF");
            emit s.wb->changed();
            QApplication::processEvents();
        }
        test::saveShot(s.main(), QStringLiteral("kestrum-%1%2").arg(inner).arg(longStatus ? "-long" : ""));
        auto* box = qobject_cast<QScrollArea*>(s.main().burstTabs()->currentWidget());
        QVERIFY(box);
        QVERIFY2(!box->horizontalScrollBar()->isVisible() && !box->verticalScrollBar()->isVisible(),
                 "the page scrolls");
        int checked = 0;
        for (QWidget* w : box->widget()->findChildren<QWidget*>()) {
            const QString name = w->objectName();
            if (!w->isVisibleTo(box->widget()) || name.isEmpty() || name.startsWith(QLatin1String("qt_")))
                continue;
            ++checked;
            QVERIFY2(wholly(w), qPrintable(w->objectName() + QStringLiteral(" is cut off")));
            QVERIFY2(w->width() >= w->minimumSizeHint().width() &&
                         w->height() >= w->minimumSizeHint().height(),
                     qPrintable(QStringLiteral("%1: %2 x %3 < %4 x %5")
                                    .arg(w->objectName())
                                    .arg(w->width())
                                    .arg(w->height())
                                    .arg(w->minimumSizeHint().width())
                                    .arg(w->minimumSizeHint().height())));
        }
        QVERIFY(checked >= 6);
        if (inner == 2) {
            for (const char* name : {"Image2", "LabelMax", "LabelMedium", "LabelMin"})
                QVERIFY2(wholly(s.main().findChild<QWidget*>(QString::fromLatin1(name))), name);
        }
    }

    void hashFieldShowsAWholeHashAndTheStartOfLongerOnes() {
        Shell s;
        QVERIFY(s.showPage(kBurstPage));
        auto* hash = s.main().findChild<QLineEdit*>(QStringLiteral("EditPebr"));
        QVERIFY(hash);
        QVERIFY2(hash->width() >
                     hash->fontMetrics().horizontalAdvance(QStringLiteral("00A1B2C3D4E5F607")) + 8,
                 qPrintable(QString::number(hash->width())));
        s.parts->burstFields.hash = QStringLiteral("00") + QString(60, u'7') + QStringLiteral("END");
        emit s.wb->changed();
        QApplication::processEvents();
        QCOMPARE(hash->cursorPosition(), 0);
    }

    void captionsStandBesideTheirFields_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("field");
        QTest::newRow("remote name") << "Имя пульта"
                                     << "Edit10";
        QTest::newRow("record panel") << "Под номером"
                                      << "PanelSi1";
    }
    void captionsStandBesideTheirFields() {
        QFETCH(QString, caption);
        QFETCH(QString, field);
        Shell s;
        QVERIFY(s.showPage(kBurstPage));
        QLabel* label = nullptr;
        for (QLabel* l : s.main().findChildren<QLabel*>())
            if (l->text() == caption) label = l;
        QVERIFY(label);
        auto* w = s.main().findChild<QWidget*>(field);
        QVERIFY(wholly(label) && wholly(w));
        const QRect l(label->mapTo(&s.main(), QPoint()), label->size());
        const QRect f(w->mapTo(&s.main(), QPoint()), w->size());
        // On the same line, the caption first.
        QVERIFY2(
            l.right() < f.left() && l.center().y() >= f.top() && l.center().y() <= f.bottom(),
            qPrintable(
                QStringLiteral("caption %1,%2 field %3,%4").arg(l.x()).arg(l.y()).arg(f.x()).arg(f.y())));
    }

    void hexBazaControlsAreWhollyVisible() {
        Shell s;
        QVERIFY(s.showPage(1));
        for (const char* name : {"GroupBoxSave", "GroupBoxWork", "GroupBoxChecks", "ButtonStat", "Memo1"}) {
            auto* w = s.main().findChild<QWidget*>(QString::fromLatin1(name));
            QVERIFY2(wholly(w), name);
        }
    }

    void centredAtDesignSize() {
        Shell s;
        // The start-up centres the window before it is shown, by its size alone.
        emit s.parts->startup.centreMainWindowRequested();
        QVERIFY(s.showPage(0));
        const QScreen* screen = s.main().screen();
        QVERIFY(screen);
        const QRect area = screen->geometry();
        QCOMPARE(s.main().size(), QSize(MainWindow::kWidth, MainWindow::kHeight));
        QCOMPARE(s.main().pos(),
                 centredPosition(area.size(), QSize(MainWindow::kWidth, MainWindow::kHeight)) +
                     area.topLeft());
        // Once shown, the frame counts too.
        emit s.parts->startup.centreMainWindowRequested();
        QApplication::processEvents();
        QCOMPARE(s.main().pos(),
                 centredPosition(area.size(), s.main().frameGeometry().size()) + area.topLeft());
    }

    void innerTabsShowAllCaptions() {
        Shell s;
        QVERIFY(s.showPage(kBurstPage));
        QTabBar* bar = s.main().burstTabs()->tabBar();
        const QRect last = bar->tabRect(bar->count() - 1);
        QVERIFY2(last.right() < bar->width(),
                 qPrintable(QStringLiteral("last tab ends at %1 of %2").arg(last.right()).arg(bar->width())));
        QVERIFY(bar->tabRect(0).left() >= 0);
        // No caption is elided: each tab is wide enough for its whole text.
        for (int i = 0; i < bar->count(); ++i)
            QVERIFY2(bar->tabRect(i).width() >= bar->fontMetrics().horizontalAdvance(bar->tabText(i)),
                     qPrintable(bar->tabText(i)));
    }
};

QTEST_MAIN(TestShellLayout)
#include "test_shell_layout.moc"
