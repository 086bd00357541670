#include "base/core/capture_buffer.h"

#include "hashing/core/number_text.h"

#include <algorithm>

namespace ravlin {

namespace {

// The value of a hexadecimal digit, lower case as upper case; -1 for any other character.
int hexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    return -1;
}

} // namespace

std::array<QString, kTimingTextCount> timingTextsOf(std::span<const std::int32_t> durations) {
    std::array<QString, kTimingTextCount> texts;
    int slot = 0;
    for (std::int32_t d : durations) {
        while (slot < kTimingTextCount && texts[slot].size() >= kDurationsPerTimingText * 3)
            ++slot;
        if (slot == kTimingTextCount) break;
        texts[slot] += IntToBaseWidth(d, 16, 3);
    }
    return texts;
}

std::optional<std::vector<std::int32_t>> timingTextValues(const QString& text) {
    // length / 3 is never halfway between two integers, so rounding to nearest is (length + 1) / 3.
    const qsizetype groups = (text.size() + 1) / 3;
    std::vector<std::int32_t> out;
    out.reserve(static_cast<std::size_t>(groups));
    for (qsizetype k = 0; k < groups; ++k) {
        std::int32_t value = 0;
        for (qsizetype i = 3 * k; i < std::min(3 * k + 3, text.size()); ++i) {
            const int digit = hexDigit(text.at(i));
            if (digit < 0) return std::nullopt;
            value = value * 16 + digit;
        }
        out.push_back(value);
    }
    return out;
}

bool timingTextsReadable(const std::array<QString, kTimingTextCount>& timings) {
    for (const QString& t : timings)
        if (!timingTextValues(t)) return false;
    return true;
}

} // namespace ravlin
