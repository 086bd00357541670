#include "shell/core/folder_lock.h"

#include <QDir>

namespace ravlin {

FolderLock::FolderLock(const QString& folder)
    : m_folder(folder), m_lock(std::make_unique<QLockFile>(QDir(folder).filePath(kFileName))) {
    // A running workbench never goes stale by age; a lock left by a process that ended is taken over.
    m_lock->setStaleLockTime(0);
}

FolderLock::Result FolderLock::acquire() {
    if (m_lock->isLocked() || m_lock->tryLock(0)) return Result::Locked;
    return m_lock->error() == QLockFile::LockFailedError ? Result::HeldByAnother : Result::NotPossible;
}

QString FolderLock::refusal() const {
    return kAnotherCopy.arg(QDir::toNativeSeparators(m_folder));
}

} // namespace ravlin
