#pragma once

#include <cstdint>
#include <string_view>

// Small scanners over ASCII text, for the line parsers that read plain lines without building
// strings.
namespace ravlin::ascii {

inline bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f' || c == '\n';
}

inline bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The text without ASCII blanks at either end.
inline std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// A run of at most `maxDigits` decimal digits at `pos` (leading zeros counted unless `skipZeros`);
// false when there are none or more. `pos` ends after the run.
inline bool readDigits(std::string_view s, std::size_t& pos, int maxDigits, std::int64_t& value, int& digits,
                       bool skipZeros = false) {
    value = 0;
    digits = 0;
    const std::size_t first = pos;
    while (skipZeros && pos < s.size() && s[pos] == '0')
        ++pos;
    if (pos > first && (pos == s.size() || !isDigit(s[pos]))) return true; // all zeros
    while (pos < s.size() && isDigit(s[pos])) {
        if (++digits > maxDigits) return false;
        value = value * 10 + (s[pos] - '0');
        ++pos;
    }
    return digits > 0;
}

} // namespace ravlin::ascii
