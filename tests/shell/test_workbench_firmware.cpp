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

void fillBase(WorkbenchParts& parts, int count) {
    for (int i = 0; i < count; ++i)
        parts.base.append(firmwareRecord(QStringLiteral("N/A"), QString::number(i),
                                         pattern(30, {30 - 2 * (i % 8), 29 - 2 * (i / 8), 3})));
}

} // namespace

void WorkbenchFirmwareTest::fittingAfterOneBitRescan() {
    test::ShellFixture f;
    Workbench& wb = *f.wb;
    WorkbenchParts& parts = *f.parts;
    fillBase(parts, 6);
    parts.hashPanel.source = HashSource::OneBit;
    parts.pipeline.applyPanel();
    parts.rescan.pressRescan();
    f.scheduler.advance(20000);
    QVERIFY(!parts.rescan.isRunning());
    QVERIFY(parts.rescanFlags.rescanned);

    QSignalSpy shown(&wb, &Workbench::fittingWindowRequested);
    QVERIFY(wb.openFittingWindow());
    QCOMPARE(shown.count(), 1);
    QCOMPARE(f.dialogs.events.last(), QStringLiteral("yesno: ") + FittingText::kFewerThan15);

    parts.baseEditor.settings().recordNumber = QStringLiteral("4");
    parts.hashPanel.threshold = QStringLiteral("7F");
    parts.fitting.scan();
    QCOMPARE(parts.baseEditor.settings().recordNumber, QStringLiteral("1"));
    f.scheduler.advance(Fitting::kIntervalMs);
    QVERIFY(parts.fitting.patchReady());
    // KnPer is "Порог" as the scan's go-to-record left it, not as it was when the scan began.
    QVERIFY(parts.hashPanel.threshold != QStringLiteral("7F"));
    QCOMPARE(parts.fitting.settings().box(HashVariableSet::Per),
             ByteHex(StrToBase(parts.hashPanel.threshold, 16)));
    QCOMPARE(parts.fitting.view().patch.at(1), QStringLiteral("; Имя пульта     - TV"));
    QCOMPARE(parts.fitting.table().count(), 6);
}

void WorkbenchFirmwareTest::openingRefusedWithoutOneBit() {
    test::ShellFixture f;
    Workbench& wb = *f.wb;
    WorkbenchParts& parts = *f.parts;
    fillBase(parts, 20);
    parts.rescanFlags.rescanned = true;
    QSignalSpy shown(&wb, &Workbench::fittingWindowRequested);
    QVERIFY(!wb.openFittingWindow());
    QVERIFY(!parts.rescanFlags.rescanned);
    QCOMPARE(f.dialogs.events, (QStringList{"beep", "info: " + FittingText::kSelectOneBit}));
    // The test-mode switch skips the checks.
    parts.testArea.settings().testSwitch = true;
    QVERIFY(wb.openFittingWindow());
    QCOMPARE(shown.count(), 1);
}

QTEST_GUILESS_MAIN(WorkbenchFirmwareTest)
#include "test_workbench_firmware.moc"
