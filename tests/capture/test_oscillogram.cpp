#include "capture/core/oscillogram.h"
#include "fakes/scripted_dialogs.h"
#include "platform/core/rounding.h"

#include <QtTest>

#include <vector>

using namespace ravlin;

namespace {

constexpr double kMovrikUnit = 0.02133333;

void fill(CaptureBuffer& buffer, const std::vector<int>& durations) {
    buffer.clear();
    for (int d : durations)
        buffer.append(d);
}

struct Rig {
    CaptureBuffer buffer;
    ZoomSettings zoom;
    fakes::ScriptedDialogs dialogs;
    Oscillogram osc{buffer, zoom, dialogs};
    QStringList captions;
    Rig() {
        osc.setCaption = [this](const QString& c) { captions << c; };
    }
};

int maxX(const StripDrawing& d) {
    int m = 0;
    for (const auto& l : d.lines)
        m = std::max({m, l.x1, l.x2});
    return m;
}

} // namespace

class TestOscillogram : public QObject {
    Q_OBJECT
private slots:
    void canvasFromBoxSize() {
        Rig r;
        QCOMPARE(r.osc.drawing().width, 775);
        QCOMPARE(r.osc.drawing().height, 69);
        r.osc.setBoxSize(500, 100);
        QCOMPARE(r.osc.drawing().width, 496);
        QCOMPARE(r.osc.drawing().height, 90);
    }

    void total763FitsAtScaleOne() {
        Rig r;
        fill(r.buffer, {300, 163, 300});
        r.osc.draw(true);
        QCOMPARE(r.buffer.pixelScale, 1.0);
        const auto& lines = r.osc.drawing().lines;
        QVERIFY(lines.size() >= 2);
        QCOMPARE(lines[0], (StripLine{0, 66, 10, 66})); // lead-in on the low level
        QCOMPARE(lines[1], (StripLine{10, 66, 10, 3})); // the burst starts at pixel 10
        QCOMPARE(lines.back().x2, 773);                 // 10 x a + w - 12
        QCOMPARE(r.osc.view().lengthLabel, QStringLiteral("Length : 3"));
        QCOMPARE(r.dialogs.beeps(), 0);
    }

    void pulseTrainShape() {
        Rig r;
        r.zoom.automatic = false;
        r.zoom.autoFallback = false;
        r.zoom.manualPosition = 30; // half a pixel per unit
        r.zoom.narrowestFilled = QStringLiteral("00");
        fill(r.buffer, {1, 2, 3});
        r.osc.draw(true);
        // p: 10 -> 5; 11 -> 5.5 -> 6; 13 -> 6.5 -> 6; 16 -> 8 (the space is zero pixels wide)
        const std::vector<StripLine> expected = {
            {0, 66, 5, 66}, {5, 66, 5, 3}, {5, 3, 6, 3}, {6, 3, 6, 66}, {6, 66, 6, 66},
            {6, 66, 6, 66}, {6, 66, 6, 3}, {6, 3, 8, 3}, {8, 3, 8, 66},
        };
        QCOMPARE(r.osc.drawing().lines, expected);
        const std::vector<StripRect> rects = {{6, 3, 6, 66}, {7, 3, 8, 66}};
        QCOMPARE(r.osc.drawing().rects, rects);
    }

    void narrowMarksAreNotFilled() {
        Rig r;
        fill(r.buffer, {3, 10, 4, 746}); // total 763: one unit per pixel
        r.osc.draw(true);
        // The 3-pixel mark at 10..13 stays open, the 4-pixel mark at 23..27 is filled.
        const std::vector<StripRect> rects = {{24, 3, 27, 66}};
        QCOMPARE(r.osc.drawing().rects, rects);
    }

