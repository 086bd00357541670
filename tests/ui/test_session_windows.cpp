// The capture-session and match windows: controls and defaults, opening from the main window, and
// the flows of a session start and a match shown on screen.
#include "ui/ui_shell.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>

using namespace ravlin;

namespace {
struct Shell : test::UiShell {
    Shell() : UiShell({}, true) {}
    QWidget& window(const char* form) { return *windows->byName(QString::fromLatin1(form)); }
    template <typename T> T* in(const char* form, const char* name) {
        return window(form).findChild<T*>(QString::fromLatin1(name));
    }
    QAction* tool(const char* form, const char* name) {
        return window(form).findChild<QAction*>(QString::fromLatin1(name));
    }
    QStringList enabledStages() {
        QStringList out;
        for (const char* n : {"LabelStage1", "LabelStage2", "LabelStage3", "LabelStage4", "LabelIdle"})
            if (in<QLabel>("TForm4", n)->isEnabled()) out << in<QLabel>("TForm4", n)->text();
        return out;
    }
};
} // namespace

class TestSessionWindows : public QObject {
    Q_OBJECT

private slots:
    void sessionWindowStartsAndCloses() {
        Shell s;
        QWidget& w = s.window("TForm4");
        QCOMPARE(w.windowTitle(), QStringLiteral("Создаём слепок кодировки"));
        QCOMPARE(s.in<QLineEdit>("TForm4", "Edit1")->text(), QStringLiteral("6"));
        QCOMPARE(s.in<QLabel>("TForm4", "LabelCount")->text(), QStringLiteral("Принято - 0"));
        QCOMPARE(s.enabledStages(), QStringList{QStringLiteral("Свободен")});

        s.parts->baseEditor.settings().recordNumber = QStringLiteral("9");
        s.parts->pipeline.settings().autoAdd = true; // saved when the window is shown
        s.main().actions().captureSession->trigger();
        QVERIFY(w.isVisible());
        QVERIFY(s.wb->session().windowOpen);
        QCOMPARE(s.parts->baseEditor.settings().recordNumber, QStringLiteral("1")); // display reset

        s.parts->poller.enterSlowStartMode();
        s.parts->poller.startPolling();
        s.scheduler.advance(Poller::kSlowIntervalMs);
        QLineEdit* target = s.in<QLineEdit>("TForm4", "Edit1");
        target->selectAll();
        QTest::keyClicks(target, QStringLiteral("2"));
        s.tool("TForm4", "ToolButtonStart")->trigger();
        QCOMPARE(s.parts->captureSession.target(), 2);
        QCOMPARE(s.enabledStages(), QStringList{QStringLiteral("Нажмите кнопку пульта")});
        QVERIFY(!s.parts->pipeline.settings().autoAdd);

        s.tool("TForm4", "ToolButtonExit")->trigger();
        QVERIFY(!w.isVisible());
        QVERIFY(!s.wb->session().windowOpen);
        QVERIFY(s.parts->pipeline.settings().autoAdd);
        QCOMPARE(s.enabledStages(), QStringList{QStringLiteral("Свободен")});
    }

    void matchWindowBlinksOnSignal() {
        Shell s;
        QWidget& w = s.window("TForm5");
        QCOMPARE(w.windowTitle(), QStringLiteral("Визуализация совпадений"));
        auto* group = s.in<QGroupBox>("TForm5", "GroupBox1");
        QCOMPARE(group->title(), QStringLiteral("  Поиск по базе  и сигнал при совпадении  "));
        QVERIFY(!s.in<QCheckBox>("TForm5", "CheckBox1")->isChecked());
        QVERIFY(s.in<QRadioButton>("TForm5", "RadioButton1")->isChecked());
        QCOMPARE(s.in<QLineEdit>("TForm5", "Edit1")->text(), QStringLiteral("5"));
        QVERIFY(!s.in<QCheckBox>("TForm5", "CheckBox2")->isChecked());
        QVERIFY(s.in<QPushButton>("TForm5", "Button1")->isHidden());

        s.main().findChild<QPushButton*>(QStringLiteral("ButtonMatch"))->click();
        QVERIFY(w.isVisible());
        s.in<QCheckBox>("TForm5", "CheckBox1")->click();
        s.in<QRadioButton>("TForm5", "RadioButton2")->click();
        QVERIFY(s.parts->matchSignal.enabled);
        QVERIFY(s.parts->matchSignal.anyRecord);

        const QColor face = group->palette().color(QPalette::Window);
        s.parts->matchVisualisation.signal();
        s.wb->notifyChanged();
        QCOMPARE(group->palette().color(QPalette::Window), QColor(255, 0, 0));
        s.in<QCheckBox>("TForm5", "CheckBox1")->click(); // off: back to face colour, no blinking
        QCOMPARE(group->palette().color(QPalette::Window), face);
        QVERIFY(!s.parts->matchVisualisation.isBlinking());
    }
};

QTEST_MAIN(TestSessionWindows)
#include "test_session_windows.moc"
