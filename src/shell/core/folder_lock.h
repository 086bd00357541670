#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace ravlin {

// One workbench per working folder: with hardware two copies would poll one receiver and write the
// same files. The lock is a file in the folder, held while the process runs and taken over when the
// process that left it is gone.
class FolderLock {
public:
    static inline const QString kFileName = QStringLiteral(".ravlin.lock");
    static inline const QString kAnotherCopy =
        QStringLiteral("В этой папке уже работает другая копия Ravlin:\r\n%1\r\n"
                       "Вторую копию можно запустить с ключом --force.");

    enum class Result { Locked, HeldByAnother, NotPossible };

    explicit FolderLock(const QString& folder);
    // Tries to take the lock; `NotPossible` where the folder takes no lock file (read-only), in which
    // case the workbench runs unguarded.
    Result acquire();
    // The message for a refused start.
    QString refusal() const;

private:
    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace ravlin
