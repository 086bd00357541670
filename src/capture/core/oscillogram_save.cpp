#include "capture/core/oscillogram_save.h"

#include "platform/core/text_file.h"

#include <QFileInfo>

namespace ravlin {

std::optional<QString> chooseBitmapFile(Dialogs& dialogs, const QString& appDir, QString& name) {
    if (name.isEmpty()) name = QStringLiteral("Diagram.bmp");
    const bool hasDir = name.contains(u'/') || name.contains(u'\\');
    const QString proposal = hasDir ? name : appDir + u'/' + name;
    const QString chosen =
        dialogs.saveFileName(QStringLiteral("Image File|*.bmp"), proposal, QStringLiteral(".bmp"));
    if (chosen.isEmpty()) return std::nullopt;
    const QString path = withExtension(chosen, QStringLiteral(".bmp"));
    name = path;
    if (!mayOverwrite(dialogs, path)) return std::nullopt;
    return path;
}

bool mayOverwrite(Dialogs& dialogs, const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || info.size() == 0) return true;
    dialogs.beep();
    return dialogs.askYesNo(kOverwriteQuestion) == Answer::Yes;
}

std::optional<QString> chooseBitmapFile(Dialogs& dialogs, const QString& appDir) {
    QString name;
    return chooseBitmapFile(dialogs, appDir, name);
}

} // namespace ravlin
