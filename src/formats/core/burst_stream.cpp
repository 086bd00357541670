#include "formats/core/burst_stream.h"

#include <array>
#include <cstring>

namespace ravlin {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The line without ASCII blanks at either end, as [begin, end).
void trim(const QByteArray& line, qsizetype& begin, qsizetype& end) {
    begin = 0;
    end = line.size();
    while (begin < end && isBlank(line.at(begin)))
        ++begin;
    while (end > begin && isBlank(line.at(end - 1)))
        --end;
}

// A run of at most `maxDigits` decimal digits at `pos` (leading zeros counted unless
// `skipZeros`); false when there are none or more.
bool readDigits(const QByteArray& line, qsizetype& pos, qsizetype end, int maxDigits, std::int64_t& value,
                int& digits, bool skipZeros = false) {
    value = 0;
    digits = 0;
    const qsizetype first = pos;
    while (skipZeros && pos < end && line.at(pos) == '0')
        ++pos;
    if (pos > first && (pos == end || !isDigit(line.at(pos)))) return true; // all zeros
    while (pos < end && isDigit(line.at(pos))) {
        if (++digits > maxDigits) return false;
        value = value * 10 + (line.at(pos) - '0');
        ++pos;
    }
    return digits > 0;
}

QVector<int> durationsOf(const std::vector<std::uint32_t>& micros) {
    QVector<int> out;
    out.reserve(static_cast<qsizetype>(micros.size()));
    for (std::uint32_t us : micros)
        out.push_back(static_cast<int>(us));
    return out;
}

void appendRenumbered(const ReadResult& from, int lineNumber, ReadResult& out) {
    for (Burst b : from.bursts) {
        b.line = lineNumber;
        out.bursts.push_back(std::move(b));
    }
    for (Problem p : from.problems) {
        p.line = lineNumber;
        out.problems.push_back(std::move(p));
    }
}

} // namespace

LineReader::LineReader(QIODevice& device, qsizetype maxLine) : m_device(device), m_maxLine(maxLine) {
    m_chunk.resize(4096);
}

LineReader::Status LineReader::next(QByteArray& line) {
    line.resize(0); // keeps the allocation for the next line
    bool tooLong = false;
    bool any = false;
    for (;;) {
        const qint64 n = m_device.readLine(m_chunk.data(), m_chunk.size());
        if (n <= 0) {
            if (!any) return Status::End;
            ++m_line;
            m_endedWithNewline = false;
            return tooLong ? Status::TooLong : Status::Line;
        }
        any = true;
        const bool newline = m_chunk.at(n - 1) == '\n';
        if (!tooLong) {
            line.append(m_chunk.constData(), newline ? n - 1 : n);
            if (line.size() > m_maxLine) {
                tooLong = true;
                line.clear();
                line.squeeze();
            }
        }
        if (newline) {
            ++m_line;
            m_endedWithNewline = true;
            if (line.endsWith('\r')) line.chop(1);
            return tooLong ? Status::TooLong : Status::Line;
        }
    }
}

BurstLineParser::BurstLineParser(const Options& options) : m_options(options), m_framer(options.gapMicros) {}

bool BurstLineParser::isPlainListLine(const QByteArray& line) {
    Burst burst;
    return BurstLineParser({Input::BurstList, {true, ReceiverKind::Movrik}, kBurstGapMicros})
               .parseList(line, burst) &&
           !burst.durations.isEmpty();
}

bool BurstLineParser::isMode2SampleLine(const QByteArray& line) {
    Mode2Sample sample;
    return BurstLineParser({Input::Mode2, {}, kBurstGapMicros}).parseMode2(line, sample) &&
           sample.type != Mode2Sample::Type::Unknown;
}

