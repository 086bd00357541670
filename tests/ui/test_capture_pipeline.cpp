#include "base/ui/sources_window.h"
#include "capture/pipeline_fixture.h"
#include "fakes/manual_scheduler.h"
#include "fakes/scripted_dialogs.h"
#include "fakes/simple_fakes.h"
#include "hashing/core/number_text.h"
#include "platform/core/text_file.h"
#include "shell/core/startup.h"
#include "shell/core/workbench.h"
#include "shell/ui/main_window.h"
#include "shell/ui/shell_windows.h"
#include "ui/ui_shell.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace ravlin;

namespace {
struct Shell : test::UiShell {
    explicit Shell(const QStringList& baseLines = {QStringLiteral("; none")}) : UiShell(baseLines) {}
    // Brings " Kestrum " and its inner page to the front, as the user would.
    void showBurstPage(BurstTab inner) {
        main().tabs()->setCurrentIndex(static_cast<int>(MainPage::Burst));
        main().burstTabs()->setCurrentIndex(static_cast<int>(inner));
    }
    void process(const std::vector<std::int32_t>& burst) {
        CaptureBuffer& b = parts->capture;
        b.clear();
        for (auto d : burst)
            b.append(d);
        b.fromRecord = false;
        parts->working.timings = timingTextsOf(b.span());
        wb->processBurst();
        scheduler.advance(5);
    }
};
} // namespace

class TestCapturePipelineUi : public QObject {
    Q_OBJECT

private slots:
    void controlsCarryNamesAndDefaults();
    void dataSourceSynchronisesCheckBoxes();
    void launcherConfigurationTakesEffect();
    void processedBurstIsShown();
    void irDistributionDrawAndClear();
    void sourcesWindowListsFiles();
};

void TestCapturePipelineUi::controlsCarryNamesAndDefaults() {
    Shell s;
    QVERIFY(s.find<QCheckBox>("CheckBoxHs2")->isChecked());
    QVERIFY(!s.find<QCheckBox>("CheckBoxHs2")->isEnabled());
    QVERIFY(!s.find<QCheckBox>("CheckBoxHs3")->isChecked());
    QVERIFY(s.find<QCheckBox>("CheckBoxHs3")->isEnabled());
    QVERIFY(s.find<QCheckBox>("CheckBoxHs96")->isChecked());
    QCOMPARE(s.find<QCheckBox>("CheckBoxHs96")->text(), QStringLiteral("ХЭШ 96 и компания"));
    QCOMPARE(s.find<QLabel>("LabelHs2")->text(), QStringLiteral("N/A"));
    QVERIFY(s.find<QRadioButton>("RadioButtonHs1")->isChecked());
    QCOMPARE(s.find<QRadioButton>("RadioButtonHs9L")->text(), QStringLiteral(" ХЭШ M96 + N/A"));
    QVERIFY(s.find<QCheckBox>("CheckBoxHs1")->isChecked());
    QCOMPARE(s.find<QLineEdit>("EditA3")->text(), QStringLiteral("3B"));
    auto* threshold = s.find<QLineEdit>("EditA3");
    threshold->selectAll();
    QTest::keyClicks(threshold, QStringLiteral("2A7"));
    QCOMPARE(threshold->text(), QStringLiteral("2A"));
    QCOMPARE(s.parts->hashPanel.threshold, QStringLiteral("2A"));
    s.parts->hashPanel.threshold = QStringLiteral("12E"); // written back for a "23" frame
    s.wb->notifyChanged();
    QCOMPARE(threshold->text(), QStringLiteral("12E"));
    QVERIFY(s.find<QCheckBox>("CheckBox3")->isChecked());
    QVERIFY(s.find<QPushButton>("Button28")->isHidden());
    QVERIFY(s.find<QWidget>("Image2"));
    QCOMPARE(s.find<QLineEdit>("EditHs1")->text(), QStringLiteral("ХЭШ 96"));
    QCOMPARE(s.find<QLineEdit>("EditHs2")->text(), QStringLiteral("Его переменные"));
    QVERIFY(!s.find<QCheckBox>("CheckBoxMouse")->isChecked());
    QVERIFY(!s.find<QCheckBox>("CheckBoxJoystick")->isChecked());
    QVERIFY(!s.find<QCheckBox>("CheckBoxRoison")->isChecked());
    QVERIFY(!s.find<QCheckBox>("CheckBoxTadiran")->isChecked());
    for (const char* optional : {"CheckBoxRC6", "CheckBoxSirc15", "CheckBoxRC5X"})
        QVERIFY(!s.find<QCheckBox>(optional)->isChecked());
    QVERIFY(s.find<QCheckBox>("CheckBoxM24")->isChecked());
    QVERIFY(s.find<QCheckBox>("CheckBoxFirst")->isChecked());
    QVERIFY(s.find<QRadioButton>("RadioButtonW1")->isChecked());
    QVERIFY(s.find<QCheckBox>("CheckBox4")->isChecked());
    QVERIFY(s.find<QCheckBox>("CheckBox8")->isChecked());
    QCOMPARE(s.find<QPushButton>("Button2")->text(), QStringLiteral("Нанести"));
    QCOMPARE(s.find<QPushButton>("Button16")->text(), QStringLiteral("Очистить распределение"));
    QVERIFY(s.find<QWidget>("Image3"));
    QVERIFY(s.find<QCheckBox>("CheckBoxBaz")->isChecked());
    QCOMPARE(s.find<QLabel>("LabelD1")->text(), QStringLiteral("N/A     Неизвестная кнопка"));
    QVERIFY(s.find<QPushButton>("ButtonHsSm")->isHidden());
    QVERIFY(!s.find<QCheckBox>("CheckBoxAutoAdd")->isChecked());
    QCOMPARE(s.find<QLineEdit>("EditPebr")->text(), QStringLiteral("Тут преобразованное значение"));
}

