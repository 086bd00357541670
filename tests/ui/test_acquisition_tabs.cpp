#include "acquisition/core/poller.h"
#include "acquisition/ui/reception_widgets.h"
#include "fakes/manual_scheduler.h"
#include "fakes/scripted_dialogs.h"
#include "fakes/scripted_receiver.h"
#include "fakes/simple_fakes.h"
#include "shell/core/startup.h"
#include "shell/core/workbench.h"
#include "shell/ui/main_window.h"
#include "shell/ui/shell_windows.h"
#include "ui/ui_shell.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace ravlin;

namespace {

const QString kPlaceholder = QStringLiteral("Тут будут отображаться значения таймингов кнопки");

struct Shell : test::UiShell {
    Shell() : UiShell({}, true) {}
};

} // namespace

class TestAcquisitionTabs : public QObject {
    Q_OBJECT

private slots:
    void receptionParamsDefaults() {
        Shell s;
        auto* kind = s.find<QComboBox>("ComboBoxReceiver");
        QVERIFY(kind);
        QStringList items;
        for (int i = 0; i < kind->count(); ++i)
            items << kind->itemText(i);
        QCOMPARE(items, QStringList({"IgorPlug-USB", "IgorPlug-UDP", "Movrik", "USBtiny"}));
        QCOMPARE(kind->currentText(), QStringLiteral("Movrik"));
        QCOMPARE(s.find<QLabel>("LabelUnit")->text(), QStringLiteral("0.0213(3) МиллиСек"));
        auto* poll = s.find<QSlider>("TrackBarPoll");
        QCOMPARE(poll->minimum(), 15);
        QCOMPARE(poll->maximum(), 40);
        QCOMPARE(poll->value(), 20);
        auto* rescan = s.find<QSlider>("TrackBarRescan");
        QCOMPARE(rescan->minimum(), 20);
        QCOMPARE(rescan->maximum(), 55);
        QCOMPARE(rescan->value(), 25);
        auto* repeats = s.find<QCheckBox>("CheckBoxRepeats");
        QCOMPARE(repeats->text(), QStringLiteral("Не добавлять сигналы повтора"));
        QVERIFY(repeats->isChecked());
        QCOMPARE(s.find<QRadioButton>("RadioButton3")->text(), QStringLiteral("В 3 байта"));
        QVERIFY(s.find<QRadioButton>("RadioButton3")->isChecked());
        QCOMPARE(s.find<QRadioButton>("RadioButton5")->text(), QStringLiteral("В 5 байт"));
        QVERIFY(!s.find<QRadioButton>("RadioButton5")->isChecked());
        auto* mini = s.find<QCheckBox>("CheckBoxMini");
        QCOMPARE(mini->text(), QStringLiteral("Запоминать мини. значения"));
        QVERIFY(!mini->isChecked());
        QCOMPARE(s.find<QGroupBox>("GroupBoxNetwork")->title(), QStringLiteral(" Сетевые параметры "));
        QCOMPARE(s.find<QLineEdit>("EditPort")->text(), QStringLiteral("6668"));
        QStringList ip;
        for (const char* n : {"EditIp1", "EditIp2", "EditIp3", "EditIp4"})
            ip << s.find<QLineEdit>(n)->text();
        QCOMPARE(ip, QStringList({"192", "168", "1", "7"}));
        QStringList labels;
        for (QLabel* l : s.find<QWidget>("ReceptionParamsPage")->findChildren<QLabel*>())
            labels << l->text();
        for (const char* t : {"Тип приёмника", "Один импульс продолжается около", "Частота опроса приёмника",
                              "Чаще", "Реже", "Скорость пересчёта ХЭШа", "Порт в сети:", "IP адрес системы"})
            QVERIFY2(labels.contains(QString::fromUtf8(t)), t);
    }

