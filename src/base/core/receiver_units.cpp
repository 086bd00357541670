#include "base/core/receiver_units.h"

#include "platform/core/rounding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace ravlin {

namespace {

constexpr std::array<ReceiverKindInfo, 4> kKinds = {{
    {ReceiverKind::Movrik, "Movrik", 0.02133333, "0.0213(3) МиллиСек", false},
    {ReceiverKind::USBtiny, "USBtiny", 0.0853333, "0.0853(3) МиллиСек", false},
    {ReceiverKind::IgorPlugUsb, "IgorPlug-USB", 0.0853333, "0.0853(3) МиллиСек", false},
    {ReceiverKind::IgorPlugUdp, "IgorPlug-UDP", 0.0512, "0.0512 МиллиСек", true},
}};

constexpr int kPlainMax = kMovrikPlainMax;

// One unit of the kind in 1e-8 ms (hundredths of a nanosecond): 2133333, 8533330 or 5120000. The
// conversions count in these so that they stay exact.
std::int64_t unitCentinanos(ReceiverKind kind) {
    return std::llround(ReceiverKinds::unitMs(kind) * 1e8);
}

// The bytes a duration of `units` (as nanosToReceivedUnits gives it) takes in Movrik's format.
int movrikBytes(std::int32_t units) {
    return units > kPlainMax ? 2 : 1;
}

// The bytes of one duration of `micros` at position `index`.
void appendDuration(ReceiverKind kind, std::size_t index, std::uint32_t micros,
                    std::vector<std::uint8_t>& out) {
    const std::int32_t u = nanosToReceivedUnits(static_cast<std::int64_t>(micros) * 1000, kind, index);
    if (kind == ReceiverKind::Movrik) {
        // A prefix byte F8+k carries k * 248; the plain byte then holds 1..248.
        const int k = (u - 1) / kPlainMax;
        if (k > 0) out.push_back(static_cast<std::uint8_t>(kPlainMax + k));
        out.push_back(static_cast<std::uint8_t>(u - k * kPlainMax));
        return;
    }
    out.push_back(static_cast<std::uint8_t>(u / unitsPerStep(kind, index)));
}

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

std::int64_t nanosToSteps(std::int64_t nanos, ReceiverKind kind, int unitsPerStep) {
    // nanos ns = nanos * 100 hundredths of a nanosecond.
    const std::int64_t step = unitCentinanos(kind) * std::max(1, unitsPerStep);
    constexpr std::int64_t kLimit = INT64_MAX / 400; // keeps 2 * 100 * |nanos| + step in range
    return divideHalfAwayFromZero(100 * std::clamp(nanos, -kLimit, kLimit), step);
}

std::int32_t nanosToUnits(std::int64_t nanos, ReceiverKind kind) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(nanosToSteps(nanos, kind, 1), INT32_MIN, INT32_MAX));
}

std::int32_t microsToUnits(std::int64_t micros, ReceiverKind kind) {
    return nanosToUnits(std::clamp<std::int64_t>(micros, INT64_MIN / 1000, INT64_MAX / 1000) * 1000, kind);
}

std::int64_t unitsToNanos(std::int32_t units, ReceiverKind kind) {
    return divideHalfAwayFromZero(std::int64_t(units) * unitCentinanos(kind), 100);
}

std::int32_t unitsToMicros(std::int32_t units, ReceiverKind kind) {
    const std::int64_t micros = divideHalfAwayFromZero(std::int64_t(units) * unitCentinanos(kind), 100000);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(micros, INT32_MIN, INT32_MAX));
}

std::int32_t maxDurationUnits(ReceiverKind kind) {
    switch (kind) {
    case ReceiverKind::Movrik:
        return (0xFF - kPlainMax) * kPlainMax + kPlainMax; // 1984
    case ReceiverKind::USBtiny:
        return 0xFF * 4;
    case ReceiverKind::IgorPlugUsb:
        return 0xFF * 8; // the first seven durations; later ones reach 0xFF * 4
    case ReceiverKind::IgorPlugUdp:
        return 0xFF * 4; // the first duration; later ones reach 0xFF * 2
    }
    return 0;
}

int unitsPerStep(ReceiverKind kind, std::size_t index) {
    switch (kind) {
    case ReceiverKind::Movrik:
        return 1;
    case ReceiverKind::USBtiny:
        return 4;
    case ReceiverKind::IgorPlugUsb:
        return index < 7 ? 8 : 4;
    case ReceiverKind::IgorPlugUdp:
        return index == 0 ? 4 : 2;
    }
    return 1;
}

std::int32_t nanosToReceivedUnits(std::int64_t nanos, ReceiverKind kind, std::size_t index) {
    const int step = unitsPerStep(kind, index);
    // Movrik's prefix bytes carry up to 1984 units; the other formats one byte of steps.
    const std::int64_t largest = kind == ReceiverKind::Movrik ? maxDurationUnits(kind) : 0xFF;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(nanosToSteps(nanos, kind, step), 1, largest) *
                                     step);
}

std::size_t durationsInOneBlock(ReceiverKind kind, std::span<const std::int32_t> units) {
    std::size_t bytes = 0;
    std::size_t lastMarkEnd = 0;
    for (std::size_t i = 0; i < units.size(); ++i) {
        bytes += kind == ReceiverKind::Movrik ? movrikBytes(units[i]) : 1;
        if (bytes > 255) return lastMarkEnd;
        if (i % 2 == 0) lastMarkEnd = i + 1;
    }
    return units.size();
}

std::vector<std::int32_t> convertRawBlock(ReceiverKind kind, std::span<const std::uint8_t> bytes) {
    std::vector<std::int32_t> out;
    out.reserve(bytes.size());
    std::int32_t carry = 0;
    for (std::uint8_t b : bytes) {
        if (kind == ReceiverKind::Movrik) {
            if (b > kPlainMax) {
                carry = (b - kPlainMax) * kPlainMax;
            } else {
                out.push_back(b + carry);
                carry = 0;
            }
            continue;
        }
        out.push_back(b * unitsPerStep(kind, out.size()));
    }
    return out;
}

std::vector<std::uint8_t> encodeMicros(ReceiverKind kind, const std::vector<std::uint32_t>& micros,
                                       int maxBytes) {
    const auto limit = static_cast<std::size_t>(std::clamp(maxBytes, 0, 255));
    std::vector<std::uint8_t> out;
    std::size_t lastMarkEnd = 0;
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < micros.size(); ++i) {
        bytes.clear();
        appendDuration(kind, i, micros[i], bytes);
        if (out.size() + bytes.size() > limit) {
            out.resize(lastMarkEnd); // keep the block ending with a mark
            return out;
        }
        out.insert(out.end(), bytes.begin(), bytes.end());
        if (i % 2 == 0) lastMarkEnd = out.size();
    }
    return out;
}

} // namespace ravlin