    void manualZoomStopsPastTheStrip() {
        Rig r;
        r.zoom.automatic = false;
        r.zoom.autoFallback = false;
        const std::vector<int> durations(41, 162); // about twice the strip at 14/60
        fill(r.buffer, durations);
        r.osc.draw(true);
        const double s = 14 / 60.0;
        QCOMPARE(r.buffer.pixelScale, s);
        // Marks drawn: those whose end stays left of pixel 775.
        int drawnMarks = 0;
        int lastStart = 0;
        long long p = 10;
        for (int k = 0; k < 41; k += 2) {
            const long long q = p;
            p += durations[k];
            if (p * s >= 775) {
                lastStart = roundHalfEven(q * s);
                break;
            }
            ++drawnMarks;
            if (k + 1 < 41) p += durations[k + 1];
        }
        QVERIFY(drawnMarks > 0 && drawnMarks < 21);
        QCOMPARE(static_cast<int>(r.osc.drawing().rects.size()), drawnMarks);
        QCOMPARE(r.osc.drawing().lines.back(), (StripLine{lastStart, 66, lastStart, 3}));
        QVERIFY(maxX(r.osc.drawing()) < 775);
    }

    void manualZoomFallsBackWhenFarOff() {
        Rig r;
        r.zoom.automatic = false;
        fill(r.buffer, std::vector<int>(41, 162));
        r.osc.draw(true);
        const double a = 763.0 / (41 * 162);
        QCOMPARE(r.buffer.pixelScale, a);
        QCOMPARE(r.osc.drawing().lines.back().x2, roundHalfEven((10 + 41 * 162) * a));
        QCOMPARE(static_cast<int>(r.osc.drawing().rects.size()), 21);
    }

    void scaleChoice_data() {
        QTest::addColumn<bool>("automatic");
        QTest::addColumn<bool>("fallback");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("each");
        QTest::addColumn<bool>("expectAutomatic");
        // a = 763 / (count x each)
        QTest::newRow("auto") << true << false << 14 << 3 << 100 << true;
        QTest::newRow("manual close to auto") << false << true << 14 << 7 << 500 << false; // u/a ~ 1.07
        QTest::newRow("manual far too wide") << false << true << 66 << 7 << 500 << true;
        QTest::newRow("far too wide, no fall-back") << false << false << 66 << 7 << 500 << false;
        QTest::newRow("far too narrow, 7 durations") << false << true << 4 << 7 << 100 << true;
        QTest::newRow("far too narrow, 5 durations") << false << true << 4 << 5 << 100 << false;
    }
    void scaleChoice() {
        QFETCH(bool, automatic);
        QFETCH(bool, fallback);
        QFETCH(int, position);
        QFETCH(int, count);
        QFETCH(int, each);
        QFETCH(bool, expectAutomatic);
        CaptureBuffer b;
        fill(b, std::vector<int>(count, each));
        ZoomSettings z;
        z.automatic = automatic;
        z.autoFallback = fallback;
        z.manualPosition = position;
        const double a = 763.0 / (count * each);
        const auto s = Oscillogram::scaleFor(b, z, 775);
        QCOMPARE(s.value, expectAutomatic ? a : position / 60.0);
        QVERIFY(!s.zeroTotal);
    }

    void zeroTotalBeepsAndSetsCaption() {
        Rig r;
        r.buffer.pixelScale = 0.3;
        r.osc.draw(true);
        QCOMPARE(r.dialogs.beeps(), 1);
        QCOMPARE(r.captions, QStringList{QStringLiteral("Div 01")});
        QCOMPARE(r.buffer.pixelScale, 1.0);
        QVERIFY(r.osc.drawing().lines.empty());
        QCOMPARE(r.osc.view().lengthLabel, QStringLiteral("Length : 0"));
    }

