#include "formats/core/burst_stream.h"

#include "formats/core/ascii_scan.h"

namespace ravlin {

namespace {

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
    bool any = false;
    for (;;) {
        const qint64 n = m_device.readLine(m_chunk.data(), m_chunk.size());
        if (n <= 0) {
            // The rest of a line already reported as too long ends with the input.
            if (!any) return Status::End;
            ++m_line;
            m_endedWithNewline = false;
            return Status::Line;
        }
        const bool newline = m_chunk.at(n - 1) == '\n';
        if (m_skipping) {
            // The rest of a line reported as too long: dropped up to its line end.
            if (newline) {
                m_skipping = false;
                m_endedWithNewline = true;
            }
            continue;
        }
        any = true;
        line.append(m_chunk.constData(), newline ? n - 1 : n);
        if (line.size() > m_maxLine) {
            // Said at once, not when the line ends: input without line breaks would otherwise hold
            // the report back forever. Its rest is skipped by the next calls.
            ++m_line;
            m_skipping = !newline;
            m_endedWithNewline = newline;
            line.clear();
            line.squeeze();
            return Status::TooLong;
        }
        if (newline) {
            ++m_line;
            m_endedWithNewline = true;
            if (line.endsWith('\r')) line.chop(1);
            return Status::Line;
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
bool BurstLineParser::parseList(const QByteArray& bytes, Burst& burst) const {
    using namespace ascii;
    const std::string_view line = trimmed(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    if (line.empty() || line.front() == '#') return true;
    const BurstListOptions& o = m_options.list;
    std::size_t pos = 0;
    while (pos < line.size()) {
        std::int64_t whole = 0;
        int digits = 0;
        if (!readDigits(line, pos, 9, whole, digits)) return false;
        std::int64_t thousandths = whole * 1000;
        if (pos < line.size() && line[pos] == '.') {
            if (!o.micros) return false;
            ++pos;
            std::int64_t fraction = 0;
            if (!readDigits(line, pos, 3, fraction, digits)) return false;
            for (int d = digits; d < 3; ++d)
                fraction *= 10;
            thousandths += fraction;
        }
        if (thousandths > std::int64_t(kBurstListMaxValue) * 1000) return false;
        if (pos < line.size() && !isBlank(line[pos]) && line[pos] != ',') return false;
        while (pos < line.size() && (isBlank(line[pos]) || line[pos] == ','))
            ++pos;
        burst.durations.push_back(
            o.micros ? nanosToReceivedUnits(thousandths, o.kind, std::size_t(burst.durations.size()))
                     : static_cast<int>(whole));
    }
    return true;
}

bool BurstLineParser::parseMode2(const QByteArray& line, Mode2Sample& sample) const {
    return parsePlainMode2Line(std::string_view(line.constData(), std::size_t(line.size())), sample);
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
        out.bursts.push_back({microsToDurations(*burst), QString(), lineNumber});
}

void BurstLineParser::finish(int textLines, ReadResult& out) {
    if (m_options.input != Input::Mode2) return;
    if (auto burst = m_framer.flush())
        out.bursts.push_back({microsToDurations(*burst), QString(), textLines});
}

} // namespace ravlin
