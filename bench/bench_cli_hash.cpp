// ravlin-cli hash end to end (parse, process, JSON) over 100,000 NEC bursts with the jitter of a real
// receiver, as microsecond lists and as mode2 text piped to standard input. Prints bursts per second
// of wall time and of the tool's own CPU time (the machine may be shared).
#include "formats/core/signal_generator.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryFile>
#include <QtTest>

#include <sys/resource.h>

using namespace ravlin;

namespace {
constexpr int kBursts = 100000;

QByteArray necInput(bool mode2) {
    QRandomGenerator random(1);
    QByteArray out;
    out.reserve(mode2 ? 72 * 1000 * 1000 : 30 * 1000 * 1000);
    for (int i = 0; i < kBursts; ++i) {
        const auto frame =
            SignalGenerator::nec(std::uint8_t(random.bounded(256)), std::uint8_t(random.bounded(256)));
        for (std::size_t k = 0; k < frame.size(); ++k) {
            const int us = int(frame[k]) + random.bounded(-60, 61);
            if (mode2) {
                out += (k % 2 == 0 ? "pulse " : "space ") + QByteArray::number(us) + '\n';
            } else {
                if (k > 0) out += ' ';
                out += QByteArray::number(us);
            }
        }
        out += mode2 ? "space 40000\n" : "\n";
    }
    return out;
}

double childCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void run(const QStringList& args, const QByteArray& input) {
    QTemporaryFile file;
    QVERIFY(file.open());
    file.write(input);
    file.close();
    QProcess p;
    p.setStandardInputFile(file.fileName());
    p.setStandardOutputFile(QProcess::nullDevice());
    const double cpuBefore = childCpuSeconds();
    QElapsedTimer clock;
    QBENCHMARK_ONCE {
        clock.start();
        p.start(QStringLiteral(RAVLIN_CLI), args);
        QVERIFY(p.waitForFinished(600000));
    }
    const double wall = clock.nsecsElapsed() / 1e9;
    const double cpu = childCpuSeconds() - cpuBefore;
    QCOMPARE(p.exitCode(), 0);
    qInfo("%s: %d bursts, %.0f bursts/s wall, %.0f bursts/s CPU", qPrintable(args.join(QLatin1Char(' '))),
          kBursts, kBursts / wall, kBursts / cpu);
}
} // namespace

class BenchCliHash : public QObject {
    Q_OBJECT

private slots:
    void microsecondList() { run({QStringLiteral("hash"), QStringLiteral("--us")}, necInput(false)); }
    void mode2Text() { run({QStringLiteral("hash"), QStringLiteral("--mode2")}, necInput(true)); }
};

QTEST_GUILESS_MAIN(BenchCliHash)
#include "bench_cli_hash.moc"
