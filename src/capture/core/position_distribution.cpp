#include "capture/core/position_distribution.h"

#include <algorithm>

namespace ravlin {

namespace {
int indexOf(int row, int position, int duration) {
    return ((row - 1) * PositionDistribution::kPositions + (position - 1)) * PositionDistribution::kCells +
           (duration - 1);
}
} // namespace

bool PositionDistribution::inRange(int row, int position, int duration) {
    return row >= 1 && row <= kRows && position >= 1 && position <= kPositions && duration >= 1 &&
           duration <= kCells;
}

bool PositionDistribution::cell(int row, int position, int duration) const {
    return inRange(row, position, duration) && m_cells[indexOf(row, position, duration)] != 0;
}

void PositionDistribution::mark(int row, int position, std::int32_t duration) {
    if (duration <= 0) return;
    const int d = static_cast<int>(std::min<std::int32_t>(duration, kCells));
    if (!inRange(row, position, d)) return;
    m_cells[indexOf(row, position, d)] = 1;
}

void PositionDistribution::clear() {
    m_cells.fill(0);
}

void PositionDistribution::clearRow(int row) {
    if (row < 1 || row > kRows) return;
    const auto begin = m_cells.begin() + indexOf(row, 1, 1);
    std::fill(begin, begin + kPositions * kCells, std::uint8_t{0});
}

bool PositionDistribution::isRowEmpty(int row) const {
    if (row < 1 || row > kRows) return true;
    const auto begin = m_cells.begin() + indexOf(row, 1, 1);
    return std::all_of(begin, begin + kPositions * kCells, [](std::uint8_t c) { return c == 0; });
}

bool PositionDistribution::markBurst(std::span<const std::int32_t> durations, int repeatLimit) {
    const int count = static_cast<int>(durations.size());
    const int row = count > repeatLimit ? 1 : 2;
    for (int i = 1; i <= std::min(count, kPositions); ++i)
        mark(row, i, durations[i - 1]);
    // An odd count ends with a mark, which the tail row skips.
    const int p = count % 2 == 1 ? 1 : 0;
    if (count > kPositions + p) {
        for (int j = 1; j <= kPositions; ++j)
            mark(3, j, durations[count - j - p]);
    }
    return p == 0;
}

} // namespace ravlin
