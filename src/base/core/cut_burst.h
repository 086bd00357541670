#pragma once

#include "base/core/button_base.h"

#include <QList>
#include <QString>

#include <array>

namespace ravlin {

// The timing texts keep at most 198 durations of a burst; a longer one (an air conditioner's) is
// stored cut, so a rescan hashes the first 198 only and the button may no longer match.
inline constexpr int kTimingTextsMaxDurations = 198;

// Durations held by timing texts, counted as go-to-record reads them (length / 3, rounded).
int timingTextDurations(const std::array<QString, kTimingTextCount>& timings);

// The result-memo line for record `index` stored with `timings` from a burst of `burstCount`
// durations, when the texts keep only part of it; empty otherwise.
QString cutBurstStoredLine(int index, int burstCount, const std::array<QString, kTimingTextCount>& timings);

// Records 1..count whose timing texts are full (198 durations): a burst has an odd count, so these
// hold the first part of a longer burst and a rescan hashes that part only.
QList<int> recordsOfCutBursts(const ButtonBase& base);

// The line listing such records at the end of a rescan; empty when there are none.
QString cutBurstRescanLine(const ButtonBase& base);

} // namespace ravlin
