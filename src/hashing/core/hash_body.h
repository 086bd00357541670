#pragma once

#include "hashing/core/hash_module.h"

#include <cstddef>
#include <cstdint>
#include <span>

// Pieces shared by the 1bit and Xbit modules and the Ver1 coding. Not part of the public API.
namespace ravlin::hashdetail {

// Durations arrive as S[1..N] stored at [0..N-1].
inline std::int32_t at(std::span<const std::int32_t> s, std::size_t position) {
    return s[position - 1];
}
inline bool isMark(std::size_t position) {
    return position % 2 == 1;
}

// Truncation toward zero of lo + (hi - lo) / 2, computed in floating point.
std::int64_t truncatedMiddle(std::int64_t lo, std::int64_t hi);

// Class code, ranges of the body (durations 3..N) and the four flags of a burst of more than five
// durations, with the clearing rules applied. `code` is the class code, replaced by 200/201/41 as met.
struct BurstBody {
    int code = 0;
    std::int64_t minM = 30000, maxM = 0, minS = 30000, maxS = 0;
    bool marksUniform = false;      // F1
    bool spacesUniform = false;     // F2
    bool leadMarkOrdinary = false;  // F3
    bool leadSpaceOrdinary = false; // F4

    std::int32_t flagByte() const {
        return (marksUniform ? 128 : 0) + (spacesUniform ? 64 : 0) + (leadMarkOrdinary ? 32 : 0) +
               (leadSpaceOrdinary ? 16 : 0);
    }
};
BurstBody analyseBody(std::span<const std::int32_t> s);

// Bits, first one most significant, packed into bytes that feed CRC-16/ARC and CRC-16/KERMIT.
class CrcBitStream {
public:
    void addBit(bool one);
    // The lowest `count` bits of `value`, most significant first.
    void addBits(unsigned value, int count);
    // A partial byte at the end enters both CRCs right-aligned (its value as a binary number).
    void finish();
    std::uint32_t arc() const { return m_arc; }
    std::uint32_t kermit() const { return m_kermit; }

private:
    void push(std::uint8_t byte);
    std::uint32_t m_arc = 0;
    std::uint32_t m_kermit = 0;
    unsigned m_pending = 0;
    int m_pendingBits = 0;
};

// Entries 3..6: each CRC split by 255 into quotient and remainder.
void putCrcHalves(HashRecord& record, std::uint32_t arc, std::uint32_t kermit);

// The record of a burst of at most five durations (code 244 for none, else 0; threshold 0).
HashResult shortBurstResult(std::span<const std::int32_t> s);

} // namespace ravlin::hashdetail
