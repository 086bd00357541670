#pragma once

#include "formats/core/capture_file.h"

#include <array>
#include <cstdint>
#include <vector>

namespace ravlin {

// Bursts of well-known remote-control formats, in microseconds (mark first, ending with a mark), and
// in receiver units through the shared rounding; for demo captures, tests and format encoders.
namespace SignalGenerator {

using Micros = std::vector<std::uint32_t>;

// NEC-style 32-bit pulse-distance frame: leader 9 ms / 4.5 ms, 560 us marks, spaces 560 us (0) or
// 1690 us (1), LSB first: address, inverted address, command, inverted command, then a stop mark.
Micros nec(std::uint8_t address, std::uint8_t command);
// An NEC-timed frame carrying four bytes as they stand (no complements worked out).
Micros necBytes(const std::array<std::uint8_t, 4>& bytes);
// The same with a 16-bit extended address in place of address and inverted address.
Micros necExtended(std::uint16_t address, std::uint8_t command);
// NEC repeat frame: 9 ms mark, 2.25 ms space, 560 us mark.
Micros necRepeat();
// RC5 bi-phase: two start bits, toggle, 5 address bits, 6 command bits, MSB first, 889 us half bits
// ("1" is space then mark). Command bit 6 goes, inverted, into the second start bit.
Micros rc5(bool toggle, std::uint8_t address, std::uint8_t command);
// Sony: 2.4 ms leader mark, 600 us spaces, marks of 1200 us (1) or 600 us (0), LSB first: 7 command
// bits then 5 address bits (12-bit) or 5 address and 8 extended bits (20-bit).
Micros sony12(std::uint8_t command, std::uint8_t address);
Micros sony20(std::uint8_t command, std::uint8_t address, std::uint8_t extended);
// JVC: leader 8.4 ms / 4.2 ms (left out in its repeats), 526 us marks, spaces 526 us or 1574 us,
// LSB first: 8 address bits, 8 command bits, stop mark.
Micros jvc(std::uint8_t address, std::uint8_t command, bool withLeader);
// A 48-bit pulse-distance frame: leader 3456 us / 1728 us, 432 us marks, spaces 432 us or 1296 us,
// six bytes LSB first, stop mark.
Micros pulseDistance48(const std::array<std::uint8_t, 6>& bytes);

// The durations in units of `kind`, each rounded by the one rule of the receiver units.
std::vector<std::int32_t> inUnits(const Micros& micros, ReceiverKind kind = ReceiverKind::Movrik);

// The demo capture: presses of thirteen buttons of three remotes, including held buttons with
// repeat frames, about two seconds apart, in the byte format of `kind`.
std::vector<CapturedBurst> demoCapture(ReceiverKind kind = ReceiverKind::Movrik);
QString demoCaptureText();

} // namespace SignalGenerator

} // namespace ravlin
