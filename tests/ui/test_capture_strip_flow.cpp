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
        wb.setActivePage(MainPage::Burst, BurstTab::ReceivedData);
        wb.base().append(recordOf({100, 200, 463}, QStringLiteral("H1")));
        wb.poller().startPolling();
        wb.baseEditor().settings().recordNumber = QStringLiteral("1");
        wb.baseEditor().goToRecord();

        QCOMPARE(wb.capture().count, 3);
        QVERIFY(wb.capture().fromRecord);
        QCOMPARE(wb.capture().pixelScale, 1.0);
        QCOMPARE(wb.oscillogram().view().lengthLabel, QStringLiteral("Length : 3"));
        QCOMPARE(wb.oscillogram().drawing().lines.back().x2, 773);
        QVERIFY(!wb.poller().isPolling()); // processing has the burst now
        QCOMPARE(wb.baseEditor().settings().remoteName, QStringLiteral("TV"));
        f.scheduler.advance(50);
        QVERIFY(wb.poller().isPolling()); // the run ended and polling went on
    }

    void goToRecordOnAnotherPageLeavesTheStripBlack() {
        test::ShellFixture f;
        Workbench& wb = *f.wb;
        wb.setActivePage(MainPage::Burst, BurstTab::ReceivedData);
        wb.base().append(recordOf({100, 200, 463}, QStringLiteral("H1")));
        wb.baseEditor().goToRecord();
        QVERIFY(!wb.oscillogram().drawing().lines.empty());
        wb.setActivePage(MainPage::HexBaza, BurstTab::ReceivedData);
        wb.baseEditor().goToRecord();
        QVERIFY(wb.oscillogram().drawing().lines.empty());
        QVERIFY(wb.oscillogram().stripCleared());
        QCOMPARE(wb.oscillogram().view().lengthLabel, QString());
    }

    void clearingTheBaseResetsTheStrip() {
        test::ShellFixture f;
        Workbench& wb = *f.wb;
        wb.setActivePage(MainPage::Burst, BurstTab::ReceivedData);
        wb.base().append(recordOf({100, 200, 463}, QStringLiteral("H1")));
        wb.baseEditor().goToRecord();
        f.scheduler.advance(50);
        f.dialogs.answers << Answer::Yes;
        wb.baseEditor().clearBase();
        QCOMPARE(wb.base().count(), 0);
        QVERIFY(wb.oscillogram().drawing().lines.empty());
        QCOMPARE(wb.burstFields().hash, WorkingRecord::kHashPlaceholder);
        QCOMPARE(wb.burstFields().timings[0], WorkingRecord::kTimingPlaceholder);
    }
};

QTEST_MAIN(TestCaptureStripFlow)
#include "test_capture_strip_flow.moc"
