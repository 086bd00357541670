// The import core over a full base's worth of signals (750 NEC frames, target under 100 ms), and the
// known-remotes builder over 10,000 remotes of four named buttons and a few others each (target under
// 10 s for the hashing part of "ravlin-cli known-remotes").
#include "capture/core/known_remotes_builder.h"
#include "capture/core/signal_import.h"
#include "formats/core/signal_generator.h"

#include <QtTest>

using namespace ravlin;

namespace {
Burst named(const SignalGenerator::Micros& micros, const QString& name) {
    return Burst{QVector<int>(micros.begin(), micros.end()), name, 1};
}
} // namespace

class BenchSignalImport : public QObject {
    Q_OBJECT

private slots:
    void import750Signals() {
        QVector<Burst> bursts;
        for (int i = 0; i < 750; ++i)
            bursts << named(SignalGenerator::nec(std::uint8_t(i / 256), std::uint8_t(i % 256)),
                            QStringLiteral("vol+"));
        SignalImport imported;
        QBENCHMARK {
            imported = importBursts(bursts, QStringLiteral("remote"), {});
        }
        QCOMPARE(int(imported.records.size()), 750);
    }

    void knownRemotesOf10000Files() {
        const QStringList names{QStringLiteral("Power"), QStringLiteral("Key_1"),  QStringLiteral("Play"),
                                QStringLiteral("Stop"),  QStringLiteral("Vol_up"), QStringLiteral("Mute")};
        std::vector<QVector<Burst>> files(10000);
        for (int f = 0; f < 10000; ++f)
            for (int b = 0; b < names.size(); ++b)
                files[std::size_t(f)]
                    << named(SignalGenerator::nec(std::uint8_t(f % 97), std::uint8_t(b + f % 13)), names[b]);
        KnownRemotesBuilder builder;
        QBENCHMARK_ONCE {
            for (int f = 0; f < 10000; ++f)
                builder.addFile(QStringLiteral("r%1.ir").arg(f), files[std::size_t(f)]);
            QCOMPARE(builder.lines(QStringLiteral(";")).size() > 1, true);
        }
        QCOMPARE(builder.buttons(), 40000);
    }
};

QTEST_GUILESS_MAIN(BenchSignalImport)
#include "bench_signal_import.moc"
