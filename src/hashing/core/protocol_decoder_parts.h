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

// The sub-decoders (their result numbers in the comments), named by the format they read where it is
// certain and by their timing rule otherwise.
Decoded decodeNec(const DecodeInput& in);                       // 1: NEC, third byte and its complement
Decoded decodeRc5(const DecodeInput& in);                       // 2: RC5 bi-phase
Decoded decodePulseDistance42(const DecodeInput& in);           // 3: 42 bits
Decoded decodePulseDistance16WithGap(const DecodeInput& in);    // 4: two bytes split by a long space
Decoded decodePulseDistance48(const DecodeInput& in);           // 5: 48 bits
Decoded decodePulseDistance32(const DecodeInput& in);           // 6: 32 bits, no complement check
Decoded decodeTail(const DecodeInput& in);                      // 7: repeat tails of 0..5 durations
Decoded decodePulseDistance11LongSpaces(const DecodeInput& in); // 9: 11 bits in spaces of 5 and 7.5 ms
Decoded decodeMsRemote(const DecodeInput& in);                  // 10
Decoded decodeSirc(const DecodeInput& in);                      // 11: SIRC of 12 and 20 bits
Decoded decodeJvc(const DecodeInput& in);                       // 12
Decoded decodePulseDistance24(const DecodeInput& in);           // 13: 24 bits
Decoded decodeRunLength(const DecodeInput& in);                 // 14: cells of run lengths
Decoded decodeJoystick(const DecodeInput& in);                  // 15
Decoded decodeMouse(const DecodeInput& in);                     // 16
Decoded decodeRoison(const DecodeInput& in);                    // 17
Decoded decodeTadiran(const DecodeInput& in);                   // 18
Decoded decodePulseDistanceLongLeader(const DecodeInput& in);   // 19: after a 6.4 ms leader mark
Decoded decodeTimeSlots(const DecodeInput& in);                 // 20: durations cut into 40-unit slots
// Optional sub-decoders (off unless ticked).
Decoded decodeRc6(const DecodeInput& in);    // 21
Decoded decodeSirc15(const DecodeInput& in); // 22
Decoded decodeRc5x(const DecodeInput& in);   // 23

} // namespace ravlin::decoder
