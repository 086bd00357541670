#pragma once

#include <cstdint>

namespace ravlin {

// The named colours the core puts into view state; the UI turns them into real colours.
// Face is the system's button-face colour (the palette's default), the others are fixed RGB values.
enum class ViewColour { Face, Aqua, Teal, Fuchsia, Red, Yellow, Lime, Green, Silver, Black };

// 0xRRGGBB of a named colour; Face has no fixed value and gives 0xF0F0F0.
constexpr std::uint32_t rgbOf(ViewColour c) {
    switch (c) {
    case ViewColour::Face:
        return 0xF0F0F0;
    case ViewColour::Aqua:
        return 0x00FFFF;
    case ViewColour::Teal:
        return 0x008080;
    case ViewColour::Fuchsia:
        return 0xFF00FF;
    case ViewColour::Red:
        return 0xFF0000;
    case ViewColour::Yellow:
        return 0xFFFF00;
    case ViewColour::Lime:
        return 0x00FF00;
    case ViewColour::Green:
        return 0x008000;
    case ViewColour::Silver:
        return 0xC0C0C0;
    case ViewColour::Black:
        return 0x000000;
    }
    return 0;
}

} // namespace ravlin
