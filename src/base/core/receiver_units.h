#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <span>
#include <vector>

namespace ravlin {

// The receiver selected in "Тип приёмника": it fixes the driver, the raw-byte conversion and the
// duration unit. The values are the kinds' codes. Base files, readers of outside formats, the CLI
// and the receivers all take kinds, units and byte formats from this one table.
enum class ReceiverKind { Movrik = 1, USBtiny = 2, IgorPlugUsb = 3, IgorPlugUdp = 4 };

struct ReceiverKindInfo {
    ReceiverKind kind;
    const char* text;
    double unitMs; // one duration unit in milliseconds
    const char* unitLabel;
    bool network; // polled through the network driver
};

namespace ReceiverKinds {

// The four kinds in code order.
std::span<const ReceiverKindInfo> table();
const ReceiverKindInfo& info(ReceiverKind kind);

QString text(ReceiverKind kind);
int code(ReceiverKind kind);
// The kind of a kind text; any other text counts as Movrik.
ReceiverKind fromText(const QString& text);
// Whether the text is one of the four kind texts.
bool isKindText(const QString& text);
double unitMs(ReceiverKind kind);
QString unitLabel(ReceiverKind kind);
// The kind combo box's items in their listed order.
QStringList comboItems();

} // namespace ReceiverKinds

// Movrik bytes: a byte above this is a prefix worth (byte - kMovrikPlainMax) * kMovrikPlainMax added
// to the next plain byte.
inline constexpr std::uint8_t kMovrikPlainMax = 0xF8;

// A duration in nanoseconds (so microseconds with three decimals stay exact) in steps of
// `unitsPerStep` units of the kind, rounded to the nearest step, halves away from zero. Computed in
// integers: the units are decimal fractions of a millisecond that binary floating point cannot hold
// exactly. This is the one rule by which outside durations become units.
std::int64_t nanosToSteps(std::int64_t nanos, ReceiverKind kind, int unitsPerStep);
std::int32_t nanosToUnits(std::int64_t nanos, ReceiverKind kind);
std::int32_t microsToUnits(std::int64_t micros, ReceiverKind kind);

// Units of the kind back into nanoseconds and microseconds, rounded to the nearest, halves away from
// zero, computed in integers as nanosToSteps is.
std::int64_t unitsToNanos(std::int32_t units, ReceiverKind kind);
std::int32_t unitsToMicros(std::int32_t units, ReceiverKind kind);

// Largest duration (in units) each kind's byte format can carry.
std::int32_t maxDurationUnits(ReceiverKind kind);

// Units per byte step of duration `index` (0: the first mark) in a kind's byte format: 1 for Movrik,
// 4 for USBtiny, 8 for the first seven durations of IgorPlug-USB and 4 after, 4 for the first duration
// of IgorPlug-UDP and 2 after.
int unitsPerStep(ReceiverKind kind, std::size_t index);

// A duration as a receiver of `kind` delivers it at position `index` of a burst: rounded by
// nanosToSteps to the step of the byte format there and kept within one step and the largest value
// the format carries there; in units. Every duration from outside (microseconds typed, read from a
// file or from a Linux device) becomes units by this rule, so it hashes as the received signal.
std::int32_t nanosToReceivedUnits(std::int64_t nanos, ReceiverKind kind, std::size_t index);

// How many durations of a burst (units as nanosToReceivedUnits gives them) one receive block of 255
// bytes carries: all of them, or, when they do not fit, those up to the last whole mark that fits.
std::size_t durationsInOneBlock(ReceiverKind kind, std::span<const std::int32_t> units);

// Decoder of the byte formats: raw receive block bytes 0..count-1 converted into durations by the
// rule of the kind.
std::vector<std::int32_t> convertRawBlock(ReceiverKind kind, std::span<const std::uint8_t> bytes);

// Encoder of the byte formats: microsecond durations into the raw block bytes of a kind, so that
// convertRawBlock gives back each duration to the resolution of the format (rounded as nanosToSteps
// does). Durations are clamped to the format's range (at least one step, at most its largest). At
// most `maxBytes` bytes are written; durations that no longer fit are dropped, and the block then
// ends with its last whole mark.
std::vector<std::uint8_t> encodeMicros(ReceiverKind kind, const std::vector<std::uint32_t>& micros,
                                       int maxBytes = 255);

} // namespace ravlin
