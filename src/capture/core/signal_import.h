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

// A burst longer than the timing texts of a record hold (kTimingTextsMaxDurations).
struct CutSignal {
    QString name;      // the signal's name as its file gives it
    int line = 0;      // where it starts in its file
    int durations = 0; // of the burst
    int kept = 0;      // in the record's timing texts
};

// The results-memo line for a signal of file `file` that `cut` describes.
QString cutSignalLine(const QString& file, const CutSignal& cut);

// What an import produced.
struct SignalImport {
    std::vector<ButtonRecord> records; // in the order of the bursts
    int leftOut = 0;                   // bursts that did not fit in the room given
    QVector<CutSignal> cut;            // records that keep only the first part of their burst
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

// What export left out, besides the bursts it gives.
struct ExportLeftOut {
    int withoutTimings = 0; // hash-only records (answers the receiver computed itself)
    // Numbers (1-based positions) of records whose timing texts hold a character that is no
    // hexadecimal digit or a duration of 0: no signal can be written from them.
    QList<int> unreadable;
};

// Turns records into bursts of microseconds for export: durations read from the timing texts (three
// hex digits each, in units of `kind`), name = the button name, line = the record's number (1-based
// position in `records`). Every signal ends on a mark: a last space (a record holding the first 198
// durations of a longer burst) is dropped, as remote files expect. Records without timings and
// records whose texts give no usable durations give no burst and are counted in *leftOut.
QVector<Burst> exportRecords(std::span<const ButtonRecord> records, ReceiverKind kind,
                             ExportLeftOut* leftOut = nullptr);

// The problem line for a record export left out as unreadable (ExportLeftOut::unreadable).
QString unreadableTimingsLine(int record);

} // namespace ravlin
