// The hash modules and the protocol decoder on any durations: texts of their fixed sizes.
#include "fuzz_check.h"
#include "hashing/core/hash_module.h"
#include "hashing/core/protocol_decoder.h"

#include <vector>

using namespace ravlin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const std::uint8_t g1 = in.byte(), g2 = in.byte(), g3 = in.byte();
    const int threshold = in.byte();
    std::vector<std::int32_t> durations;
    // Two bytes a duration (receiver durations never exceed 0x7F8; larger ones test the guards).
    while (!in.empty() && durations.size() < 255)
        durations.push_back(std::int32_t(in.byte()) << 8 | in.byte());

    DurationHistogram histogram;
    const HashResult one = Hash1bit(durations, &histogram);
    FUZZ_CHECK(hashText(one.record).size() == 14);
    std::array<std::int32_t, 400> hist{};
    std::int32_t min = 0, max = 0;
    FUZZ_CHECK(ReadDistribution(histogram, hist, min, max) == 1);
    FUZZ_CHECK(hashText(HashXbit(durations).record).size() == 14);
    const Ver1Code ver1 = EncodeVer1(durations, threshold);
    FUZZ_CHECK(ver1.count >= 0 && ver1.count <= 400);
    FUZZ_CHECK(ver1Text(ver1).size() >= 2 * ver1.count);

    const DecoderResult r = ProtocolDecoder(durations, g1, g2, g3);
    FUZZ_CHECK(r.hash.size() < 58 && r.vars.size() < 58);
    FUZZ_CHECK(r.recognised() || (r.hash.isEmpty() && r.vars.isEmpty()));
    const DecoderBuffers b = decoderBuffers(r);
    FUZZ_CHECK(b.hashLength >= 0 && b.hashLength < 58 && b.varsLength >= 0 && b.varsLength < 58);
    return 0;
}
