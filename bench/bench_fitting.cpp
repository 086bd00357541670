// One fitting run (bounds, pause, the breaking-point search with its 49 table builds and duplicate
// counts, the patch) over a full base of 750 records of 67 durations each.
#include "fakes/manual_scheduler.h"
#include "fakes/scripted_dialogs.h"
#include "fakes/simple_fakes.h"
#include "firmware/core/fitting.h"
#include "hashing/core/number_text.h"

#include <QtTest>

using namespace ravlin;

class BenchFitting : public QObject {
    Q_OBJECT

private slots:
    void fittingRunOnFullBase_data();
    void fittingRunOnFullBase();
};

namespace {

// A pulse-distance frame of 32 bits: leader, 64 bit durations, stop mark (67 durations).
ButtonRecord frameRecord(std::uint32_t bits, int index) {
    ButtonRecord r;
    r.remoteName = QStringLiteral("Пульт");
    r.buttonName = QStringLiteral("Key %1").arg(index % 10);
    r.hash = QStringLiteral("00%1").arg(index, 12, 16, QLatin1Char('0'));
    QString text = IntToBaseWidth(422, 16, 3) + IntToBaseWidth(211, 16, 3);
    for (int b = 0; b < 32; ++b)
        text += IntToBaseWidth(26, 16, 3) + IntToBaseWidth((bits >> b) & 1 ? 79 : 26, 16, 3);
    text += IntToBaseWidth(26, 16, 3);
    for (int t = 0; t < kTimingTextCount && !text.isEmpty(); ++t) {
        r.timings[static_cast<std::size_t>(t)] = text.left(3 * kDurationsPerTimingText);
        text = text.mid(3 * kDurationsPerTimingText);
    }
    return r;
}

} // namespace

void BenchFitting::fittingRunOnFullBase_data() {
    QTest::addColumn<bool>("distinct");
    QTest::newRow("750 distinct buttons") << true;
    QTest::newRow("750 records, 75 buttons") << false;
}

void BenchFitting::fittingRunOnFullBase() {
    QFETCH(bool, distinct);
    ButtonBase base;
    std::uint32_t x = 0x2468ACEu;
    for (int i = 1; i <= ButtonBase::kCapacity; ++i) {
        x = x * 1664525u + 1013904223u;
        base.append(frameRecord(distinct ? x : 0x00FF0000u | std::uint32_t(i % 75), distinct ? i : i % 75));
    }
    RescanFlags flags{true, false};
    fakes::ScriptedDialogs dialogs;
    fakes::ManualScheduler scheduler;
    fakes::FixedClock clock;
    SeededRandom random;
    const HashPanelSettings panel; // "Порог" 3B
    const ReceptionSettings reception;
    const TestAreaSettings testArea;
    BaseEntry entry;
    RecordCursor cursor(entry, base);
    Fitting fitting(base, flags, dialogs, scheduler, clock, random, panel, reception, testArea, cursor);
    fitting.settings().automatic = false;
    fitting.settings().box(HashVariableSet::Bit) = QStringLiteral("20");
    QBENCHMARK {
        fitting.tick();
    }
    QVERIFY(fitting.patchReady());
}

QTEST_GUILESS_MAIN(BenchFitting)
#include "bench_fitting.moc"