void TestCapturePipelineUi::dataSourceSynchronisesCheckBoxes() {
    Shell s;
    auto* oneBit = s.find<QCheckBox>("CheckBoxHs2");
    auto* xBit = s.find<QCheckBox>("CheckBoxHs3");
    auto* decoder = s.find<QCheckBox>("CheckBoxHs96");
    s.find<QRadioButton>("RadioButtonHs2")->click();
    QVERIFY(oneBit->isChecked() && !oneBit->isEnabled());
    QVERIFY(!decoder->isChecked() && decoder->isEnabled());
    s.find<QRadioButton>("RadioButtonHs1")->click();
    QVERIFY(oneBit->isChecked() && !oneBit->isEnabled());
    QVERIFY(decoder->isChecked() && !decoder->isEnabled());
    s.find<QRadioButton>("RadioButtonHs3")->click();
    QVERIFY(xBit->isChecked() && !xBit->isEnabled());
    QVERIFY(oneBit->isChecked() && oneBit->isEnabled());
    QVERIFY(decoder->isChecked() && decoder->isEnabled());
    QCOMPARE(s.parts->hashPanel.source, HashSource::XBit);
    // A user's click on an unlocked box reaches the settings.
    oneBit->click();
    QVERIFY(!s.parts->hashPanel.oneBit);
}

void TestCapturePipelineUi::launcherConfigurationTakesEffect() {
    {
        // The second configuration selects " ХЭШ 1bit" through the panel's "!" command.
        Shell s;
        s.parts->startup.chooseConfiguration(2);
        s.wb->notifyChanged();
        QVERIFY(s.find<QRadioButton>("RadioButtonHs2")->isChecked());
        QVERIFY(!s.find<QCheckBox>("CheckBoxHs96")->isChecked());
        QVERIFY(s.find<QCheckBox>("CheckBoxHs96")->isEnabled());
        QVERIFY(!s.find<QCheckBox>("CheckBoxHs2")->isEnabled());
    }
    {
        Shell s;
        s.parts->hashPanel.decoder = false;
        s.parts->startup.chooseConfiguration(3);
        s.wb->notifyChanged();
        QVERIFY(s.find<QRadioButton>("RadioButtonHs9L")->isChecked());
        QVERIFY(s.find<QCheckBox>("CheckBoxHs96")->isChecked());
        QVERIFY(!s.find<QCheckBox>("CheckBoxHs96")->isEnabled());
        QVERIFY(s.find<QCheckBox>("CheckBoxHs2")->isEnabled());
    }
}

