// LIRC "lircd.conf": "begin remote" ... "end remote" blocks of parameters, then either
// "begin raw_codes" (named durations) or "begin codes" (named code values that the remote's
// encoding turns into durations).
#include "formats/core/signal_files.h"
#include "formats/core/signal_format_parts.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <set>

namespace ravlin::signalformats {

namespace {

constexpr std::uint32_t kWrittenGapMicros = 100000; // "gap" of written remotes: the space after a code
constexpr int kWrittenPerLine = 8;                  // durations per line of a written raw code

// Parameters that tell nothing about a code's durations (tolerances, repeats, carrier, driver).
const std::set<QString> kQuietParameters{QStringLiteral("eps"),
                                         QStringLiteral("aeps"),
                                         QStringLiteral("frequency"),
                                         QStringLiteral("duty_cycle"),
                                         QStringLiteral("repeat"),
                                         QStringLiteral("min_repeat"),
                                         QStringLiteral("repeat_gap"),
                                         QStringLiteral("gap"),
                                         QStringLiteral("suppress_repeat"),
                                         QStringLiteral("manual_sort"),
                                         QStringLiteral("driver"),
                                         QStringLiteral("ignore_mask"),
                                         QStringLiteral("min_code_repeat"),
                                         QStringLiteral("repeat_mask"),
                                         QStringLiteral("serial_mode"),
                                         QStringLiteral("baud")};
// Timings of the two- and three-level encodings, whose flags are reported and their remotes skipped.
const std::set<QString> kOtherEncodingParameters{QStringLiteral("two"), QStringLiteral("three")};
// Parameters whose values build the durations.
const std::set<QString> kTimingParameters{QStringLiteral("bits"),      QStringLiteral("pre_data_bits"),
                                          QStringLiteral("pre_data"),  QStringLiteral("post_data_bits"),
                                          QStringLiteral("post_data"), QStringLiteral("header"),
                                          QStringLiteral("one"),       QStringLiteral("zero"),
                                          QStringLiteral("ptrail"),    QStringLiteral("plead"),
                                          QStringLiteral("pre"),       QStringLiteral("post"),
                                          QStringLiteral("foot"),      QStringLiteral("rc6_mask")};
// "repeat_bit" is the old name of "toggle_bit".
const std::set<QString> kToggleParameters{QStringLiteral("toggle_bit_mask"), QStringLiteral("toggle_bit"),
                                          QStringLiteral("toggle_mask"), QStringLiteral("repeat_bit")};
// Flags that change nothing in one code's durations (gaps and repeats) or are read (REVERSE).
const std::set<QString> kQuietFlags{QStringLiteral("CONST_LENGTH"), QStringLiteral("NO_HEAD_REP"),
                                    QStringLiteral("NO_FOOT_REP"),  QStringLiteral("REPEAT_HEADER"),
                                    QStringLiteral("REVERSE"),      QStringLiteral("RAW_CODES")};

enum class Encoding { Space, Biphase, Rc6 };

// The line up to its comment: a "#" that begins a word starts a comment to the end of the line, as
// LIRC reads it ("KEY_1  0x08  # Was: 1"); a "#" inside a word ("KEY_#") stays.
QString withoutComment(const QString& line) {
    for (qsizetype i = 0; i < line.size(); ++i)
        if (line[i] == QLatin1Char('#') && (i == 0 || line[i - 1].isSpace())) return line.left(i);
    return line;
}

QStringList wordsOf(const QString& text) {
    return text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// A number of lircd.conf: "0x" hexadecimal or decimal, up to 64 bits.
std::optional<std::uint64_t> lircNumber(const QString& text) {
    bool ok = false;
    std::uint64_t value = 0;
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = text.mid(2).toULongLong(&ok, 16);
    else
        value = text.toULongLong(&ok, 10);
    if (!ok || text.startsWith(QLatin1Char('+'))) return std::nullopt;
    return value;
}

struct Parameter {
    std::vector<std::uint64_t> values;
    int line = 0;
};

struct Entry {
    QString name;
    int line = 0;
    bool raw = false;
    bool bad = false;
    std::vector<std::uint32_t> micros; // raw codes
    std::uint64_t value = 0;           // coded
};

// Marks and spaces joined where two of one level meet; an idle space before the first mark and
// zero lengths are left out.
struct Levels {
    std::vector<std::uint32_t> out;
    void add(bool mark, std::uint64_t len) {
        if (len == 0) return;
        const auto l = static_cast<std::uint32_t>(std::min<std::uint64_t>(len, 0xFFFFFFFFu));
        if (out.empty()) {
            if (mark) out.push_back(l);
        } else if ((out.size() % 2 == 1) == mark) {
            out.back() = static_cast<std::uint32_t>(
                std::min<std::uint64_t>(std::uint64_t(out.back()) + l, 0xFFFFFFFFu));
        } else {
            out.push_back(l);
        }
    }
};

class Reader {
public:
    explicit Reader(std::uint32_t gap) : m_gap(gap) {}

    ReadResult read(const QString& text) {
        static const QRegularExpression blanks(QStringLiteral("\\s+"));
        const QStringList lines = textLines(text);
        for (int i = 0; i < lines.size(); ++i) {
            const int lineNo = i + 1;
            const QString t = withoutComment(lines.at(i)).trimmed();
            if (t.isEmpty()) continue;
            const qsizetype space = t.indexOf(blanks);
            const QString first = (space < 0 ? t : t.left(space)).toLower();
            const QString rest = space < 0 ? QString() : t.mid(space).trimmed();
            const QString second = rest.left(32).section(blanks, 0, 0).toLower(); // a keyword is short
            const bool begin = first == QLatin1String("begin"), end = first == QLatin1String("end");
            if (m_where == Where::Raw && !begin && !end && first != QLatin1String("name")) {
                rawDurations(t, lineNo);
                continue;
            }
            if (begin && second == QLatin1String("remote")) {
                if (m_where != Where::Outside) {
                    problem({lineNo, ProblemKind::LircNotEnded, {shownToken(m_name)}});
                    finishRemote();
                }
                startRemote(lineNo);
                continue;
            }
            if (m_where == Where::Outside && first == QLatin1String("include")) {
                problem({lineNo, ProblemKind::LircIncludeNotFollowed, {shownToken(t)}});
                continue;
            }
            if (m_where == Where::Outside) {
                problem({lineNo, ProblemKind::LircOutside, {shownToken(t)}});
                continue;
            }
            if (end && second == QLatin1String("remote")) {
                if (m_where != Where::Remote) problem({lineNo, ProblemKind::LircEarlyEnd});
                finishRemote();
                continue;
            }
            if (m_where == Where::Remote) {
                if (begin && second == QLatin1String("codes"))
                    m_where = Where::Codes;
                else if (begin && second == QLatin1String("raw_codes"))
                    m_where = Where::Raw;
                else if (begin || end)
                    problem({lineNo, ProblemKind::LircNotSection, {shownToken(t)}});
                else
                    parameter(first, rest, lineNo);
                continue;
            }
            if (end &&
                second == (m_where == Where::Codes ? QLatin1String("codes") : QLatin1String("raw_codes"))) {
                m_where = Where::Remote;
                continue;
            }
            if (begin || end) {
                problem({lineNo, ProblemKind::LircInsideCodes, {shownToken(t)}});
                continue;
            }
            if (m_where == Where::Raw) // a "name" line
                m_entries.push_back({rest, lineNo, true, false, {}, 0});
            else
                code(t, lineNo);
        }
        if (m_where != Where::Outside) {
            problem({static_cast<int>(lines.size()), ProblemKind::LircNotEnded, {shownToken(m_name)}});
            finishRemote();
        }
        sortProblems(m_result.problems);
        sortProblems(m_result.warnings);
        return std::move(m_result);
    }

private:
    enum class Where { Outside, Remote, Codes, Raw };

    void problem(Problem p) { m_result.problems.push_back(std::move(p)); }

    void startRemote(int line) {
        m_where = Where::Remote;
        m_line = line;
        m_name.clear();
        m_params.clear();
        m_entries.clear();
        m_encoding.reset();
        m_reverse = false;
        m_skip = false;
    }

    void parameter(const QString& key, const QString& rest, int line) {
        if (key == QLatin1String("name")) {
            m_name = rest;
            return;
        }
        if (key == QLatin1String("flags")) {
            flags(rest, line);
            return;
        }
        if (kQuietParameters.count(key) || kOtherEncodingParameters.count(key)) return;
        if (kToggleParameters.count(key)) {
            const QStringList words = wordsOf(rest);
            const auto value = words.isEmpty() ? std::nullopt : lircNumber(words.first());
            // Not a loss: the codes are read as the first press sends them.
            if (!value || *value != 0)
                m_result.warnings.push_back({line, ProblemKind::LircToggleIgnored, {key}});
            return;
        }
        if (!kTimingParameters.count(key)) {
            problem({line, ProblemKind::LircUnknownParameter, {shownToken(key)}});
            return;
        }
        Parameter p{{}, line};
        for (const QString& word : wordsOf(rest)) {
            const auto value = lircNumber(word);
            if (!value) {
                problem({line, ProblemKind::LircParameterNotNumber, {shownToken(word), key}});
                return;
            }
            p.values.push_back(*value);
        }
        m_params.insert(key, p);
    }

    void flags(const QString& text, int line) {
        for (const QString& f : text.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
            const QString flag = f.trimmed().toUpper();
            std::optional<Encoding> encoding;
            if (flag == QLatin1String("SPACE_ENC"))
                encoding = Encoding::Space;
            else if (flag == QLatin1String("RC5") || flag == QLatin1String("SHIFT_ENC"))
                encoding = Encoding::Biphase;
            else if (flag == QLatin1String("RC6"))
                encoding = Encoding::Rc6;
            else if (flag == QLatin1String("REVERSE"))
                m_reverse = true;
            else if (!kQuietFlags.count(flag)) {
                problem({line, ProblemKind::LircFlagNotRead, {shownToken(flag), shownToken(m_name)}});
                m_skip = true;
            }
            if (encoding) {
                if (m_encoding && *m_encoding != *encoding) {
                    problem({line, ProblemKind::LircTwoEncodings, {shownToken(m_name)}});
                    m_skip = true;
                }
                m_encoding = encoding;
            }
        }
    }

    void code(const QString& t, int line) {
        const QStringList parts = wordsOf(t);
        if (parts.size() < 2) {
            problem({line, ProblemKind::LircExpectedCode, {shownToken(t)}});
            return;
        }
        const auto value = lircNumber(parts.at(1));
        if (!value) {
            problem(
                {line, ProblemKind::LircCodeNotNumber, {shownToken(parts.at(1)), shownToken(parts.at(0))}});
            return;
        }
        // LIRC sends further codes after the first; a burst holds one.
        if (parts.size() > 2) problem({line, ProblemKind::LircRepeatCodeIgnored, {shownToken(parts.at(0))}});
        m_entries.push_back({parts.at(0), line, false, false, {}, *value});
    }

    void rawDurations(const QString& t, int line) {
        if (m_entries.isEmpty() || !m_entries.back().raw) {
            problem({line, ProblemKind::LircDurationsBeforeName});
            return;
        }
        Entry& e = m_entries.back();
        if (e.bad) return;
        ProblemPart error{};
        if (!appendMicros(t, e.micros, error)) {
            problem(Problem(line, error).then(ProblemKind::RawCodeSkipped, {shownToken(e.name)}));
            e.bad = true;
        }
        e.line = line;
    }

    // A timing pair parameter (pulse, space), or nothing when it is missing.
    std::optional<std::array<std::uint64_t, 2>> pair(const char* key, bool required, bool& ok) {
        const auto it = m_params.constFind(QLatin1String(key));
        if (it == m_params.cend()) {
            if (required) {
                problem({m_line, ProblemKind::LircMissingLine, {shownToken(m_name), QLatin1String(key)}});
                ok = false;
            }
            return std::nullopt;
        }
        if (it->values.size() != 2 || it->values[0] > kMode2MaxValue || it->values[1] > kMode2MaxValue) {
            problem({it->line,
                     ProblemKind::LircNeedsTwo,
                     {QLatin1String(key), QString::number(kMode2MaxValue), shownToken(m_name)}});
            ok = false;
            return std::nullopt;
        }
        return std::array<std::uint64_t, 2>{it->values[0], it->values[1]};
    }

    // A one-value parameter, 0 when missing.
    std::uint64_t single(const char* key, bool& ok, std::uint64_t limit) {
        const auto it = m_params.constFind(QLatin1String(key));
        if (it == m_params.cend()) return 0;
        if (it->values.size() != 1 || it->values[0] > limit) {
            problem({it->line,
                     ProblemKind::LircNeedsOne,
                     {QLatin1String(key), QString::number(limit), shownToken(m_name)}});
            ok = false;
            return 0;
        }
        return it->values[0];
    }

    void finishRemote() {
        m_where = Where::Outside;
        if (m_name.isEmpty()) problem({m_line, ProblemKind::LircNoName});
        if (m_skip) return;
        bool coded = false;
        for (const Entry& e : m_entries) {
            if (e.raw && !e.bad) {
                if (e.micros.empty())
                    problem({e.line, ProblemKind::LircRawNoDurations, {shownToken(e.name)}});
                else
                    appendSignalFrames(e.micros, e.name, e.line, m_gap, m_result);
            }
            coded = coded || !e.raw;
        }
        if (coded) codes();
    }

    void codes() {
        bool ok = true;
        const auto header = pair("header", false, ok);
        const auto one = pair("one", true, ok);
        const auto zero = pair("zero", true, ok);
        const auto pre = pair("pre", false, ok);
        const auto post = pair("post", false, ok);
        const auto foot = pair("foot", false, ok);
        const std::uint64_t bits = single("bits", ok, 64), preBits = single("pre_data_bits", ok, 64),
                            postBits = single("post_data_bits", ok, 64);
        const std::uint64_t preData = single("pre_data", ok, ~0ull),
                            postData = single("post_data", ok, ~0ull);
        const std::uint64_t plead = single("plead", ok, kMode2MaxValue),
                            ptrail = single("ptrail", ok, kMode2MaxValue);
        std::uint64_t rc6Mask = single("rc6_mask", ok, ~0ull);
        if (!ok) return;
        if (bits == 0 || bits + preBits + postBits > 64) {
            problem({m_line, ProblemKind::LircBits, {shownToken(m_name)}});
            return;
        }
        const int total = static_cast<int>(bits + preBits + postBits);
        const Encoding encoding = m_encoding.value_or(Encoding::Space);
        // Without rc6_mask the fifth bit sent (start bit, three mode bits, toggle) is the wide one.
        if (encoding == Encoding::Rc6 && !m_params.contains(QStringLiteral("rc6_mask")) && total >= 5)
            rc6Mask = 1ull << (total - 5);
        const auto fits = [](std::uint64_t value, std::uint64_t width) {
            return width >= 64 || (value >> width) == 0;
        };
        if (!fits(preData, preBits) || !fits(postData, postBits)) {
            problem({m_line, ProblemKind::LircPrePostWide, {shownToken(m_name)}});
            return;
        }
        for (const Entry& e : m_entries) {
            if (e.raw) continue;
            if (!fits(e.value, bits)) {
                problem({e.line, ProblemKind::LircCodeWide, {shownToken(e.name), QString::number(bits)}});
                continue;
            }
            Levels levels;
            const auto addPair = [&levels](const std::optional<std::array<std::uint64_t, 2>>& p) {
                if (!p) return;
                levels.add(true, (*p)[0]);
                levels.add(false, (*p)[1]);
            };
            const auto field = [&](std::uint64_t value, int width, int offset) {
                for (int i = 0; i < width; ++i) {
                    const int index = m_reverse ? i : width - 1 - i;
                    const bool bit = (value >> index) & 1;
                    const int position = offset + index;
                    const std::uint64_t m =
                        encoding == Encoding::Rc6 && position < 64 && ((rc6Mask >> position) & 1) ? 2 : 1;
                    if (encoding == Encoding::Space) {
                        addPair(bit ? one : zero);
                    } else if (bit) { // bi-phase: 1 is space then pulse
                        levels.add(false, (*one)[1] * m);
                        levels.add(true, (*one)[0] * m);
                    } else {
                        levels.add(true, (*zero)[0] * m);
                        levels.add(false, (*zero)[1] * m);
                    }
                }
            };
            if (header && (*header)[0] && (*header)[1]) addPair(header);
            levels.add(true, plead);
            field(preData, static_cast<int>(preBits), static_cast<int>(bits + postBits));
            addPair(pre);
            field(e.value, static_cast<int>(bits), static_cast<int>(postBits));
            addPair(post);
            field(postData, static_cast<int>(postBits), 0);
            levels.add(true, ptrail);
            addPair(foot);
            std::vector<std::uint32_t>& micros = levels.out;
            if (micros.size() % 2 == 0 && !micros.empty()) micros.pop_back();
            bool large = false;
            for (std::uint32_t us : micros)
                large = large || us > kMode2MaxValue;
            if (micros.empty() || large) {
                problem({e.line,
                         ProblemKind::LircNoBurst,
                         {shownToken(e.name), QString::number(kMode2MaxValue)}});
                continue;
            }
            appendSignalFrames(micros, e.name, e.line, m_gap, m_result);
        }
    }

    std::uint32_t m_gap;
    ReadResult m_result;
    Where m_where = Where::Outside;
    int m_line = 0;
    QString m_name;
    QHash<QString, Parameter> m_params;
    QVector<Entry> m_entries;
    std::optional<Encoding> m_encoding;
    bool m_reverse = false;
    bool m_skip = false;
};

// A name as one lircd.conf token: blanks become "_".
QString token(QString name) {
    for (QChar& c : name)
        if (c.isSpace()) c = QLatin1Char('_');
    return name;
}

} // namespace

ReadResult readLircd(const QString& text, std::uint32_t gapMicros) {
    return Reader(gapMicros).read(text);
}

QString writeLircd(const QVector<Burst>& bursts, const QString& remoteName) {
    QString name = token(writtenName({{}, remoteName, 0}, 0));
    if (remoteName.trimmed().isEmpty()) name = QStringLiteral("ravlin");
    QString out = QStringLiteral("# Raw codes in microseconds, written by Ravlin.\n\nbegin remote\n\n"
                                 "  name  %1\n  flags RAW_CODES\n  eps            30\n  aeps          100\n"
                                 "  frequency   38000\n  gap        %2\n\n  begin raw_codes\n")
                      .arg(name)
                      .arg(kWrittenGapMicros);
    for (qsizetype i = 0; i < bursts.size(); ++i) {
        const Burst& b = bursts.at(i);
        if (b.durations.isEmpty()) continue;
        out += QStringLiteral("\n    name %1\n").arg(token(writtenName(b, i)));
        for (qsizetype k = 0; k < b.durations.size(); k += kWrittenPerLine)
            out += QStringLiteral("      ") + joinedDurations(b.durations.mid(k, kWrittenPerLine)) +
                   QLatin1Char('\n');
    }
    return out + QStringLiteral("\n  end raw_codes\n\nend remote\n");
}

} // namespace ravlin::signalformats
