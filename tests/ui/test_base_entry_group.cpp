#include "base/ui/base_entry_group.h"
#include "fakes/scripted_dialogs.h"
#include "ui/ui_shell.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace ravlin;

namespace {

template <typename W> W* find(QWidget& root, const char* name) {
    W* w = root.findChild<W*>(QString::fromLatin1(name));
    if (!w) qFatal("missing control %s", name);
    return w;
}

void giveFocus(QWidget* w, Qt::FocusReason reason) {
    QFocusEvent e(QEvent::FocusIn, reason);
    QApplication::sendEvent(w, &e);
}

} // namespace

class TestBaseEntryGroup : public QObject {
    Q_OBJECT

    ButtonBase m_base;
    WorkingRecord m_working;
    CaptureBuffer m_buffer;
    fakes::ScriptedDialogs m_dialogs;
    ResultLog m_log;
    PageInFront m_page{true, false}; // the burst fields show the record

private slots:
    void init() {
        m_base.clear();
        m_base.setCurrentIndex(1);
        m_working.reset();
        m_dialogs.events.clear();
    }

    void controlsAndDefaults() {
        BaseEntry entry;
        BurstFields burst;
        BaseEditor editor(m_base, m_working, m_buffer, entry, burst, m_dialogs, m_log, m_page);
        BaseEntryGroup group(editor);
        QCOMPARE(find<QLineEdit>(group, "Edit6")->text(), QStringLiteral("1"));
        QCOMPARE(find<QPushButton>(group, "BitBtn8")->text(), QStringLiteral("<"));
        QCOMPARE(find<QPushButton>(group, "BitBtn9")->text(), QStringLiteral(">"));
        QCOMPARE(find<QLabel>(group, "LabelKn")->text(), QStringLiteral("000"));
        QCOMPARE(find<QLineEdit>(group, "Edit10")->text(), QStringLiteral("Пульт 1"));
        auto* key = find<QComboBox>(group, "ComboBoxKey");
        QCOMPARE(key->currentText(), QStringLiteral("N/A"));
        QCOMPARE(key->count(), 65);
        QCOMPARE(key->itemText(64), QStringLiteral("Obshaya"));
        find<QWidget>(group, "Panel1");
        QCOMPARE(find<QLabel>(group, "PanelSi1")->text(), QString());
        QCOMPARE(find<QPushButton>(group, "ButtonDey1")->text(), QStringLiteral("Изменить"));
        QCOMPARE(find<QPushButton>(group, "ButtonDey2")->text(), QStringLiteral("Добавить"));
        QCOMPARE(find<QPushButton>(group, "ButtonDey3")->text(), QStringLiteral("Удалить"));
        QCOMPARE(find<QPushButton>(group, "BitBtnCl1")->text(), QStringLiteral("Очистить базу"));
    }

    void addThenBrowse() {
        BaseEntry entry;
        BurstFields burst;
        BaseEditor editor(m_base, m_working, m_buffer, entry, burst, m_dialogs, m_log, m_page);
        BaseEntryGroup group(editor);
        int changes = 0;
        connect(&group, &BaseEntryGroup::changed, this, [&changes] { ++changes; });
        auto* remote = find<QLineEdit>(group, "Edit10");
        remote->selectAll();
        QTest::keyClicks(remote, "TV");
        auto* key = find<QComboBox>(group, "ComboBoxKey");
        for (const char* name : {"Mute", "OK"}) {
            m_working.hash = QString::fromLatin1(name) + QStringLiteral(" hash");
            m_working.timings[0] = QStringLiteral("0A3");
            key->setEditText(QString::fromLatin1(name));
            find<QPushButton>(group, "ButtonDey2")->click();
        }
        QCOMPARE(m_base.count(), 2);
        QCOMPARE(m_base.record(1).remoteName, QStringLiteral("TV"));
        QCOMPARE(m_base.record(2).buttonName, QStringLiteral("OK"));
        QCOMPARE(find<QLabel>(group, "LabelKn")->text(), QStringLiteral("2"));
        QCOMPARE(find<QLabel>(group, "PanelSi1")->text(), QStringLiteral("2 - OK"));

        find<QPushButton>(group, "BitBtn8")->click();
        QCOMPARE(find<QLineEdit>(group, "Edit6")->text(), QStringLiteral("1"));
        QCOMPARE(key->currentText(), QStringLiteral("Mute"));
        QCOMPARE(m_working.hash, QStringLiteral("Mute hash"));
        QCOMPARE(m_buffer.count, 1);
        QVERIFY(changes >= 4);
    }

