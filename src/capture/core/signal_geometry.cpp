#include "capture/core/signal_geometry.h"

#include <algorithm>
#include <cmath>

namespace ravlin {

QString microsText(double us) {
    return QString::number(us, 'f', 1) + QStringLiteral(" мкс");
}

SignalRange::SignalRange(std::int64_t total)
    : m_total(std::max<std::int64_t>(0, total)),
      m_margin(std::max(1.0, static_cast<double>(m_total) * 0.02)) {}

SignalViewport SignalRange::fit(double left, double width) const {
    return clamp({first(), maxSpan(), left, std::max(1.0, width)});
}

SignalViewport SignalRange::clamp(SignalViewport v) const {
    v.width = std::max(1.0, v.width);
    const double maxSpanUnits = std::max(kMinSpan, maxSpan());
    if (!std::isfinite(v.span)) v.span = maxSpanUnits;
    v.span = std::clamp(v.span, kMinSpan, maxSpanUnits);
    if (!std::isfinite(v.start)) v.start = first();
    // A view wider than the range is centred on it; otherwise it stays inside.
    if (v.span >= maxSpan())
        v.start = first() - (v.span - maxSpan()) / 2.0;
    else
        v.start = std::clamp(v.start, first(), last() - v.span);
    return v;
}

SignalViewport SignalRange::zoomAt(SignalViewport v, double x, double factor) const {
    if (!(factor > 0.0) || !std::isfinite(factor)) return clamp(v);
    const double t = v.tOf(x);
    const double fraction = (x - v.left) / v.width;
    v.span = std::clamp(v.span / factor, kMinSpan, std::max(kMinSpan, maxSpan()));
    v.start = t - fraction * v.span;
    return clamp(v);
}

SignalViewport SignalRange::panBy(SignalViewport v, double dx) const {
    v.start -= dx * v.unitsPerPixel();
    return clamp(v);
}

double niceStep(double rough) {
    if (!(rough > 0.0) || !std::isfinite(rough)) return 1.0;
    const double decade = std::pow(10.0, std::floor(std::log10(rough)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * decade >= rough * (1.0 - 1e-9)) return m * decade;
    return 10.0 * decade;
}

namespace {

// A tick label: the time in microseconds with as many decimals as the step needs.
QString tickLabel(double micros, double step) {
    int decimals = 0;
    while (decimals < 3 &&
           std::abs(step * std::pow(10.0, decimals) - std::round(step * std::pow(10.0, decimals))) > 1e-6)
        ++decimals;
    if (std::abs(micros) < step * 1e-6) micros = 0.0; // no "-0"
    return QString::number(micros, 'f', decimals);
}

} // namespace

std::vector<AxisTick> axisTicks(const SignalViewport& v, double unitUs, double minMajorPx) {
    std::vector<AxisTick> ticks;
    if (!(unitUs > 0.0) || !(v.width > 0.0) || !(v.span > 0.0)) return ticks;
    const double usPerPixel = v.unitsPerPixel() * unitUs;
    const double major = niceStep(minMajorPx * usPerPixel);
    const bool two = std::abs(major / std::pow(10.0, std::floor(std::log10(major))) - 2.0) < 1e-9;
    const int minorPerMajor = two ? 2 : 5;
    const double minor = major / minorPerMajor;
    const double firstUs = v.start * unitUs;
    const double lastUs = (v.start + v.span) * unitUs;
    const auto firstIndex = static_cast<std::int64_t>(std::ceil(firstUs / minor - 1e-9));
    const auto lastIndex = static_cast<std::int64_t>(std::floor(lastUs / minor + 1e-9));
    for (std::int64_t i = firstIndex; i <= lastIndex && ticks.size() < 2000; ++i) {
        const double us = static_cast<double>(i) * minor;
        const bool isMajor = i % minorPerMajor == 0;
        ticks.push_back({v.xOf(us / unitUs), us, isMajor, isMajor ? tickLabel(us, major) : QString()});
    }
    return ticks;
}

std::vector<std::int64_t> burstEdges(std::span<const std::int32_t> durations) {
    std::vector<std::int64_t> edges;
    edges.reserve(durations.size() + 1);
    std::int64_t at = 0;
    edges.push_back(at);
    for (std::int32_t d : durations) {
        at += std::max<std::int32_t>(0, d);
        edges.push_back(at);
    }
    return edges;
}

int durationAt(std::span<const std::int64_t> edges, double t) {
    if (edges.size() < 2 || t < 0.0 || t >= static_cast<double>(edges.back())) return 0;
    // The last edge not after t starts the duration under it.
    const auto it = std::upper_bound(edges.begin(), edges.end(), t, [](double value, std::int64_t edge) {
        return value < static_cast<double>(edge);
    });
    return static_cast<int>(it - edges.begin());
}

double snapToEdge(std::span<const std::int64_t> edges, double t, double tolerance) {
    if (edges.empty()) return t;
    const auto it = std::lower_bound(edges.begin(), edges.end(), t, [](std::int64_t edge, double value) {
        return static_cast<double>(edge) < value;
    });
    double best = t;
    double bestDistance = tolerance;
    for (auto c : {it, it == edges.begin() ? it : it - 1}) {
        if (c == edges.end()) continue;
        const double distance = std::abs(static_cast<double>(*c) - t);
        if (distance <= bestDistance) {
            best = static_cast<double>(*c);
            bestDistance = distance;
        }
    }
    return best;
}

int durationsBetween(std::span<const std::int64_t> edges, double a, double b) {
    const double lo = std::min(a, b);
    const double hi = std::max(a, b);
    int count = 0;
    for (std::size_t k = 1; k < edges.size(); ++k)
        if (static_cast<double>(edges[k - 1]) >= lo && static_cast<double>(edges[k]) <= hi) ++count;
    return count;
}

} // namespace ravlin
