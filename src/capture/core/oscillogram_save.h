#pragma once

#include "platform/core/dialogs.h"

#include <QString>

#include <optional>

namespace ravlin {

// Asks where to save a picture as a Windows bitmap: the shared dialog, ".bmp" appended unless it
// occurs from the name's second character on, and the overwrite question for an existing non-empty
// file. The dialog proposes `name` ("Diagram.bmp" at first), under `appDir` unless it holds a
// directory; the name chosen replaces it, so every command sharing `name` proposes the last one.
// Returns the path to write, or nothing when the user cancelled or declined.
std::optional<QString> chooseBitmapFile(Dialogs& dialogs, const QString& appDir, QString& name);
// The same with a fresh "Diagram.bmp".
std::optional<QString> chooseBitmapFile(Dialogs& dialogs, const QString& appDir);

// Whether `path` may be written: an existing non-empty file only after a beep and Yes to the
// overwrite question.
bool mayOverwrite(Dialogs& dialogs, const QString& path);

inline const QString kOverwriteQuestion =
    QStringLiteral("Файл с таким именем уже существует\r\n       Перезаписать его?");

} // namespace ravlin
