#include "hashing/core/hash_body.h"
#include "hashing/core/hash_module.h"

#include <array>
#include <cmath>

namespace ravlin {

using namespace hashdetail;

namespace {

constexpr int kTop = 400;
constexpr int kMaxClusters = 7;

struct Cluster {
    std::int64_t lo = 0;
    std::int64_t hi = 0;
};

// The duration levels of one class: clusters 1..count and the boundaries between them.
struct Levels {
    std::array<Cluster, kMaxClusters + 1> clusters{}; // index 0 unused
    int count = 0;
    std::array<std::int64_t, 7> bnd{}; // index 0 unused

    int level(std::int64_t d) const;
    int bitsPerDuration() const { return count <= 2 ? 1 : count <= 4 ? 2 : 3; }
};

int Levels::level(std::int64_t d) const {
    if (d >= kTop) return count - 1;
    if (d < bnd[1]) return 0;
    for (int k = 1; k <= 5; ++k)
        if (d < bnd[static_cast<std::size_t>(k + 1)] || count == k + 1) return k;
    return 6;
}

// Which durations below 400 occur at positions first, first + 2, ...; a one-position hole between two
// set positions is closed, working upward.
using Presence = std::array<bool, kTop + 1>; // index 0 unused

Presence presenceOf(std::span<const std::int32_t> s, std::size_t first) {
    Presence p{};
    for (std::size_t i = first; i <= s.size(); i += 2) {
        const std::int32_t d = at(s, i);
        if (d >= 1 && d < kTop) p[static_cast<std::size_t>(d)] = true;
    }
    for (std::size_t j = 1; j <= kTop - 2; ++j)
        if (p[j] && p[j + 2]) p[j + 1] = true;
    return p;
}

// First set position in after+1..400, or 0 when there is none.
int firstSetAfter(const Presence& p, int after) {
    for (int q = after + 1; q <= kTop; ++q)
        if (p[static_cast<std::size_t>(q)]) return q;
    return 0;
}

// Last position of the run of set positions that begins at `start` (400 for a run reaching 400).
int runEnd(const Presence& p, int start) {
    int e = start;
    while (e < kTop && p[static_cast<std::size_t>(e + 1)])
        ++e;
    return e;
}

// Finds the clusters of one class. A run merges with the run after it when their starts are less
// than 15 % of the class maximum apart or the gap between them is less than 10 %. An eighth cluster
// reuses the seventh and sets `overflowCode`.
void scanClusters(Presence p, std::int64_t reference, int overflowCode, int& code, Levels& out) {
    int from = 0;
    while (from < kTop) {
        int s1 = firstSetAfter(p, from);
        if (s1 != 0) {
            if (out.count < kMaxClusters)
                ++out.count;
            else
                code = overflowCode;
            out.clusters[static_cast<std::size_t>(out.count)].lo = s1;
        } else {
            s1 = kTop;
        }
        int e1 = runEnd(p, s1);
        int s2 = firstSetAfter(p, e1);
        if (s2 == 0) s2 = kTop;
        const int e2 = runEnd(p, s2);
        if (s1 != s2) {
            const std::int64_t a = (static_cast<std::int64_t>(s2) - s1) * 100 / reference;
            const std::int64_t b = (static_cast<std::int64_t>(s2) - e1) * 100 / reference;
            if (a < 15 || b < 10) {
                for (int q = e1; q <= s2; ++q)
                    p[static_cast<std::size_t>(q)] = true;
                e1 = e2;
                s2 = e2 + 2;
            }
        }
        if (s1 != kTop && out.count >= 1) out.clusters[static_cast<std::size_t>(out.count)].hi = e1;
        from = s2 < kTop ? s2 - 1 : s2;
    }
}

// A class with fewer than two clusters is split at the middle of its range.
bool repairToTwo(Levels& levels, std::int64_t lo, std::int64_t hi) {
    if (levels.count >= 2) return false;
    const std::int64_t m = truncatedMiddle(lo, hi);
    levels.count = 2;
    levels.clusters[1] = {lo, m};
    levels.clusters[2] = {m, hi};
    return true;
}

void setBoundaries(Levels& levels) {
    for (int k = 1; k <= 6; ++k) {
        const auto ku = static_cast<std::size_t>(k);
        levels.bnd[ku] =
            k < levels.count ? truncatedMiddle(levels.clusters[ku].hi, levels.clusters[ku + 1].lo) : 1300 + k;
    }
}

void addLevels(std::span<const std::int32_t> s, std::size_t first, const Levels& levels, CrcBitStream& bits) {
    for (std::size_t i = first; i <= s.size(); i += 2)
        bits.addBits(static_cast<unsigned>(levels.level(at(s, i))), levels.bitsPerDuration());
}

} // namespace

HashResult HashXbit(std::span<const std::int32_t> s) {
    if (s.size() <= 5) return shortBurstResult(s);

    const BurstBody body = analyseBody(s);
    int code = body.code;
    const std::size_t firstSpace = body.leadSpaceOrdinary ? 2 : 4;
    const std::size_t firstMark = body.leadMarkOrdinary ? 1 : 3;

    Levels spaces;
    Levels marks;
    if (!body.spacesUniform) scanClusters(presenceOf(s, firstSpace), body.maxS, 51, code, spaces);
    if (!body.marksUniform) scanClusters(presenceOf(s, firstMark), body.maxM, 61, code, marks);
    const std::int32_t counts = 16 * marks.count + spaces.count;

    if (!body.spacesUniform && repairToTwo(spaces, body.minS, body.maxS)) code = 71;
    if (!body.marksUniform && repairToTwo(marks, body.minM, body.maxM)) code = 72;
    setBoundaries(spaces);
    setBoundaries(marks);

    std::int64_t threshold = 0;
    if (marks.count == 2 && spaces.count == 0)
        threshold = marks.bnd[1];
    else if (spaces.count == 2 && marks.count == 0)
        threshold = spaces.bnd[1];
    else if (marks.count == 2 && spaces.count == 2)
        threshold =
            static_cast<std::int64_t>(std::trunc(static_cast<double>(spaces.bnd[1] + marks.bnd[1]) / 2.0));

    CrcBitStream bits;
    if (!body.marksUniform) addLevels(s, firstMark, marks, bits);
    if (!body.spacesUniform) addLevels(s, firstSpace, spaces, bits);
    bits.finish();

    HashResult result;
    result.code = code;
    result.threshold = static_cast<int>(threshold);
    result.record.entries[0] = static_cast<std::int32_t>(s.size());
    result.record.entries[1] = body.flagByte();
    result.record.entries[2] = counts;
    putCrcHalves(result.record, bits.arc(), bits.kermit());
    return result;
}

} // namespace ravlin
