#pragma once

namespace ravlin {

// Whether the base was rescanned since it was last opened, and whether with the decoder (" ХЭШ
// M96") as hash source. The firmware windows refuse to compute without them. `running` is set
// while a rescan replays the records (processing then keeps polling stopped and the names as
// they are).
struct RescanFlags {
    bool rescanned = false;
    bool withM96 = false;
    bool running = false;
};

} // namespace ravlin