void TestCapturePipelineUi::processedBurstIsShown() {
    Shell s;
    s.showBurstPage(BurstTab::HashModules);
    s.find<QCheckBox>("CheckBoxAutoAdd")->click();
    const auto burst = ravlin::testing::plainBurst(0x2468ACEu);
    s.process(burst);
    const HashResult one = Hash1bit(burst);
    const QString hash = QStringLiteral("00") + ver1Text(EncodeVer1(burst, one.threshold));
    QCOMPARE(s.find<QLineEdit>("EditPebr")->text(), hash);
    QCOMPARE(s.find<QLabel>("LabelHs2")->text(), statusText(one.code, one.record));
    QCOMPARE(s.find<QLineEdit>("EditA3")->text(), IntToBase(one.threshold, 16));
    QVERIFY(s.find<QLabel>("LabelMin")->text().startsWith(QStringLiteral("Min=")));
    QCOMPARE(s.parts->base.count(), 1);
    QVERIFY(s.parts->poller.isPolling());
}

void TestCapturePipelineUi::irDistributionDrawAndClear() {
    Shell s;
    s.process(ravlin::testing::plainBurst(0x1111111u));
    s.find<QPushButton>("Button2")->click();
    const std::size_t withData = s.parts->pipeline.irDistribution().ops.size();
    s.find<QPushButton>("Button16")->click();
    s.find<QPushButton>("Button2")->click();
    QCOMPARE(s.parts->pipeline.irDistribution().ops.size(), std::size_t{1 + 2 * 10 * 52});
    QVERIFY(withData > s.parts->pipeline.irDistribution().ops.size());
    s.find<QRadioButton>("RadioButtonW2")->click();
    QCOMPARE(s.parts->pipeline.distributionSettings().show, DistributionShow::FirstOnly);
    s.find<QCheckBox>("CheckBox8")->click();
    QVERIFY(!s.parts->baseEditor.settings().clearDistributionWithBase);
}

void TestCapturePipelineUi::sourcesWindowListsFiles() {
    const auto burst = ravlin::testing::plainBurst(0x0C0C0C0u);
    const HashResult one = Hash1bit(burst);
    const QString hash = QStringLiteral("00") + ver1Text(EncodeVer1(burst, one.threshold));
    Shell s({QStringLiteral("; demo"), hash, QStringLiteral("/tv1.txt/tv2.txt")});
    s.parts->analogues.load(AnalogueBase::filePath(s.dir.path()));
    s.showBurstPage(BurstTab::ReceivedData);
    s.process(burst);
    QCOMPARE(s.find<QLabel>("LabelD1")->text(), QStringLiteral("КНОПКА ЕСТЬ В БАЗЕ."));
    auto* see = s.find<QPushButton>("ButtonHsSm");
    QVERIFY(!see->isHidden());

    SourcesWindow* window = &s.windows->sourcesWindow();
    QVERIFY(window);
    s.parts->poller.startPolling();
    QString listed;
    bool pausedMeanwhile = false;
    QTimer::singleShot(0, window, [&] {
        pausedMeanwhile = !s.parts->poller.isPolling();
        s.scheduler.advance(50);
        listed = window->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->toPlainText();
        window->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    });
    see->click();
    QVERIFY(pausedMeanwhile);
    QCOMPARE(listed, QStringLiteral("tv1.txt\ntv2.txt"));
    QCOMPARE(window->findChild<QLineEdit*>(QStringLiteral("Edit1"))->text(), hash);
    QVERIFY(s.parts->poller.isPolling());
}

QTEST_MAIN(TestCapturePipelineUi)
#include "test_capture_pipeline.moc"
