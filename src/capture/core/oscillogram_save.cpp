#include "capture/core/oscillogram_save.h"

#include "platform/core/text_file.h"

#include <QFileInfo>

namespace ravlin {

std::optional<QString> chooseBitmapFile(Dialogs& dialogs, const QString& appDir) {
    const QString chosen = dialogs.saveFileName(
        QStringLiteral("Image File|*.bmp"), appDir + QStringLiteral("/Diagram.bmp"), QStringLiteral(".bmp"));
    if (chosen.isEmpty()) return std::nullopt;
    const QString path = withExtension(chosen, QStringLiteral(".bmp"));
    const QFileInfo info(path);
    if (info.exists() && info.size() > 0) {
        dialogs.beep();
        if (dialogs.askYesNo(kOverwriteQuestion) != Answer::Yes) return std::nullopt;
    }
    return path;
}

} // namespace ravlin
