#include "acquisition/core/receiver_kind.h"
#include "formats/core/mode2.h"
#include "formats/core/signal_generator.h"

#include <QtTest>

using namespace ravlin;

// Conversion and framing of the receivers' data, per burst.
class BenchAcquisition : public QObject {
    Q_OBJECT

private slots:
    void convertMovrikBlock() {
        const auto bytes =
            encodeMicros(ReceiverKind::Movrik, SignalGenerator::pulseDistance48({1, 2, 3, 4, 5, 6}));
        QBENCHMARK {
            const auto d = convertRawBlock(ReceiverKind::Movrik, bytes);
            QVERIFY(!d.empty());
        }
    }

    void encodeNecFrame() {
        const auto nec = SignalGenerator::nec(0x04, 0x08);
        QBENCHMARK {
            const auto b = encodeMicros(ReceiverKind::Movrik, nec);
            QVERIFY(!b.empty());
        }
    }

    void frameDemoSamples() {
        std::vector<Mode2Sample> samples;
        for (int i = 0; i < 20; ++i) {
            const auto m = SignalGenerator::rc5(i % 2, 5, static_cast<std::uint8_t>(i));
            for (std::size_t k = 0; k < m.size(); ++k)
                samples.push_back({k % 2 ? Mode2Sample::Type::Space : Mode2Sample::Type::Pulse, m[k]});
            samples.push_back({Mode2Sample::Type::Space, 100000});
        }
        QBENCHMARK {
            const auto bursts = frameMode2(samples);
            QCOMPARE(bursts.size(), std::size_t(20));
        }
    }
};

QTEST_GUILESS_MAIN(BenchAcquisition)
#include "bench_acquisition.moc"
