#include "base/core/capture_buffer.h"

#include "hashing/core/number_text.h"

namespace ravlin {

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

} // namespace ravlin
