#include "capture/core/signal_view.h"

#include "hashing/core/number_text.h"

#include <algorithm>

namespace ravlin {

// The drawing list of the signal view: header, shaded durations, grid and axis, trace, decoded
// fields lane by lane, cursors.
SignalPicture SignalView::picture() const {
    using Align = SignalPicture::Align;
    SignalPicture pic;
    pic.width = m_width;
    pic.height = m_height;
    const SignalViewport& v = m_viewport;
    const double left = v.left;
    const double right = v.left + v.width;
    const double high = kHeaderHeight + 8.0;
    const double low = high + signalHeight();
    const double axisY = low + 6.0;
    const double unit = unitUs();
    const auto clampX = [&](double x) { return std::clamp(x, left, right); };
    pic.boxes.push_back({QRectF(0, 0, m_width, m_height), SignalInk::Background});

    // Header: where the burst comes from, its length, the threshold.
    const std::int64_t total = m_edges.back();
    const int n = static_cast<int>(m_snapshot.durations.size());
    pic.texts.push_back(
        {QRectF(left, 2, v.width * 0.6, kHeaderHeight - 4),
         QStringLiteral("%1: %2 длит., %3").arg(m_snapshot.title).arg(n).arg(microsText(total * unit)),
         SignalInk::Legend, Align::Left});
    QString legend = QStringLiteral("время в мкс");
    if (m_layout.threshold)
        legend = QStringLiteral("T = %1h (%2)   ")
                     .arg(IntToBase(*m_layout.threshold, 16), microsText(*m_layout.threshold * unit)) +
                 legend;
    pic.texts.push_back({QRectF(left + v.width * 0.6, 2, v.width * 0.4, kHeaderHeight - 4), legend,
                         SignalInk::Legend, Align::Right});

    // Marks and spaces shaded by their length against the threshold, under the grid and the trace.
    const auto longer = [&](std::int32_t d) { return m_layout.threshold && d > *m_layout.threshold; };
    double penY = low;
    double penX = left;
    const auto traceTo = [&](double x, double y) {
        pic.lines.push_back({QLineF(penX, penY, x, y), SignalInk::Trace});
        penX = x;
        penY = y;
    };
    for (int k = 1; k <= n; ++k) {
        const double s = static_cast<double>(m_edges[static_cast<std::size_t>(k - 1)]);
        const double e = static_cast<double>(m_edges[static_cast<std::size_t>(k)]);
        if (e < v.start || s > v.start + v.span) continue;
        const std::int32_t d = m_snapshot.durations[static_cast<std::size_t>(k - 1)];
        const bool mark = k % 2 == 1;
        const SignalInk ink = mark ? (longer(d) ? SignalInk::MarkLong : SignalInk::MarkShort)
                                   : (longer(d) ? SignalInk::SpaceLong : SignalInk::SpaceShort);
        const QRectF box(QPointF(clampX(v.xOf(s)), high), QPointF(clampX(v.xOf(e)), low));
        pic.boxes.push_back({box, ink, k == m_hovered ? SignalInk::Hover : SignalInk::None});
    }

    // Grid and axis.
    const std::vector<AxisTick> ticks = axisTicks(v, unit);
    for (const AxisTick& t : ticks)
        pic.lines.push_back(
            {QLineF(t.x, high - 4, t.x, low), t.major ? SignalInk::Grid : SignalInk::GridMinor});
    pic.lines.push_back({QLineF(left, axisY, right, axisY), SignalInk::Axis});
    for (const AxisTick& t : ticks) {
        pic.lines.push_back({QLineF(t.x, axisY, t.x, axisY + (t.major ? 6 : 3)), SignalInk::Axis});
        if (t.major) pic.texts.push_back({QRectF(t.x - 40, axisY + 7, 80, 14), t.label, SignalInk::AxisText});
    }

    // The trace: idle low before and after the burst, marks high. A duration cut by the left edge
    // starts at its own level there.
    penX = left;
    penY = low;
    bool first = true;
    for (int k = 1; k <= n; ++k) {
        const double s = static_cast<double>(m_edges[static_cast<std::size_t>(k - 1)]);
        const double e = static_cast<double>(m_edges[static_cast<std::size_t>(k)]);
        if (e < v.start || s > v.start + v.span) continue;
        const double level = k % 2 == 1 ? high : low;
        if (first && s < v.start) penY = level;
        first = false;
        const double xs = clampX(v.xOf(s));
        if (penX != xs) traceTo(xs, penY);
        if (penY != level) traceTo(xs, level);
        traceTo(clampX(v.xOf(e)), level);
    }
    if (v.xOf(static_cast<double>(total)) <= right) {
        if (penY != low) traceTo(penX, low);
        if (penX < right) traceTo(right, low);
    }

    // Fields under the axis, lane by lane.
    const double lanesTop = low + kAxisHeight;
    for (std::size_t i = 0; i < m_layout.fields.size(); ++i) {
        const DecodedField& f = m_layout.fields[i];
        if (f.first < 1 || f.last > n || f.first > f.last) continue;
        const double s = static_cast<double>(m_edges[static_cast<std::size_t>(f.first - 1)]);
        const double e = static_cast<double>(m_edges[static_cast<std::size_t>(f.last)]);
        if (e < v.start || s > v.start + v.span) continue;
        const double y = lanesTop + m_lanes[i] * kLaneHeight;
        const double x1 = clampX(v.xOf(s));
        const double x2 = clampX(v.xOf(e));
        pic.lines.push_back({QLineF(x1, y, x2, y), SignalInk::Field});
        pic.lines.push_back({QLineF(x1, y - 3, x1, y + 3), SignalInk::Field});
        pic.lines.push_back({QLineF(x2, y - 3, x2, y + 3), SignalInk::Field});
        const QString label = f.value.isEmpty() ? f.name : f.name + u' ' + f.value;
        pic.texts.push_back(
            {QRectF(x1, y + 1, std::max(1.0, x2 - x1), kLaneHeight - 4), label, SignalInk::FieldText});
    }

    // Cursors over everything.
    const auto cursor = [&](const std::optional<double>& t, SignalInk ink, const QString& name) {
        if (!t) return;
        const double x = v.xOf(*t);
        if (x < left || x > right) return;
        pic.lines.push_back({QLineF(x, high - 6, x, m_height - 2), ink});
        pic.texts.push_back({QRectF(x + 2, high, 16, 14), name, ink, Align::Left});
    };
    cursor(m_cursorA, SignalInk::CursorA, QStringLiteral("A"));
    cursor(m_cursorB, SignalInk::CursorB, QStringLiteral("B"));
    return pic;
}

} // namespace ravlin
