#include "formats/core/signal_generator.h"

#include <algorithm>

namespace ravlin::SignalGenerator {

namespace {

struct PulseDistance {
    std::uint32_t leaderMark, leaderSpace, mark, zeroSpace, oneSpace;
};

constexpr PulseDistance kNec{9000, 4500, 560, 560, 1690};
constexpr PulseDistance kJvc{8400, 4200, 526, 526, 1574};
constexpr PulseDistance kPd48{3456, 1728, 432, 432, 1296};
constexpr PulseDistance kSamsung{4500, 4500, 550, 550, 1650};
constexpr PulseDistance kRca{4000, 4000, 500, 1000, 2000};
constexpr PulseDistance kPioneer{8500, 4225, 500, 500, 1500};

constexpr std::uint32_t kRc5Half = 889;
constexpr std::uint32_t kSonyLeader = 2400, kSonyUnit = 600;

// The bits in the order they are sent, then a stop mark.
Micros pulseDistanceBits(const PulseDistance& f, const std::vector<bool>& bits, bool leader = true) {
    Micros out;
    out.reserve(bits.size() * 2 + 3);
    if (leader) out = {f.leaderMark, f.leaderSpace};
    for (bool bit : bits) {
        out.push_back(f.mark);
        out.push_back(bit ? f.oneSpace : f.zeroSpace);
    }
    out.push_back(f.mark);
    return out;
}

// Appends `width` bits of `value`, LSB first or MSB first.
void putBits(std::vector<bool>& bits, std::uint64_t value, int width, bool msbFirst = false) {
    for (int i = 0; i < width; ++i)
        bits.push_back((value >> (msbFirst ? width - 1 - i : i)) & 1);
}

// Bits LSB first of each byte, then a stop mark.
Micros pulseDistance(const PulseDistance& f, const std::vector<std::uint8_t>& bytes, bool leader = true) {
    std::vector<bool> bits;
    for (std::uint8_t b : bytes)
        putBits(bits, b, 8);
    return pulseDistanceBits(f, bits, leader);
}

Micros sony(std::uint32_t bits, int count) {
    Micros out{kSonyLeader};
    for (int i = 0; i < count; ++i) {
        out.push_back(kSonyUnit);
        out.push_back(((bits >> i) & 1) ? 2 * kSonyUnit : kSonyUnit);
    }
    return out;
}

// Adds carrier on (mark) or off for `len` microseconds, joining it to the last duration of the same
// level; an idle line before the first mark is not part of the burst.
void addLevel(Micros& out, bool mark, std::uint32_t len) {
    if (out.empty()) {
        if (mark) out.push_back(len);
        return;
    }
    if ((out.size() % 2 == 1) == mark)
        out.back() += len;
    else
        out.push_back(len);
}

// RC6 mode 0: leader, then bi-phase bits MSB first with 444 us halves ("1" is mark then space);
// the toggle bit has 889 us halves.
Micros rc6(bool toggle, std::uint8_t address, std::uint8_t command) {
    constexpr std::uint32_t kHalf = 444;
    std::vector<bool> bits{true, false, false, false, toggle};
    putBits(bits, address, 8, true);
    putBits(bits, command, 8, true);
    Micros out{2666, 889};
    for (std::size_t i = 0; i < bits.size(); ++i) {
        const std::uint32_t half = i == 4 ? 2 * kHalf : kHalf;
        addLevel(out, bits[i], half);
        addLevel(out, !bits[i], half);
    }
    if (out.size() % 2 == 0) out.pop_back(); // a trailing space is not part of the burst
    return out;
}

enum class Coding { PulseDistance, PulseWidth, Rc5, Rc6 };

struct ProtocolInfo {
    Protocol protocol;
    const char* name;
    int addressBits, commandBits;
    Coding coding;
    PulseDistance timing; // pulse-distance protocols only
};

// RC5 takes a 7-bit command: bit 6 goes, inverted, into the field bit. RC5X always sends field bit 0
// and takes the command with or without bit 6 set.
constexpr ProtocolInfo kProtocols[] = {
    {Protocol::NEC, "NEC", 8, 8, Coding::PulseDistance, kNec},
    {Protocol::NECext, "NECext", 16, 16, Coding::PulseDistance, kNec},
    {Protocol::NEC42, "NEC42", 13, 8, Coding::PulseDistance, kNec},
    {Protocol::NEC42ext, "NEC42ext", 26, 16, Coding::PulseDistance, kNec},
    {Protocol::Samsung32, "Samsung32", 8, 8, Coding::PulseDistance, kSamsung},
    {Protocol::RC5, "RC5", 5, 7, Coding::Rc5, {}},
    {Protocol::RC5X, "RC5X", 5, 7, Coding::Rc5, {}},
    {Protocol::RC6, "RC6", 8, 8, Coding::Rc6, {}},
    {Protocol::SIRC, "SIRC", 5, 7, Coding::PulseWidth, {}},
    {Protocol::SIRC15, "SIRC15", 8, 7, Coding::PulseWidth, {}},
    {Protocol::SIRC20, "SIRC20", 13, 7, Coding::PulseWidth, {}},
    {Protocol::Kaseikyo, "Kaseikyo", 26, 10, Coding::PulseDistance, kPd48},
    {Protocol::RCA, "RCA", 4, 8, Coding::PulseDistance, kRca},
    {Protocol::Pioneer, "Pioneer", 8, 8, Coding::PulseDistance, kPioneer},
};

const ProtocolInfo& infoOf(Protocol protocol) {
    return kProtocols[static_cast<int>(protocol)];
}

// The bits of a pulse-distance frame in the order they are sent (each field LSB first).
std::vector<bool> pulseDistanceFrame(Protocol protocol, std::uint32_t a, std::uint32_t c) {
    std::vector<bool> bits;
    const auto field = [&bits](std::uint64_t value, int width) { putBits(bits, value, width); };
    const auto inv = [](std::uint32_t v, int width) { return ~v & ((1u << width) - 1); };
    switch (protocol) {
    case Protocol::NEC:
    case Protocol::Pioneer:
        field(a, 8);
        field(inv(a, 8), 8);
        field(c, 8);
        field(inv(c, 8), 8);
        break;
    case Protocol::NECext:
        field(a, 16);
        field(c, 16);
        break;
    case Protocol::NEC42:
        field(a, 13);
        field(inv(a, 13), 13);
        field(c, 8);
        field(inv(c, 8), 8);
        break;
    case Protocol::NEC42ext:
        field(a, 26);
        field(c, 16);
        break;
    case Protocol::Samsung32:
        field(a, 8);
        field(a, 8);
        field(c, 8);
        field(inv(c, 8), 8);
        break;
    case Protocol::RCA:
        field(a, 4);
        field(c, 8);
        field(inv(a, 4), 4);
        field(inv(c, 8), 8);
        break;
    case Protocol::Kaseikyo: {
        // Address: G2 (bits 0-3), G1 (4-7), vendor (8-23), ID (24-25); bytes B0..B5 go out in order.
        const std::uint32_t vendor = (a >> 8) & 0xFFFF, g1 = (a >> 4) & 0xF, g2 = a & 0xF, id = a >> 24;
        const std::uint32_t b0 = vendor & 0xFF, b1 = vendor >> 8;
        const std::uint32_t parity = ((b0 ^ b1) & 0xF) ^ ((b0 ^ b1) >> 4);
        const std::uint32_t b2 = parity | g1 << 4, b3 = g2 | (c & 0xF) << 4, b4 = (c >> 4) | id << 6;
        for (std::uint32_t b : {b0, b1, b2, b3, b4, b2 ^ b3 ^ b4})
            field(b, 8);
        break;
    }
    default:
        break;
    }
    return bits;
}

} // namespace

QString protocolName(Protocol protocol) {
    return QLatin1String(infoOf(protocol).name);
}

std::optional<Protocol> protocolFromName(const QString& name) {
    for (const ProtocolInfo& info : kProtocols)
        if (name == QLatin1String(info.name)) return info.protocol;
    return std::nullopt;
}

std::vector<Protocol> allProtocols() {
    std::vector<Protocol> out;
    for (const ProtocolInfo& info : kProtocols)
        out.push_back(info.protocol);
    return out;
}

int addressBits(Protocol protocol) {
    return infoOf(protocol).addressBits;
}

int commandBits(Protocol protocol) {
    return infoOf(protocol).commandBits;
}

std::optional<Micros> encode(Protocol protocol, std::uint32_t address, std::uint32_t command, bool toggle) {
    const ProtocolInfo& info = infoOf(protocol);
    if ((address >> info.addressBits) != 0 || (command >> info.commandBits) != 0) return std::nullopt;
    switch (info.coding) {
    case Coding::PulseDistance:
        return pulseDistanceBits(info.timing, pulseDistanceFrame(protocol, address, command));
    case Coding::PulseWidth:
        return sony(command | address << 7, 7 + info.addressBits);
    case Coding::Rc5:
        return rc5(toggle, static_cast<std::uint8_t>(address),
                   static_cast<std::uint8_t>(protocol == Protocol::RC5X ? command | 0x40 : command));
    case Coding::Rc6:
        return rc6(toggle, static_cast<std::uint8_t>(address), static_cast<std::uint8_t>(command));
    }
    return std::nullopt;
}

namespace {

// `width` bits of `bits` from `offset`, LSB first (MSB first when `msbFirst`).
std::uint32_t fieldOf(const std::vector<bool>& bits, std::size_t offset, int width, bool msbFirst = false) {
    std::uint32_t value = 0;
    for (int i = 0; i < width; ++i)
        if (bits[offset + std::size_t(i)]) value |= 1u << (msbFirst ? width - 1 - i : i);
    return value;
}

// The burst as carrier levels of `unit` microseconds each (durations rounded to whole units, at
// most `most` units each), mark first; nothing when a duration rounds to none or too many.
std::optional<std::vector<bool>> levels(const Micros& burst, std::size_t from, std::uint32_t unit, int most) {
    std::vector<bool> out;
    for (std::size_t i = from; i < burst.size(); ++i) {
        const std::uint32_t units = (burst[i] + unit / 2) / unit;
        if (units == 0 || units > std::uint32_t(most)) return std::nullopt;
        out.insert(out.end(), units, (i - from) % 2 == 0);
    }
    return out;
}

// The address and command a frame of `info`'s protocol would carry if `burst` were one: the bits
// read by the protocol's coding, the fields taken out as the encoder puts them in. Checks (inverted
// bytes, parity) are left to the re-encoding that follows.
std::optional<std::pair<std::uint32_t, std::uint32_t>> fieldsOf(const ProtocolInfo& info,
                                                                const Micros& burst) {
    std::vector<bool> bits;
    switch (info.coding) {
    case Coding::PulseDistance: {
        const std::size_t count = info.protocol == Protocol::NEC42 || info.protocol == Protocol::NEC42ext ? 42
                                  : info.protocol == Protocol::Kaseikyo                                   ? 48
                                  : info.protocol == Protocol::RCA                                        ? 24
                                                                   : 32;
        if (burst.size() != 3 + 2 * count) return std::nullopt;
        const std::uint32_t middle = (info.timing.zeroSpace + info.timing.oneSpace) / 2;
        for (std::size_t i = 0; i < count; ++i)
            bits.push_back(burst[3 + 2 * i] > middle);
        break;
    }
    case Coding::PulseWidth: {
        const std::size_t count = std::size_t(7 + info.addressBits);
        if (burst.size() != 1 + 2 * count) return std::nullopt;
        for (std::size_t i = 0; i < count; ++i)
            bits.push_back(burst[2 + 2 * i] > 3 * kSonyUnit / 2);
        return std::pair{fieldOf(bits, 7, info.addressBits), fieldOf(bits, 0, 7)};
    }
    case Coding::Rc5: {
        auto halves = levels(burst, 0, kRc5Half, 2);
        if (!halves) return std::nullopt;
        halves->insert(halves->begin(), false);             // the first start bit's idle half
        if (halves->size() == 27) halves->push_back(false); // a last 0 ends with a space
        if (halves->size() != 28) return std::nullopt;
        for (std::size_t i = 0; i < 14; ++i)
            bits.push_back((*halves)[2 * i + 1]);
        // 1, field bit, toggle, A5, C6; the field bit tells RC5 from RC5X, the encoder puts it back.
        return std::pair{fieldOf(bits, 3, 5, true), fieldOf(bits, 8, 6, true)};
    }
    case Coding::Rc6: {
        if (burst.size() < 3) return std::nullopt;
        auto units = levels(burst, 2, 444, 4);
        if (!units) return std::nullopt;
        if (units->size() == 43) units->push_back(false); // a last 1 ends with a space
        if (units->size() != 44) return std::nullopt;
        std::size_t at = 0;
        for (int i = 0; i < 21; ++i) {
            bits.push_back((*units)[at]); // 1 is mark then space
            at += i == 4 ? 4 : 2;
        }
        return std::pair{fieldOf(bits, 5, 8, true), fieldOf(bits, 13, 8, true)};
    }
    }
    switch (info.protocol) {
    case Protocol::NECext:
        return std::pair{fieldOf(bits, 0, 16), fieldOf(bits, 16, 16)};
    case Protocol::NEC42:
        return std::pair{fieldOf(bits, 0, 13), fieldOf(bits, 26, 8)};
    case Protocol::NEC42ext:
        return std::pair{fieldOf(bits, 0, 26), fieldOf(bits, 26, 16)};
    case Protocol::RCA:
        return std::pair{fieldOf(bits, 0, 4), fieldOf(bits, 4, 8)};
    case Protocol::Kaseikyo: {
        std::array<std::uint32_t, 5> b{};
        for (std::size_t k = 0; k < b.size(); ++k)
            b[k] = fieldOf(bits, 8 * k, 8);
        const std::uint32_t address =
            (b[3] & 0xF) | (b[2] >> 4) << 4 | (b[0] | b[1] << 8) << 8 | (b[4] >> 6) << 24;
        return std::pair{address, (b[3] >> 4) | (b[4] & 0x3F) << 4};
    }
    default: // NEC, Samsung32, Pioneer: address byte first, command byte third
        return std::pair{fieldOf(bits, 0, 8), fieldOf(bits, 16, 8)};
    }
}

} // namespace

std::optional<ParsedSignal> decode(const Micros& burst) {
    std::optional<ParsedSignal> best;
    std::uint64_t bestDistance = 0;
    for (const ProtocolInfo& info : kProtocols) {
        const auto fields = fieldsOf(info, burst);
        if (!fields) continue;
        const auto again = encode(info.protocol, fields->first, fields->second);
        if (!again || again->size() != burst.size()) continue;
        std::uint64_t distance = 0;
        bool within = true;
        for (std::size_t i = 0; i < burst.size() && within; ++i) {
            const std::uint32_t want = (*again)[i], got = burst[i];
            const std::uint32_t off = got > want ? got - want : want - got;
            within = off <= std::max(want / 4, kDecodeSlackMicros);
            distance += off;
        }
        if (within && (!best || distance < bestDistance)) {
            best = ParsedSignal{info.protocol, fields->first, fields->second};
            bestDistance = distance;
        }
    }
    return best;
}

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
