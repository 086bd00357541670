#pragma once

#include "hashing/core/protocol_decoder.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ravlin {

// One field of a recognised burst: its name, the burst positions it spans (1-based, inclusive) and
// its value as the decoder's texts show it.
struct DecodedField {
    QString name;
    int first = 0;
    int last = 0;
    QString value;
    bool operator==(const DecodedField&) const = default;
};

// Where the decoder found what in a burst: the threshold its sub-decoder read the durations
// against (nothing when it reads none) and the fields, in burst order. Derived from the decoder's
// own byte positions; the decoder's results are not touched.
struct DecoderLayout {
    std::optional<std::int64_t> threshold;
    std::vector<DecodedField> fields;
};

// The layout of `result`, which the decoder gave for `durations`. A burst the decoder did not
// recognise has no threshold and no fields; formats whose fields are not single bytes or bit runs
// (the air conditioners, the joystick, the mouse, the run-length and time-slot codes) show none.
DecoderLayout decoderLayout(std::span<const std::int32_t> durations, const DecoderResult& result);

} // namespace ravlin
