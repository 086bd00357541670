// Sub-decoders that are off unless their own check box is ticked: RC6 mode 0, Sony with 15 bits and
// RC5 with a seventh command bit (RC5X). They read formats that the other sub-decoders leave to
// plain hashes (or, for RC5X, read with the wrong start level), so ticking one changes only the
// results of its own frames.

#include "hashing/core/protocol_decoder_parts.h"

#include <vector>

namespace ravlin::decoder {

namespace {

// RC6 mode 0 after its leader: start bit, three mode bits, the double-width toggle, 8 address and
// 8 command bits, in half bits of 444 us (about 20.8 units).
constexpr int kRc6Halves = 2 + 3 * 2 + 4 + 16 * 2;
constexpr int kRc6MaxRun = 3; // no level lasts longer than three half bits

// Half bits in a duration: the nearest whole number of 20.83-unit halves (48 per 1000 units).
std::int64_t halvesIn(std::int64_t d) {
    return (d * 48 + 500) / 1000;
}

} // namespace

// Bi-phase with "1" as mark then space: the levels of the burst from mark 3 on, cut into halves.
// Each bit's two halves must differ (the toggle's halves are two wide); the trailing space of a
// last "1" is not part of the burst and is added back.
Decoded decodeRc6(const DecodeInput& in) {
    const Burst& s = in.burst;
    std::vector<bool> halves;
    for (int i = 3; i <= s.size(); ++i) {
        const std::int64_t k = halvesIn(s.at(i));
        if (k < 1 || k > kRc6MaxRun || halves.size() + std::size_t(k) > std::size_t(kRc6Halves))
            return std::nullopt;
        halves.insert(halves.end(), std::size_t(k), i % 2 == 1);
    }
    if (halves.size() + 1 < std::size_t(kRc6Halves)) return std::nullopt;
    halves.resize(kRc6Halves, false);
    const auto bitAt = [&](int first, int width) -> int {
        const bool a = halves[std::size_t(first)];
        for (int h = 0; h < width; ++h)
            if (halves[std::size_t(first + h)] != a || halves[std::size_t(first + width + h)] == a) return -1;
        return a ? 1 : 0;
    };
    // Start bit 1, mode 000.
    if (bitAt(0, 1) != 1 || bitAt(2, 1) != 0 || bitAt(4, 1) != 0 || bitAt(6, 1) != 0) return std::nullopt;
    const int toggle = bitAt(8, 2);
    if (toggle < 0) return std::nullopt;
    int fields = 0;
    for (int b = 0; b < 16; ++b) {
        const int bit = bitAt(12 + 2 * b, 1);
        if (bit < 0) return std::nullopt;
        fields = (fields << 1) | bit;
    }
    const int address = fields >> 8, command = fields & 0xFF;
    return Texts{QStringLiteral("R6") + hex2(command) + hex2(address),
                 QStringLiteral("R-") + QString::number(toggle) + QStringLiteral(" Pref-") + hex2(address) +
                     QStringLiteral(" Key-") + hex2(command)};
}

// Pulse width, marks carry the bits (long = 1), least significant first: marks 3..15 the seven
// command bits, marks 17..31 the eight address bits.
Decoded decodeSirc15(const DecodeInput& in) {
    const Burst& s = in.burst;
    const auto field = [&](int firstMark, int bits) {
        int value = 0;
        for (int k = bits - 1; k >= 0; --k)
            value = (value << 1) | (s.at(firstMark + 2 * k) > in.threshold ? 1 : 0);
        return value;
    };
    const int command = field(3, 7), address = field(17, 8);
    return Texts{QStringLiteral("31") + hex2(address) + hex2(command),
                 QStringLiteral("Sony Pref-") + hex2(address) + QStringLiteral(" Key-") + hex2(command)};
}

// RC5 whose second start bit (the field bit) is 0: command bit 6 is set. The bit text is read from
// mark 1, so it begins with the field bit itself: field, toggle, 5 address bits, 6 command bits.
Decoded decodeRc5x(const DecodeInput& in) {
    const QString bits = biphaseBits(in.burst, 1, in.threshold);
    if (bits.size() < 13 || bits.at(0) != u'0') return std::nullopt;
    const std::int64_t address = binaryValue(chars(bits, 3, 7));
    const std::int64_t command = 0x40 | binaryValue(chars(bits, 8, 13));
    return Texts{QStringLiteral("54") + hex2(command) + hex2(address),
                 QStringLiteral("R-") + chars(bits, 2, 2) + QStringLiteral(" Pref-") + hex2(address) +
                     QStringLiteral(" Key-") + hex2(command)};
}

} // namespace ravlin::decoder
