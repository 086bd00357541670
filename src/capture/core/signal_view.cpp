#include "capture/core/signal_view.h"

#include "base/core/base_editor.h"
#include "capture/core/oscillogram_save.h"
#include "hashing/core/number_text.h"
#include "platform/core/text_file.h"

#include <algorithm>
#include <cmath>

namespace ravlin {

namespace {

const QString kScreenTitle = QStringLiteral("Сигнал на экране");

QString hexAtLeast4(std::int64_t value) {
    return IntToBase(value, 16).rightJustified(4, u'0');
}

// Lanes for fields in burst order: each goes into the first lane whose last field ends before it.
std::vector<int> assignLanes(const std::vector<DecodedField>& fields) {
    std::vector<int> lanes;
    std::vector<int> laneEnds;
    for (const DecodedField& f : fields) {
        int lane = 0;
        while (lane < static_cast<int>(laneEnds.size()) &&
               laneEnds[static_cast<std::size_t>(lane)] >= f.first)
            ++lane;
        if (lane == static_cast<int>(laneEnds.size())) laneEnds.push_back(0);
        laneEnds[static_cast<std::size_t>(lane)] = f.last;
        lanes.push_back(lane);
    }
    return lanes;
}

} // namespace

SignalView::SignalView(const CaptureBuffer& screen, const ButtonBase& base, const DecoderSettings& decoder,
                       std::function<ReceiverKind()> kind, QObject* parent)
    : QObject(parent), m_screen(screen), m_base(base), m_decoder(decoder), m_kind(std::move(kind)) {
    m_viewport = range().fit(kMarginX, m_width - 2 * kMarginX);
    takeScreen(true);
}

double SignalView::unitUs() const {
    return ReceiverKinds::unitMs(m_kind()) * 1000.0;
}

QStringList SignalView::sourceNames() const {
    QStringList names{kScreenTitle};
    for (int i = 1; i <= m_base.count(); ++i) {
        const ButtonRecord& r = m_base.record(i);
        names << QStringLiteral("Запись %1: %2 / %3").arg(i).arg(r.remoteName, r.buttonName);
    }
    return names;
}

void SignalView::setSource(int index) {
    if (index < 0 || index > m_base.count()) index = 0;
    m_source = index;
    if (index == 0) {
        takeScreen(true);
        return;
    }
    CaptureBuffer buffer;
    BaseEditor::rebuildBuffer(buffer, m_base.record(index).timings);
    const std::span<const std::int32_t> d = buffer.span();
    const ButtonRecord& r = m_base.record(index);
    load({{d.begin(), d.end()},
          QStringLiteral("Запись %1: %2 / %3").arg(index).arg(r.remoteName, r.buttonName)},
         true);
}

void SignalView::setHold(bool hold) {
    if (m_hold == hold) return;
    m_hold = hold;
    // Let go: catch up with the burst on screen.
    if (!hold && m_source == 0) takeScreen(false);
    emit changed();
}

void SignalView::screenBurstChanged() {
    if (m_source == 0 && !m_hold) takeScreen(true);
}

void SignalView::refresh() {
    if (m_source > m_base.count()) {
        setSource(0);
        return;
    }
    if (decoderMasks(m_decoder) != m_masks) load(m_snapshot, false);
}

void SignalView::takeScreen(bool evenIfSame) {
    const std::span<const std::int32_t> d = m_screen.span();
    std::vector<std::int32_t> durations(d.begin(), d.end());
    if (!evenIfSame && durations == m_snapshot.durations && m_snapshot.title == kScreenTitle) return;
    load({std::move(durations), kScreenTitle}, true);
}

void SignalView::load(SignalSnapshot snapshot, bool refit) {
    m_snapshot = std::move(snapshot);
    m_edges = burstEdges(m_snapshot.durations);
    m_masks = decoderMasks(m_decoder);
    const DecoderResult result =
        ProtocolDecoder(m_snapshot.durations, m_masks.group1, m_masks.group2, m_masks.group3);
    m_layout = decoderLayout(m_snapshot.durations, result);
    m_lanes = assignLanes(m_layout.fields);
    m_decoded = result.recognised() ? result.hash + QStringLiteral("   ") + result.vars.trimmed()
                                    : QStringLiteral("не распознан");
    m_hovered = 0;
    if (refit)
        fit();
    else
        emit changed();
}

void SignalView::setCanvasSize(int width, int height) {
    m_width = std::max(2 * static_cast<int>(kMarginX) + 10, width);
    m_height = std::max(1, height);
    m_viewport.left = kMarginX;
    m_viewport.width = m_width - 2 * kMarginX;
    m_viewport = range().clamp(m_viewport);
    emit changed();
}

void SignalView::fit() {
    m_viewport = range().fit(kMarginX, m_width - 2 * kMarginX);
    emit changed();
}

void SignalView::wheel(double x, double steps) {
    m_viewport = range().zoomAt(m_viewport, x, std::pow(kWheelFactor, steps));
    emit changed();
}

void SignalView::press(double x) {
    m_pressX = m_lastX = x;
    const auto distance = [&](const std::optional<double>& c) {
        return c ? std::abs(m_viewport.xOf(*c) - x) : kCursorGrab + 1.0;
    };
    const double a = distance(m_cursorA);
    const double b = distance(m_cursorB);
    if (std::min(a, b) <= kCursorGrab)
        m_press = a <= b ? Press::CursorA : Press::CursorB;
    else
        m_press = Press::Pending;
}

void SignalView::drag(double x) {
    const double t = std::clamp(snapToEdge(m_edges, m_viewport.tOf(x), kSnap * m_viewport.unitsPerPixel()),
                                range().first(), range().last());
    switch (m_press) {
    case Press::CursorA:
        m_cursorA = t;
        break;
    case Press::CursorB:
        m_cursorB = t;
        break;
    case Press::Pending:
        if (std::abs(x - m_pressX) <= kClickSlop) return;
        m_press = Press::Panning;
        [[fallthrough]];
    case Press::Panning:
        m_viewport = range().panBy(m_viewport, x - m_lastX);
        break;
    case Press::None:
        return;
    }
    m_lastX = x;
    emit changed();
}

void SignalView::release(double x) {
    if (m_press == Press::Pending) {
        const double t =
            std::clamp(snapToEdge(m_edges, m_viewport.tOf(x), kSnap * m_viewport.unitsPerPixel()),
                       range().first(), range().last());
        if (!m_cursorA)
            m_cursorA = t;
        else if (!m_cursorB)
            m_cursorB = t;
        else if (std::abs(*m_cursorA - t) <= std::abs(*m_cursorB - t))
            m_cursorA = t;
        else
            m_cursorB = t;
        emit changed();
    }
    m_press = Press::None;
}

void SignalView::hover(double x) {
    const int k = durationAt(m_edges, m_viewport.tOf(x));
    if (k == m_hovered) return;
    m_hovered = k;
    emit changed();
}

void SignalView::leave() {
    if (m_hovered == 0) return;
    m_hovered = 0;
    emit changed();
}

void SignalView::clearCursors() {
    m_cursorA.reset();
    m_cursorB.reset();
    emit changed();
}

QString SignalView::cursorText() const {
    const double unit = unitUs();
    if (!m_cursorA && !m_cursorB)
        return QStringLiteral("Курсоры: щелчок ставит A, следующий — B; их можно тащить");
    QStringList parts;
    if (m_cursorA) parts << QStringLiteral("A = ") + microsText(*m_cursorA * unit);
    if (m_cursorB) parts << QStringLiteral("B = ") + microsText(*m_cursorB * unit);
    if (m_cursorA && m_cursorB) {
        const double dt = std::abs(*m_cursorB - *m_cursorA) * unit;
        parts << QStringLiteral("Δt = ") + microsText(dt);
        QString inverse = QStringLiteral("—");
        if (dt > 0.0) {
            const double hz = 1e6 / dt;
            inverse = hz >= 1000.0 ? QString::number(hz / 1000.0, 'f', 3) + QStringLiteral(" кГц")
                                   : QString::number(hz, 'f', 2) + QStringLiteral(" Гц");
        }
        parts << QStringLiteral("1/Δt = ") + inverse;
        parts << QStringLiteral("длительностей между ними: ") +
                     QString::number(durationsBetween(m_edges, *m_cursorA, *m_cursorB));
    }
    return parts.join(QStringLiteral("    "));
}

QString SignalView::hoverText() const {
    const int n = static_cast<int>(m_snapshot.durations.size());
    if (m_hovered < 1 || m_hovered > n) return QStringLiteral("Под мышкой: —");
    const int k = m_hovered;
    const std::int32_t d = m_snapshot.durations[static_cast<std::size_t>(k - 1)];
    const std::int64_t start = m_edges[static_cast<std::size_t>(k - 1)];
    const std::int64_t end = m_edges[static_cast<std::size_t>(k)];
    const double unit = unitUs();
    QString text =
        QStringLiteral("N = %1 (%2)   RAW = %3h = %4 ед. = %5   начало %6h (%7)   конец %8h (%9)")
            .arg(QString::number(k).rightJustified(3, u'0'),
                 k % 2 ? QStringLiteral("метка") : QStringLiteral("пауза"), IntToBaseWidth(d, 16, 3))
            .arg(d)
            .arg(microsText(d * unit), hexAtLeast4(start), microsText(static_cast<double>(start) * unit),
                 hexAtLeast4(end), microsText(static_cast<double>(end) * unit));
    // The timing texts hold 33 durations each, three hex digits per duration, 198 in all.
    const int perText = kDurationsPerTimingText;
    if (k <= perText * kTimingTextCount) {
        const int column = 3 * ((k - 1) % perText) + 1;
        text += QStringLiteral("   текст %1, символы %2–%3")
                    .arg((k - 1) / perText + 1)
                    .arg(column)
                    .arg(column + 2);
    } else {
        text += QStringLiteral("   вне текстов таймингов");
    }
    return text;
}

QString SignalView::microsList() const {
    const ReceiverKind kind = m_kind();
    QStringList numbers;
    for (std::int32_t d : m_snapshot.durations) {
        const std::int64_t nanos = unitsToNanos(d, kind);
        QString us = QString::number(nanos / 1000);
        if (const auto rest = nanos % 1000; rest != 0) {
            QString fraction = QString::number(rest).rightJustified(3, u'0');
            while (fraction.endsWith(u'0'))
                fraction.chop(1);
            us += u'.' + fraction;
        }
        numbers << us;
    }
    return QStringLiteral("# %1, %2: ravlin-cli hash --us --kind %2\n")
               .arg(m_snapshot.title, ReceiverKinds::text(kind)) +
           numbers.join(u' ') + u'\n';
}

int SignalView::laneCount() const {
    return m_lanes.empty() ? 0 : *std::max_element(m_lanes.begin(), m_lanes.end()) + 1;
}

double SignalView::signalHeight() const {
    return std::max(kMinSignalHeight,
                    m_height - kHeaderHeight - 8.0 - kAxisHeight - laneCount() * kLaneHeight - 4.0);
}

std::optional<QString> chooseExportFile(Dialogs& dialogs, const QString& appDir, QString& name,
                                        const QString& filter, const QString& extension) {
    const bool hasDir = name.contains(u'/') || name.contains(u'\\');
    const QString chosen = dialogs.saveFileName(filter, hasDir ? name : appDir + u'/' + name, extension);
    if (chosen.isEmpty()) return std::nullopt;
    const QString path = chosen.endsWith(extension, Qt::CaseInsensitive) ? chosen : chosen + extension;
    name = path;
    if (!mayOverwrite(dialogs, path)) return std::nullopt;
    return path;
}

} // namespace ravlin
