#include "formats/core/mode2.h"

#include "formats/core/ascii_scan.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>

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

QVector<int> microsToDurations(const std::vector<std::uint32_t>& micros) {
    QVector<int> out;
    out.reserve(static_cast<qsizetype>(micros.size()));
    for (std::uint32_t us : micros)
        out.push_back(static_cast<int>(us));
    return out;
}

bool parsePlainMode2Line(std::string_view line, Mode2Sample& sample) {
    using namespace ascii;
    struct Word {
        std::string_view text;
        Mode2Sample::Type type;
    };
    static constexpr std::array<Word, 4> kWords = {{{"pulse", Mode2Sample::Type::Pulse},
                                                    {"space", Mode2Sample::Type::Space},
                                                    {"timeout", Mode2Sample::Type::Timeout},
                                                    {"frequency", Mode2Sample::Type::Frequency}}};
    line = trimmed(line);
    sample = {};
    if (line.empty() || line.front() == '#') return true;
    std::array<char, 9> word{};
    std::size_t pos = 0;
    while (pos < line.size() && !isBlank(line[pos])) {
        if (pos == word.size()) return false;
        const char c = line[pos];
        word[pos++] = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    }
    const std::string_view typed(word.data(), pos);
    const auto found =
        std::find_if(kWords.begin(), kWords.end(), [&](const Word& w) { return w.text == typed; });
    if (found == kWords.end()) return false;
    while (pos < line.size() && isBlank(line[pos]))
        ++pos;
    if (pos == line.size()) {
        if (found->type != Mode2Sample::Type::Timeout) return false;
        sample.type = found->type;
        return true;
    }
    std::int64_t value = 0;
    int digits = 0;
    if (!readDigits(line, pos, 8, value, digits, true) || pos != line.size() || value > kMode2MaxValue)
        return false;
    sample.type = found->type;
    sample.micros = static_cast<std::uint32_t>(value);
    return true;
}

namespace {

// A line that is not plain ASCII mode2: read with Unicode blanks and case, its problem worded.
// Returns the sample, or nothing (and a problem) when the line is no sample.
std::optional<Mode2Sample> readMode2Line(const QString& text, int lineNo, QVector<Problem>& problems) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    const QString line = text.trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) return Mode2Sample{};
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
        problems.push_back({lineNo, ProblemKind::Mode2NotSample, {quotedToken(parts.first())}});
        return std::nullopt;
    }
    const bool valueOptional = sample.type == Mode2Sample::Type::Timeout;
    if (parts.size() > 2 || (parts.size() == 1 && !valueOptional)) {
        problems.push_back({lineNo, ProblemKind::Mode2Expected, {word}});
        return std::nullopt;
    }
    if (parts.size() == 2) {
        const QString& token = parts.at(1);
        const bool allDigits = digits.match(token).hasMatch();
        bool ok = false;
        const qulonglong value = token.toULongLong(&ok);
        if (allDigits && (!ok || value > kMode2MaxValue)) {
            problems.push_back(
                {lineNo, ProblemKind::MicrosTooLarge, {quotedToken(token), QString::number(kMode2MaxValue)}});
            return std::nullopt;
        }
        if (!ok || !allDigits) {
            problems.push_back({lineNo, ProblemKind::Mode2NotWhole, {quotedToken(token)}});
            return std::nullopt;
        }
        sample.micros = static_cast<std::uint32_t>(value);
    }
    return sample;
}

// The line as ASCII bytes in `buffer` when it is short and all ASCII (the plain lines of mode2).
std::optional<std::string_view> asciiLine(QStringView line, std::array<char, 64>& buffer) {
    if (line.size() > qsizetype(buffer.size())) return std::nullopt;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char16_t c = line[i].unicode();
        if (c >= 0x80) return std::nullopt;
        buffer[std::size_t(i)] = char(c);
    }
    return std::string_view(buffer.data(), std::size_t(line.size()));
}

// The name of a "# name: X" line (X trimmed), or nothing for any other line.
std::optional<QString> nameLine(QStringView line) {
    line = line.trimmed();
    if (!line.startsWith(u'#')) return std::nullopt;
    line = line.mid(1).trimmed();
    if (!line.startsWith(QLatin1String("name:"))) return std::nullopt;
    return line.mid(5).trimmed().toString();
}

} // namespace

ReadResult readMode2Text(const QString& text, std::uint32_t gapMicros) {
    ReadResult result;
    Mode2Framer framer(gapMicros);
    std::array<char, 64> buffer{};
    // Lines end at LF or CR LF, as textLines() cuts them; plain lines are read without building texts.
    const QStringView all(text);
    int lineNo = 0;
    // A "# name: X" line names the bursts that follow, up to the next "timeout" or name line.
    QString name, burstName;
    for (qsizetype start = 0;;) {
        const qsizetype newline = all.indexOf(u'\n', start);
        QStringView line = all.mid(start, (newline < 0 ? all.size() : newline) - start);
        if (newline >= 0 && line.endsWith(u'\r')) line.chop(1);
        ++lineNo;
        if (const auto named = nameLine(line)) name = *named;
        std::optional<Mode2Sample> sample;
        Mode2Sample plain;
        if (const auto ascii = asciiLine(line, buffer); ascii && parsePlainMode2Line(*ascii, plain))
            sample = plain;
        else
            sample = readMode2Line(line.toString(), lineNo, result.problems);
        if (sample && sample->type != Mode2Sample::Type::Unknown) {
            if (sample->type == Mode2Sample::Type::Pulse && !framer.inBurst()) burstName = name;
            if (auto burst = framer.feed(*sample))
                result.bursts.push_back({microsToDurations(*burst), burstName, lineNo});
            if (sample->type == Mode2Sample::Type::Timeout) name.clear();
        }
        if (newline < 0) break;
        start = newline + 1;
    }
    if (auto burst = framer.flush()) result.bursts.push_back({microsToDurations(*burst), burstName, lineNo});
    return result;
}

QString writeMode2Text(const QVector<Burst>& bursts) {
    QString out;
    for (const Burst& b : bursts) {
        if (b.durations.isEmpty()) continue;
        // Control characters would end the line; an unnamed burst gets no name line (the "timeout"
        // before it ends the name of the burst before).
        QString name = b.name;
        for (QChar& c : name)
            if (!c.isPrint()) c = QLatin1Char(' ');
        name = name.trimmed();
        if (!name.isEmpty()) out += QStringLiteral("# name: ") + name + QLatin1Char('\n');
        for (qsizetype i = 0; i < b.durations.size(); ++i)
            out += (i % 2 == 0 ? QStringLiteral("pulse ") : QStringLiteral("space ")) +
                   QString::number(b.durations.at(i)) + QLatin1Char('\n');
        out += QStringLiteral("timeout\n");
    }
    return out;
}

} // namespace ravlin
