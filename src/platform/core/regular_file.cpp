#include "platform/core/regular_file.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ravlin {

namespace {

void setError(QString* error, const QString& text) {
    if (error) *error = text;
}

QString tooLarge(const QString& name, qint64 maxBytes) {
    return QStringLiteral("Файл \"%1\" слишком велик: больше %2, такого файла этого вида не бывает.")
        .arg(name, sizeText(maxBytes));
}

// Reads at most maxBytes + 1 bytes, so that a larger file shows itself even when its size said less
// (a growing file, or one under /proc that reports no size).
std::optional<QByteArray> readUpTo(QFile& file, const QString& name, qint64 maxBytes, QString* error,
                                   bool* cut) {
    // A pipe (standard input) hands its bytes over in pieces: read until its end or past the limit.
    QByteArray bytes;
    while (bytes.size() <= maxBytes) {
        const QByteArray piece = file.read(maxBytes + 1 - bytes.size());
        if (piece.isEmpty()) break;
        bytes += piece;
    }
    if (file.error() != QFileDevice::NoError) {
        setError(error, QStringLiteral("Ошибка чтения файла \"%1\": %2").arg(name, file.errorString()));
        return std::nullopt;
    }
    if (bytes.size() > maxBytes) {
        if (!cut) {
            setError(error, tooLarge(name, maxBytes));
            return std::nullopt;
        }
        bytes.truncate(maxBytes);
        *cut = true;
    }
    return bytes;
}

// Why `st` is not a regular file, in the words of the readers' messages.
QString notRegular(const QString& path, const struct stat& st) {
    if (S_ISDIR(st.st_mode)) return QStringLiteral("\"%1\" — это папка, а не файл.").arg(path);
    const QString what = S_ISFIFO(st.st_mode)   ? QStringLiteral("канал (FIFO)")
                         : S_ISSOCK(st.st_mode) ? QStringLiteral("сокет")
                                                : QStringLiteral("устройство");
    return QStringLiteral("\"%1\" — не обычный файл (%2).").arg(path, what);
}

} // namespace

bool pathExists(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0;
}

bool isRegularFile(const QString& path, QString* error) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        setError(error,
                 QStringLiteral("Не удаётся прочитать файл \"%1\": %2").arg(path, qt_error_string(errno)));
        return false;
    }
    if (S_ISREG(st.st_mode)) return true;
    setError(error, notRegular(path, st));
    return false;
}

std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes, QString* error, bool* cut) {
    if (cut) *cut = false;
    // What the path names is told before opening: opening a socket fails with a reason that
    // would hide what it is.
    if (!isRegularFile(path, error)) return std::nullopt;
    // O_NONBLOCK: opening a pipe with no writer would otherwise wait for one (and the path may
    // have changed since it was looked at).
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        setError(error,
                 QStringLiteral("Не удаётся прочитать файл \"%1\": %2").arg(path, qt_error_string(errno)));
        return std::nullopt;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        setError(error, notRegular(path, st));
        return std::nullopt;
    }
    if (st.st_size > maxBytes && !cut) {
        ::close(fd);
        setError(error, tooLarge(path, maxBytes));
        return std::nullopt;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        setError(error, QStringLiteral("Не удаётся прочитать файл \"%1\": %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    return readUpTo(file, path, maxBytes, error, cut);
}

std::optional<QByteArray> readBoundedStream(FILE* stream, const QString& name, qint64 maxBytes,
                                            QString* error) {
    QFile file;
    if (!file.open(stream, QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("Не удаётся прочитать \"%1\": %2").arg(name, file.errorString()));
        return std::nullopt;
    }
    return readUpTo(file, name, maxBytes, error, nullptr);
}

std::optional<TextLines> readTextFile(const QString& path, qint64 maxBytes, QString* error, LineEnds ends) {
    const std::optional<QByteArray> bytes = readRegularFile(path, maxBytes, error);
    if (!bytes) return std::nullopt;
    return TextLines::fromBytes(*bytes, ends);
}

QString sizeText(qint64 bytes) {
    if (bytes >= kMiB && bytes % kMiB == 0) return QStringLiteral("%1 МиБ").arg(bytes / kMiB);
    if (bytes >= kKiB && bytes % kKiB == 0) return QStringLiteral("%1 КиБ").arg(bytes / kKiB);
    return QStringLiteral("%1 байт").arg(bytes);
}

} // namespace ravlin
