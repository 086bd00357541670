#include "hashing/core/hash_body.h"
#include "hashing/core/hash_module.h"
#include "platform/core/rounding.h"

#include <algorithm>
#include <cstdlib>

namespace ravlin {

using namespace hashdetail;

namespace {

constexpr int kHistTop = 400;
constexpr int kBuckets = 100;
constexpr std::int32_t kCounterLimit = 252;

// Counts durations 2..399 (never indexing anything else) and finds the range of the counted classes.
void fillHistogram(std::span<const std::int32_t> s, const BurstBody& body, DurationHistogram& h,
                   std::int64_t& lo, std::int64_t& hi) {
    h.hist.fill(0);
    hi = 1;
    lo = 30000;
    for (std::size_t i = 1; i <= s.size(); ++i) {
        const std::int32_t d = at(s, i);
        if (d > 1 && d < kHistTop && h.hist[static_cast<std::size_t>(d)] < kCounterLimit)
            ++h.hist[static_cast<std::size_t>(d)];
        const bool counted = isMark(i) ? (body.leadMarkOrdinary || i >= 3) && !body.marksUniform
                                       : (body.leadSpaceOrdinary || i >= 4) && !body.spacesUniform;
        if (!counted) continue;
        hi = std::max<std::int64_t>(hi, d);
        lo = std::min<std::int64_t>(lo, d);
    }
}

// First bucket with the largest positive sum among those farther than `gap` from `away`
// (`away` = -1 - gap admits every bucket); 0 when none has a positive sum.
int peakBucket(const std::array<std::int32_t, kBuckets + 1>& buckets, int away, int gap) {
    int best = 0;
    int bestSum = 0;
    for (int k = 1; k <= kBuckets; ++k) {
        if (std::abs(k - away) <= gap) continue;
        if (buckets[static_cast<std::size_t>(k)] > bestSum) {
            bestSum = buckets[static_cast<std::size_t>(k)];
            best = k;
        }
    }
    return best;
}

} // namespace

HashResult Hash1bit(std::span<const std::int32_t> s, DurationHistogram* histogram) {
    if (s.size() <= 5) return shortBurstResult(s);

    const BurstBody body = analyseBody(s);
    int code = body.code;

    DurationHistogram h;
    std::int64_t lo = 0;
    std::int64_t hi = 0;
    fillHistogram(s, body, h, lo, hi);

    // Buckets of four counters each, only positions inside the range found before the repair.
    std::array<std::int32_t, kBuckets + 1> buckets{};
    for (int k = 1; k <= kBuckets; ++k)
        for (int j = 4 * k - 3; j <= 4 * k; ++j)
            if (j >= lo && j <= hi)
                buckets[static_cast<std::size_t>(k)] += h.hist[static_cast<std::size_t>(j)];

    if (lo < 1) {
        lo = 1;
        code = 51;
    }
    if (lo > kHistTop) {
        lo = kHistTop - 1;
        code = 52;
    }
    if (hi <= lo) {
        hi = lo + 1;
        code = 53;
    }
    if (hi > kHistTop) {
        hi = kHistTop;
        code = 54;
    }
    const std::int64_t mid = truncatedMiddle(lo, hi);

    const int k1 = peakBucket(buckets, -1, 0);
    const std::int64_t width = hi - lo;
    const int gap = width < 10 ? 0 : width < 20 ? 1 : width < 30 ? 2 : 3;
    const int k2 = peakBucket(buckets, k1, gap);

    std::int64_t threshold = 4 * (std::min(k1, k2) + divideHalfEven(std::abs(k1 - k2), 2));
    if (threshold <= lo || threshold >= hi) {
        threshold = mid;
        code = 61;
    }
    if (threshold <= lo) {
        threshold = lo + 1;
        code = 71;
    }
    if (threshold >= hi) {
        threshold = hi - 1;
        code = 72;
    }

    // Last duration first; long is 0, short is 1.
    CrcBitStream bits;
    for (std::size_t i = s.size(); i >= 1; --i)
        bits.addBit(at(s, i) <= threshold);
    bits.finish();

    HashResult result;
    result.code = code;
    result.threshold = static_cast<int>(threshold);
    result.record.entries[0] = static_cast<std::int32_t>(s.size());
    result.record.entries[1] = body.flagByte();
    putCrcHalves(result.record, bits.arc(), bits.kermit());

    h.min = static_cast<std::int32_t>(lo);
    h.max = static_cast<std::int32_t>(hi);
    if (histogram != nullptr) *histogram = h;
    return result;
}

int ReadDistribution(const DurationHistogram& histogram, std::span<std::int32_t, 400> hist, std::int32_t& min,
                     std::int32_t& max) {
    for (std::size_t d = 1; d <= 400; ++d)
        hist[d - 1] = histogram.hist[d];
    min = histogram.min;
    max = histogram.max;
    return 1;
}

} // namespace ravlin
