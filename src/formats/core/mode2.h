#pragma once

#include "formats/core/read_result.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string_view>
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

// The framing gap: a burst ends at a timeout sample, at a space this long or longer, or when no
// sample came for this long. 6 ms lies above the longest space inside common frames (a 4.5 ms
// leader) and below the shortest gap between the frames of a held Sony button (about 6.6 ms).
inline constexpr std::uint32_t kBurstGapMicros = 6000;

// Reads a framing gap given in milliseconds ("6", "12.5"; 0.1 to 1000 ms, to the microsecond) as
// microseconds, or nothing when the text is no such number.
std::optional<std::uint32_t> parseGapMs(const QString& text);

// The most durations a burst may have: the capture buffer's capacity.
inline constexpr std::size_t kBurstMaxDurations = 255;

// Cuts a burst of more than 255 durations after its last whole mark that fits (the 255th duration
// is a mark). Returns the number of durations it had when it was cut, 0 when it was left whole.
std::size_t cutLongBurst(std::vector<std::uint32_t>& micros);

// Cuts a mode2 sample stream into bursts of microseconds: each burst starts with a pulse, pulses and
// spaces alternate (repeated samples of one type are joined), and it ends with a pulse.
class Mode2Framer {
public:
    explicit Mode2Framer(std::uint32_t gapMicros = kBurstGapMicros) : m_gap(gapMicros) {}

    // Takes one sample; returns the burst it completed, if any.
    std::optional<std::vector<std::uint32_t>> feed(const Mode2Sample& sample);
    // Ends the burst in progress (no sample came for the gap time); returns it if there was one.
    std::optional<std::vector<std::uint32_t>> flush();
    bool inBurst() const { return !m_current.empty(); }
    std::uint32_t gapMicros() const { return m_gap; }

private:
    std::uint32_t m_gap;
    std::vector<std::uint32_t> m_current; // odd positions pulses, even positions spaces
};

// Frames a whole sample sequence; a burst still open at the end is completed.
std::vector<std::vector<std::uint32_t>> frameMode2(const std::vector<Mode2Sample>& samples,
                                                   std::uint32_t gapMicros = kBurstGapMicros);

// A framed burst as the durations of a read result (microseconds, each at most 24 bits).
QVector<int> microsToDurations(const std::vector<std::uint32_t>& micros);

// Largest value a mode2 sample carries (24 bits).
inline constexpr std::uint32_t kMode2MaxValue = 0xFFFFFF;

// Reads one plain mode2 line of ASCII text: a sample word in any case, blanks, and its value in
// decimal microseconds ("timeout" may go without one); an empty or "#" line gives an Unknown sample.
// False for any other line, which readMode2Text reads (and words the problem of) instead.
bool parsePlainMode2Line(std::string_view line, Mode2Sample& sample);

// Reads mode2 text ("pulse N", "space N", "timeout [N]", "frequency N", N in microseconds; "#"
// comment lines and empty lines skipped) and frames it into bursts of microseconds, each with its
// last line (the end of the text for the burst still open there). A space of `gapMicros` or longer
// ends a burst. A "# name: X" line names the bursts that begin after it, up to the next "timeout"
// or name line.
ReadResult readMode2Text(const QString& text, std::uint32_t gapMicros = kBurstGapMicros);
// Mode2 text of bursts of microseconds: a "# name: X" line before each named burst (control
// characters in X become spaces), its pulse and space lines, and a "timeout" line.
QString writeMode2Text(const QVector<Burst>& bursts);

} // namespace ravlin