    void stripClearedFlag() {
        Rig r;
        QVERIFY(!r.osc.stripCleared());
        fill(r.buffer, {300, 163, 300});
        r.osc.draw(true);
        QVERIFY(!r.osc.stripCleared());
        QVERIFY(!r.osc.drawing().lines.empty());

        // Another tab in front: one clear, then the strip keeps what it shows.
        r.osc.draw(false);
        QVERIFY(r.osc.stripCleared());
        QVERIFY(r.osc.drawing().lines.empty());
        QCOMPARE(r.osc.view().lengthLabel, QString());
        const int revision = r.osc.drawing().revision;
        r.osc.draw(false);
        QCOMPARE(r.osc.drawing().revision, revision);

        // Back on the tab: the next burst is painted on a black strip.
        fill(r.buffer, {100, 100, 100});
        r.osc.draw(true);
        QVERIFY(!r.osc.stripCleared());
        QCOMPARE(r.osc.drawing().lines.back().x2, roundHalfEven(310 * (763.0 / 300)));
        const auto painted = r.osc.drawing().lines.size();
        r.osc.draw(true);
        QCOMPARE(r.osc.drawing().lines.size(), painted); // each painted draw starts from black
    }

    void readouts_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<QStringList>("texts");
        // Durations 100, 200, 268, 0x20, 163 at one pixel per unit (total 763); lead-in 10.
        QTest::newRow("over the lead-in") << 3
                                          << QStringList{"N = 001 RAW= 064h",
                                                         "Начало на 0000h импульсе.",
                                                         "Конец   на 0064h импульсе.",
                                                         "От начала  прошло      0.000 МиллиСек",
                                                         "Заканчивается на       2.133 МиллиСек",
                                                         "     2.133 МиллиСек"};
        QTest::newRow("second duration") << 110
                                         << QStringList{"N = 002 RAW= 0C8h",
                                                        "Начало на 0064h импульсе.",
                                                        "Конец   на 012Ch импульсе.",
                                                        "От начала  прошло      2.133 МиллиСек",
                                                        "Заканчивается на       6.400 МиллиСек",
                                                        "     4.267 МиллиСек"};
        QTest::newRow("past the end") << 900
                                      << QStringList{"N = 005 RAW= 0A3h",
                                                     "Начало на 0258h импульсе.",
                                                     "Конец   на 02FBh импульсе.",
                                                     "От начала  прошло     12.800 МиллиСек",
                                                     "Заканчивается на      16.277 МиллиСек",
                                                     "     3.477 МиллиСек"};
    }
    void readouts() {
        QFETCH(int, x);
        QFETCH(QStringList, texts);
        Rig r;
        fill(r.buffer, {100, 200, 268, 0x20, 163});
        r.osc.draw(true);
        QCOMPARE(r.buffer.pixelScale, 1.0);
        r.osc.mouseMove(x, kMovrikUnit);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(r.osc.view().readouts[i], texts[i]);
    }

    void readoutBoundaryBelongsToTheNextDuration() {
        Rig r;
        fill(r.buffer, {100, 200, 300, 0x20, 143});
        r.buffer.pixelScale = 1.0;
        r.osc.mouseMove(109, 0.0512);
        QVERIFY(r.osc.view().readouts[0].startsWith(QStringLiteral("N = 001 ")));
        r.osc.mouseMove(110, 0.0512);
        QVERIFY(r.osc.view().readouts[0].startsWith(QStringLiteral("N = 002 ")));
    }

    void noReadoutWithoutBurst() {
        Rig r;
        r.osc.mouseMove(50, kMovrikUnit);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(r.osc.view().readouts[i], OscillogramView::kInitialReadouts[i]);
        QCOMPARE(r.osc.view().readouts[0], QStringLiteral("N =00    RAW=000h"));
        QCOMPARE(r.osc.view().lengthLabel, QStringLiteral("Length : "));
    }

    void clearEmptiesTheStrip() {
        Rig r;
        fill(r.buffer, {3, 10, 40, 710});
        r.osc.draw(true);
        QVERIFY(!r.osc.drawing().rects.empty());
        r.osc.clear();
        QVERIFY(r.osc.drawing().lines.empty());
        QVERIFY(r.osc.drawing().rects.empty());
    }
};

QTEST_GUILESS_MAIN(TestOscillogram)
#include "test_oscillogram.moc"
