#include "capture/core/signal_import.h"
#include "formats/core/signal_files.h"
#include "formats/core/signal_generator.h"

#include <QtTest>

using namespace ravlin;

namespace {

// Mode2 text of 750 NEC frames (several remotes' addresses, every command), as a big remote file.
QString mode2File750() {
    QVector<Burst> bursts;
    for (int i = 0; i < ButtonBase::kCapacity; ++i) {
        Burst b;
        for (auto us : SignalGenerator::nec(static_cast<std::uint8_t>(i / 256), static_cast<std::uint8_t>(i)))
            b.durations << static_cast<int>(us);
        bursts << b;
    }
    return writeSignals(bursts, SignalFormat::Mode2);
}

} // namespace

// The work of "&Import Signals...": reading the file happens in the command itself, the records
// are made a chunk of 50 signals per timer tick.
class BenchImportSignals : public QObject {
    Q_OBJECT

private slots:
    void readFile750Signals() {
        const QString text = mode2File750();
        QBENCHMARK {
            const ReadResult r = readSignals(text, SignalFormat::Mode2);
            QCOMPARE(r.bursts.size(), ButtonBase::kCapacity);
        }
    }

    void importChunkOf50() {
        const ReadResult r = readSignals(mode2File750(), SignalFormat::Mode2);
        const QVector<Burst> chunk = r.bursts.mid(0, 50);
        QBENCHMARK {
            const SignalImport imported = importBursts(chunk, QStringLiteral("bench"), {});
            QCOMPARE(imported.records.size(), std::size_t(50));
        }
    }
};

QTEST_GUILESS_MAIN(BenchImportSignals)
#include "bench_import_signals.moc"
