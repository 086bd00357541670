#pragma once

#include "firmware/core/device_hash.h"
#include "firmware/core/hash_variables.h"
#include "firmware/core/output_settings.h"
#include "platform/core/dialogs.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace ravlin {

// What makes one patch unique: creation date and time as the user reads them, and the two
// random numbers of the identifier line.
struct PatchStamp {
    QString date;
    QString time;
    std::uint16_t r1 = 0; // 0..65534
    std::uint16_t r2 = 0;
};

// The address of the site that publishes the program, in the patch header.
inline const QString kPublishingSite = QStringLiteral("ravlin.example.org");

// The patch text: 25 header, variable and button-table lines plus a row per table entry, with the
// CRC-16/ARC of all lines appended to the identifier line. Fills the table's action codes.
QStringList WritePatchText(const HashVariableSet& vars, const OutputSettings& output, DeviceHashTable& table,
                           const QString& remoteName, const PatchStamp& stamp);

// CRC-16/ARC over the cp1251 bytes of every line (line ends not included).
std::uint16_t patchCrc(const QStringList& lines);

// "Save Pach": asks for a file name (completing ".pch"), asks before overwriting a non-empty file,
// and writes the lines atomically in cp1251 with CR LF. Returns whether a file was written.
bool savePatch(Dialogs& dialogs, bool patchReady, const QStringList& lines);

inline const QString kPatchFilter = QStringLiteral("Pach file|*.pch");
inline const QString kPatchDefaultName = QStringLiteral("PachFile.pch");
inline const QString kPatchExtension = QStringLiteral(".pch");
inline const QString kNothingToSavePatch = QStringLiteral("Список пуст - сохранять нечего!!!");
inline const QString kOverwritePatchQuestion =
    QStringLiteral("Файл с таким именем уже существует\r\n       Перезаписать его?");

} // namespace ravlin
