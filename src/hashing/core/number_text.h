#pragma once

#include <QString>

#include <cstdint>

namespace ravlin {

// Digits of `value` in `base` (2..16, upper case), most significant first. Base 2 is padded with
// "0" to at least 8 digits; in base 16 a result that starts with a letter gets one leading "0".
// A negative value (only reachable from odd typed text) gives "-" followed by its magnitude's text.
QString IntToBase(std::int64_t value, int base);

// IntToBase padded with "0" to `width` digits; a longer result keeps only its last `width` digits.
QString IntToBaseWidth(std::int64_t value, int base, int width);

// Reads `text` in `base`: leading "0" characters are skipped, an empty rest is 0; each character
// contributes its position in "0123456789ABCDEF" (upper case only), any other character counts
// as digit -1 ("3b" in base 16 reads as 47). Wraps like a 32-bit integer on overflow.
std::int32_t StrToBase(const QString& text, int base);

} // namespace ravlin
