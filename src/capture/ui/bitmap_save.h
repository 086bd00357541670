#pragma once

#include "platform/core/dialogs.h"

#include <QImage>
#include <QString>

namespace ravlin {

// The shared picture save: asks for the file (".bmp" completion, overwrite question) and writes
// `image` as a Windows bitmap. Returns whether a file was written.
bool saveBitmap(Dialogs& dialogs, const QString& appDir, const QImage& image);

} // namespace ravlin
