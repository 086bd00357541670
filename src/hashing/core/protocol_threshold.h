#pragma once

#include "hashing/core/panel_settings.h"

#include <QString>

#include <cstdint>

namespace ravlin {

// The threshold (hexadecimal text) that the Ver1 coding uses for a recognised protocol, chosen by
// the first two characters of the decoder's text.
QString ProtocolThreshold(const QString& decoderText);

// The three enable bytes of the protocol decoder, flag 1 in the most significant bit.
struct DecoderMasks {
    std::uint8_t group1 = 0;
    std::uint8_t group2 = 0;
    std::uint8_t group3 = 0;
    bool operator==(const DecoderMasks&) const = default;
};

// Packs the check boxes: each group is written as eight "0"/"1" characters, first the most
// significant bit, and read back with StrToBase in base 2.
DecoderMasks decoderMasks(const DecoderSettings& settings);

} // namespace ravlin
