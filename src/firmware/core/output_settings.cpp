#include "firmware/core/output_settings.h"

#include <algorithm>

namespace ravlin {

namespace {

std::uint8_t depthByte(int position, int automatic) {
    const int p = std::clamp(position, 0, OutputSettings::kDepthMax);
    return static_cast<std::uint8_t>(247 + (p == 0 ? automatic : p));
}

} // namespace

std::uint8_t OutputSettings::optionsByte() const {
    int b = 0;
    if (noV9) b |= 0x80;
    if (noDetector) b |= 0x40;
    if (noOnes) b |= 0x20;
    if (silent) b |= 0x10;
    if (known == KnownButtonAction::LengthsV8) b |= 0x08;
    if (unknown == UnknownButtonAction::Nothing) b |= 0x04;
    if (unknown == UnknownButtonAction::ErrorV9) b |= 0x02;
    if (known == KnownButtonAction::Emulate) b |= 0x01;
    return static_cast<std::uint8_t>(b);
}

std::uint8_t OutputSettings::zeroDepthByte() const {
    if (pauseMode) return static_cast<std::uint8_t>(std::clamp(pause, 0, kPauseMax));
    return depthByte(zeroDepth, 2);
}

std::uint8_t OutputSettings::oneDepthByte() const {
    return depthByte(oneDepth, 5);
}

} // namespace ravlin
