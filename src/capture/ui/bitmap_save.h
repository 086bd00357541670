#pragma once

#include "platform/core/dialogs.h"

#include <QImage>
#include <QString>

namespace ravlin {

// The shared picture save: asks for the file (".bmp" completion, overwrite question; the dialog
// proposes `name` and remembers the choice in it) and writes `image` as a Windows bitmap. Returns
// whether a file was written.
bool saveBitmap(Dialogs& dialogs, const QString& appDir, QString& name, const QImage& image);

} // namespace ravlin
