#pragma once

#include "hashing/core/crc16.h"
#include "hashing/core/hash_module.h"

#include <QList>

#include <cstdint>
#include <initializer_list>
#include <vector>

// Bursts and expected records for the hash module tests. Durations are receiver units (21.33 us).
namespace ravlin::testbursts {

using Burst = std::vector<std::int32_t>;

inline Burst fromList(const QList<int>& list) {
    return Burst(list.begin(), list.end());
}

// A leading pair, then mark, space, mark, ... ending with the last mark.
inline Burst framed(std::int32_t leadMark, std::int32_t leadSpace, const std::vector<std::int32_t>& marks,
                    const std::vector<std::int32_t>& spaces) {
    Burst s{leadMark, leadSpace};
    for (std::size_t i = 0; i < marks.size(); ++i) {
        s.push_back(marks[i]);
        if (i < spaces.size()) s.push_back(spaces[i]);
    }
    return s;
}

// Marks of `mark` between the given spaces (one more mark than spaces).
inline Burst withSpaces(std::int32_t leadMark, std::int32_t leadSpace, std::int32_t mark,
                        const std::vector<std::int32_t>& spaces) {
    return framed(leadMark, leadSpace, std::vector<std::int32_t>(spaces.size() + 1, mark), spaces);
}

// NEC-style pulse distance: leader 422/211, marks 26, spaces 26 (bit 0) or 79 (bit 1), 32 bits sent
// least significant bit first (address, inverted address, command, inverted command), a stop mark.
inline Burst nec(std::uint8_t address, std::uint8_t command) {
    const std::uint8_t data[4] = {address, static_cast<std::uint8_t>(~address), command,
                                  static_cast<std::uint8_t>(~command)};
    Burst s{422, 211};
    for (std::uint8_t byte : data)
        for (int bit = 0; bit < 8; ++bit) {
            s.push_back(26);
            s.push_back(((byte >> bit) & 1) != 0 ? 79 : 26);
        }
    s.push_back(26);
    return s;
}

// RC5-style bi-phase: 14 bits (two start bits, toggle, 5 address bits, 6 command bits), half bit 42
// units; two equal halves in a row make one duration of 83. A 1 is space then mark, a 0 mark then space;
// the burst starts with the first mark and ends with the last one.
inline Burst rc5(bool toggle, int address, int command) {
    std::vector<bool> halves; // true = mark
    const auto add = [&halves](bool one) {
        halves.push_back(!one);
        halves.push_back(one);
    };
    add(true);
    add(true);
    add(toggle);
    for (int bit = 4; bit >= 0; --bit)
        add(((address >> bit) & 1) != 0);
    for (int bit = 5; bit >= 0; --bit)
        add(((command >> bit) & 1) != 0);
    while (!halves.empty() && !halves.front())
        halves.erase(halves.begin());
    while (!halves.empty() && !halves.back())
        halves.pop_back();
    Burst s;
    for (std::size_t i = 0; i < halves.size();) {
        std::size_t j = i;
        while (j < halves.size() && halves[j] == halves[i])
            ++j;
        s.push_back(j - i == 1 ? 42 : 83);
        i = j;
    }
    return s;
}

// Sony-style pulse width: leader mark 112, spaces 27, marks 55 (bit 1) or 27 (bit 0), 7 command bits
// then 5 address bits, least significant first; the burst ends with the last mark.
inline Burst sony(int command, int address) {
    Burst s{112, 27};
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
