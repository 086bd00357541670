#include "capture/core/distribution_drawing.h"

#include "hashing/core/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace ravlin {

QString labelHex(int value) {
    QString text = IntToBase(value, 16);
    if (text.size() > 1 && text.startsWith(QLatin1Char('0')) && text.at(1) >= QLatin1Char('A'))
        text.remove(0, 1);
    return text;
}

namespace {
int histAt(const DurationHistogram& h, int v) {
    return v >= 1 && v < static_cast<int>(h.hist.size()) ? h.hist[static_cast<std::size_t>(v)] : 0;
}
} // namespace

HistogramLabels drawVariableDistribution(Picture& picture, const DurationHistogram& histogram,
                                         int threshold) {
    const int w = picture.width - 16;
    const int h = picture.height;
    const int min = histogram.min;
    const int max = histogram.max;
    const int medium = static_cast<int>(std::trunc((max - min) / 2.0)) + min;

    HistogramLabels labels;
    labels.min = QStringLiteral("Min=") + labelHex(min);
    labels.max = QStringLiteral("Max=") + labelHex(max);
    labels.medium = QStringLiteral("Medium=") + labelHex(medium);

    int peak = 0;
    // The histogram only has cells 1..400; the range is bounded so a bad range never loops long.
    const int lo = std::max(min, 1);
    const int hi = std::min(max, 400);
    for (int v = lo; v <= hi; ++v)
        peak = std::max(peak, histAt(histogram, v));
    peak = std::max(peak, 1) + 4;

    double xScale = 1.0;
    if (max == min)
        labels.divisionGuard = true;
    else
        xScale = static_cast<double>(w) / std::abs(max - min);
    const double yScale = static_cast<double>(h) / peak;
    // Worked out in double and held to a range far outside the picture: the threshold comes from
    // the "Порог" text, which a settings file can fill with any 32-bit value.
    const auto x = [&](int v) {
        const double pos = (static_cast<double>(v) - min) * xScale + 2;
        return static_cast<int>(std::trunc(std::clamp(pos, -1.0e6, 1.0e6)));
    };

    picture.line(x(threshold), h, x(threshold), 3, ViewColour::Red);
    for (int v = lo; v <= hi; ++v) {
        const int value = histAt(histogram, v);
        int y = static_cast<int>(std::trunc(value * yScale));
        if (y < 5 && value > 0) y = 5;
        const int x0 = x(v);
        const int x1 = x(v + 1);
        const int top = static_cast<int>(std::trunc(x0 + (x1 - x0) / 2.0));
        picture.line(x0, h, top, h - y, ViewColour::Yellow);
        picture.line(top, h - y, x1, h, ViewColour::Yellow);
    }
    return labels;
}

namespace {
void drawRow(Picture& picture, const PositionDistribution& map, int row, int y0, ViewColour colour) {
    for (int p = 1; p <= PositionDistribution::kPositions; ++p) {
        for (int d = 1; d <= PositionDistribution::kCells; ++d) {
            if (!map.cell(row, p, d)) continue;
            const int y = y0 + 6 * (p - 1);
            picture.line(d, y, d, y + 3, colour);
        }
    }
}
} // namespace

void drawPositionDistribution(Picture& picture, const PositionDistribution& map,
                              const DistributionSettings& settings) {
    constexpr int kUpper = 6;
    constexpr int kLower = 146;
    picture.fill(ViewColour::Black);
    for (int half = 0; half < 2; ++half) {
        for (int row = 1; row <= 10; ++row) {
            for (int x = 0; x <= 510; x += 10)
                picture.pixel(x, 12 * (row - 1) + 4 + 140 * half, ViewColour::Yellow);
        }
    }
    if (settings.show != DistributionShow::FirstOnly)
        drawRow(picture, map, 3, settings.lastInLower ? kLower : kUpper, ViewColour::Silver);
    if (settings.show != DistributionShow::LastOnly) drawRow(picture, map, 1, kUpper, ViewColour::Red);
    if (!settings.lastInLower) drawRow(picture, map, 2, kLower, ViewColour::Red);
}

} // namespace ravlin
