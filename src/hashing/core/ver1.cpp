#include "hashing/core/crc16.h"
#include "hashing/core/hash_body.h"
#include "hashing/core/hash_module.h"

namespace ravlin {

using namespace hashdetail;

Ver1Code EncodeVer1(std::span<const std::int32_t> s, int threshold) {
    Ver1Code code;
    auto put = [&code](std::int64_t value) {
        if (code.count < static_cast<int>(code.values.size()))
            code.values[static_cast<std::size_t>(code.count++)] = static_cast<std::int32_t>(value);
    };
    put(static_cast<std::int64_t>(s.size()));
    if (s.size() <= 5) {
        const auto v = static_cast<std::uint8_t>(shortBurstValue(s));
        const std::uint32_t kermit = crc16KermitOfByte(v);
        put(v);
        put(kermit / 255);
        put(kermit % 255);
        return code;
    }
    // Last duration first; long is 0, short is 1; a partial last byte is padded on the right.
    unsigned byte = 0;
    int bits = 0;
    for (std::size_t i = s.size(); i >= 1; --i) {
        byte = (byte << 1) | (at(s, i) <= threshold ? 1u : 0u);
        if (++bits == 8) {
            put(byte);
            byte = 0;
            bits = 0;
        }
    }
    if (bits > 0) put(byte << (8 - bits));
    return code;
}

} // namespace ravlin
