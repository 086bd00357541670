#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <span>

namespace ravlin {

// Seven entries: N, flag byte, second flag byte, ARC / 255, ARC mod 255, KERMIT / 255, KERMIT mod 255.
struct HashRecord {
    std::array<std::int32_t, 7> entries{};
    bool operator==(const HashRecord&) const = default;
};

// What a hash module returns: its ResultCode, the record and the threshold it found (0 if none).
struct HashResult {
    int code = 0;
    HashRecord record;
    int threshold = 0;
};

// Hist[1..400] and the range Min..Max that the 1bit module leaves behind for the distribution view.
struct DurationHistogram {
    std::array<std::int32_t, 401> hist{}; // index 0 unused
    std::int32_t min = 0;
    std::int32_t max = 0;
};

// The Ver1 coding: up to 400 integers (entry 0 is N).
struct Ver1Code {
    std::array<std::int32_t, 400> values{};
    int count = 0;
};

// The 1bit module. Durations S[1..N] are `durations[0..N-1]`. For N > 5 it rebuilds *histogram
// (when given); shorter bursts leave it unchanged.
HashResult Hash1bit(std::span<const std::int32_t> durations, DurationHistogram* histogram = nullptr);

// The Xbit module.
HashResult HashXbit(std::span<const std::int32_t> durations);

// The raw Ver1 coding at a threshold.
Ver1Code EncodeVer1(std::span<const std::int32_t> durations, int threshold);

// Copies Hist[1..400] into hist[0..399] and gives Min and Max (after the bounds repair; 0 and 0 before
// the first burst of more than five durations). Always returns 1.
int ReadDistribution(const DurationHistogram& histogram, std::span<std::int32_t, 400> hist, std::int32_t& min,
                     std::int32_t& max);

// Hash text of a record: 14 upper-case hex digits.
QString hashText(const HashRecord& record);
// Status text on the panel: code in decimal, " - ", the seven two-digit entries joined by ".".
QString statusText(int code, const HashRecord& record);
// Text of a Ver1 coding: two hex digits per value.
QString ver1Text(const Ver1Code& code);

} // namespace ravlin
