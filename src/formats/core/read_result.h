#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <cstdint>

namespace ravlin {

// The shape every reader of outside text shares (capture files, mode2 text, burst lists, and the
// remote-control file formats that join them):
//
//     text in  ->  ReadResult { bursts (or the format's own records), problems }
//
// - A reader never stops at a bad line: it reports it as a Problem with its 1-based line number and
//   goes on with the next line, so one damaged line costs only itself.
// - A Problem is a kind and its arguments (the tokens and numbers it names), not a sentence: the
//   command-line tool words it in English (`text()`), the workbench in Russian (`russian()`).
// - A Burst holds its durations (mark first, marks and spaces alternating) in the unit the reader
//   names, an optional name (the button, where the format has one) and the line it came from (its
//   last line where a burst spans several).
// - A format whose records carry more than durations (a capture file's delays and raw bytes) keeps
//   its own record type beside the same `QVector<Problem>`.
// - Writers produce text that their reader takes back unchanged: each format has a round-trip test.
struct Burst {
    QVector<int> durations;
    QString name;
    int line = 0;

    bool operator==(const Burst&) const = default;
};

// What is wrong with a line. Each kind has one English and one Russian wording with the same
// placeholders (%1, %2, ...); the table is in read_result.cpp.
enum class ProblemKind : std::uint8_t {
    // capture files
    CaptureUnknownKind,
    CaptureBadDelay,
    CaptureByteCount,
    CaptureBadByte,
    FileTooLarge,
    // unit and microsecond lists
    ListTooLarge,
    ListNotMicros,
    ListNotUnits,
    ListNoDuration,
    // mode2 text and durations in remote files
    Mode2NotSample,
    Mode2Expected,
    MicrosTooLarge,
    Mode2NotWhole,
    NotDuration,
    NotDurationNegative,
    DurationZero,
    FrameCut,
    ZeroDurationBurst,
    // Flipper .ir
    FlipperExpectedKeyValue,
    FlipperNotIrFile,
    FlipperNoFiletype,
    FlipperUnknownVersion,
    FlipperNoVersion,
    FlipperUnknownKey,
    FlipperBeforeName,
    FlipperSecondKey,
    FlipperMissingKey,
    FlipperBadType,
    FlipperBadFrequency,
    FlipperBadDuty,
    FlipperNoDurations,
    FlipperUnknownProtocol,
    FlipperNotFourBytes,
    FlipperValueTooWide,
    SignalSkipped,
    // lircd.conf
    LircNotEnded,
    LircOutside,
    LircEarlyEnd,
    LircNotSection,
    LircInsideCodes,
    LircToggleIgnored,
    LircUnknownParameter,
    LircParameterNotNumber,
    LircFlagNotRead,
    LircTwoEncodings,
    LircExpectedCode,
    LircCodeNotNumber,
    LircRepeatCodeIgnored,
    LircDurationsBeforeName,
    RawCodeSkipped,
    LircMissingLine,
    LircNeedsTwo,
    LircNeedsOne,
    LircNoName,
    LircRawNoDurations,
    LircBits,
    LircPrePostWide,
    LircCodeWide,
    LircNoBurst,
    LircIncludeNotFollowed,
    // Pronto
    ProntoNotCode,
    ProntoNotWord,
    ProntoShort,
    ProntoForm,
    ProntoNoCarrier,
    ProntoWordCount,
    ProntoPairWord,
    // streams of bursts (ravlin-cli hash)
    BurstCutWarning,
    TooManyDurations,
    LineTooLong,
};

// One statement about a line: its kind and the texts that fill its placeholders.
struct ProblemPart {
    ProblemKind kind;
    QStringList args;

    bool operator==(const ProblemPart&) const = default;
};

struct Problem {
    int line = 0;
    // One statement, or a fault and what became of it ("...; the signal is skipped"), joined by "; ".
    QVector<ProblemPart> parts;

    Problem() = default;
    Problem(int l, ProblemKind kind, QStringList args = {}) : line(l), parts{{kind, std::move(args)}} {}
    Problem(int l, ProblemPart part) : line(l), parts{std::move(part)} {}
    // Adds what became of the line.
    Problem then(ProblemKind kind, QStringList args = {}) const;

    bool is(ProblemKind kind) const { return !parts.isEmpty() && parts.first().kind == kind; }
    // The wording of the command-line tool, in English.
    QString text() const;
    // The wording of the workbench, in Russian.
    QString russian() const;
    // "line N: text", as tools report it.
    QString message() const { return QStringLiteral("line %1: %2").arg(line).arg(text()); }
    bool operator==(const Problem&) const = default;
};

struct ReadResult {
    QVector<Burst> bursts;
    QVector<Problem> problems;
    // Lines whose burst was read but changed to fit (a burst cut after its last whole mark).
    QVector<Problem> warnings;
};

// A token of the text for a problem line: in double quotes, with the quote, the backslash and every
// character that is not printable escaped (\", \\, \xHH, \uHHHH).
QString quotedToken(const QString& token);

// The lines of a text, CR LF and lone LF both ending a line.
QStringList textLines(const QString& text);

// Problems in line order (those found at one line keep their order).
void sortProblems(QVector<Problem>& problems);

} // namespace ravlin
