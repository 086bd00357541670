// Pronto hex, learned form: "0000 FREQ ONCE REPEAT" then (on, off) pairs in carrier periods, the
// once sequence before the repeat sequence. One code per line (a code wrapped over the following
// lines of hex words is joined), named by "NAME: code" or by a name line before it.
#include "formats/core/signal_files.h"
#include "formats/core/signal_format_parts.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace ravlin::signalformats {

namespace {

constexpr double kPeriodPerWord = 0.241246;         // carrier period in microseconds per frequency unit
constexpr int kWrittenFrequencyWord = 0x006D;       // 38 kHz (38029 Hz)
constexpr std::uint32_t kWrittenGapMicros = 100000; // the off time after a written burst

bool isHexWord(QStringView word) {
    if (word.size() != 4) return false;
    for (QChar c : word) {
        const char16_t u = c.unicode();
        if (!((u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F'))) return false;
    }
    return true;
}

QString hexWord(std::uint32_t value) {
    return QString::number(value, 16).rightJustified(4, QLatin1Char('0')).toUpper();
}

// The text after the last ":" (a code never holds one), or the whole line.
QStringView codePart(QStringView line) {
    const qsizetype colon = line.lastIndexOf(u':');
    return colon < 0 ? line : line.mid(colon + 1).trimmed();
}

// The first `count` blank-separated words of `text`.
QList<QStringView> firstWords(QStringView text, qsizetype count) {
    QList<QStringView> words;
    for (QStringView w : text.tokenize(u' ', Qt::SkipEmptyParts)) {
        if (words.size() == count) break;
        words.push_back(w.trimmed());
    }
    return words;
}

bool isFormatWord(QStringView word) {
    static const QStringList known{QStringLiteral("0000"), QStringLiteral("0100"), QStringLiteral("5000"),
                                   QStringLiteral("5001"), QStringLiteral("6000"), QStringLiteral("6001"),
                                   QStringLiteral("900A")};
    return known.contains(word.toString().toUpper());
}

// The number of words a code's pair counts ask for, when its first four words are hex words.
std::optional<qsizetype> expectedWords(QStringView code) {
    const QList<QStringView> header = firstWords(code, 4);
    if (header.size() < 4 || !std::all_of(header.begin(), header.end(), isHexWord)) return std::nullopt;
    return 4 + 2 * (qsizetype(header[2].toUInt(nullptr, 16)) + qsizetype(header[3].toUInt(nullptr, 16)));
}

// The number of words of a line that holds nothing but hex words, else nothing.
std::optional<qsizetype> hexWordCount(QStringView line) {
    qsizetype count = 0;
    for (QStringView w : line.tokenize(u' ', Qt::SkipEmptyParts)) {
        if (!isHexWord(w)) return std::nullopt;
        ++count;
    }
    return count;
}

class Reader {
public:
    explicit Reader(std::uint32_t gap) : m_gap(gap) {}

    ReadResult read(const QString& text) {
        const QStringList lines = textLines(text);
        QString pending; // a name line waiting for its code
        for (int i = 0; i < lines.size(); ++i) {
            const int lineNo = i + 1;
            const QString t = lines.at(i).simplified();
            if (t.isEmpty()) continue;
            const QStringView code = codePart(t);
            const bool hasColon = code.size() != t.size();
            const QList<QStringView> start = firstWords(code, 1);
            const bool isCode = !start.isEmpty() && isHexWord(start.first());
            if (!isCode) {
                if (t.startsWith(QLatin1Char('#'))) continue; // a comment
                if (hasColon && !code.isEmpty()) {
                    problem({lineNo, ProblemKind::ProntoNotCode, {shownToken(code)}});
                    pending.clear();
                    continue;
                }
                pending = hasColon ? t.left(t.lastIndexOf(QLatin1Char(':'))).trimmed() : t;
                continue;
            }
            const QString name = hasColon ? t.left(t.lastIndexOf(QLatin1Char(':'))).trimmed() : pending;
            pending.clear();
            // A code shorter than its pair counts ask for goes on in the following lines of hex
            // words, as long as they fit (a next code's words would not).
            QString whole = code.toString();
            if (const auto expected = expectedWords(code)) {
                qsizetype have = code.count(u' ') + 1;
                while (have < *expected && i + 1 < lines.size()) {
                    const QString next = lines.at(i + 1).simplified();
                    const auto more = hexWordCount(next);
                    if (next.isEmpty() || !more || have + *more > *expected) break;
                    whole += QLatin1Char(' ') + next;
                    have += *more;
                    ++i;
                }
            }
            readCode(whole, name, lineNo);
        }
        return std::move(m_result);
    }

private:
    void problem(Problem p) { m_result.problems.push_back(std::move(p)); }

    void readCode(QStringView code, const QString& name, int line) {
        std::vector<std::uint32_t> words;
        for (QStringView w : code.tokenize(u' ', Qt::SkipEmptyParts)) {
            if (!isHexWord(w)) {
                problem({line, ProblemKind::ProntoNotWord, {shownToken(w)}});
                return;
            }
            words.push_back(w.toUInt(nullptr, 16));
        }
        if (words.size() < 4) {
            problem({line, ProblemKind::ProntoShort});
            return;
        }
        if (words[0] != 0x0000 && words[0] != 0x0100) {
            problem({line, ProblemKind::ProntoForm, {hexWord(words[0])}});
            return;
        }
        if (words[1] == 0) {
            problem({line, ProblemKind::ProntoNoCarrier});
            return;
        }
        const std::size_t once = words[2], repeat = words[3];
        const std::size_t expected = 4 + 2 * (once + repeat);
        if (words.size() != expected || once + repeat == 0) {
            problem({line,
                     ProblemKind::ProntoWordCount,
                     {QString::number(words.size()), QString::number(once), QString::number(repeat),
                      QString::number(expected)}});
            return;
        }
        const double period = words[1] * kPeriodPerWord;
        std::vector<std::uint32_t> micros;
        micros.reserve(words.size() - 4);
        for (std::size_t k = 4; k < words.size(); ++k) {
            // A sequence's last off time is its lead-out, dropped with the trailing space anyway;
            // some codes give it as 0000.
            const bool leadOut = k == words.size() - 1 || (once > 0 && k == 3 + 2 * once);
            if (words[k] == 0 && leadOut) {
                micros.push_back(m_gap);
                continue;
            }
            const double us = std::round(words[k] * period);
            if (words[k] == 0 || us > kMode2MaxValue) {
                problem(
                    {line,
                     ProblemKind::ProntoPairWord,
                     {QString::number(k - 3), hexWord(words[k]), QString::number(static_cast<qint64>(us))}});
                return;
            }
            micros.push_back(static_cast<std::uint32_t>(std::max(1.0, us)));
        }
        const auto split = micros.begin() + static_cast<std::ptrdiff_t>(2 * once);
        appendSignalFrames({micros.begin(), split}, name, line, m_gap, m_result);
        appendSignalFrames({split, micros.end()}, name, line, m_gap, m_result);
    }

    std::uint32_t m_gap;
    ReadResult m_result;
};

} // namespace

bool looksLikeProntoLine(QStringView line) {
    const QList<QStringView> words = firstWords(codePart(line.trimmed()), 4);
    if (words.size() < 4 || !isFormatWord(words.first())) return false;
    return std::all_of(words.begin(), words.end(), isHexWord);
}

ReadResult readPronto(const QString& text, std::uint32_t gapMicros) {
    return Reader(gapMicros).read(text);
}

QString writePronto(const QVector<Burst>& bursts) {
    const double period = kWrittenFrequencyWord * kPeriodPerWord;
    const auto cycles = [period](double us) {
        return hexWord(static_cast<std::uint32_t>(std::clamp(std::round(us / period), 1.0, 65535.0)));
    };
    QString out;
    for (qsizetype i = 0; i < bursts.size(); ++i) {
        const Burst& b = bursts.at(i);
        if (b.durations.isEmpty()) continue;
        const qsizetype pairs = std::min<qsizetype>((b.durations.size() + 1) / 2, 0xFFFF);
        QString line = writtenName(b, i) + QStringLiteral(": 0000 ") + hexWord(kWrittenFrequencyWord) +
                       QLatin1Char(' ') + hexWord(static_cast<std::uint32_t>(pairs)) +
                       QStringLiteral(" 0000");
        for (qsizetype k = 0; k < 2 * pairs; ++k) {
            const double us = k < b.durations.size() ? b.durations.at(k) : kWrittenGapMicros;
            line +=
                QLatin1Char(' ') + cycles(k == 2 * pairs - 1 ? std::max<double>(us, kWrittenGapMicros) : us);
        }
        out += line + QLatin1Char('\n');
    }
    return out;
}

} // namespace ravlin::signalformats
