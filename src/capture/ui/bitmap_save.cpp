#include "capture/ui/bitmap_save.h"

#include "capture/core/oscillogram_save.h"

namespace ravlin {

bool saveBitmap(Dialogs& dialogs, const QString& appDir, QString& name, const QImage& image) {
    const auto path = chooseBitmapFile(dialogs, appDir, name);
    if (!path) return false;
    if (!image.save(*path, "BMP")) {
        dialogs.information(QStringLiteral("Не удалось записать файл ") + *path);
        return false;
    }
    return true;
}

} // namespace ravlin
