#include "capture/ui/bitmap_save.h"

#include "capture/core/oscillogram_save.h"
#include "platform/core/text_file.h"

#include <QBuffer>

namespace ravlin {

bool saveBitmap(Dialogs& dialogs, const QString& appDir, QString& name, const QImage& image) {
    const auto path = chooseBitmapFile(dialogs, appDir, name);
    if (!path) return false;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QString error;
    if (!image.save(&buffer, "BMP") || !TextFileWriter::writeBytes(*path, bytes, &error)) {
        dialogs.beep();
        dialogs.information(QStringLiteral("Не удалось записать файл ") + *path +
                            (error.isEmpty() ? QString() : QStringLiteral("\r\n") + error));
        return false;
    }
    return true;
}

} // namespace ravlin
