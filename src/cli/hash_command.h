#pragma once

#include "base/core/receiver_units.h"
#include "formats/core/mode2.h"
#include "formats/core/read_result.h"
#include "formats/core/signal_files.h"
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
    std::optional<SignalFormat> format;        // --format F (mode2 is read as --mode2)
    QString input;                             // file name; empty or "-" for standard input
};

// Formats read whole (Flipper, lircd.conf, Pronto, and content that is told apart only as a whole)
// may be at most this large.
inline constexpr qint64 kWholeInputLimit = 16 * 1024 * 1024;

// Parses the arguments after "hash"; on failure returns nothing and puts the reason into *error.
std::optional<HashOptions> parseHashOptions(const QStringList& args, QString* error);

// Reads the input text into bursts in receiver units: a burst list (units, or microseconds with
// --us) or mode2 text framed with the --gap; microseconds give the units the kind's receiver
// delivers. Bad lines, and list lines longer than the capture buffer holds, become problems; a burst
// of microseconds that does not fit one receive block is cut after its last whole mark and noted as
// a warning.
ReadResult readBursts(const QString& text, const HashOptions& options);

// Processes the bursts in order as successive receptions and writes one JSON object per burst.
void writeHashLines(const QVector<Burst>& bursts, HashOptions options, QTextStream& out);

// The hash command's run over a stream: each burst (in receiver units) is processed as the next
// reception and its JSON line written and flushed at once. Bursts that name their button get
// "name" and "source" (input name ":" line).
class HashWriter {
public:
    HashWriter(const HashOptions& options, QTextStream& out);
    void write(const Burst& burst);

private:
    HashOptions m_options;
    QTextStream& m_out;
    DurationHistogram m_histogram;
    QString m_sourceName;
};

// Runs the whole command; returns the exit status (0 fine, 1 bad input lines, 2 usage or file error).
int runHash(const QStringList& args, QTextStream& out, QTextStream& err);

QString usageText();

} // namespace ravlin::cli
