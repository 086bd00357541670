#include "formats/core/mode2.h"

#include <QRegularExpression>

#include <QRegularExpression>

#include <algorithm>

namespace ravlin {

namespace {

constexpr std::uint32_t kTypeMask = 0xFF000000u;
constexpr std::uint32_t kValueMask = 0x00FFFFFFu;
constexpr std::uint32_t kSpaceWord = 0x00000000u;
constexpr std::uint32_t kPulseWord = 0x01000000u;
constexpr std::uint32_t kFrequencyWord = 0x02000000u;
constexpr std::uint32_t kTimeoutWord = 0x03000000u;

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

namespace {

QVector<int> durationsOf(const std::vector<std::uint32_t>& micros) {
    QVector<int> out;
    out.reserve(static_cast<qsizetype>(micros.size()));
    for (std::uint32_t us : micros)
        out.push_back(static_cast<int>(us));
    return out;
}

} // namespace

ReadResult readMode2Text(const QString& text, std::uint32_t gapMicros) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    ReadResult result;
    Mode2Framer framer(gapMicros);
    const auto take = [&](std::optional<std::vector<std::uint32_t>> micros, int line) {
        if (micros) result.bursts.push_back({durationsOf(*micros), QString(), line});
    };
    const QStringList lines = textLines(text);
    for (int i = 0; i < lines.size(); ++i) {
        const int lineNo = i + 1;
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const QStringList parts = line.split(blanks, Qt::SkipEmptyParts);
        const QString word = parts.first().toLower();
        Mode2Sample sample;
        if (word == QLatin1String("pulse"))
            sample.type = Mode2Sample::Type::Pulse;
        else if (word == QLatin1String("space"))
            sample.type = Mode2Sample::Type::Space;
        else if (word == QLatin1String("timeout"))
            sample.type = Mode2Sample::Type::Timeout;
        else if (word == QLatin1String("frequency"))
            sample.type = Mode2Sample::Type::Frequency;
        else {
            result.problems.push_back(
                {lineNo, QStringLiteral("%1 is not a mode2 sample (pulse N, space N, timeout N)")
                             .arg(quotedToken(parts.first()))});
            continue;
        }
        const bool valueOptional = sample.type == Mode2Sample::Type::Timeout;
        if (parts.size() > 2 || (parts.size() == 1 && !valueOptional)) {
            result.problems.push_back(
                {lineNo, QStringLiteral("expected \"%1 N\" with N in microseconds").arg(word)});
            continue;
        }
        if (parts.size() == 2) {
            const QString& token = parts.at(1);
            const bool allDigits = digits.match(token).hasMatch();
            bool ok = false;
            const qulonglong value = token.toULongLong(&ok);
            if (allDigits && (!ok || value > kMode2MaxValue)) {
                result.problems.push_back({lineNo, QStringLiteral("%1 is too large (at most %2 microseconds)")
                                                       .arg(quotedToken(token))
                                                       .arg(kMode2MaxValue)});
                continue;
            }
            if (!ok || !allDigits) {
                result.problems.push_back(
                    {lineNo,
                     QStringLiteral("%1 is not a whole number of microseconds").arg(quotedToken(token))});
                continue;
            }
            sample.micros = static_cast<std::uint32_t>(value);
        }
        take(framer.feed(sample), lineNo);
    }
    take(framer.flush(), static_cast<int>(lines.size()));
    return result;
}

QString writeMode2Text(const QVector<Burst>& bursts) {
    QString out;
    for (const Burst& b : bursts) {
        for (qsizetype i = 0; i < b.durations.size(); ++i)
            out += (i % 2 == 0 ? QStringLiteral("pulse ") : QStringLiteral("space ")) +
                   QString::number(b.durations.at(i)) + QLatin1Char('\n');
        out += QStringLiteral("timeout\n");
    }
    return out;
}

} // namespace ravlin
