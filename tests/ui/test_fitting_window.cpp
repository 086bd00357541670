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
    void everyControlWritesItsField();
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
    const FittingWindowActions& bar = w->actions();
    QCOMPARE((QStringList{bar.scan->text(), bar.save->text(), bar.exit->text()}),
             (QStringList{"Scan Buffer", "Save Pach", "Exit"}));
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

// Each output control is bound to its own field.
void FittingWindowTest::everyControlWritesItsField() {
    test::UiShell shell;
    FittingWindow* w = fittingWindow(shell);
    const OutputSettings& s = shell.parts->fitting.output();
    const QList<std::pair<const char*, KnownButtonAction>> known{
        {"RadioButtonA1", KnownButtonAction::Emulate},
        {"RadioButtonA2", KnownButtonAction::LengthsV8},
        {"RadioButtonA3", KnownButtonAction::ResultV9}};
    for (const auto& [name, value] : known) {
        child<QRadioButton>(w, name)->click();
        QCOMPARE(s.known, value);
    }
    const QList<std::pair<const char*, UnknownButtonAction>> unknown{
        {"RadioButtonB1", UnknownButtonAction::Nothing},
        {"RadioButtonB3", UnknownButtonAction::ErrorV9},
        {"RadioButtonB2", UnknownButtonAction::LengthsV8}};
    for (const auto& [name, value] : unknown) {
        child<QRadioButton>(w, name)->click();
        QCOMPARE(s.unknown, value);
    }
    const QList<std::pair<const char*, const bool*>> checks{{"CheckBoxC1", &s.noV9},
                                                            {"CheckBoxC2", &s.silent},
                                                            {"CheckBoxC3", &s.noDetector},
                                                            {"CheckBoxC4", &s.noOnes},
                                                            {"CheckBoxX1", &s.pauseMode}};
    for (const auto& [name, field] : checks) {
        const bool before = *field;
        child<QCheckBox>(w, name)->click();
        QCOMPARE(*field, !before);
    }
    const QList<std::tuple<const char*, const int*, int>> sliders{
        {"TrackBarX1", &s.zeroDepth, 3}, {"TrackBarX2", &s.oneDepth, 5}, {"TrackBarX3", &s.pause, 17}};
    for (const auto& [name, field, value] : sliders) {
        child<QSlider>(w, name)->setValue(value);
        QCOMPARE(*field, value);
    }
    QCOMPARE(s.zeroDepth, 3);
    QCOMPARE(s.oneDepth, 5);
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
    w->actions().scan->trigger();
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
    w->actions().save->trigger();
    QFile f(path + QStringLiteral(".pch"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll().count("\r\n"), patch.count(u'\n') + 1);

    w->actions().exit->trigger();
    QVERIFY(!w->isVisible());
}

QTEST_MAIN(FittingWindowTest)
#include "test_fitting_window.moc"
