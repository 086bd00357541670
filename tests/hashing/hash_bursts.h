#pragma once

#include "formats/core/signal_generator.h"
#include "hashing/core/crc16.h"
#include "hashing/core/hash_module.h"

#include <QList>

#include <cstdint>
#include <initializer_list>
#include <vector>

// Bursts and expected records for the hash module tests. Durations are receiver units (21.33 us).
namespace ravlin::testbursts {

using UnitBurst = std::vector<std::int32_t>;

inline UnitBurst fromList(const QList<int>& list) {
    return UnitBurst(list.begin(), list.end());
}

// A leading pair, then mark, space, mark, ... ending with the last mark.
inline UnitBurst framed(std::int32_t leadMark, std::int32_t leadSpace, const std::vector<std::int32_t>& marks,
                        const std::vector<std::int32_t>& spaces) {
    UnitBurst s{leadMark, leadSpace};
    for (std::size_t i = 0; i < marks.size(); ++i) {
        s.push_back(marks[i]);
        if (i < spaces.size()) s.push_back(spaces[i]);
    }
    return s;
}

// Marks of `mark` between the given spaces (one more mark than spaces).
inline UnitBurst withSpaces(std::int32_t leadMark, std::int32_t leadSpace, std::int32_t mark,
                            const std::vector<std::int32_t>& spaces) {
    return framed(leadMark, leadSpace, std::vector<std::int32_t>(spaces.size() + 1, mark), spaces);
}

// NEC frame (leader 422/211, marks 26, spaces 26 or 79 units) from the shared signal generator.
inline UnitBurst nec(std::uint8_t address, std::uint8_t command) {
    return SignalGenerator::inUnits(SignalGenerator::nec(address, command));
}

// RC5 bi-phase frame (half bit 42 units, whole bit 83) from the shared signal generator.
inline UnitBurst rc5(bool toggle, int address, int command) {
    return SignalGenerator::inUnits(
        SignalGenerator::rc5(toggle, static_cast<std::uint8_t>(address), static_cast<std::uint8_t>(command)));
}

// Sony-style pulse width: leader mark 112, spaces 27, marks 55 (bit 1) or 27 (bit 0), 7 command bits
// then 5 address bits, least significant first; the burst ends with the last mark.
inline UnitBurst sony(int command, int address) {
    UnitBurst s{112, 27};
    const int bits = command | (address << 7);
    for (int bit = 0; bit < 12; ++bit) {
        s.push_back(((bits >> bit) & 1) != 0 ? 55 : 27);
        if (bit < 11) s.push_back(27);
    }
    return s;
}

// The record a module yields for a bit stream that packs into `bytes` (the last one already holding
// a remainder right-aligned): entries 3..6 split both CRCs by 255.
inline HashRecord recordOf(std::int32_t n, std::int32_t flags, std::int32_t counts,
                           std::initializer_list<std::uint8_t> bytes) {
    std::uint32_t arc = 0;
    std::uint32_t kermit = 0;
    for (std::uint8_t b : bytes) {
        arc = crc16ArcStep(arc, b);
        kermit = crc16KermitStep(kermit, b);
    }
    HashRecord r;
    r.entries = {n,
                 flags,
                 counts,
                 static_cast<std::int32_t>(arc / 255),
                 static_cast<std::int32_t>(arc % 255),
                 static_cast<std::int32_t>(kermit / 255),
                 static_cast<std::int32_t>(kermit % 255)};
    return r;
}

} // namespace ravlin::testbursts