// A plain burst-list line: decimal numbers (with up to three decimals for microseconds) separated
// by ASCII blanks or commas. Empty and "#" lines give no durations. False for anything else.
bool BurstLineParser::parseList(const QByteArray& line, Burst& burst) const {
    qsizetype pos = 0;
    qsizetype end = 0;
    trim(line, pos, end);
    if (pos == end || line.at(pos) == '#') return true;
    const BurstListOptions& o = m_options.list;
    while (pos < end) {
        std::int64_t whole = 0;
        int digits = 0;
        if (!readDigits(line, pos, end, 9, whole, digits)) return false;
        std::int64_t thousandths = whole * 1000;
        if (pos < end && line.at(pos) == '.') {
            if (!o.micros) return false;
            ++pos;
            std::int64_t fraction = 0;
            if (!readDigits(line, pos, end, 3, fraction, digits)) return false;
            for (int d = digits; d < 3; ++d)
                fraction *= 10;
            thousandths += fraction;
        }
        if (thousandths > std::int64_t(kBurstListMaxValue) * 1000) return false;
        if (pos < end && !isBlank(line.at(pos)) && line.at(pos) != ',') return false;
        while (pos < end && (isBlank(line.at(pos)) || line.at(pos) == ','))
            ++pos;
        burst.durations.push_back(o.micros ? nanosToUnits(thousandths, o.kind) : static_cast<int>(whole));
    }
    return true;
}

// A plain mode2 line: a sample word in any case, blanks, and its value in decimal microseconds
// ("timeout" may go without one). Empty and "#" lines give an Unknown sample. False for anything else.
bool BurstLineParser::parseMode2(const QByteArray& line, Mode2Sample& sample) const {
    struct Word {
        const char* text;
        int length;
        Mode2Sample::Type type;
    };
    static constexpr std::array<Word, 4> kWords = {{{"pulse", 5, Mode2Sample::Type::Pulse},
                                                    {"space", 5, Mode2Sample::Type::Space},
                                                    {"timeout", 7, Mode2Sample::Type::Timeout},
                                                    {"frequency", 9, Mode2Sample::Type::Frequency}}};
    qsizetype pos = 0;
    qsizetype end = 0;
    trim(line, pos, end);
    sample = {};
    if (pos == end || line.at(pos) == '#') return true;
    char word[10] = {};
    int length = 0;
    while (pos < end && !isBlank(line.at(pos))) {
        const char c = line.at(pos++);
        if (length == 9) return false;
        word[length++] = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    }
    const Word* found = nullptr;
    for (const Word& w : kWords)
        if (w.length == length && std::memcmp(w.text, word, std::size_t(length)) == 0) found = &w;
    if (!found) return false;
    while (pos < end && isBlank(line.at(pos)))
        ++pos;
    if (pos == end) {
        if (found->type != Mode2Sample::Type::Timeout) return false;
        sample.type = found->type;
        return true;
    }
    std::int64_t value = 0;
    int digits = 0;
    if (!readDigits(line, pos, end, 8, value, digits, true) || pos != end || value > kMode2MaxValue)
        return false;
    sample.type = found->type;
    sample.micros = static_cast<std::uint32_t>(value);
    return true;
}

void BurstLineParser::feed(const QByteArray& line, int lineNumber, ReadResult& out) {
    if (m_options.input == Input::BurstList) {
        Burst burst;
        if (parseList(line, burst)) {
            if (burst.durations.isEmpty()) return;
            burst.line = lineNumber;
            out.bursts.push_back(std::move(burst));
            return;
        }
        appendRenumbered(readBurstList(QString::fromUtf8(line), m_options.list), lineNumber, out);
        return;
    }
    Mode2Sample sample;
    if (!parseMode2(line, sample)) {
        // Not plain: the whole-text reader words the problem; a line it takes (with other blanks)
        // is read again with its blanks made plain.
        const QString text = QString::fromUtf8(line);
        const ReadResult checked = readMode2Text(text, m_options.gapMicros);
        if (!checked.problems.isEmpty()) {
            appendRenumbered({{}, checked.problems, {}}, lineNumber, out);
            return;
        }
        if (!parseMode2(text.simplified().toUtf8(), sample)) return;
    }
    if (sample.type == Mode2Sample::Type::Unknown) return;
    if (auto burst = m_framer.feed(sample))
        out.bursts.push_back({durationsOf(*burst), QString(), lineNumber});
}

void BurstLineParser::finish(int textLines, ReadResult& out) {
    if (m_options.input != Input::Mode2) return;
    if (auto burst = m_framer.flush()) out.bursts.push_back({durationsOf(*burst), QString(), textLines});
}

} // namespace ravlin
