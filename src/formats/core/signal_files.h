#pragma once

#include "formats/core/mode2.h"
#include "formats/core/read_result.h"

#include <QString>
#include <QVector>

#include <cstdint>
#include <optional>
#include <vector>

namespace ravlin {

// Remote-control files of other tools, read into bursts of microseconds and written from them.
enum class SignalFormat {
    Flipper, // Flipper Zero ".ir" ("Filetype: IR signals file", raw and parsed signals)
    Lircd,   // LIRC "lircd.conf" (raw_codes and coded remotes)
    Pronto,  // Pronto hex, learned form ("0000" frequency word, once and repeat sequences)
    Mode2,   // mode2 text ("pulse N" / "space N")
};

// The format's name on command lines and in menus' filters: "flipper", "lircd", "pronto", "mode2".
QString signalFormatName(SignalFormat format);
std::optional<SignalFormat> signalFormatFromName(const QString& name);
// The format a text is written in, told from its content; nothing when it is none of them.
std::optional<SignalFormat> detectSignalFormat(const QString& text);

struct SignalReadOptions {
    // A space of this length or longer inside a signal ends a frame: a signal holding repeated
    // frames gives one burst per frame.
    std::uint32_t gapMicros = kBurstGapMicros;
};

// Reads a file's signals into bursts of microseconds (mark first, ending with a mark), each named
// by its button where the format names one and carrying its line. Each frame is one burst; a frame
// of more than 255 durations is cut after its last whole mark with a warning line. Bad lines and
// signals that cannot be turned into durations are problems; reading never stops at them.
ReadResult readSignals(const QString& text, SignalFormat format, const SignalReadOptions& options = {});

struct SignalWriteOptions {
    // Flipper: a burst whose protocol, address and command SignalGenerator::decode() finds (its
    // frame generated again is the burst within the decoder's tolerance) is written as a parsed
    // signal; the others stay raw.
    bool flipperParsed = false;
};

// Writes bursts of microseconds as a file of the format that readSignals takes back with the same
// durations and names (Flipper raw signals, lircd.conf raw_codes, Pronto "0000", mode2 text with a
// "# name:" line before each burst). `remoteName` names the remote where the format has a place
// for it.
QString writeSignals(const QVector<Burst>& bursts, SignalFormat format, const QString& remoteName = {},
                     const SignalWriteOptions& options = {});

// The number of parsed signals in Flipper text that writeSignals wrote.
int parsedSignalCount(const QString& flipperText);

// Splits one signal's durations (mark first, marks and spaces alternating) into frames at every
// space of `gapMicros` or longer and appends each frame to `result` as a burst named `name` at
// `line`. A trailing space is dropped; a frame of more than 255 durations is cut as the receivers
// cut it (cutLongBurst), with a warning line.
void appendSignalFrames(const std::vector<std::uint32_t>& micros, const QString& name, int line,
                        std::uint32_t gapMicros, ReadResult& result);

} // namespace ravlin
