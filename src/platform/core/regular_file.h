#pragma once

#include "platform/core/text_file.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace ravlin {

inline constexpr qint64 kKiB = 1024;
inline constexpr qint64 kMiB = 1024 * kKiB;

// Reads a regular file whole, at most `maxBytes` bytes, without ever blocking: a folder, a pipe, a
// device (/dev/zero) or a socket is refused with a clear reason, and so is a file larger than
// `maxBytes`, unless `cut` is given: then such a file yields its first `maxBytes` bytes and *cut is
// set. On failure returns nothing and puts a readable reason into *error.
std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes, QString* error = nullptr,
                                          bool* cut = nullptr);

// Whether `path` names a regular file (not a folder, pipe, device or socket), without opening it;
// otherwise the same reason readRegularFile gives goes into *error.
bool isRegularFile(const QString& path, QString* error = nullptr);

// Whether anything exists at `path`: a file, a folder, a pipe, a device or a socket (the readers
// then say what it is), unlike QFileInfo::exists, which does not see pipes and sockets.
bool pathExists(const QString& path);

// A text file read as TextLines::read does, within the limit of its kind (`maxBytes`).
std::optional<TextLines> readTextFile(const QString& path, qint64 maxBytes, QString* error = nullptr,
                                      LineEnds ends = LineEnds::Any);

// At most `maxBytes` bytes of an already open stream (standard input): nothing, with the reason,
// when it holds more.
std::optional<QByteArray> readBoundedStream(FILE* stream, const QString& name, qint64 maxBytes,
                                            QString* error = nullptr);

// A size for messages: "16 МиБ", "512 КиБ", "100 байт".
QString sizeText(qint64 bytes);

} // namespace ravlin
