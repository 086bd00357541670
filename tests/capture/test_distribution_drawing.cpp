#include "capture/core/distribution_drawing.h"

#include <QtTest>

#include <algorithm>
#include <limits>
#include <vector>

using namespace ravlin;

namespace {
Picture image3() {
    return Picture{kImage3Width, kImage3Height, {}};
}

std::vector<PictureOp> linesOf(const Picture& p, ViewColour colour) {
    std::vector<PictureOp> out;
    std::copy_if(p.ops.begin(), p.ops.end(), std::back_inserter(out), [&](const PictureOp& op) {
        return op.kind == PictureOp::Kind::Line && op.colour == colour;
    });
    return out;
}

PositionDistribution sampleMap() {
    PositionDistribution map;
    map.mark(1, 1, 100); // row 1, position 1
    map.mark(2, 2, 200); // row 2, position 2
    map.mark(3, 3, 300); // row 3, position 3
    return map;
}
} // namespace

class TestDistributionDrawing : public QObject {
    Q_OBJECT

private slots:
    void clearedMapShowsOnlyTickDots();
    void rowsByChoice_data();
    void rowsByChoice();
    void histogramDrawing();
    void histogramEqualBoundsGuard();
    void thresholdFarOutsideRange_data();
    void thresholdFarOutsideRange();
    void labelHexDropsLeadingZero_data();
    void labelHexDropsLeadingZero();
};

void TestDistributionDrawing::clearedMapShowsOnlyTickDots() {
    PositionDistribution map = sampleMap();
    map.clear();
    Picture p = image3();
    p.line(1, 1, 2, 2, ViewColour::Red); // anything drawn before is wiped
    drawPositionDistribution(p, map, DistributionSettings{});
    QCOMPARE(p.ops.front().kind, PictureOp::Kind::Fill);
    QCOMPARE(p.ops.front().colour, ViewColour::Black);
    QCOMPARE(p.ops.size(), std::size_t{1 + 2 * 10 * 52});
    for (std::size_t i = 1; i < p.ops.size(); ++i) {
        const PictureOp& op = p.ops[i];
        QCOMPARE(op.kind, PictureOp::Kind::Pixel);
        QCOMPARE(op.colour, ViewColour::Yellow);
        QCOMPARE(op.x1 % 10, 0);
        QVERIFY(op.x1 <= 510);
        QCOMPARE((op.y1 % 140 - 4) % 12, 0);
    }
    QCOMPARE(p.ops[1], (PictureOp{PictureOp::Kind::Pixel, 0, 4, 0, 4, ViewColour::Yellow}));
    QCOMPARE(p.ops.back(), (PictureOp{PictureOp::Kind::Pixel, 510, 252, 510, 252, ViewColour::Yellow}));
}

void TestDistributionDrawing::rowsByChoice_data() {
    QTest::addColumn<int>("show");
    QTest::addColumn<bool>("lastInLower");
    QTest::addColumn<QString>("expected"); // the dashes, as "colour:x:y" in drawing order
    QTest::newRow("all, tails below")
        << static_cast<int>(DistributionShow::All) << true << QStringLiteral("S:300:158 R:100:6");
    QTest::newRow("all, tails above")
        << static_cast<int>(DistributionShow::All) << false << QStringLiteral("S:300:18 R:100:6 R:200:152");
    QTest::newRow("first only") << static_cast<int>(DistributionShow::FirstOnly) << true
                                << QStringLiteral("R:100:6");
    QTest::newRow("last only") << static_cast<int>(DistributionShow::LastOnly) << true
                               << QStringLiteral("S:300:158");
    QTest::newRow("last only, tails above")
        << static_cast<int>(DistributionShow::LastOnly) << false << QStringLiteral("S:300:18 R:200:152");
}

void TestDistributionDrawing::rowsByChoice() {
    QFETCH(int, show);
    QFETCH(bool, lastInLower);
    QFETCH(QString, expected);
    Picture p = image3();
    drawPositionDistribution(p, sampleMap(),
                             DistributionSettings{static_cast<DistributionShow>(show), lastInLower});
    QStringList got;
    for (const PictureOp& op : p.ops) {
        if (op.kind != PictureOp::Kind::Line) continue;
        QCOMPARE(op.x2, op.x1);
        QCOMPARE(op.y2, op.y1 + 3);
        got << QStringLiteral("%1:%2:%3")
                   .arg(op.colour == ViewColour::Silver ? QStringLiteral("S") : QStringLiteral("R"))
                   .arg(op.x1)
                   .arg(op.y1);
    }
    QCOMPARE(got.join(QLatin1Char(' ')), expected);
}

