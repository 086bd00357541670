#pragma once

#include <QString>

#include <cstdint>
#include <span>

namespace ravlin {

// Answers that a receiver with patched firmware computes itself and sends instead of a burst:
// blocks whose bytes 0 and 1 are 0xFF.
inline constexpr int kAnswerBufferLength = 60;

// The 60-character answer buffer of the caller.
struct AnswerBuffer {
    QString text = QString(kAnswerBufferLength, QLatin1Char(' '));
};

// Fills `buffer` with the short answer text padded with spaces to 60 characters and sets `length`
// to the text's length. Reads bytes 2 and 4 of the block only; `count` is not used. Returns 0.
int DecodeDeviceAnswer(std::span<const std::uint8_t, 256> block, int count, AnswerBuffer& buffer,
                       std::int32_t& length);

// The kind text of an answer by its type byte (block byte 2).
QString deviceAnswerKindText(std::uint8_t type);

// Block bytes 4..count (1-based) as "0x" + three hex digits each, joined by ", "; for a hash value
// answer (type 0xF8) only the first entry is followed by ", ", the others by ",".
QString deviceAnswerByteList(std::span<const std::uint8_t> block, int count);

} // namespace ravlin
