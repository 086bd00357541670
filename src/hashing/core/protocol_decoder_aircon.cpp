// Air-conditioner frames: every duration is one bit, 1 when it is at least the threshold (50).

#include "hashing/core/protocol_decoder_parts.h"

#include <array>

namespace ravlin::decoder {

namespace {

constexpr std::array<const char*, 4> kRoisonModes = {"Cool ", "Vent ", "Dry ", "Heat "};
constexpr std::array<const char*, 8> kTadiranModes = {"?? ", "Vent ", "Uni ", "Cool ",
                                                      "?? ", "Heat ", "Dry ", "?? "};
constexpr std::array<const char*, 4> kTadiranFans = {"????", "Fan ", "FanT", "UFan"};

// Tadiran temperature by mode: {base when S[58] is long, base otherwise}, the temperature being
// base - t; modes without an entry show t itself.
struct TemperatureBase {
    int mode;
    int withBit;
    int withoutBit;
};
constexpr TemperatureBase kTadiranTemperatures[] = {
    {1, 35, 43}, {2, 34, 42}, {3, 36, 44}, {5, 43, 36}, {6, 42, 35}};

} // namespace

Decoded decodeRoison(const DecodeInput& in) {
    const Burst& s = in.burst;
    const std::int64_t limit = in.threshold;
    const auto bit = [&](int position) { return s.at(position) >= limit; };

    QString vars = bit(5) ? QStringLiteral("On ") : QStringLiteral("Off ");
    vars += QLatin1String(kRoisonModes[static_cast<std::size_t>(levelsValue(s, {2, 3}, limit))]);
    vars += bit(7) ? QStringLiteral("Vane1 ") : QStringLiteral("Vane0 ");
    vars += bit(18) ? QStringLiteral("Fan1 ") : QStringLiteral("Fan0 ");
    const std::int64_t t = levelsValue(s, 12, 10, limit);
    const std::int64_t u = levelsValue(s, 13, 15, limit);
    vars += (u == 1 || u == 6) ? QStringLiteral("T") : QStringLiteral("TError");
    vars += QString::number(t + 15 + (u == 1 ? 23 : 0));
    vars += QStringLiteral(" N") + hex2(levelsValue(s, 42, 35, limit)) + u'-' +
            hex2(levelsValue(s, 32, 26, limit));
    vars += QStringLiteral(" V") + hex4(levelsValue(s, 43, 57, limit));
    vars += QStringLiteral(" W") + hex4(levelsValue(s, 73, 57, limit));

    const std::int64_t key = levelsValue(s, {4, 6, 8, 9, 16, 17, 19, 20, 21, 22, 23, 24, 25}, limit);
    return Texts{QStringLiteral("U") + hex4(key), vars};
}

Decoded decodeTadiran(const DecodeInput& in) {
    const Burst& s = in.burst;
    const std::int64_t limit = in.threshold;

    const std::int64_t power = levelsValue(s, 54, 57, limit);
    QString vars = power == 3    ? QStringLiteral("On ")
                   : power == 15 ? QStringLiteral("OFF ")
                                 : QStringLiteral("?? ");
    const std::int64_t mode = levelsValue(s, 10, 12, limit);
    vars += QLatin1String(kTadiranModes[static_cast<std::size_t>(mode)]);
    if (s.at(43) < limit) vars += QStringLiteral("Turbo-");
    vars += QLatin1String(kTadiranFans[static_cast<std::size_t>(levelsValue(s, {14, 15}, limit))]);

    const std::int64_t t = levelsValue(s, 63, 59, limit);
    const bool b = s.at(58) >= limit;
    std::int64_t temperature = t;
    for (const TemperatureBase& base : kTadiranTemperatures)
        if (base.mode == mode) temperature = (b ? base.withBit : base.withoutBit) - t;
    vars += QStringLiteral(" T") + QString::number(temperature);
    return Texts{QStringLiteral("q"), vars};
}

} // namespace ravlin::decoder
