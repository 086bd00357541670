#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace ravlin {

// A value as exactly two upper-case hexadecimal digits ("05", "F9"). Only the low byte is
// written, so a value above 255 gives the last two digits of its hexadecimal form.
QString ByteHex(std::int64_t value);

// A duration given to the firmware as two bytes, the prefix first: above 248 the prefix is
// 248 + v div 248 and the remainder v - 248 * (v div 248); up to 248 the prefix is 0.
struct SplitLength {
    std::int32_t prefix = 0;
    std::int32_t remainder = 0;

    static SplitLength of(std::int32_t value);
    bool operator==(const SplitLength&) const = default;
};

// Raw bytes a duration takes in the receiver's length stream: two above 248, else one.
inline int rawBytesOf(std::int32_t duration) {
    return duration > 248 ? 2 : 1;
}

// The thirteen firmware hash variables, in the order the patch writes them (and the boxes
// EditB01..EditB13 show them).
struct HashVariableSet {
    enum Index { Pz1, Pz0, Pmax, Pmin, Nmx1, Nmx0, Nmn1, Nmn0, Gmax, Gmin, Bit, Per, PHvost, Count };

    std::int32_t KnPz1 = 0xF9;
    std::int32_t KnPz0 = 0xBB;
    std::int32_t KnPmax = 0;
    std::int32_t KnPmin = 0;
    std::int32_t KnNmx1 = 0;
    std::int32_t KnNmx0 = 0;
    std::int32_t KnNmn1 = 0;
    std::int32_t KnNmn0 = 0;
    std::int32_t KnGmax = 0;
    std::int32_t KnGmin = 0;
    std::int32_t KnBit = 0x0D;
    std::int32_t KnPer = 0x3B;
    std::int32_t KnPHvost = 0;

    std::int32_t& at(Index i);
    std::int32_t at(Index i) const;
};

// Names of the variables in patch order ("KnPz1" ... "KnPHvost").
extern const std::array<const char*, HashVariableSet::Count> kHashVariableNames;

// A hexadecimal box as the fitting reads it: leading "0" characters dropped, upper-case digits,
// empty or all-zero text is 0 (the number-text rule of the whole system).
std::int32_t boxValue(const QString& text);

// Clamps a wide intermediate value into the 32-bit range the variables have.
std::int32_t saturate32(std::int64_t value);

} // namespace ravlin
