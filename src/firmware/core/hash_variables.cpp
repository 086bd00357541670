#include "firmware/core/hash_variables.h"

#include "hashing/core/number_text.h"

#include <algorithm>
#include <limits>

namespace ravlin {

const std::array<const char*, HashVariableSet::Count> kHashVariableNames = {
    "KnPz1",  "KnPz0",  "KnPmax", "KnPmin", "KnNmx1", "KnNmx0",  "KnNmn1",
    "KnNmn0", "KnGmax", "KnGmin", "KnBit",  "KnPer",  "KnPHvost"};

QString ByteHex(std::int64_t value) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    const auto b = static_cast<unsigned>(value & 0xFF);
    const QChar text[] = {QChar(kDigits[b >> 4]), QChar(kDigits[b & 0xF])};
    return QString(text, 2);
}

SplitLength SplitLength::of(std::int32_t value) {
    if (value <= 248) return {0, value};
    const std::int32_t q = value / 248;
    return {248 + q, value - 248 * q};
}

std::int32_t& HashVariableSet::at(Index i) {
    switch (i) {
    case Pz1:
        return KnPz1;
    case Pz0:
        return KnPz0;
    case Pmax:
        return KnPmax;
    case Pmin:
        return KnPmin;
    case Nmx1:
        return KnNmx1;
    case Nmx0:
        return KnNmx0;
    case Nmn1:
        return KnNmn1;
    case Nmn0:
        return KnNmn0;
    case Gmax:
        return KnGmax;
    case Gmin:
        return KnGmin;
    case Bit:
        return KnBit;
    case Per:
        return KnPer;
    case PHvost:
    case Count:
        break;
    }
    return KnPHvost;
}

std::int32_t HashVariableSet::at(Index i) const {
    return const_cast<HashVariableSet*>(this)->at(i);
}

std::int32_t boxValue(const QString& text) {
    return StrToBase(text, 16);
}

std::int32_t saturate32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

} // namespace ravlin
