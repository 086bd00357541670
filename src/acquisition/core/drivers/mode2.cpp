#include "acquisition/core/drivers/mode2.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace ravlin {

namespace {

constexpr std::uint32_t kTypeMask = 0xFF000000u;
constexpr std::uint32_t kValueMask = 0x00FFFFFFu;
constexpr std::uint32_t kSpaceWord = 0x00000000u;
constexpr std::uint32_t kPulseWord = 0x01000000u;
constexpr std::uint32_t kFrequencyWord = 0x02000000u;
constexpr std::uint32_t kTimeoutWord = 0x03000000u;

constexpr int kMovrikPlainMax = 0xF8;

// Byte multiplier of duration `index` (0-based) in a kind's format.
int multiplierOf(ReceiverKind kind, int index) {
    switch (kind) {
    case ReceiverKind::Movrik:
        return 1;
    case ReceiverKind::USBtiny:
        return 4;
    case ReceiverKind::IgorPlugUsb:
        return index < 7 ? 8 : 4;
    case ReceiverKind::IgorPlugUdp:
        return index == 0 ? 4 : 2;
    }
    return 1;
}

// The bytes of one duration of `units` at position `index`.
void appendDuration(ReceiverKind kind, int index, double units, std::vector<std::uint8_t>& out) {
    if (kind == ReceiverKind::Movrik) {
        const auto u =
            static_cast<int>(std::clamp(std::nearbyint(units), 1.0, double(maxDurationUnits(kind))));
        // A prefix byte F8+k carries k * 248; the plain byte then holds 1..248.
        const int k = (u - 1) / kMovrikPlainMax;
        if (k > 0) out.push_back(static_cast<std::uint8_t>(kMovrikPlainMax + k));
        out.push_back(static_cast<std::uint8_t>(u - k * kMovrikPlainMax));
        return;
    }
    const int m = multiplierOf(kind, index);
    out.push_back(static_cast<std::uint8_t>(std::clamp(std::nearbyint(units / m), 1.0, 255.0)));
}

} // namespace

Mode2Sample decodeMode2Word(std::uint32_t word) {
    Mode2Sample s;
    s.micros = word & kValueMask;
    switch (word & kTypeMask) {
    case kSpaceWord:
        s.type = Mode2Sample::Type::Space;
        break;
    case kPulseWord:
        s.type = Mode2Sample::Type::Pulse;
        break;
    case kFrequencyWord:
        s.type = Mode2Sample::Type::Frequency;
        break;
    case kTimeoutWord:
        s.type = Mode2Sample::Type::Timeout;
        break;
    default:
        s.type = Mode2Sample::Type::Unknown;
        break;
    }
    return s;
}

std::uint32_t encodeMode2Word(const Mode2Sample& sample) {
    const std::uint32_t value = std::min(sample.micros, kValueMask);
    switch (sample.type) {
    case Mode2Sample::Type::Space:
        return kSpaceWord | value;
    case Mode2Sample::Type::Pulse:
        return kPulseWord | value;
    case Mode2Sample::Type::Frequency:
        return kFrequencyWord | value;
    case Mode2Sample::Type::Timeout:
        return kTimeoutWord | value;
    case Mode2Sample::Type::Unknown:
        break;
    }
    return 0xFF000000u | value;
}

std::optional<std::uint32_t> parseGapMs(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^([0-9]{1,4})(?:\\.([0-9]{1,3}))?$"));
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const std::uint32_t micros =
        m.captured(1).toUInt() * 1000 + m.captured(2).leftJustified(3, QLatin1Char('0')).toUInt();
    if (micros < 100 || micros > 1'000'000) return std::nullopt;
    return micros;
}

std::size_t cutLongBurst(std::vector<std::uint32_t>& micros) {
    static_assert(kBurstMaxDurations % 2 == 1, "a cut burst must end with a mark");
    const std::size_t had = micros.size();
    if (had <= kBurstMaxDurations) return 0;
    micros.resize(kBurstMaxDurations);
    return had;
}

std::optional<std::vector<std::uint32_t>> Mode2Framer::feed(const Mode2Sample& sample) {
    switch (sample.type) {
    case Mode2Sample::Type::Pulse:
        if (m_current.size() % 2 == 1)
            m_current.back() = std::min(m_current.back() + sample.micros, kValueMask); // joined pulses
        else
            m_current.push_back(sample.micros);
        return std::nullopt;
    case Mode2Sample::Type::Space:
        if (m_current.empty()) return std::nullopt; // idle before a burst
        if (sample.micros >= m_gap) return flush();
        if (m_current.size() % 2 == 0) {
            m_current.back() = std::min(m_current.back() + sample.micros, kValueMask);
            if (m_current.back() >= m_gap) return flush();
        } else {
            m_current.push_back(sample.micros);
        }
        return std::nullopt;
    case Mode2Sample::Type::Timeout:
        return flush();
    case Mode2Sample::Type::Frequency:
    case Mode2Sample::Type::Unknown:
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::vector<std::uint32_t>> Mode2Framer::flush() {
    if (m_current.empty()) return std::nullopt;
    std::vector<std::uint32_t> burst;
    burst.swap(m_current);
    if (burst.size() % 2 == 0) burst.pop_back(); // a burst ends with its last pulse
    return burst;
}

std::vector<std::vector<std::uint32_t>> frameMode2(const std::vector<Mode2Sample>& samples,
                                                   std::uint32_t gapMicros) {
    Mode2Framer framer(gapMicros);
    std::vector<std::vector<std::uint32_t>> bursts;
    for (const auto& s : samples)
        if (auto b = framer.feed(s)) bursts.push_back(std::move(*b));
    if (auto b = framer.flush()) bursts.push_back(std::move(*b));
    return bursts;
}

std::vector<std::uint8_t> encodeMicros(ReceiverKind kind, const std::vector<std::uint32_t>& micros,
                                       int maxBytes) {
    const double unitMicros = ReceiverKinds::unitMs(kind) * 1000.0;
    const auto limit = static_cast<std::size_t>(std::clamp(maxBytes, 0, 255));
    std::vector<std::uint8_t> out;
    std::size_t lastMarkEnd = 0;
    for (std::size_t i = 0; i < micros.size(); ++i) {
        std::vector<std::uint8_t> bytes;
        appendDuration(kind, static_cast<int>(i), micros[i] / unitMicros, bytes);
        if (out.size() + bytes.size() > limit) {
            out.resize(lastMarkEnd); // keep the block ending with a mark
            return out;
        }
        out.insert(out.end(), bytes.begin(), bytes.end());
        if (i % 2 == 0) lastMarkEnd = out.size();
    }
    return out;
}

} // namespace ravlin
