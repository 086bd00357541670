#include "shell/core/working_folder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace ravlin {

WorkingFolder chooseWorkingFolder(const WorkingFolderInputs& in) {
    WorkingFolder w;
    const QDir current(in.currentDir);
    if (!in.workdirOption.isEmpty()) {
        w.path = QDir::cleanPath(current.absoluteFilePath(in.workdirOption));
        if (!QFileInfo(w.path).isDir())
            w.error = QStringLiteral("working folder %1 does not exist").arg(w.path);
    } else {
        const QDir bin(in.executableDir);
        const QString shipped = QDir::cleanPath(bin.absoluteFilePath(kInstalledDataFromBin));
        if (QFileInfo(shipped).isDir()) {
            // XDG: a relative $XDG_DATA_HOME is invalid and ignored.
            const QString dataHome = QDir::isAbsolutePath(in.xdgDataHome)
                                         ? in.xdgDataHome
                                         : QDir(in.home).filePath(QStringLiteral(".local/share"));
            w.path = QDir::cleanPath(QDir(dataHome).filePath(QStringLiteral("ravlin")));
            // Installed with the XDG data home as prefix, the shipped data are the folder itself.
            if (w.path != shipped) w.seedFrom = shipped;
            w.guideFile = QDir::cleanPath(bin.absoluteFilePath(kInstalledGuideFromBin));
            return w;
        }
        w.path = QDir::cleanPath(current.absolutePath());
    }
    w.guideFile = QDir(w.path).filePath(QStringLiteral("docs/index.md"));
    return w;
}

QStringList seedWorkingFolder(const QString& folder, const QString& from) {
    QStringList problems;
    if (!QDir().mkpath(folder)) return {QStringLiteral("cannot create working folder %1").arg(folder)};
    const QDir source(from), target(folder);
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString relative = source.relativeFilePath(file);
        const QString copy = target.filePath(relative);
        const QFileInfo there(copy);
        if (there.exists() || there.isSymLink()) continue;
        if (!QDir().mkpath(there.absolutePath()) || !QFile::copy(file, copy)) {
            problems << QStringLiteral("cannot copy %1 to %2").arg(file, copy);
            continue;
        }
        // The shipped files are read-only to the user; the copies are theirs to change.
        QFile::setPermissions(copy,
                              QFile::permissions(copy) | QFileDevice::WriteOwner | QFileDevice::ReadOwner);
    }
    return problems;
}

} // namespace ravlin
