#pragma once

#include "base/core/button_base.h"
#include "base/core/button_record.h"
#include "base/core/receiver_units.h"
#include "formats/core/read_result.h"
#include "hashing/core/panel_settings.h"

#include <QString>
#include <QVector>

#include <cstdint>
#include <span>
#include <vector>

namespace ravlin {

// Signals from remote-control files become base records here, as if each had been received in
// turn, and base records become signals again for export. Shared by the workbench's import and
// export and by ravlin-cli.

// The configuration an import hashes with: the receiver kind whose units the records hold, and the
// processing settings of the hash-modules panel and the decoder tab.
struct SignalImportSettings {
    ReceiverKind kind = ReceiverKind::Movrik;
    HashPanelSettings panel;
    DecoderSettings decoder;
};

// What an import produced.
struct SignalImport {
    std::vector<ButtonRecord> records; // in the order of the bursts
    int leftOut = 0;                   // bursts that did not fit in the room given
    // "Порог" after the last burst: with "Включить Автоподбор" each run writes its threshold back,
    // as successive receptions do. Equal to the starting text when nothing was hashed.
    QString threshold;
};

// Durations of microseconds in a kind's units, as a receiver of the kind delivers the burst: each in
// the steps of the kind's byte format and within what it carries (nanosToReceivedUnits), so the
// timing texts hold three hex digits per duration; a burst that does not fit one receive block (255
// durations, or 255 bytes of Movrik) is cut after its last whole mark that fits.
std::vector<std::int32_t> burstUnits(std::span<const int> micros, ReceiverKind kind);

// A button name as the button-name box normalises a typed name: a name equal to a KeyNamTab entry
// once reduced to the allowed characters with Latin letters upper case ("pw" -> "PW", "vol+" ->
// "VOL+") takes the table's spelling; any other name ("Power") stays as it is, blanks trimmed. An
// empty name gives "N/A". The result is cut to 16 characters.
QString importedButtonName(const QString& name);

// The remote name of a file: its base name without the last extension ("tv/LG_TV.ir" -> "LG_TV"),
// cut to 16 characters.
QString remoteNameFromPath(const QString& path);

// Turns bursts of microseconds (with their names) into records of remote `remoteName`: units of
// `settings.kind` (burstUnits), timing texts as a received burst's, button name normalised
// (importedButtonName), hash text by one processing run with `settings` (the selection; "N/A" when
// the configuration gives no hash). Bursts without durations are skipped. At most `room` records
// are made (the base's free places; 750 for an empty base); the bursts beyond count in `leftOut`.
SignalImport importBursts(const QVector<Burst>& bursts, const QString& remoteName,
                          const SignalImportSettings& settings, int room = ButtonBase::kCapacity);

// A duration in units of `kind` as whole microseconds, rounded to the nearest (halves up).
int unitsToMicros(std::int32_t units, ReceiverKind kind);

// Turns records into bursts of microseconds for export: durations read from the timing texts (three
// hex digits each, in units of `kind`), name = the button name, line = the record's number (1-based
// position in `records`). Records without timings (hash-only records) give no burst and count in
// *skipped.
QVector<Burst> exportRecords(std::span<const ButtonRecord> records, ReceiverKind kind,
                             int* skipped = nullptr);

} // namespace ravlin
