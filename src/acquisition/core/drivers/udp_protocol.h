#pragma once

#include <QByteArray>

#include <cstdint>
#include <span>

namespace ravlin::udp {

// The datagrams between the workbench and a network receiver (docs/receivers.md):
//   bytes 0..3  magic "RVIR"
//   byte  4     version (1)
//   byte  5     type: 0x01 poll (workbench to receiver), 0x02 block (receiver to workbench)
//   byte  6     payload length L
//   bytes 7..   L payload bytes: a poll carries none; a block carries one raw receive block in the
//               "IgorPlug-UDP" byte format (1..255 bytes), or none as a keep-alive.
inline constexpr char kMagic[4] = {'R', 'V', 'I', 'R'};
inline constexpr std::uint8_t kVersion = 1;
inline constexpr std::uint8_t kTypePoll = 0x01;
inline constexpr std::uint8_t kTypeBlock = 0x02;
inline constexpr int kHeaderSize = 7;
inline constexpr int kMaxPayload = 255;
inline constexpr int kMaxDatagram = kHeaderSize + kMaxPayload;

QByteArray pollDatagram();
// A block datagram; no bytes give a keep-alive, more than 255 bytes are cut to 255.
QByteArray blockDatagram(std::span<const std::uint8_t> bytes);

// What a received datagram is.
enum class Verdict {
    Poll,
    Block,     // a block or, with an empty payload, a keep-alive
    Truncated, // shorter than its header or its declared length
    Oversized, // longer than its declared length or than the largest datagram
    BadHeader, // wrong magic, version or type
};

// Classifies a datagram; for a block, *payload receives its bytes.
Verdict parseDatagram(const QByteArray& datagram, QByteArray* payload = nullptr);

} // namespace ravlin::udp
