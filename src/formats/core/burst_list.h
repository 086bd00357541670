#pragma once

#include "base/core/receiver_units.h"
#include "formats/core/read_result.h"

namespace ravlin {

// A burst list: one burst per line, durations as decimal numbers separated by blanks or commas;
// lines starting with "#" and empty lines are skipped.
struct BurstListOptions {
    // Durations are microseconds (up to three decimals), turned into units of `kind` as its receiver
    // delivers them (nanosToReceivedUnits); otherwise they are whole receiver units.
    bool micros = false;
    ReceiverKind kind = ReceiverKind::Movrik;
};

// Largest value a duration may have in a list.
inline constexpr int kBurstListMaxValue = 0xFFFFFF;

// The bursts of a list in receiver units, each with its line.
ReadResult readBurstList(const QString& text, const BurstListOptions& options = {});
// A list of bursts in units that readBurstList takes back as they stand.
QString writeBurstList(const QVector<Burst>& bursts);

} // namespace ravlin
