#pragma once

#include <cmath>
#include <cstdint>

namespace ravlin {

// The two rounding rules of the system. Rounding is half to even (pixels, progress steps, window
// centring, the threshold's halving); durations converted between microseconds and receiver units
// round halves away from zero, as the receivers deliver them.

// Rounds to the nearest integer, halves to even. Far-off values are clamped to ±1e9 so that a wild
// scale never overflows an int.
inline int roundHalfEven(double value) {
    const double lower = std::floor(value);
    const double fraction = value - lower;
    double result = lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0)) result = lower + 1.0;
    if (result > 1e9) return 1000000000;
    if (result < -1e9) return -1000000000;
    return static_cast<int>(result);
}

// num / den rounded half to even (den > 0).
constexpr std::int64_t divideHalfEven(std::int64_t num, std::int64_t den) {
    std::int64_t q = num / den;
    std::int64_t r = num % den;
    if (r < 0) {
        --q;
        r += den;
    }
    if (2 * r > den || (2 * r == den && q % 2 != 0)) ++q;
    return q;
}

// num / den rounded half away from zero (den > 0; |num| + den / 2 within range).
constexpr std::int64_t divideHalfAwayFromZero(std::int64_t num, std::int64_t den) {
    return num >= 0 ? (2 * num + den) / (2 * den) : -((-2 * num + den) / (2 * den));
}

} // namespace ravlin
