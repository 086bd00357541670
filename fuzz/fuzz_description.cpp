// Remote description files ("A01.txt"): any text reads into at most 100 sound zones, and the zones
// written again read back the same.
#include "base/core/remote_description.h"
#include "fuzz_check.h"

using namespace ravlin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 64 * 1024) return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const RemoteDescription::ReadResult r = RemoteDescription::read(TextLines::fromBytes(bytes));
    FUZZ_CHECK(r.zones.size() <= std::size_t(RemoteDescription::kMaxZones));
    for (const RemoteZone& z : r.zones)
        FUZZ_CHECK(z.x1 >= 0 && z.y1 >= 0 && z.x2 >= 0 && z.y2 >= 0 && z.name.size() <= 16);
    const RemoteDescription::ReadResult back =
        RemoteDescription::read(TextLines(RemoteDescription::lines(r.zones)));
    FUZZ_CHECK(back.zones == r.zones);
    FUZZ_CHECK(back.badLine == 0 && !back.truncatedEnd);
    return 0;
}
