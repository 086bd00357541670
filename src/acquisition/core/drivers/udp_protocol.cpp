#include "acquisition/core/drivers/udp_protocol.h"

#include <algorithm>

namespace ravlin::udp {

namespace {

QByteArray header(std::uint8_t type, int length) {
    QByteArray d(kMagic, sizeof kMagic);
    d.append(static_cast<char>(kVersion));
    d.append(static_cast<char>(type));
    d.append(static_cast<char>(length));
    return d;
}

} // namespace

QByteArray pollDatagram() {
    return header(kTypePoll, 0);
}

QByteArray blockDatagram(std::span<const std::uint8_t> bytes) {
    const int n = static_cast<int>(std::min<std::size_t>(bytes.size(), kMaxPayload));
    QByteArray d = header(kTypeBlock, n);
    d.append(reinterpret_cast<const char*>(bytes.data()), n);
    return d;
}

Verdict parseDatagram(const QByteArray& datagram, QByteArray* payload) {
    const qsizetype size = datagram.size();
    // The magic is checked on the bytes present, so that short junk counts as foreign to the protocol.
    const qsizetype magicBytes = std::min<qsizetype>(size, sizeof kMagic);
    if (size == 0 || !std::equal(kMagic, kMagic + magicBytes, datagram.constData()))
        return Verdict::BadHeader;
    if (size > kMaxDatagram) return Verdict::Oversized;
    if (size < kHeaderSize) return Verdict::Truncated;
    const auto version = static_cast<std::uint8_t>(datagram[4]);
    const auto type = static_cast<std::uint8_t>(datagram[5]);
    const int length = static_cast<std::uint8_t>(datagram[6]);
    if (version != kVersion || (type != kTypePoll && type != kTypeBlock)) return Verdict::BadHeader;
    if (size < kHeaderSize + length) return Verdict::Truncated;
    if (size > kHeaderSize + length || (type == kTypePoll && length != 0)) return Verdict::Oversized;
    if (type == kTypePoll) return Verdict::Poll;
    if (payload) *payload = datagram.mid(kHeaderSize, length);
    return Verdict::Block;
}

} // namespace ravlin::udp
