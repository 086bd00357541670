#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace ravlin {

// The shape every reader of outside text shares (capture files, mode2 text, burst lists, and the
// remote-control file formats that join them):
//
//     text in  ->  ReadResult { bursts (or the format's own records), problems }
//
// - A reader never stops at a bad line: it reports it as a Problem with its 1-based line number and
//   goes on with the next line, so one damaged line costs only itself.
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

struct Problem {
    int line = 0;
    QString text;

    // "line N: text", as tools report it.
    QString message() const { return QStringLiteral("line %1: %2").arg(line).arg(text); }
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
