#include "firmware/firmware_records.h"
#include "firmware/ui/fitting_window.h"
#include "ui_shell.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

using namespace ravlin;

class FittingWindowTest : public QObject {
    Q_OBJECT

private slots:
    void controlsAndDefaults();
    void pauseModeSwitchesTrackBars();
    void scanAndSaveFromTheWindow();
};

namespace {

FittingWindow* fittingWindow(test::UiShell& shell) {
    return qobject_cast<FittingWindow*>(shell.windows->byName(QStringLiteral("TForm7")));
}

template <typename T> T* child(QWidget* w, const char* name) {
    T* c = w->findChild<T*>(QString::fromLatin1(name));
    if (!c) qWarning() << "missing" << name;
    return c;
}

} // namespace

void FittingWindowTest::controlsAndDefaults() {
    test::UiShell shell;
    FittingWindow* w = fittingWindow(shell);
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("Подбор переменных ХЭШирования"));
    QStringList tabs;
    for (int i = 0; i < w->tabs()->count(); ++i)
        tabs << w->tabs()->tabText(i);
    QCOMPARE(tabs, (QStringList{"Настройки выхода", "   Подбор переменных ХЭШирования   ", " Сообщения",
                                " Тестовая "}));
    for (const char* a : {"Scan Buffer", "Save Pach", "Exit"})
        QVERIFY(w->action(QString::fromLatin1(a)));
    const QStringList boxes{"F9", "BB", "NA", "NA", "NA", "NA", "NA", "NA", "NA", "NA", "0D", "NA", "NA"};
    for (int i = 0; i < 13; ++i)
        QCOMPARE(child<QLineEdit>(w, QStringLiteral("EditB%1").arg(i + 1, 2, 10, QLatin1Char('0')).toLatin1())
                     ->text(),
                 boxes.at(i));
    QCOMPARE(child<QLineEdit>(w, "Edit1")->text(), QStringLiteral("03"));
    QVERIFY(child<QCheckBox>(w, "CheckBoxAvt1")->isChecked());
    QCOMPARE(child<QLabel>(w, "Label2")->text(), QStringLiteral("Состояние - N/A"));
    QCOMPARE(child<QLabel>(w, "Panel1")->text(), QStringLiteral("!"));
    QVERIFY(child<QRadioButton>(w, "RadioButtonA3")->isChecked());
    QVERIFY(child<QRadioButton>(w, "RadioButtonB2")->isChecked());
    QCOMPARE(child<QSlider>(w, "TrackBarX3")->value(), 109);
    QVERIFY(w->findChild<QPlainTextEdit*>(QStringLiteral("MemoSys")));
    QVERIFY(w->findChild<QPlainTextEdit*>(QStringLiteral("Memo2")));
    QCOMPARE(child<QLabel>(w, "LabelCheck")->text(), QStringLiteral("Проверка распознавания - N/A"));
    QCOMPARE(child<QTableWidget>(w, "GridCheck")->rowCount(), 0);
}

void FittingWindowTest::pauseModeSwitchesTrackBars() {
    test::UiShell shell;
    FittingWindow* w = fittingWindow(shell);
    QSlider* zero = child<QSlider>(w, "TrackBarX1");
    QSlider* pause = child<QSlider>(w, "TrackBarX3");
    QVERIFY(zero->isEnabled() && !pause->isEnabled());
    child<QCheckBox>(w, "CheckBoxX1")->setChecked(true);
    QVERIFY(!zero->isEnabled() && pause->isEnabled());
    child<QRadioButton>(w, "RadioButtonB1")->setChecked(true);
    const OutputSettings& s = shell.parts->fitting.output();
    QVERIFY(s.pauseMode);
    QCOMPARE(int(s.optionsByte()), 0x04);
    QCOMPARE(int(s.zeroDepthByte()), 109);
}

void FittingWindowTest::scanAndSaveFromTheWindow() {
    test::UiShell shell;
    Workbench& wb = *shell.wb;
    WorkbenchParts& parts = *shell.parts;
    for (int i = 0; i < 4; ++i)
        parts.base.append(test::firmwareRecord("PW", QString::number(i), test::pattern(30, {30 - i})));
    parts.testArea.settings().testSwitch = true;
    shell.main().show();
    QVERIFY(wb.openFittingWindow());
    FittingWindow* w = fittingWindow(shell);
    QVERIFY(w->isVisible());

    child<QLineEdit>(w, "EditB11")->setText(QStringLiteral("0E"));
    emit child<QLineEdit>(w, "EditB11")->textEdited(QStringLiteral("0E"));
    w->action(QStringLiteral("Scan Buffer"))->trigger();
    QCOMPARE(child<QLabel>(w, "Label2")->text(), FittingText::kWorking);
    shell.scheduler.advance(Fitting::kIntervalMs);
    QCOMPARE(child<QLabel>(w, "Label2")->text(), FittingText::kDone);
    QCOMPARE(child<QLabel>(w, "LabelKnBit")->text(), QStringLiteral("KnBit = 09"));
    QVERIFY(!child<QCheckBox>(w, "CheckBoxAvt1")->isChecked());
    const QString patch = child<QPlainTextEdit>(w, "Memo2")->toPlainText();
    QVERIFY(patch.contains(QStringLiteral("0x1D,0x0E,0x")));
    // The recognition check of the run: four variants of one button, each found as itself.
    QCOMPARE(child<QLabel>(w, "LabelCheck")->text(),
             QStringLiteral("Проверка распознавания: все кнопки различимы (кнопок 1, вариантов 4)"));
    auto* grid = child<QTableWidget>(w, "GridCheck");
    QCOMPARE(grid->rowCount(), 1);
    QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("PW"));
    QCOMPARE(grid->item(0, 2)->text(), QStringLiteral("4"));
    QCOMPARE(grid->item(0, 0)->background(), QBrush());

    const QString path = shell.dir.filePath(QStringLiteral("pult"));
    shell.dialogs.fileNames << path;
    w->action(QStringLiteral("Save Pach"))->trigger();
    QFile f(path + QStringLiteral(".pch"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll().count("\r\n"), patch.count(u'\n') + 1);

    w->action(QStringLiteral("Exit"))->trigger();
    QVERIFY(!w->isVisible());
}

QTEST_MAIN(FittingWindowTest)
#include "test_fitting_window.moc"
