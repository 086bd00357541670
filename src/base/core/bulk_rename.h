#pragma once

#include "base/core/button_base.h"

#include <QString>

namespace ravlin {

// The bulk renaming rules of the test group " Работа с неизвестными ". Each runs over records
// 1..count and writes button names only.
namespace BulkRename {

inline const QString kKnown = QStringLiteral("PW");
inline const QString kUnknown = QStringLiteral("NeUznal");

// "Если ХЭШ<>00... то Name='PW'": "PW" unless the hash text starts with "00", else "NeUznal".
void byNonZeroHash(ButtonBase& base);
// "Если ХЭШ=002F или 0025 то Name='PW'": "PW" when the first four characters of the hash text
// equal `first` or `second`, else "NeUznal".
void byHashStart(ButtonBase& base, const QString& first, const QString& second);
// "Name=key0-key9 от длины": a name from the number of durations the six timing texts hold.
void byLength(ButtonBase& base);
// The name "byLength" gives to timing texts of `totalLength` characters in all.
QString nameForLength(qsizetype totalLength);
// "Переим все кн пульта": records of remote `remoteName` are named "Mode".
void remoteToMode(ButtonBase& base, const QString& remoteName);

} // namespace BulkRename

} // namespace ravlin
