#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <span>
#include <vector>

namespace ravlin {

// The receiver selected in "Тип приёмника": it fixes the driver, the raw-byte conversion and the
// duration unit. The values are the kinds' codes.
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

// Largest duration (in units) each kind's byte format can carry.
std::int32_t maxDurationUnits(ReceiverKind kind);

// Raw receive block bytes 0..count-1 converted into durations by the rule of the kind.
std::vector<std::int32_t> convertRawBlock(ReceiverKind kind, std::span<const std::uint8_t> bytes);

// Text of the status line for a driver status.
QString statusLineText(int status);

} // namespace ravlin
