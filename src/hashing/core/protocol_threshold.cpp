#include "hashing/core/protocol_threshold.h"

#include "hashing/core/number_text.h"

#include <array>
#include <initializer_list>

namespace ravlin {

namespace {
struct ThresholdEntry {
    const char* prefix;
    const char* threshold;
};

constexpr std::array<ThresholdEntry, 11> kThresholds{{
    {"99", "29"},
    {"57", "33"},
    {"FC", "20"},
    {"96", "34"},
    {"51", "50"},
    {"41", "2D"},
    {"37", "2F"},
    {"33", "32"},
    {"23", "12E"},
    {"54", "3E"},
    {"55", "3E"},
}};

constexpr const char* kOtherThreshold = "38";

std::uint8_t pack(std::initializer_list<bool> flags) {
    QString bits;
    for (bool f : flags)
        bits += f ? QLatin1Char('1') : QLatin1Char('0');
    return static_cast<std::uint8_t>(StrToBase(bits, 2));
}
} // namespace

QString ProtocolThreshold(const QString& decoderText) {
    const QString prefix = decoderText.left(2);
    for (const auto& e : kThresholds) {
        if (prefix == QLatin1String(e.prefix)) return QString::fromLatin1(e.threshold);
    }
    return QString::fromLatin1(kOtherThreshold);
}

DecoderMasks decoderMasks(const DecoderSettings& s) {
    DecoderMasks m;
    m.group1 = pack({s.m96, s.rc5, s.m57, s.m37, s.m99, s.m67, s.tails, s.firstOfRepeats});
    m.group2 = pack({s.m23, s.fc, s.m41, s.m33, s.m51, s.m09, s.joystick, s.mouse});
    m.group3 = pack({s.roison, s.tadiran, false, false, false, false, s.m49, s.m24});
    return m;
}

} // namespace ravlin
