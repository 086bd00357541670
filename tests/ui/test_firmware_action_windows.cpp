#include "firmware/ui/action_map_window.h"
#include "firmware/ui/eeprom_window.h"
#include "ui_shell.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

using namespace ravlin;

class FirmwareActionWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void actionMapWindow();
    void eepromWindow();
};

namespace {

template <typename T> T* child(QWidget* w, const QString& name) {
    T* c = w->findChild<T*>(name);
    if (!c) qWarning() << "missing" << name;
    return c;
}

QStringList tabTexts(QTabWidget* tabs) {
    QStringList t;
    for (int i = 0; i < tabs->count(); ++i)
        t << tabs->tabText(i);
    return t;
}

} // namespace

void FirmwareActionWindowsTest::actionMapWindow() {
    test::UiShell shell;
    auto* w = qobject_cast<ActionMapWindow*>(shell.windows->byName(QStringLiteral("TForm10")));
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("Настройки под кнопки Pelvar"));
    QCOMPARE(tabTexts(w->tabs()),
             (QStringList{"  Соответствие Имени-Действию   ", "  Выгрузка данных для патчера  "}));
    const ActionMapWindowActions& bar = w->actions();
    QCOMPARE((QStringList{bar.open->text(), bar.save->text(), bar.avto->text(), bar.exit->text()}),
             (QStringList{"Open", "Save", "Avto", "Exit"}));
    QCOMPARE(child<QComboBox>(w, "ComboBox10")->count(), 93);

    // The opening checks stop the window on an empty base; test mode skips them.
    QVERIFY(!shell.wb->openActionMapWindow());
    QVERIFY(!w->isVisible());
    shell.parts->testArea.settings().testSwitch = true;
    QVERIFY(shell.wb->openActionMapWindow());
    QVERIFY(w->isVisible());

    // Page 3, row 2: a double click imports the current button; an action makes the set valid.
    child<QScrollBar>(w, "ScrollBar1")->setValue(3);
    QCOMPARE(child<QLabel>(w, "LabelA02")->text(), QStringLiteral("32"));
    shell.parts->baseEditor.settings().buttonName = QStringLiteral("Mute");
    shell.parts->burstFields.hash = QStringLiteral("ABCDEF");
    auto* grid = child<QTableWidget>(w, "StringGrid1");
    emit grid->cellDoubleClicked(1, 1);
    const ActionMapEntry& e = shell.parts->actionMap.entries[31];
    QCOMPARE(e.name, QStringLiteral("Mute"));
    QCOMPARE(e.hash, QStringLiteral("ABCDEF0000000000"));
    QCOMPARE(grid->item(1, 1)->text(), e.hash);
    QVERIFY(!shell.parts->actionMap.valid[31]);
    child<QComboBox>(w, "ComboBox2")->setCurrentText(QStringLiteral("Key 12"));
    QCOMPARE(e.action, QStringLiteral("Key 12"));
    QVERIFY(shell.parts->actionMap.valid[31]);
    QCOMPARE(child<QLabel>(w, "LabelA02")->palette().color(QPalette::Window), QColor(Qt::cyan));
    child<QScrollBar>(w, "ScrollBar1")->setValue(0);
    QCOMPARE(child<QLabel>(w, "LabelA01")->text(), QStringLiteral("01"));
    QCOMPARE(grid->item(1, 0)->text(), QString());
}

void FirmwareActionWindowsTest::eepromWindow() {
    test::UiShell shell;
    auto* w = qobject_cast<EepromWindow*>(shell.windows->byName(QStringLiteral("TForm3")));
    QVERIFY(w);
    QCOMPARE(tabTexts(w->tabs()), (QStringList{" Операции с Епром  ", " Настройки системы "}));
    QAction* eprom = shell.main().actions().eprom;
    QVERIFY(eprom);
    eprom->trigger();
    QVERIFY(w->isVisible());
    auto* memo = child<QPlainTextEdit>(w, "Memo1");
    QCOMPARE(memo->toPlainText(), EepromView::kPlaceholder);
    // The workbench's simulated receiver has no capture file: the read fails and the memo turns red.
    child<QPushButton>(w, "Button2")->click();
    QVERIFY(memo->toPlainText().isEmpty());
    QCOMPARE(memo->palette().color(QPalette::Base), QColor(Qt::red));
    child<QPushButton>(w, "Button1")->click();
    QCOMPARE(memo->toPlainText(), EepromText::kNothing);
    QCOMPARE(memo->palette().color(QPalette::Base), QPalette().color(QPalette::Base));
}

QTEST_MAIN(FirmwareActionWindowsTest)
#include "test_firmware_action_windows.moc"
