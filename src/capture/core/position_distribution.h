#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace ravlin {

// Which durations occurred at which burst position: 3 rows x 20 positions x 512 duration cells.
// Row 1: the first 20 durations of full bursts; row 2: those of bursts at or below the repeat
// limit; row 3: the last 20 durations of long bursts, counted back from the end.
class PositionDistribution {
public:
    static constexpr int kRows = 3;
    static constexpr int kPositions = 20;
    static constexpr int kCells = 512;

    // Cell (row 1..3, position 1..20, duration 1..512); anything outside reads as false.
    bool cell(int row, int position, int duration) const;
    // Sets a cell; the duration is clamped to 512, and a duration of 0 or below has no cell.
    void mark(int row, int position, std::int32_t duration);
    void clear();
    void clearRow(int row);
    bool isRowEmpty(int row) const;

    // Marks one burst (durations S[1..N]); `repeatLimit` is 3 or 5. Returns whether the count is
    // even (the parity fault the caller reports).
    bool markBurst(std::span<const std::int32_t> durations, int repeatLimit);

private:
    static bool inRange(int row, int position, int duration);
    std::array<std::uint8_t, kRows * kPositions * kCells> m_cells{};
};

} // namespace ravlin
