#pragma once

#include <QString>

#include <cstdint>
#include <span>
#include <vector>

namespace ravlin {

// The time window of the signal view: `span` receiver units from `start` shown across `width`
// pixels from pixel `left`. Times are in units from the start of the burst (its first mark).
struct SignalViewport {
    double start = 0.0;
    double span = 1.0;
    double left = 0.0;
    double width = 1.0;

    double xOf(double t) const { return left + (t - start) * width / span; }
    double tOf(double x) const { return start + (x - left) * span / width; }
    double unitsPerPixel() const { return span / width; }
};

// How the view may move over a burst of `total` units: it never shows more than the burst with a
// margin of 2 % (at least one unit) on each side, nor fewer than kMinSpan units.
struct SignalRange {
    static constexpr double kMinSpan = 4.0;

    explicit SignalRange(std::int64_t total);
    double first() const { return -m_margin; }
    double last() const { return static_cast<double>(m_total) + m_margin; }
    double maxSpan() const { return last() - first(); }

    // The whole burst across `width` pixels from `left`.
    SignalViewport fit(double left, double width) const;
    // Zoomed by `factor` (> 1 in, < 1 out) keeping the time under pixel x where it is, as far as
    // the limits allow.
    SignalViewport zoomAt(SignalViewport v, double x, double factor) const;
    // Moved by dx pixels (positive: the signal follows the pointer to the right).
    SignalViewport panBy(SignalViewport v, double dx) const;
    // The same width and pixels, span and start brought within the limits.
    SignalViewport clamp(SignalViewport v) const;

private:
    std::int64_t m_total;
    double m_margin;
};

// One tick of the microsecond axis: its pixel, its time and, on major ticks, its label.
struct AxisTick {
    double x;
    double micros;
    bool major;
    QString label;
};

// A time as the signal window writes it: microseconds with one decimal and " мкс".
QString microsText(double us);

// The smallest of 1, 2, 5 × 10^k that is at least `rough` (> 0).
double niceStep(double rough);

// Ticks of the axis under `v` for a unit of `unitUs` microseconds: major ticks at a 1-2-5 step that
// keeps them at least `minMajorPx` pixels apart, four minor ticks between two majors (one for a
// step of 2). Only ticks inside the viewport's pixels are given.
std::vector<AxisTick> axisTicks(const SignalViewport& v, double unitUs, double minMajorPx = 80.0);

// Start (in units, from the start of the burst) of every duration, and the total at the end:
// edges[k - 1] is where duration k starts, edges[N] where the burst ends.
std::vector<std::int64_t> burstEdges(std::span<const std::int32_t> durations);

// The duration (1..N) at time t; 0 outside the burst.
int durationAt(std::span<const std::int64_t> edges, double t);

// The time of the edge nearest to t when it lies within `tolerance` units, otherwise t itself.
double snapToEdge(std::span<const std::int64_t> edges, double t, double tolerance);

// Durations lying wholly between times a and b (in either order).
int durationsBetween(std::span<const std::int64_t> edges, double a, double b);

} // namespace ravlin
