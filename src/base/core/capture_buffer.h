#pragma once

#include "base/core/button_record.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ravlin {

// The burst last received or rebuilt from a record: durations 1..count in receiver units
// (odd positions marks, even positions spaces), their total, where they came from, and the pixel
// scale of the last drawing.
struct CaptureBuffer {
    static constexpr int kCapacity = 255;

    std::array<std::int32_t, kCapacity + 1> durations{}; // entry 0 unused
    int count = 0;
    std::int64_t total = 0;
    bool fromRecord = false; // false: from the receiver; true: rebuilt from a base record
    double pixelScale = 1.0;

    // Durations 1..count as a read-only span (index 0 is duration 1).
    std::span<const std::int32_t> span() const {
        return std::span<const std::int32_t>(durations.data() + 1, static_cast<std::size_t>(count));
    }
    std::int32_t at(int position) const {
        return position >= 1 && position <= count ? durations[position] : 0;
    }

    void clear() {
        durations.fill(0);
        count = 0;
        total = 0;
    }
    // Appends one duration; ignored when the buffer is full. Returns whether it was stored.
    bool append(std::int32_t d) {
        if (count >= kCapacity) return false;
        durations[++count] = d;
        total += d;
        return true;
    }
};

// The timing texts of durations: each as three upper-case hex digits, appended to the first text
// still shorter than 99 characters, so at most 33 per text and 198 in all (later ones are dropped).
std::array<QString, kTimingTextCount> timingTextsOf(std::span<const std::int32_t> durations);

// The durations one timing text holds: length / 3 groups (rounded; the last may be shorter), each
// read as hexadecimal with lower-case digits taken as their upper-case value. Nothing when a
// character is not a hexadecimal digit: such a text holds no usable duration.
std::optional<std::vector<std::int32_t>> timingTextValues(const QString& text);

// Whether every timing text of a record reads (timingTextValues); a record that does not keeps its
// hash and name, but its durations are not used.
bool timingTextsReadable(const std::array<QString, kTimingTextCount>& timings);

} // namespace ravlin
