#pragma once

#include "acquisition/core/drivers/mode2.h"
#include "acquisition/core/receiver_kind.h"
#include "hashing/core/hash_module.h"
#include "hashing/core/panel_settings.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <cstdint>
#include <optional>
#include <vector>

namespace ravlin::cli {

// Options of "ravlin-cli hash".
struct HashOptions {
    HashPanelSettings panel; // the default configuration: "1b+M96", 1bit, decoder, Ver1, "3B", auto
    DecoderSettings decoder;
    ReceiverKind kind = ReceiverKind::Movrik;
    bool micros = false;                       // --us
    bool mode2 = false;                        // --mode2
    std::uint32_t gapMicros = kBurstGapMicros; // --gap MS: the space that ends a mode2 burst
    QString input;                             // file name; empty or "-" for standard input
};

// Parses the arguments after "hash"; on failure returns nothing and puts the reason into *error.
std::optional<HashOptions> parseHashOptions(const QStringList& args, QString* error);

// A duration in nanoseconds (so microseconds with three decimals stay exact) to the kind's units,
// rounded to the nearest unit, halves away from zero. Computed in integers: the units are decimal
// fractions of a millisecond that binary floating point cannot hold exactly.
std::int32_t nanosToUnits(std::int64_t nanos, ReceiverKind kind);

// One burst read from the input, with the line it came from (its last line for mode2).
struct InputBurst {
    int line = 0;
    std::vector<std::int32_t> durations;
};

// Reads the input text into bursts; every bad line goes to `errors` as "line N: reason", and every
// burst that had to be cut to `warnings` (when given) as "line N: warning: ...".
std::vector<InputBurst> readBursts(const QString& text, const HashOptions& options, QStringList& errors,
                                   QStringList* warnings = nullptr);

// A token of the input for an error line: in double quotes, with the quote, the backslash and every
// character that is not printable escaped (\", \\, \xHH, \uHHHH).
QString quotedToken(const QString& token);

// Processes the bursts in order as successive receptions and writes one JSON object per burst.
void writeHashLines(const std::vector<InputBurst>& bursts, HashOptions options, QTextStream& out);

// Runs the whole command; returns the exit status (0 fine, 1 bad input lines, 2 usage or file error).
int runHash(const QStringList& args, QTextStream& out, QTextStream& err);

QString usageText();

} // namespace ravlin::cli
