#include "acquisition/core/poller.h"
#include "shell/shell_fixture.h"

#include <QtTest>

#include <vector>

using namespace ravlin;

// Going to a record on the workbench: the burst is rebuilt, drawn on the strip and handed to
// processing; clearing the base resets the strip.
class TestCaptureStripFlow : public QObject {
    Q_OBJECT

    static ButtonRecord recordOf(const std::vector<std::int32_t>& durations, const QString& hash) {
        ButtonRecord r;
        r.remoteName = QStringLiteral("TV");
        r.buttonName = QStringLiteral("PW");
        r.hash = hash;
        r.timings = timingTextsOf(durations);
        return r;
    }

private slots:
    void goToRecordDrawsAndProcesses() {
        test::ShellFixture f;
        Workbench& wb = *f.wb;
        WorkbenchParts& parts = *f.parts;
        wb.setActivePage(MainPage::Burst, BurstTab::ReceivedData);
        parts.base.append(recordOf({100, 200, 463}, QStringLiteral("H1")));
        parts.poller.startPolling();
        parts.baseEditor.settings().recordNumber = QStringLiteral("1");
        parts.baseEditor.goToRecord();

        QCOMPARE(parts.capture.count, 3);
        QVERIFY(parts.capture.fromRecord);
        QCOMPARE(parts.capture.pixelScale, 1.0);
        QCOMPARE(parts.oscillogram.view().lengthLabel, QStringLiteral("Length : 3"));
        QCOMPARE(parts.oscillogram.drawing().lines.back().x2, 773);
        QVERIFY(!parts.poller.isPolling()); // processing has the burst now
        QCOMPARE(parts.baseEditor.settings().remoteName, QStringLiteral("TV"));
        f.scheduler.advance(50);
        QVERIFY(parts.poller.isPolling()); // the run ended and polling went on
    }

    void goToRecordOnAnotherPageLeavesTheStripBlack() {
        test::ShellFixture f;
        Workbench& wb = *f.wb;
        WorkbenchParts& parts = *f.parts;
        wb.setActivePage(MainPage::Burst, BurstTab::ReceivedData);
        parts.base.append(recordOf({100, 200, 463}, QStringLiteral("H1")));
        parts.baseEditor.goToRecord();
        QVERIFY(!parts.oscillogram.drawing().lines.empty());
        wb.setActivePage(MainPage::HexBaza, BurstTab::ReceivedData);
        parts.baseEditor.goToRecord();
        QVERIFY(parts.oscillogram.drawing().lines.empty());
        QVERIFY(parts.oscillogram.stripCleared());
        QCOMPARE(parts.oscillogram.view().lengthLabel, QString());
    }

    void clearingTheBaseResetsTheStrip() {
        test::ShellFixture f;
        Workbench& wb = *f.wb;
        WorkbenchParts& parts = *f.parts;
        wb.setActivePage(MainPage::Burst, BurstTab::ReceivedData);
        parts.base.append(recordOf({100, 200, 463}, QStringLiteral("H1")));
        parts.baseEditor.goToRecord();
        f.scheduler.advance(50);
        f.dialogs.answers << Answer::Yes;
        parts.baseEditor.clearBase();
        QCOMPARE(parts.base.count(), 0);
        QVERIFY(parts.oscillogram.drawing().lines.empty());
        QCOMPARE(parts.burstFields.hash, WorkingRecord::kHashPlaceholder);
        QCOMPARE(parts.burstFields.timings[0], WorkingRecord::kTimingPlaceholder);
    }
};

QTEST_MAIN(TestCaptureStripFlow)
#include "test_capture_strip_flow.moc"
