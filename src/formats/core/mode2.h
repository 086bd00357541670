#pragma once

#include "formats/core/read_result.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace ravlin {

// One sample of the kernel's LIRC mode2 stream.
struct Mode2Sample {
    enum class Type { Pulse, Space, Timeout, Frequency, Unknown };
    Type type = Type::Unknown;
    std::uint32_t micros = 0; // pulse, space and timeout lengths; the frequency in Hz

    bool operator==(const Mode2Sample&) const = default;
};

// A 32-bit mode2 word: the top byte is the sample type, the low 24 bits its value.
Mode2Sample decodeMode2Word(std::uint32_t word);
std::uint32_t encodeMode2Word(const Mode2Sample& sample);

// A burst ends at a timeout sample, at a space this long or longer, or when no sample came for this
// long.
inline constexpr std::uint32_t kBurstGapMicros = 30000;

// Cuts a mode2 sample stream into bursts of microseconds: each burst starts with a pulse, pulses and
// spaces alternate (repeated samples of one type are joined), and it ends with a pulse.
class Mode2Framer {
public:
    // Takes one sample; returns the burst it completed, if any.
    std::optional<std::vector<std::uint32_t>> feed(const Mode2Sample& sample);
    // Ends the burst in progress (no sample came for the gap time); returns it if there was one.
    std::optional<std::vector<std::uint32_t>> flush();
    bool inBurst() const { return !m_current.empty(); }

private:
    std::vector<std::uint32_t> m_current; // odd positions pulses, even positions spaces
};

// Frames a whole sample sequence; a burst still open at the end is completed.
std::vector<std::vector<std::uint32_t>> frameMode2(const std::vector<Mode2Sample>& samples);

// Largest value a mode2 sample carries (24 bits).
inline constexpr std::uint32_t kMode2MaxValue = 0xFFFFFF;

// Reads mode2 text ("pulse N", "space N", "timeout [N]", "frequency N", N in microseconds; "#"
// comment lines and empty lines skipped) and frames it into bursts of microseconds, each with its
// last line (the end of the text for the burst still open there).
ReadResult readMode2Text(const QString& text);
// Mode2 text of bursts of microseconds: pulse and space lines, a "timeout" line after each burst.
QString writeMode2Text(const QVector<Burst>& bursts);

} // namespace ravlin
