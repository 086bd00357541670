#pragma once

#include "base/core/button_base.h"
#include "base/core/button_record.h"
#include "hashing/core/number_text.h"

#include <vector>

namespace ravlin::test {

// A record whose timing texts hold `durations`, 33 to a text, three hex digits each.
inline ButtonRecord firmwareRecord(const QString& name, const QString& hash,
                                   const std::vector<int>& durations,
                                   const QString& remote = QStringLiteral("TV")) {
    ButtonRecord r;
    r.remoteName = remote;
    r.buttonName = name;
    r.hash = hash;
    for (std::size_t i = 0; i < durations.size(); ++i)
        r.timings[std::min<std::size_t>(i / kDurationsPerTimingText, kTimingTextCount - 1)] +=
            IntToBaseWidth(durations[i], 16, 3);
    return r;
}

// `count` durations of `zero` with the given 1-based positions set to `one`.
inline std::vector<int> pattern(int count, std::initializer_list<int> ones, int first = 0x123,
                                int zero = 0x020, int one = 0x060) {
    std::vector<int> d(static_cast<std::size_t>(count), zero);
    d[0] = first;
    for (int p : ones)
        d[static_cast<std::size_t>(p - 1)] = one;
    return d;
}

} // namespace ravlin::test
