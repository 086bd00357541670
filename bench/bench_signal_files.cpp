#include "formats/core/signal_files.h"
#include "formats/core/signal_generator.h"

#include <QtTest>

using namespace ravlin;

namespace {

// 750 named NEC frames (a full base) in microseconds.
QVector<Burst> generatedBursts() {
    QVector<Burst> bursts;
    for (int i = 0; i < 750; ++i) {
        const auto m = *SignalGenerator::encode(SignalGenerator::Protocol::NEC, i % 256, (i * 7) % 256);
        bursts.push_back({QVector<int>(m.begin(), m.end()), QStringLiteral("Key %1").arg(i), 0});
    }
    return bursts;
}

} // namespace

class BenchSignalFiles : public QObject {
    Q_OBJECT

private slots:
    void read750_data() {
        QTest::addColumn<QString>("format");
        for (const char* f : {"flipper", "lircd", "pronto", "mode2"})
            QTest::newRow(f) << QString::fromLatin1(f);
    }

    // Reading a file of 750 signals (the import of a full base).
    void read750() {
        QFETCH(QString, format);
        const SignalFormat f = *signalFormatFromName(format);
        const QString text = writeSignals(generatedBursts(), f);
        ReadResult r;
        QBENCHMARK {
            r = readSignals(text, f);
        }
        QCOMPARE(r.bursts.size(), 750);
    }

    void write750() {
        const QVector<Burst> bursts = generatedBursts();
        QString text;
        QBENCHMARK {
            text = writeSignals(bursts, SignalFormat::Flipper);
        }
        QVERIFY(!text.isEmpty());
    }
};

QTEST_GUILESS_MAIN(BenchSignalFiles)
#include "bench_signal_files.moc"