    void controlsReachThePoller() {
        Shell s;
        Poller& p = s.parts->poller;
        s.find<QComboBox>("ComboBoxReceiver")->setCurrentText(QStringLiteral("USBtiny"));
        QCOMPARE(p.settings().kindText, QStringLiteral("USBtiny"));
        QCOMPARE(s.receiver->kind(), ReceiverKind::USBtiny);
        QCOMPARE(s.find<QLabel>("LabelUnit")->text(), QStringLiteral("0.0853(3) МиллиСек"));
        s.find<QSlider>("TrackBarPoll")->setValue(33);
        QCOMPARE(p.pollIntervalMs(), 340);
        s.find<QRadioButton>("RadioButton5")->setChecked(true);
        QVERIFY(p.settings().fiveByteRepeats);
        s.find<QCheckBox>("CheckBoxRepeats")->setChecked(false);
        QVERIFY(!p.settings().skipRepeats);
        s.find<QLineEdit>("EditIp4")->setText(QStringLiteral("9"));
        QCOMPARE(p.settings().addressText(), QStringLiteral("192.168.1.9"));
    }

    void timingLinesAndStatus() {
        Shell s;
        auto* first = s.find<QLineEdit>("EditTiming1");
        QVERIFY(first);
        QCOMPARE(first->text(), kPlaceholder);
        for (const char* n : {"EditTiming2", "EditTiming3", "EditTiming4", "EditTiming5", "EditTiming6"})
            QCOMPARE(s.find<QLineEdit>(n)->text(), QString());
        QVERIFY(s.find<QFrame>("PanelRepeat"));

        s.parts->startup.begin();
        s.scheduler.advance(3000); // the launcher's progress shows the About page
        s.main().tabs()->setCurrentIndex(static_cast<int>(MainPage::Burst));
        s.receiver->queueStatus(0);
        s.receiver->queue({0xF9, 0x10, 0x20, 0x30, 0x40, 0x50});
        QVERIFY(s.parts->poller.view().burstPageActive);
        s.scheduler.advance(3000);
        QVERIFY(s.parts->poller.view().burstPageActive);
        QCOMPARE(s.find<QLabel>("LabelStatus")->text(), QStringLiteral("Status : OK!"));
        QCOMPARE(first->text(), QStringLiteral("108020030040050"));
        QCOMPARE(s.parts->capture.count, 5);
        // Polling goes on after the burst.
        QVERIFY(s.parts->poller.isPolling());
    }

    void longTimingLineShowsItsBeginning() {
        Shell s;
        s.main().show();
        QVERIFY(QTest::qWaitForWindowExposed(&s.main()));
        s.parts->startup.begin();
        s.scheduler.advance(3000);
        s.main().tabs()->setCurrentIndex(static_cast<int>(MainPage::Burst));
        s.main().burstTabs()->setCurrentIndex(0);
        std::vector<std::uint8_t> burst = {0xF9, 0x10};
        for (int i = 0; i < 40; ++i)
            burst.push_back(static_cast<std::uint8_t>(0x20 + i));
        s.receiver->queueStatus(0);
        s.receiver->queue(burst);
        s.scheduler.advance(3000);
        QApplication::processEvents();
        auto* first = s.find<QLineEdit>("EditTiming1");
        QVERIFY(first->isVisible());
        QCOMPARE(first->text().size(), 99);
        QVERIFY(first->text().startsWith(QStringLiteral("108020021")));
        QCOMPARE(first->cursorPosition(), 0);
        test::saveShot(s.main(), QStringLiteral("timing-lines"));
        // The text is drawn from its first character: the cursor sits at the left edge.
        const int cursorX = first->inputMethodQuery(Qt::ImCursorRectangle).toRect().left();
        QVERIFY2(cursorX < first->fontMetrics().horizontalAdvance(QStringLiteral("108")),
                 qPrintable(QString::number(cursorX)));
    }
};

QTEST_MAIN(TestAcquisitionTabs)
#include "test_acquisition_tabs.moc"
