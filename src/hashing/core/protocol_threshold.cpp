#include "hashing/core/protocol_threshold.h"

#include "hashing/core/number_text.h"
#include "hashing/core/sub_decoders.h"

#include <array>

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

} // namespace

QString ProtocolThreshold(const QString& decoderText) {
    const QString prefix = decoderText.left(2);
    for (const auto& e : kThresholds) {
        if (prefix == QLatin1String(e.prefix)) return QString::fromLatin1(e.threshold);
    }
    return QString::fromLatin1(kOtherThreshold);
}

DecoderMasks decoderMasks(const DecoderSettings& s) {
    // Each group as eight "0"/"1" characters, flag 1 first; a flag without a row stays "0".
    QString bits[3] = {QStringLiteral("00000000"), QStringLiteral("00000000"), QStringLiteral("00000000")};
    for (const SubDecoderRow& row : subDecoderRows())
        if (s.*row.setting) bits[row.group - 1][row.flag - 1] = QLatin1Char('1');
    DecoderMasks m;
    m.group1 = static_cast<std::uint8_t>(StrToBase(bits[0], 2));
    m.group2 = static_cast<std::uint8_t>(StrToBase(bits[1], 2));
    m.group3 = static_cast<std::uint8_t>(StrToBase(bits[2], 2));
    return m;
}

} // namespace ravlin
