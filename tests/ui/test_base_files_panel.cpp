#include "base/ui/base_files_panel.h"
#include "fakes/manual_scheduler.h"
#include "fakes/scripted_dialogs.h"
#include "shell/shell_fixture.h"
#include "shell/ui/main_window.h"
#include "shell/ui/shell_windows.h"

#include <QAction>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace ravlin;

class TestBaseFilesPanel : public QObject {
    Q_OBJECT

    ButtonBase m_base;
    fakes::ScriptedDialogs m_dialogs;
    fakes::ManualScheduler m_scheduler;
    RescanFlags m_flags;
    HexBazaSettings m_settings;
    FileDialogPresets m_names;
    ResultLog m_memo;
    HeldSettings m_held;
    BaseEntry m_entry;
    RecordCursor m_cursor{m_entry, m_base};
    HashPanelSettings m_panel;
    NoPolling m_polling;

    template <typename W> static W* find(QWidget& root, const char* name) {
        W* w = root.findChild<W*>(QString::fromLatin1(name));
        if (!w) qFatal("missing control %s", name);
        return w;
    }

private slots:
    void controlsDefaultsAndCommands() {
        BaseFileCommands files(m_base, m_dialogs, m_flags, m_settings, m_names, m_held, m_cursor, m_memo);
        Rescan rescan(m_base, m_dialogs, m_scheduler, m_flags, m_settings, m_panel, m_cursor, m_polling,
                      m_memo);
        BaseFilesPanel panel(files, rescan, m_settings);
        int changes = 0;
        connect(&panel, &BaseFilesPanel::changed, this, [&] { ++changes; });
        panel.show();

        QVERIFY(find<QRadioButton>(panel, "RadioButtonSaveClear")->isChecked());
        QVERIFY(!find<QRadioButton>(panel, "RadioButtonSaveOnly")->isChecked());
        QVERIFY(find<QCheckBox>(panel, "CheckBoxIgnoreRemotes")->isChecked());
        QVERIFY(!find<QCheckBox>(panel, "CheckBoxIgnoreButtons")->isChecked());
        QVERIFY(find<QRadioButton>(panel, "RadioButtonStatName")->isChecked());
        QCOMPARE(find<QCheckBox>(panel, "CheckBoxIgnoreButtons")->text(),
                 QStringLiteral("Игнорировать не совп."));
        auto* rescanButton = find<QPushButton>(panel, "Button4");
        QCOMPARE(rescanButton->text(), QStringLiteral("Пересканировать все ХЭШи"));
        auto* progress = find<QProgressBar>(panel, "ProgressBar1");
        QVERIFY(!progress->isVisible());

        find<QRadioButton>(panel, "RadioButtonSaveOnly")->click();
        QVERIFY(!m_settings.clearAfterSave);
        find<QCheckBox>(panel, "CheckBoxIgnoreButtons")->click();
        QVERIFY(m_settings.duplicates.ignoreButtonNames);

        ButtonRecord r;
        r.buttonName = "PW";
        r.hash = "H1";
        m_base.append(r);
        r.buttonName = "OK";
        m_base.append(r);
        find<QRadioButton>(panel, "RadioButtonStatHash")->click();
        find<QPushButton>(panel, "ButtonStat")->click();
        QCOMPARE(m_memo.lines(), QStringList({"H1                       - 01,02"}));

        rescanButton->click();
        QCOMPARE(rescanButton->text(), QStringLiteral("Прервать пересчёт ХЭШей"));
        m_scheduler.advance(250);
        panel.refresh();
        QVERIFY(progress->isVisible());
        QCOMPARE(progress->value(), 50);
        find<QPushButton>(panel, "ButtonDubli")->click(); // cancels the running rescan
        QCOMPARE(rescanButton->text(), QStringLiteral("Пересканировать все ХЭШи"));
        QVERIFY(!progress->isVisible());
        QVERIFY(rescan.duplicateRemovalRequested());
        QVERIFY(changes >= 6);
    }

    void placedOnTheHexBazaPageWithOpenAndSave() {
        test::ShellFixture fx;
        ShellWindows windows(*fx.wb);
        MainWindow& main = windows.mainWindow();
        QVERIFY(main.hexBazaPage()->findChild<QPushButton*>(QStringLiteral("Button4")));
        QVERIFY(main.hexBazaPage()->findChild<QProgressBar*>(QStringLiteral("ProgressBar1")));

        main.actions().save->trigger();
        QCOMPARE(fx.dialogs.events.mid(fx.dialogs.events.size() - 2),
                 QStringList({"beep", "info: Список пуст - сохранять нечего!!!"}));
        main.actions().saveCodFile->trigger();
        QCOMPARE(fx.dialogs.events.last(), QStringLiteral("info: Список пуст - сохранять нечего!!!"));

        const QString path = fx.dir.filePath(QStringLiteral("none.txt"));
        fx.dialogs.fileNames << path;
        main.actions().open->trigger();
        QCOMPARE(fx.dialogs.events.last(), QStringLiteral("info: Указанный файл не найден!!!"));
        fx.dialogs.fileNames << path;
        main.actions().openCodFile->trigger();
        QCOMPARE(fx.parts->resultLog.lines().last(), QStringLiteral("Но файла не оказалось"));
        QCOMPARE(main.resultMemo()->toPlainText().split(QLatin1Char('\n')).last(),
                 QStringLiteral("Но файла не оказалось"));
    }
};

QTEST_MAIN(TestBaseFilesPanel)
#include "test_base_files_panel.moc"
