#include "acquisition/core/receiver_kind.h"

#include <array>

namespace ravlin {

namespace {

constexpr std::array<ReceiverKindInfo, 4> kKinds = {{
    {ReceiverKind::Movrik, "Movrik", 0.02133333, "0.0213(3) МиллиСек", false},
    {ReceiverKind::USBtiny, "USBtiny", 0.0853333, "0.0853(3) МиллиСек", false},
    {ReceiverKind::IgorPlugUsb, "IgorPlug-USB", 0.0853333, "0.0853(3) МиллиСек", false},
    {ReceiverKind::IgorPlugUdp, "IgorPlug-UDP", 0.0512, "0.0512 МиллиСек", true},
}};

// Movrik: a byte above 0xF8 is a prefix worth (byte - 0xF8) * 0xF8 added to the next plain byte.
constexpr int kMovrikPlainMax = 0xF8;

struct StatusText {
    int status;
    const char* text;
};
constexpr std::array<StatusText, 5> kStatusTexts = {{
    {0, "Status : OK!"},
    {1, "Status : NotConect"},
    {2, "Status : NoDataAvailable"},
    {3, "Status : InvalidBaudrate"},
    {4, "Status : OverRunError"},
}};

} // namespace

namespace ReceiverKinds {

std::span<const ReceiverKindInfo> table() {
    return kKinds;
}

const ReceiverKindInfo& info(ReceiverKind kind) {
    for (const auto& k : kKinds)
        if (k.kind == kind) return k;
    return kKinds[0];
}

QString text(ReceiverKind kind) {
    return QString::fromUtf8(info(kind).text);
}
int code(ReceiverKind kind) {
    return static_cast<int>(info(kind).kind);
}

ReceiverKind fromText(const QString& text) {
    for (const auto& k : kKinds)
        if (text == QLatin1String(k.text)) return k.kind;
    return ReceiverKind::Movrik;
}

bool isKindText(const QString& text) {
    for (const auto& k : kKinds)
        if (text == QLatin1String(k.text)) return true;
    return false;
}

double unitMs(ReceiverKind kind) {
    return info(kind).unitMs;
}
QString unitLabel(ReceiverKind kind) {
    return QString::fromUtf8(info(kind).unitLabel);
}

QStringList comboItems() {
    return {QStringLiteral("IgorPlug-USB"), QStringLiteral("IgorPlug-UDP"), QStringLiteral("Movrik"),
            QStringLiteral("USBtiny")};
}

} // namespace ReceiverKinds

std::int32_t maxDurationUnits(ReceiverKind kind) {
    switch (kind) {
    case ReceiverKind::Movrik:
        return (0xFF - kMovrikPlainMax) * kMovrikPlainMax + kMovrikPlainMax; // 1984
    case ReceiverKind::USBtiny:
        return 0xFF * 4;
    case ReceiverKind::IgorPlugUsb:
        return 0xFF * 8; // the first seven durations; later ones reach 0xFF * 4
    case ReceiverKind::IgorPlugUdp:
        return 0xFF * 4; // the first duration; later ones reach 0xFF * 2
    }
    return 0;
}

std::vector<std::int32_t> convertRawBlock(ReceiverKind kind, std::span<const std::uint8_t> bytes) {
    std::vector<std::int32_t> out;
    out.reserve(bytes.size());
    std::int32_t carry = 0;
    for (std::uint8_t b : bytes) {
        const auto n = static_cast<std::int32_t>(out.size()); // durations emitted so far
        switch (kind) {
        case ReceiverKind::Movrik:
            if (b > kMovrikPlainMax) {
                carry = (b - kMovrikPlainMax) * kMovrikPlainMax;
            } else {
                out.push_back(b + carry);
                carry = 0;
            }
            break;
        case ReceiverKind::USBtiny:
            out.push_back(b * 4);
            break;
        case ReceiverKind::IgorPlugUsb:
            out.push_back(n < 7 ? b * 8 : b * 4);
            break;
        case ReceiverKind::IgorPlugUdp:
            out.push_back(n == 0 ? b * 4 : b * 2);
            break;
        }
    }
    return out;
}

QString statusLineText(int status) {
    for (const auto& s : kStatusTexts)
        if (s.status == status) return QString::fromUtf8(s.text);
    return QStringLiteral("Status : UnError");
}

} // namespace ravlin
