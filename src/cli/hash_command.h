#pragma once

#include "base/core/receiver_units.h"
#include "formats/core/mode2.h"
#include "formats/core/read_result.h"
#include "hashing/core/hash_module.h"
#include "hashing/core/panel_settings.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <cstdint>
#include <optional>

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

// The most bytes of input read (a file or standard input); a larger input is refused.
inline constexpr qint64 kHashInputMaxBytes = 16 * 1024 * 1024;

// Parses the arguments after "hash"; on failure returns nothing and puts the reason into *error.
std::optional<HashOptions> parseHashOptions(const QStringList& args, QString* error);

// Reads the input text into bursts in receiver units: a burst list (units, or microseconds with
// --us) or mode2 text framed with the --gap. Bad lines, and bursts longer than the capture buffer
// holds, become problems; a mode2 burst of more than 255 durations is cut after its last whole mark
// and noted as a warning.
ReadResult readBursts(const QString& text, const HashOptions& options);

// Processes the bursts in order as successive receptions and writes one JSON object per burst.
void writeHashLines(const QVector<Burst>& bursts, HashOptions options, QTextStream& out);

// Runs the whole command; returns the exit status (0 fine, 1 bad input lines, 2 usage or file error).
int runHash(const QStringList& args, QTextStream& out, QTextStream& err);

QString usageText();

} // namespace ravlin::cli
