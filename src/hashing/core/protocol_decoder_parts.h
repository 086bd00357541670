#pragma once

// Building blocks shared by the sub-decoders of the protocol decoder (not part of its interface).

#include <QString>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <vector>

namespace ravlin::decoder {

// Durations S[1..N] of one burst; a position outside 1..N reads as 0, so no rule reads past the buffer.
class Burst {
public:
    explicit Burst(std::span<const std::int32_t> durations) : m_durations(durations) {}
    int size() const { return static_cast<int>(m_durations.size()); }
    std::int64_t at(int position) const {
        return position >= 1 && position <= size() ? m_durations[static_cast<std::size_t>(position - 1)] : 0;
    }
    std::span<const std::int32_t> durations() const { return m_durations; }

private:
    std::span<const std::int32_t> m_durations;
};

// What a sub-decoder gets: the burst, its row's threshold, and the flag that makes a repeat read as
// the first press.
struct DecodeInput {
    const Burst& burst;
    std::int64_t threshold = 0;
    bool repeatsAsFirst = false;
};

struct Texts {
    QString hash;
    QString vars;
};

using Decoded = std::optional<Texts>;
using DecodeFunction = Decoded (*)(const DecodeInput&);

// The byte made of durations b, b-2, ..., b-14, first one most significant; a bit is 1 when its
// duration exceeds the threshold (inverted: when it does not).
int byteDownFrom(const Burst& burst, int b, std::int64_t threshold, bool inverted = false);

// Value of the bits at `positions` (first most significant), a bit being 1 when S >= limit.
std::int64_t levelsValue(const Burst& burst, std::initializer_list<int> positions, std::int64_t limit);

// Value of the run of positions from `first` to `last` (either direction), `first` most significant,
// a bit being 1 when S >= limit.
std::int64_t levelsValue(const Burst& burst, int first, int last, std::int64_t limit);

// A text of "0"/"1" read as a binary number; any part of it may be empty (value 0).
std::int64_t binaryValue(const QString& bits);

// Characters a..b (1-based, inclusive) of `text`, as far as the text reaches.
QString chars(const QString& text, int a, int b);

// Bi-phase bit text: c starts at "1"; from mark `start` on, every mark appends c (flipped first when
// the mark is at least `limit`); a following space appends only when it is long, flipping c first.
// With `positions`, the burst position that appended each character is recorded there too.
QString biphaseBits(const Burst& burst, int start, std::int64_t limit, std::vector<int>* positions = nullptr);

QString hex2(std::int64_t value);
QString hex3(std::int64_t value);
QString hex4(std::int64_t value);

// hex3(S[1]) + hex3(S[3]): leading mark and first data mark.
QString timingPair(const Burst& burst);

// Pulse-distance families: code + hex2 of the byte from each start position (down 14 positions).
QString pulseDistanceHash(const char* code, const Burst& burst, std::initializer_list<int> starts,
                          std::int64_t threshold);

// The sub-decoders, by their number in the decoder's table.
Decoded decode96(const DecodeInput& in);
Decoded decodeBiphase(const DecodeInput& in);
Decoded decode57(const DecodeInput& in);
Decoded decode37(const DecodeInput& in);
Decoded decode99(const DecodeInput& in);
Decoded decode67(const DecodeInput& in);
Decoded decodeTail(const DecodeInput& in);
Decoded decode23(const DecodeInput& in);
Decoded decodeMsRemote(const DecodeInput& in);
Decoded decodeSony(const DecodeInput& in);
Decoded decodeJvc(const DecodeInput& in);
Decoded decode51(const DecodeInput& in);
Decoded decodeRunLength(const DecodeInput& in);
Decoded decodeJoystick(const DecodeInput& in);
Decoded decodeMouse(const DecodeInput& in);
Decoded decodeRoison(const DecodeInput& in);
Decoded decodeTadiran(const DecodeInput& in);
Decoded decode49(const DecodeInput& in);
Decoded decodeTimeSlots(const DecodeInput& in);
// Optional sub-decoders (off unless ticked).
Decoded decodeRc6(const DecodeInput& in);
Decoded decodeSirc15(const DecodeInput& in);
Decoded decodeRc5x(const DecodeInput& in);

} // namespace ravlin::decoder
