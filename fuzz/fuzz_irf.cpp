// Button-to-action maps (".irf"): any text reads into the 80 sets, and the map written again reads
// back the same.
#include "firmware/core/action_map.h"
#include "fuzz_check.h"

using namespace ravlin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 64 * 1024) return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    ActionMap map;
    readIrf(map, TextLines::fromBytes(bytes));
    FUZZ_CHECK(map.validCount() >= 0 && map.validCount() <= ActionMap::kSets);
    ActionMap back;
    readIrf(back, TextLines(irfLines(map)));
    for (int k = 0; k < ActionMap::kSets; ++k)
        FUZZ_CHECK(back.entries[std::size_t(k)] == map.entries[std::size_t(k)]);
    FUZZ_CHECK(back.valid == map.valid);
    return 0;
}
