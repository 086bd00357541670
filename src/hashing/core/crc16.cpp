#include "hashing/core/crc16.h"

namespace ravlin {

namespace {

std::uint32_t reflectedStep(std::uint32_t crc, std::uint8_t byte, std::uint32_t polynomial) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit)
        crc = (crc & 1u) ? (crc >> 1) ^ polynomial : crc >> 1;
    return crc & 0xFFFFu;
}

} // namespace

std::uint32_t crc16ArcStep(std::uint32_t crc, std::uint8_t byte) {
    return reflectedStep(crc, byte, 0xA001u);
}

std::uint32_t crc16KermitStep(std::uint32_t crc, std::uint8_t byte) {
    return reflectedStep(crc, byte, 0x8408u);
}

int shortBurstValue(std::span<const std::int32_t> durations) {
    const auto n = durations.size();
    const auto at = [&](std::size_t position) { return position <= n ? durations[position - 1] : 0; };
    int v = 0;
    if (n == 5) v |= 8;
    if (at(1) > 317) v |= 4;
    if (at(2) > 157) v |= 2;
    if (n >= 4 && at(4) > 48) v |= 1;
    return v;
}

} // namespace ravlin