void TestDistributionDrawing::histogramDrawing() {
    DurationHistogram h;
    h.min = 20;
    h.max = 40;
    h.hist[20] = 10;
    h.hist[30] = 1; // small but present: raised to 5 pixels
    h.hist[40] = 40;
    Picture p{kImage2Width, kImage2Height, {}};
    const HistogramLabels labels = drawVariableDistribution(p, h, 26);
    QCOMPARE(labels.min, QStringLiteral("Min=14"));
    QCOMPARE(labels.max, QStringLiteral("Max=28"));
    QCOMPARE(labels.medium, QStringLiteral("Medium=1E"));
    QVERIFY(!labels.divisionGuard);
    const int w = kImage2Width - 16;
    const int h2 = kImage2Height;
    const double xs = double(w) / 20;
    const auto x = [&](int v) { return int((v - 20) * xs + 2); };
    QCOMPARE(p.ops.front(), (PictureOp{PictureOp::Kind::Line, x(26), h2, x(26), 3, ViewColour::Red}));
    const auto tents = linesOf(p, ViewColour::Yellow);
    QCOMPARE(tents.size(), std::size_t{2 * 21});
    const double ys = double(h2) / (40 + 4);
    // v = 20: up to y = trunc(10 * ys).
    QCOMPARE(tents[0].y2, h2 - int(10 * ys));
    QCOMPARE(tents[0].x1, x(20));
    QCOMPARE(tents[1].x2, x(21));
    QCOMPARE(tents[2 * 10].y2, h2 - 5); // v = 30
    QCOMPARE(tents[2 * 1].y2, h2);      // v = 21: empty
    QCOMPARE(tents[2 * 20].y2, h2 - int(40 * ys));
}

void TestDistributionDrawing::histogramEqualBoundsGuard() {
    DurationHistogram h;
    h.min = 30;
    h.max = 30;
    h.hist[30] = 3;
    Picture p{kImage2Width, kImage2Height, {}};
    const HistogramLabels labels = drawVariableDistribution(p, h, 30);
    QVERIFY(labels.divisionGuard);
    QCOMPARE(p.ops.front().x1, 2); // scale 1
    QCOMPARE(linesOf(p, ViewColour::Yellow).size(), std::size_t{2});
}

void TestDistributionDrawing::thresholdFarOutsideRange_data() {
    QTest::addColumn<int>("threshold");
    QTest::addColumn<bool>("right");
    QTest::newRow("largest") << std::numeric_limits<int>::max() << true;
    QTest::newRow("smallest") << std::numeric_limits<int>::min() << false;
    QTest::newRow("negative") << -1 << false;
}

void TestDistributionDrawing::thresholdFarOutsideRange() {
    QFETCH(int, threshold);
    QFETCH(bool, right);
    DurationHistogram h;
    h.min = 20;
    h.max = 40;
    h.hist[30] = 7;
    Picture p{kImage2Width, kImage2Height, {}};
    drawVariableDistribution(p, h, threshold);
    // The red line stays on its own side of the picture instead of wrapping round.
    const PictureOp& line = p.ops.front();
    QCOMPARE(line.colour, ViewColour::Red);
    QCOMPARE(line.x1, line.x2);
    if (right)
        QVERIFY(line.x1 >= kImage2Width);
    else
        QVERIFY(line.x1 < 0);
    QCOMPARE(linesOf(p, ViewColour::Yellow).size(), std::size_t{2 * 21});
}

void TestDistributionDrawing::labelHexDropsLeadingZero_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("letter") << 0xA0 << QStringLiteral("A0");
    QTest::newRow("digit") << 0x3B << QStringLiteral("3B");
    QTest::newRow("zero") << 0 << QStringLiteral("0");
    QTest::newRow("single letter") << 0xB << QStringLiteral("B");
}

void TestDistributionDrawing::labelHexDropsLeadingZero() {
    QFETCH(int, value);
    QFETCH(QString, text);
    QCOMPARE(labelHex(value), text);
}

QTEST_GUILESS_MAIN(TestDistributionDrawing)
#include "test_distribution_drawing.moc"
