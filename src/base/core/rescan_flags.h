#pragma once

namespace ravlin {

// Whether the base was rescanned since it was last opened, and whether with the decoder (" ХЭШ
// M96") as hash source. The firmware windows refuse to compute without them.
struct RescanFlags {
    bool rescanned = false;
    bool withM96 = false;
};

} // namespace ravlin
