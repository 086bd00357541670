// The shipped known-remotes base holds hashes of the demo capture's buttons: every key line of
// data/Tarnisk/OpisPl/BazaDannih.baz must be what a processing run gives for one of its bursts, so a
// newcomer sees "КНОПКА ЕСТЬ В БАЗЕ." on the demo.
#include "acquisition/core/receiver_kind.h"
#include "base/core/analogue_base.h"
#include "base/core/analogue_lookup.h"
#include "capture/core/pipeline.h"
#include "formats/core/capture_file.h"
#include "platform/core/text_file.h"

#include <QSet>
#include <QtTest>

using namespace ravlin;

class TestPipelineDemoBase : public QObject {
    Q_OBJECT

private slots:
    void everyKeyIsADemoButton();
};

void TestPipelineDemoBase::everyKeyIsADemoButton() {
    const QString data = QStringLiteral(RAVLIN_SOURCE_DIR) + QStringLiteral("/data");
    bool ok = false;
    const CaptureFile capture = CaptureFile::read(data + QStringLiteral("/captures/demo.cap"), &ok);
    QVERIFY(ok);
    QVERIFY(!capture.bursts.empty());

    HashPanelSettings panel;
    DecoderSettings decoder;
    DurationHistogram histogram;
    QSet<QString> hashes;
    for (const CapturedBurst& b : capture.bursts) {
        const std::vector<std::int32_t> d = convertRawBlock(b.kind, b.bytes);
        if (d.size() <= 3) continue; // repeat signals never reach processing
        const RunOutcome out = computeHash(d, panel, decoder, &histogram);
        writeBackThreshold(panel, out.threshold);
        hashes.insert(out.selection);
    }

    AnalogueBase base;
    QCOMPARE(base.load(AnalogueBase::filePath(data)), AnalogueBase::LoadResult::Loaded);
    QVERIFY(base.count() >= 4);
    for (int i = 1; i <= base.count(); ++i)
        QVERIFY2(hashes.contains(base.entry(i)), qPrintable(base.entry(i)));

    // Each key has its sources line.
    const auto lines = TextLines::read(AnalogueBase::filePath(data));
    QVERIFY(lines.has_value());
    for (int i = 1; i <= base.count(); ++i)
        QVERIFY(!hashSourcesOf(lines->lines(), base.entry(i)).isEmpty());
}

QTEST_GUILESS_MAIN(TestPipelineDemoBase)
#include "test_pipeline_demo_base.moc"
