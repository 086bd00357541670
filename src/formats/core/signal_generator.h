#pragma once

#include "formats/core/capture_file.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
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

// Protocols with an address and a command, as remote-control files name them (Flipper's parsed
// signals). Timings and bit orders follow the Flipper firmware's encoders, so that a stored address
// and command give the frame the remote sends.
enum class Protocol {
    NEC,       // A8 ~A8 C8 ~C8, pulse distance 9000/4500, 560/560 and 560/1690, LSB first
    NECext,    // A16 C16, NEC timing, nothing inverted
    NEC42,     // A13 ~A13 C8 ~C8, NEC timing
    NEC42ext,  // A26 C16, NEC timing
    Samsung32, // A8 A8 C8 ~C8, leader 4500/4500, 550/550 and 550/1650
    RC5,       // bi-phase 889 us halves, MSB first: 1, NOT(C bit 6), toggle, A5, C6
    RC5X,      // as RC5 with the field bit 0 (command bit 6 set)
    RC6,       // mode 0: leader 2666/889, 444 us halves, 1, 000, toggle (double width), A8, C8
    SIRC,      // pulse width, leader 2400, C7 A5, LSB first
    SIRC15,    // C7 A8
    SIRC20,    // C7 A13
    Kaseikyo,  // 48-bit pulse distance 3456/1728, 432/432 and 432/1296: vendor, parity, groups, command
    RCA,       // A4 C8 ~A4 ~C8, leader 4000/4000, 500/1000 and 500/2000, LSB first
    Pioneer,   // A8 ~A8 C8 ~C8, leader 8500/4225, 500/500 and 500/1500, LSB first
};

// The protocol's name in files ("NEC", "NECext", ..., case-sensitive), and back.
QString protocolName(Protocol protocol);
std::optional<Protocol> protocolFromName(const QString& name);
// All protocols, in the order above.
std::vector<Protocol> allProtocols();
// The widths of the address and the command; a value with bits above them has no frame.
int addressBits(Protocol protocol);
int commandBits(Protocol protocol);
// One frame of the protocol (mark first, ending with a mark, no gap after it); nothing when the
// address or the command does not fit the protocol's widths. `toggle` is the RC5/RC6 toggle bit.
std::optional<Micros> encode(Protocol protocol, std::uint32_t address, std::uint32_t command,
                             bool toggle = false);

// A protocol's signal as remote-control files store it.
struct ParsedSignal {
    Protocol protocol;
    std::uint32_t address = 0;
    std::uint32_t command = 0;
    bool operator==(const ParsedSignal&) const = default;
};
// How far a burst's duration may lie from the encoder's for decode(): a quarter of the encoder's
// duration, at least kDecodeSlackMicros.
inline constexpr std::uint32_t kDecodeSlackMicros = 150;
// The protocol, address and command whose frame (encode(), toggle 0) is this burst within the
// tolerance above, duration by duration; where several are, the closest (summed differences), and
// of equally close ones the first in the list (NEC before NECext). Nothing when none is.
std::optional<ParsedSignal> decode(const Micros& burst);

// The durations in units of `kind`, each rounded by the one rule of the receiver units.
std::vector<std::int32_t> inUnits(const Micros& micros, ReceiverKind kind = ReceiverKind::Movrik);

// The demo capture: presses of thirteen buttons of three remotes, including held buttons with
// repeat frames, about two seconds apart, in the byte format of `kind`.
std::vector<CapturedBurst> demoCapture(ReceiverKind kind = ReceiverKind::Movrik);
QString demoCaptureText();

} // namespace SignalGenerator

} // namespace ravlin
