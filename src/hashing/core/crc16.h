#pragma once

#include <cstdint>
#include <span>

namespace ravlin {

// One byte into a CRC-16 held in a 32-bit integer (table-free, reflected, no final XOR).
std::uint32_t crc16ArcStep(std::uint32_t crc, std::uint8_t byte);    // polynomial 0xA001
std::uint32_t crc16KermitStep(std::uint32_t crc, std::uint8_t byte); // polynomial 0x8408

// CRC-16/KERMIT of a single byte, starting from 0.
inline std::uint32_t crc16KermitOfByte(std::uint8_t byte) {
    return crc16KermitStep(0, byte);
}

// The four-bit value that stands for a burst of at most five durations: bit 1 (most significant)
// N is exactly 5; bit 2 duration 1 > 317; bit 3 duration 2 > 157; bit 4 N >= 4 and duration 4 > 48.
// `durations` holds S[1..N] at indexes 0..N-1; a duration the burst does not have reads as 0.
int shortBurstValue(std::span<const std::int32_t> durations);

} // namespace ravlin
