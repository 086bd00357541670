#include "formats/core/signal_generator.h"

namespace ravlin::SignalGenerator {

namespace {

struct PulseDistance {
    std::uint32_t leaderMark, leaderSpace, mark, zeroSpace, oneSpace;
};

constexpr PulseDistance kNec{9000, 4500, 560, 560, 1690};
constexpr PulseDistance kJvc{8400, 4200, 526, 526, 1574};
constexpr PulseDistance kPd48{3456, 1728, 432, 432, 1296};

constexpr std::uint32_t kRc5Half = 889;
constexpr std::uint32_t kSonyLeader = 2400, kSonyUnit = 600;

// Bits LSB first of each byte, then a stop mark.
Micros pulseDistance(const PulseDistance& f, const std::vector<std::uint8_t>& bytes, bool leader = true) {
    Micros out;
    if (leader) out = {f.leaderMark, f.leaderSpace};
    for (std::uint8_t b : bytes) {
        for (int i = 0; i < 8; ++i) {
            out.push_back(f.mark);
            out.push_back(((b >> i) & 1) ? f.oneSpace : f.zeroSpace);
        }
    }
    out.push_back(f.mark);
    return out;
}

Micros sony(std::uint32_t bits, int count) {
    Micros out{kSonyLeader};
    for (int i = 0; i < count; ++i) {
        out.push_back(kSonyUnit);
        out.push_back(((bits >> i) & 1) ? 2 * kSonyUnit : kSonyUnit);
    }
    return out;
}

} // namespace

Micros nec(std::uint8_t address, std::uint8_t command) {
    return pulseDistance(
        kNec, {address, static_cast<std::uint8_t>(~address), command, static_cast<std::uint8_t>(~command)});
}

Micros necBytes(const std::array<std::uint8_t, 4>& bytes) {
    return pulseDistance(kNec, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

Micros necExtended(std::uint16_t address, std::uint8_t command) {
    return pulseDistance(kNec,
                         {static_cast<std::uint8_t>(address & 0xFF), static_cast<std::uint8_t>(address >> 8),
                          command, static_cast<std::uint8_t>(~command)});
}

Micros necRepeat() {
    return {9000, 2250, 560};
}

Micros rc5(bool toggle, std::uint8_t address, std::uint8_t command) {
    std::vector<bool> bits{true, (command & 0x40) == 0, toggle};
    for (int i = 4; i >= 0; --i)
        bits.push_back((address >> i) & 1);
    for (int i = 5; i >= 0; --i)
        bits.push_back((command >> i) & 1);
    // Half bits as carrier on (true) / off; "1" is off then on.
    std::vector<bool> halves;
    for (bool b : bits) {
        halves.push_back(!b);
        halves.push_back(b);
    }
    Micros out;
    bool level = false;
    for (bool h : halves) {
        if (out.empty()) {
            if (!h) continue; // the idle line before the first mark is not part of the burst
            out.push_back(kRc5Half);
            level = true;
        } else if (h == level) {
            out.back() += kRc5Half;
        } else {
            out.push_back(kRc5Half);
            level = h;
        }
    }
    if (!level) out.pop_back(); // a trailing space is not part of the burst
    return out;
}

Micros sony12(std::uint8_t command, std::uint8_t address) {
    return sony((command & 0x7Fu) | (std::uint32_t(address & 0x1F) << 7), 12);
}

Micros sony20(std::uint8_t command, std::uint8_t address, std::uint8_t extended) {
    return sony((command & 0x7Fu) | (std::uint32_t(address & 0x1F) << 7) | (std::uint32_t(extended) << 12),
                20);
}

Micros jvc(std::uint8_t address, std::uint8_t command, bool withLeader) {
    return pulseDistance(kJvc, {address, command}, withLeader);
}

Micros pulseDistance48(const std::array<std::uint8_t, 6>& bytes) {
    return pulseDistance(kPd48, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

std::vector<std::int32_t> inUnits(const Micros& micros, ReceiverKind kind) {
    std::vector<std::int32_t> out;
    out.reserve(micros.size());
    for (std::uint32_t us : micros)
        out.push_back(microsToUnits(us, kind));
    return out;
}

std::vector<CapturedBurst> demoCapture(ReceiverKind kind) {
    constexpr std::int64_t kPress = 2000; // between button presses
    constexpr std::int64_t kRepeat = 110; // between the frames of a held button
    std::vector<CapturedBurst> out;
    auto add = [&](std::int64_t delay, const Micros& m) {
        out.push_back({delay, encodeMicros(kind, m), kind});
    };
    auto held = [&](const Micros& first, const Micros& repeat, int repeats) {
        add(kPress, first);
        for (int i = 0; i < repeats; ++i)
            add(kRepeat, repeat);
    };

    // Remote 1, a television (NEC): PW, VOL+ held, VOL-, CH+, Key 1.
    add(kPress, nec(0x04, 0x08));
    held(nec(0x04, 0x02), necRepeat(), 4);
    add(kPress, nec(0x04, 0x03));
    add(kPress, nec(0x04, 0x00));
    add(kPress, nec(0x04, 0x11));
    // Remote 2, a video recorder (RC5): Play, Stop, Key 2 (the toggle flips with every press).
    add(kPress, rc5(false, 0x05, 0x35));
    add(kPress, rc5(true, 0x05, 0x36));
    add(kPress, rc5(false, 0x05, 0x02));
    // Remote 3, an AV set: Sony PW and Menu, JVC OK held (repeats without leader),
    // a 48-bit Eject and an extended-address NEC Mute.
    add(kPress, sony12(0x15, 0x01));
    add(kPress, sony20(0x4D, 0x1A, 0x49));
    held(jvc(0x03, 0x17, true), jvc(0x03, 0x17, false), 2);
    add(kPress, pulseDistance48({0x02, 0x20, 0xB0, 0x00, 0x12, 0xA2}));
    add(kPress, necExtended(0xBF40, 0x12));
    return out;
}

QString demoCaptureText() {
    return CaptureFile::format(
        demoCapture(),
        QStringLiteral(
            "Demo capture for the simulated receiver (ravlin --receiver sim:FILE).\n"
            "Three remotes: a television (NEC), a video recorder (RC5), an AV set (Sony 12/20-bit,\n"
            "JVC, 48-bit pulse distance, extended NEC). Held buttons send repeat frames.\n"
            "Written by ravlin-make-demo-capture; each line is DELAY_MS: raw block bytes."));
}

} // namespace ravlin::SignalGenerator
