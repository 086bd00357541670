#include "capture/core/oscillogram.h"

#include "hashing/core/number_text.h"
#include "platform/core/rounding.h"

namespace ravlin {

namespace {

QString milliseconds(double ms) {
    return QString::asprintf("%10.3f", ms) + QStringLiteral(" МиллиСек");
}

QString hexAtLeast4(std::int64_t value) {
    return IntToBase(value, 16).rightJustified(4, u'0');
}

} // namespace

Oscillogram::Oscillogram(CaptureBuffer& buffer, const ZoomSettings& settings, Dialogs& dialogs)
    : m_buffer(buffer), m_settings(settings), m_dialogs(dialogs) {}

void Oscillogram::setBoxSize(int width, int height) {
    m_drawing.width = std::max(1, width - 4);
    m_drawing.height = std::max(1, height - 10);
}

Oscillogram::Scale Oscillogram::scaleFor(const CaptureBuffer& buffer, const ZoomSettings& settings,
                                         int width) {
    Scale s{1.0, buffer.total == 0};
    const double a = s.zeroTotal ? 1.0 : static_cast<double>(width - 12) / static_cast<double>(buffer.total);
    const double u = settings.manualPosition / 60.0;
    s.value = a;
    if (settings.automatic) return s;
    s.value = u;
    if (settings.autoFallback && a != 0.0) {
        const double ratio = u / a;
        if (ratio > 1.15 || (ratio < 0.15 && buffer.count > 5)) s.value = a;
    }
    return s;
}

void Oscillogram::clear() {
    m_drawing.lines.clear();
    m_drawing.rects.clear();
    ++m_drawing.revision;
}

void Oscillogram::draw(bool painted) {
    if (!m_cleared) {
        m_cleared = true;
        clear();
        m_view.lengthLabel.clear();
    }
    if (!painted) return;
    m_cleared = false;
    paint();
}

void Oscillogram::paint() {
    const int w = m_drawing.width;
    const int h = m_drawing.height;
    const int high = 3;
    const int low = h - 3;
    m_view.lengthLabel = QStringLiteral("Length : ") + QString::number(m_buffer.count);
    const int narrowest = StrToBase(m_settings.narrowestFilled, 16);

    const Scale scale = scaleFor(m_buffer, m_settings, w);
    if (scale.zeroTotal) {
        m_dialogs.beep();
        if (setCaption) setCaption(QStringLiteral("Div 01"));
    }
    const double s = scale.value;
    m_buffer.pixelScale = s;

    auto x = [s](std::int64_t p) { return roundHalfEven(static_cast<double>(p) * s); };
    int penX = 0;
    int penY = low;
    auto lineTo = [&](int tx, int ty) {
        m_drawing.lines.push_back({penX, penY, tx, ty});
        penX = tx;
        penY = ty;
    };

    std::int64_t p = kLeadIn;
    const int count = std::min(m_buffer.count, CaptureBuffer::kCapacity);
    for (int k = 1; k <= count; k += 2) {
        lineTo(x(p), low);
        lineTo(x(p), high);
        const std::int64_t q = p;
        p += m_buffer.durations[k];
        if (!m_settings.automatic && static_cast<double>(p) * s >= w) break;
        lineTo(x(p), high);
        if (x(p) - x(q) >= narrowest) m_drawing.rects.push_back({x(q) + 1, high, x(p), h - 3});
        lineTo(x(p), low);
        if (k + 1 <= count) {
            p += m_buffer.durations[k + 1];
            lineTo(x(p), low);
        }
    }
    ++m_drawing.revision;
}

void Oscillogram::mouseMove(int x, double unitMs) {
    const int count = std::min(m_buffer.count, CaptureBuffer::kCapacity);
    if (count <= 0) return;
    const double s = m_buffer.pixelScale;
    double acc = kLeadIn * s;
    int n = 1;
    for (int i = 1; i <= count; ++i) {
        acc += m_buffer.durations[i] * s;
        n = i;
        if (x < acc) break;
    }
    const std::int32_t d = m_buffer.durations[n];
    std::int64_t start = 0;
    for (int i = 1; i < n; ++i)
        start += m_buffer.durations[i];
    const std::int64_t end = start + d;

    m_view.readouts[0] = QStringLiteral("N = ") + QString::number(n).rightJustified(3, u'0') +
                         QStringLiteral(" RAW= ") + IntToBaseWidth(d, 16, 3) + QStringLiteral("h");
    m_view.readouts[1] = QStringLiteral("Начало на ") + hexAtLeast4(start) + QStringLiteral("h импульсе.");
    m_view.readouts[2] = QStringLiteral("Конец   на ") + hexAtLeast4(end) + QStringLiteral("h импульсе.");
    m_view.readouts[3] =
        QStringLiteral("От начала  прошло ") + milliseconds(static_cast<double>(start) * unitMs);
    m_view.readouts[4] =
        QStringLiteral("Заканчивается на  ") + milliseconds(static_cast<double>(end) * unitMs);
    m_view.readouts[5] = milliseconds(d * unitMs);
}

} // namespace ravlin
