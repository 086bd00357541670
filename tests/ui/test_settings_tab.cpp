#include "ui_shell.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

using namespace ravlin;

class TestSettingsTab : public QObject {
    Q_OBJECT

    template <typename W> static W* find(test::UiShell& ui, const char* name) {
        W* w = ui.find<W>(name);
        if (!w) qFatal("missing control %s", name);
        return w;
    }

private slots:
    // The hidden controls appear after: switch on, double click on "режим", switch off and on.
    void testModeSequence() {
        test::UiShell ui;
        ui.main().show();
        ui.main().tabs()->setCurrentIndex(3);
        const char* hidden[] = {"GroupBoxUnknown", "ButtonSaveTests", "ButtonFitting", "ButtonPelvar",
                                "ButtonTest"};
        const auto shownNow = [&](const char* name) { return !find<QWidget>(ui, name)->isHidden(); };
        for (const char* name : {"Memo3", "ButtonClearTests", "CheckBoxTestMode", "LabelTestMode"})
            QVERIFY2(find<QWidget>(ui, name)->isVisible(), name);
        for (const char* name : hidden)
            QVERIFY2(!shownNow(name), name);
        QVERIFY(!shownNow("ButtonLengths"));

        auto* box = find<QCheckBox>(ui, "CheckBoxTestMode");
        QCOMPARE(box->text() + find<QLabel>(ui, "LabelTestMode")->text(),
                 QStringLiteral("Перейти в тестовый режим"));
        box->click();
        QVERIFY(shownNow("ButtonLengths"));
        QTest::mouseDClick(find<QLabel>(ui, "LabelTestMode"), Qt::LeftButton);
        for (const char* name : hidden)
            QVERIFY2(!shownNow(name), name);
        box->click();
        QVERIFY(!shownNow("ButtonLengths"));
        box->click();
        for (const char* name : hidden)
            QVERIFY2(shownNow(name), name);
        QVERIFY(find<QWidget>(ui, "GroupBoxUnknown")->isVisible());
        QVERIFY(ui.parts->testArea.settings().testSwitch);
        QVERIFY(ui.main().receivedDataPage()->isAncestorOf(find<QWidget>(ui, "ButtonTest")));
    }

    // Boxes carry their defaults, edits reach the commands, and the memo shows what they write.
    void boxesCommandsAndMemo() {
        test::UiShell ui;
        ui.main().show();
        const QList<std::pair<const char*, const char*>> defaults = {{"EditBitNumber", "01"},
                                                                     {"EditHashStart1", "002F"},
                                                                     {"EditHashStart2", "0025"},
                                                                     {"EditModeRemote", "RM-FP"}};
        for (const auto& [name, text] : defaults)
            QCOMPARE(find<QLineEdit>(ui, name)->text(), QString::fromLatin1(text));

        ButtonRecord r;
        r.remoteName = QStringLiteral("TV");
        r.buttonName = QStringLiteral("OK");
        ui.parts->base.append(r);
        auto* remote = find<QLineEdit>(ui, "EditModeRemote");
        remote->selectAll();
        QTest::keyClicks(remote, QStringLiteral("TV"));
        find<QPushButton>(ui, "ButtonRenameRemote")->click();
        QCOMPARE(ui.parts->base.record(1).buttonName, QStringLiteral("Mode"));
        QCOMPARE(find<QPushButton>(ui, "ButtonRenameHashStart")->text(),
                 QStringLiteral("Если ХЭШ=002F или 0025 то Name='PW'"));

        auto* memo = find<QPlainTextEdit>(ui, "Memo3");
        find<QPushButton>(ui, "ButtonKeyNames")->click();
        QCOMPARE(memo->blockCount(), 66);
        QVERIFY(memo->toPlainText().startsWith(QStringLiteral("const\n  KeyNamTab")));
        find<QPushButton>(ui, "ButtonLengthAnalysis")->click();
        QCOMPARE(memo->toPlainText(), QStringLiteral("Недостаточно данных для анализа"));
        find<QPushButton>(ui, "ButtonClearTests")->click();
        QCOMPARE(memo->toPlainText(), QString());
    }
};

QTEST_MAIN(TestSettingsTab)
#include "test_settings_tab.moc"
