#include "firmware/firmware_records.h"
#include "hashing/core/number_text.h"
#include "shell_fixture.h"

#include <QSignalSpy>
#include <QtTest>

using namespace ravlin;
using ravlin::test::firmwareRecord;
using ravlin::test::pattern;

class WorkbenchFirmwareTest : public QObject {
    Q_OBJECT

private slots:
    void fittingAfterOneBitRescan();
    void openingRefusedWithoutOneBit();
};

namespace {

void fillBase(Workbench& wb, int count) {
    for (int i = 0; i < count; ++i)
        wb.base().append(firmwareRecord(QStringLiteral("N/A"), QString::number(i),
                                        pattern(30, {30 - 2 * (i % 8), 29 - 2 * (i / 8), 3})));
}

} // namespace

void WorkbenchFirmwareTest::fittingAfterOneBitRescan() {
    test::ShellFixture f;
    Workbench& wb = *f.wb;
    fillBase(wb, 6);
    wb.hashPanel().source = HashSource::OneBit;
    wb.pipeline().applyPanel();
    wb.rescan().pressRescan();
    f.scheduler.advance(20000);
    QVERIFY(!wb.rescan().isRunning());
    QVERIFY(wb.rescanFlags().rescanned);

    QSignalSpy shown(&wb, &Workbench::fittingWindowRequested);
    QVERIFY(wb.openFittingWindow());
    QCOMPARE(shown.count(), 1);
    QCOMPARE(f.dialogs.events.last(), QStringLiteral("yesno: ") + FittingText::kFewerThan15);

    wb.baseEditor().settings().recordNumber = QStringLiteral("4");
    wb.hashPanel().threshold = QStringLiteral("7F");
    wb.fitting().scan();
    QCOMPARE(wb.baseEditor().settings().recordNumber, QStringLiteral("1"));
    f.scheduler.advance(Fitting::kIntervalMs);
    QVERIFY(wb.fitting().patchReady());
    // KnPer is "Порог" as the scan's go-to-record left it, not as it was when the scan began.
    QVERIFY(wb.hashPanel().threshold != QStringLiteral("7F"));
    QCOMPARE(wb.fitting().settings().box(HashVariableSet::Per),
             ByteHex(StrToBase(wb.hashPanel().threshold, 16)));
    QCOMPARE(wb.fitting().view().patch.at(1), QStringLiteral("; Имя пульта     - TV"));
    QCOMPARE(wb.fitting().table().count(), 6);
}

void WorkbenchFirmwareTest::openingRefusedWithoutOneBit() {
    test::ShellFixture f;
    Workbench& wb = *f.wb;
    fillBase(wb, 20);
    wb.rescanFlags().rescanned = true;
    QSignalSpy shown(&wb, &Workbench::fittingWindowRequested);
    QVERIFY(!wb.openFittingWindow());
    QVERIFY(!wb.rescanFlags().rescanned);
    QCOMPARE(f.dialogs.events, (QStringList{"beep", "info: " + FittingText::kSelectOneBit}));
    // The test-mode switch skips the checks.
    wb.testArea().settings().testSwitch = true;
    QVERIFY(wb.openFittingWindow());
    QCOMPARE(shown.count(), 1);
}

QTEST_GUILESS_MAIN(WorkbenchFirmwareTest)
#include "test_workbench_firmware.moc"
