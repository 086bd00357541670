#include "hashing/core/hash_body.h"

#include "hashing/core/crc16.h"

#include <algorithm>
#include <cmath>

namespace ravlin::hashdetail {

std::int64_t truncatedMiddle(std::int64_t lo, std::int64_t hi) {
    return static_cast<std::int64_t>(
        std::trunc(static_cast<double>(lo) + static_cast<double>(hi - lo) / 2.0));
}

namespace {

// Integer product divided in floating point, truncated toward zero.
std::int64_t spreadPercent(std::int64_t lo, std::int64_t hi) {
    return static_cast<std::int64_t>(
        std::trunc(static_cast<double>((hi - lo) * 100) / static_cast<double>(hi)));
}

int classCode(std::span<const std::int32_t> s) {
    int longMarks = 0;
    int longSpaces = 0;
    for (std::size_t i = 3; i <= s.size(); ++i) {
        if (at(s, i) <= 400) continue;
        ++(isMark(i) ? longMarks : longSpaces);
    }
    int code = 0;
    if (longSpaces > 2)
        code += 8;
    else if (longSpaces > 0)
        code += 4;
    if (longMarks > 2)
        code += 2;
    else if (longMarks > 0)
        code += 1;
    return code;
}

} // namespace

BurstBody analyseBody(std::span<const std::int32_t> s) {
    BurstBody b;
    b.code = classCode(s);
    for (std::size_t i = s.size(); i >= 3; --i) {
        const std::int64_t d = at(s, i);
        if (isMark(i)) {
            b.minM = std::min(b.minM, d);
            b.maxM = std::max(b.maxM, d);
        } else {
            b.minS = std::min(b.minS, d);
            b.maxS = std::max(b.maxS, d);
        }
    }
    if (b.maxM == 0) {
        b.minM = 3;
        b.maxM = 75;
        b.code = 200;
    }
    if (b.maxS == 0) {
        b.minS = 3;
        b.maxS = 75;
        b.code = 201;
    }
    // maxM and maxS are positive here: they start at 0 and a 0 is replaced by 75.
    b.marksUniform = spreadPercent(b.minM, b.maxM) <= 30;
    b.spacesUniform = spreadPercent(b.minS, b.maxS) < 34;
    b.leadMarkOrdinary = static_cast<double>(at(s, 1)) < 1.1 * static_cast<double>(b.maxM);
    b.leadSpaceOrdinary = static_cast<double>(at(s, 2)) < 1.1 * static_cast<double>(b.maxS);
    if (b.marksUniform && b.spacesUniform) {
        b.code = 41;
        b.marksUniform = false;
        b.spacesUniform = false;
    }
    if (b.marksUniform) b.leadMarkOrdinary = false;
    if (b.spacesUniform) b.leadSpaceOrdinary = false;
    return b;
}

void CrcBitStream::push(std::uint8_t byte) {
    m_arc = crc16ArcStep(m_arc, byte);
    m_kermit = crc16KermitStep(m_kermit, byte);
}

void CrcBitStream::addBit(bool one) {
    m_pending = (m_pending << 1) | (one ? 1u : 0u);
    if (++m_pendingBits == 8) {
        push(static_cast<std::uint8_t>(m_pending));
        m_pending = 0;
        m_pendingBits = 0;
    }
}

void CrcBitStream::addBits(unsigned value, int count) {
    for (int bit = count - 1; bit >= 0; --bit)
        addBit(((value >> bit) & 1u) != 0);
}

void CrcBitStream::finish() {
    if (m_pendingBits > 0) push(static_cast<std::uint8_t>(m_pending));
    m_pending = 0;
    m_pendingBits = 0;
}

void putCrcHalves(HashRecord& record, std::uint32_t arc, std::uint32_t kermit) {
    record.entries[3] = static_cast<std::int32_t>(arc / 255);
    record.entries[4] = static_cast<std::int32_t>(arc % 255);
    record.entries[5] = static_cast<std::int32_t>(kermit / 255);
    record.entries[6] = static_cast<std::int32_t>(kermit % 255);
}

HashResult shortBurstResult(std::span<const std::int32_t> s) {
    HashResult result;
    result.code = s.empty() ? 244 : 0;
    const auto v = static_cast<std::uint8_t>(shortBurstValue(s));
    result.record.entries[0] = static_cast<std::int32_t>(s.size());
    // The ARC slot holds the value itself, the KERMIT slot the CRC of that one byte.
    putCrcHalves(result.record, v, crc16KermitOfByte(v));
    return result;
}

} // namespace ravlin::hashdetail
