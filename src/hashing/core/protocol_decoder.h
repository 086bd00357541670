#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace ravlin {

// Result of the protocol decoder: `result` is 0 when no sub-decoder matched (texts empty), otherwise
// the number of the sub-decoder that did; the texts are shorter than 58 characters.
struct DecoderResult {
    int result = 0;
    QString hash;
    QString vars;
    bool recognised() const { return result != 0; }
};

// Tries the sub-decoders in table order on durations S[1..N] (`durations[0..N-1]`), each under its
// enable flag; the groups carry flag 1 in their most significant bit.
DecoderResult ProtocolDecoder(std::span<const std::int32_t> durations, std::uint8_t group1,
                              std::uint8_t group2, std::uint8_t group3);

// The threshold sub-decoder `number` splits short from long durations with, for these durations;
// nothing for an unknown number or a sub-decoder that reads no durations against a threshold.
std::optional<std::int64_t> ProtocolDecoderThreshold(int number, std::span<const std::int32_t> durations);

// The common name of the transmission format a result stands for, where the sub-decoder's format
// is certain: 1 "NEC" (a 32-bit NEC-style frame with the command byte inverted), 2 "RC5", 11 "SIRC"
// (hash "25", 12 bits) or "SIRC20" (hash "41", 20 bits), 12 "JVC"; nullptr for every other result
// (formats that several protocols share, air conditioners, tails, result 0).
const char* decoderProtocolName(const DecoderResult& result);

// The two texts in the fixed form of the receiver's tool chain: 60-character arrays whose first 58
// characters are spaces before the text is copied in, and a length for each (0 when nothing matched).
struct DecoderBuffers {
    std::array<char, 60> hash{};
    std::array<char, 60> vars{};
    int hashLength = 0;
    int varsLength = 0;
};

DecoderBuffers decoderBuffers(const DecoderResult& result);

} // namespace ravlin
