#pragma once

#include "base/core/button_base.h"
#include "platform/core/text_file.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace ravlin {

// The settings a base file carries, gathered from and applied to the windows that own them by
// the workbench. Defaults are the controls' defaults.
struct BaseFileSettings {
    QString receiverKind = QStringLiteral("Movrik"); // receiver selection box
    bool skipRepeats = true;                  // "Не добавлять сигналы повтора"
    bool repeatsFiveBytes = false;            // "В 5 байт" (else "В 3 байта")
    bool autoThreshold = true;                // "Включить Автоподбор"
    bool hash1bit = true;                     // "ХЭШ (Ver 3 mini - 1bit)"
    bool autoZoom = true;                     // "Автозумм" (else "Ручной зумм")
    QString threshold = QStringLiteral("3B"); // "Порог"
    QString minPaint = QStringLiteral("04"); // "Меньше этого значения не красить"
    QString matchTarget = QStringLiteral("5"); // "В качестве заданной выберем" (match window)
    int manualZoom = 14;                       // manual zoom slider, 4..66
    // "Доверить первоначальный выбор автоматике" of the fitting window; Open ticks it.
    bool fittingAutoChoice = true;

    static constexpr int kZoomMin = 4;
    static constexpr int kZoomMax = 66;

    bool operator==(const BaseFileSettings&) const = default;
};

// A base file of 750 records takes well under 1 MiB; a larger file is no base file.
inline constexpr qint64 kBaseFileMaxBytes = 16 * 1024 * 1024;

enum class BaseFileFormat { SixLine, FourLine };

// Line 25 decides: exactly "2" means the older 4-line record format.
BaseFileFormat detectBaseFileFormat(const TextLines& lines);

// A decimal number as the record-number box is read: leading blanks, an optional sign, then the
// leading digits (none gives 0). Saturates instead of overflowing.
std::int64_t leadingNumber(const QString& text);

// A decimal number as the count line and S10 are read: an optional sign, then the leading digits;
// anything else first (a blank, a tab) gives 0. Saturates instead of overflowing.
std::int64_t leadingDigits(const QString& text);

// Applies the 12 lines of a settings block (s[0] = S1 ... s[11] = S12) onto `settings`.
void applySettingsBlock(const QStringList& block, BaseFileSettings& settings);

// The manual zoom slider position for S10: scaled by 2.9 for the older kind of file (S1 "True" or
// "False"), rounded half to even, kept within 4..66.
int zoomFromSettingsLine(std::int64_t value, bool olderKind);

// What reading a file's records gave.
struct BaseFileLoad {
    BaseFileFormat format = BaseFileFormat::SixLine;
    bool hasSettings = true;
    int loaded = 0; // records appended
    // Records the count line announced beyond the 750-record base, in decimal, exact for a count of
    // any length; empty when none.
    QString leftOut;
};

// Whether `lines` are a base file, told before anything is read from them: no control characters
// but tab (and a carriage return inside a line), the marker "В этом пульте кнопок" where the layout
// puts it (after the settings block, or as the header of a file without one; with or without the
// version line; 6-line and 4-line files alike) and a count line beginning with a digit.
bool isBaseFile(const TextLines& lines);

// The records of `base` whose timing texts do not read (timingTextsReadable), by number.
QList<int> recordsWithUnreadableTimings(const ButtonBase& base);

// Reads the header, the settings block (into `settings`) and the records of `lines`, appending
// the records to `base` up to its capacity. Missing lines read as empty.
BaseFileLoad readBaseFile(const TextLines& lines, ButtonBase& base, BaseFileSettings& settings);

// Marks every record whose button name and six timing texts equal an earlier record's
// (hash text := "?"); remote names and hashes are not compared.
void markLoadDuplicates(ButtonBase& base);

// The file as Save writes it (6-line records). When timing text 5 of record 1 is "2" the version
// line is left out, so that line 25 does not read "2"; only a record 1 whose timing texts 5 and 6
// are both "2" gives lines that would read as the 4-line format (see sixLineFileReadsBack).
QStringList baseFileLines(const ButtonBase& base, const BaseFileSettings& settings);

// A value as baseFileLines writes it: a line feed and every other control character but tab and
// carriage return become blanks, so that the file keeps its lines and reads as a base file.
QString baseFileValue(QString value);

// Whether `lines` written by baseFileLines read back as the 6-line format they are.
bool sixLineFileReadsBack(const QStringList& lines);

// The save name proposed from the remote-name box: characters outside the allowed set and
// . , : ; / \ blank { } [ ] ( ) become "_", then ".txt".
QString proposedSaveName(const QString& remoteName);

} // namespace ravlin
