// One processing run over realistic bursts (a decoded frame and a hashed one), and the drawing data
// of the variable-distribution picture.
#include "capture/pipeline_fixture.h"

#include <QtTest>

using namespace ravlin;
using namespace ravlin::testing;

class BenchPipeline : public QObject {
    Q_OBJECT

private slots:
    void decodedRun();
    void hashedRun();
    void hashedRunOnHashTab();
    void hashedRunOnFullBase();
    void variableDistributionDrawing();
    void irDistributionDrawing();
};

void BenchPipeline::decodedRun() {
    PipelineRig rig;
    const auto frame = pulseDistanceFrame({0x20, 0xDF, 0x10, 0xEF});
    for (auto d : frame)
        rig.buffer.append(d);
    QBENCHMARK {
        rig.pipeline.run();
    }
    QVERIFY(rig.pipeline.recognised());
}

void BenchPipeline::hashedRun() {
    PipelineRig rig;
    for (auto d : plainBurst(0x2468ACEu))
        rig.buffer.append(d);
    rig.pipeline.settings().autoAdd = true;
    QBENCHMARK {
        rig.pipeline.run();
    }
    QVERIFY(rig.working.hash.startsWith(QStringLiteral("00")));
}

void BenchPipeline::hashedRunOnHashTab() {
    PipelineRig rig;
    rig.hashTab = true;
    rig.panel.xBit = true;
    for (auto d : plainBurst(0x1357ACEu))
        rig.buffer.append(d);
    QBENCHMARK {
        rig.pipeline.run();
    }
}

// A new burst against a full base of 750 records: the lookup scans them all, the automatic add
// asks nothing (the name is N/A) and replaces record 750 with its beep.
void BenchPipeline::hashedRunOnFullBase() {
    PipelineRig rig;
    for (int i = 1; i <= ButtonBase::kCapacity; ++i) {
        ButtonRecord r;
        r.remoteName = QStringLiteral("Пульт");
        r.buttonName = QStringLiteral("Key %1").arg(i % 10);
        r.hash = QStringLiteral("00%1").arg(i, 12, 16, QLatin1Char('0')).toUpper();
        rig.base.append(r);
    }
    for (auto d : plainBurst(0x2468ACEu))
        rig.buffer.append(d);
    rig.pipeline.settings().autoAdd = true;
    QBENCHMARK {
        rig.pipeline.run();
    }
    QCOMPARE(rig.base.count(), ButtonBase::kCapacity);
}

void BenchPipeline::variableDistributionDrawing() {
    DurationHistogram h;
    Hash1bit(plainBurst(0x2468ACEu), &h);
    QBENCHMARK {
        Picture p{kImage2Width, kImage2Height, {}};
        p.fill(ViewColour::Black);
        drawVariableDistribution(p, h, 60);
    }
}

void BenchPipeline::irDistributionDrawing() {
    PositionDistribution map;
    for (unsigned k = 0; k < 50; ++k)
        map.markBurst(plainBurst(k * 0x1111u), 3);
    DistributionSettings settings;
    settings.lastInLower = false;
    QBENCHMARK {
        Picture p{kImage3Width, kImage3Height, {}};
        drawPositionDistribution(p, map, settings);
    }
}

QTEST_GUILESS_MAIN(BenchPipeline)
#include "bench_pipeline.moc"