    void nameIsNormalisedOnEnter() {
        BaseEntry entry;
        BurstFields burst;
        BaseEditor editor(m_base, m_working, m_buffer, entry, burst, m_dialogs, m_log, m_page);
        BaseEntryGroup group(editor);
        auto* key = find<QComboBox>(group, "ComboBoxKey");
        key->lineEdit()->selectAll();
        QTest::keyClicks(key->lineEdit(), "key 1");
        QCOMPARE(editor.view().nameMarker, ViewColour::Yellow);
        QTest::keyClick(key->lineEdit(), Qt::Key_Return);
        QCOMPARE(key->currentText(), QStringLiteral("Key 1"));
        QCOMPARE(editor.settings().buttonName, QStringLiteral("Key 1"));
        QCOMPARE(editor.view().nameMarker, ViewColour::Face);
        QCOMPARE(key->count(), 65); // Enter adds no item
    }

    void typedNameIsNotCompleted() {
        BaseEntry entry;
        BurstFields burst;
        BaseEditor editor(m_base, m_working, m_buffer, entry, burst, m_dialogs, m_log, m_page);
        BaseEntryGroup group(editor);
        group.show();
        QVERIFY(QTest::qWaitForWindowExposed(&group));
        auto* key = find<QComboBox>(group, "ComboBoxKey");
        group.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&group));
        key->setFocus();
        QTRY_VERIFY(key->lineEdit()->hasFocus());
        for (const char* typed : {"Men", "Key"}) {
            key->lineEdit()->selectAll();
            QTest::keyClicks(key->lineEdit(), typed);
            QCOMPARE(key->currentText(), QString::fromLatin1(typed));
        }
        test::saveShot(group, QStringLiteral("name-box"));
        QTest::keyClick(key->lineEdit(), Qt::Key_Return);
        QCOMPARE(key->currentText(), QStringLiteral("Key"));
        m_working.hash = QStringLiteral("0012");
        find<QPushButton>(group, "ButtonDey2")->click();
        QCOMPARE(m_base.record(1).buttonName, QStringLiteral("Key"));
    }

    void recordNumberRunsOnUserFocusOnly() {
        BaseEntry entry;
        BurstFields burst;
        BaseEditor editor(m_base, m_working, m_buffer, entry, burst, m_dialogs, m_log, m_page);
        BaseEntryGroup group(editor);
        auto* edit = find<QLineEdit>(group, "Edit6");
        giveFocus(edit, Qt::ActiveWindowFocusReason);
        QCOMPARE(m_dialogs.beeps(), 0);
        giveFocus(edit, Qt::MouseFocusReason);
        QCOMPARE(m_dialogs.beeps(), 1); // empty base: out of range
        giveFocus(edit, Qt::TabFocusReason);
        QCOMPARE(m_dialogs.beeps(), 2);
    }

    void enterInRecordNumberOnEmptyBase() {
        BaseEntry entry;
        BurstFields burst;
        BaseEditor editor(m_base, m_working, m_buffer, entry, burst, m_dialogs, m_log, m_page);
        BaseEntryGroup group(editor);
        auto* edit = find<QLineEdit>(group, "Edit6");
        edit->selectAll();
        QTest::keyClicks(edit, "0");
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(edit->text(), QStringLiteral("1"));
        QCOMPARE(m_dialogs.beeps(), 1);
    }

    void deleteOnEmptyBase() {
        BaseEntry entry;
        BurstFields burst;
        BaseEditor editor(m_base, m_working, m_buffer, entry, burst, m_dialogs, m_log, m_page);
        BaseEntryGroup group(editor);
        find<QPushButton>(group, "ButtonDey3")->click();
        QCOMPARE(m_dialogs.events, (QStringList{QStringLiteral("beep"),
                                                QStringLiteral("info: Список пуст - удалять нечего!!!")}));
    }
};

QTEST_MAIN(TestBaseEntryGroup)
#include "test_base_entry_group.moc"
