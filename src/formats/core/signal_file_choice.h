#pragma once

#include "formats/core/read_result.h"
#include "formats/core/signal_files.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace ravlin {

// The format of a remote-control file: told from its content first, else from its extension
// (".ir", ".conf", ".lircd", ".mode2"); nothing when neither says.
std::optional<SignalFormat> signalFormatOfFile(const QString& path, const QString& text);

// The format a file extension names without doubt (".ir", ".conf", ".lircd", ".mode2"; ".txt"
// may be Pronto or mode2 and names none).
std::optional<SignalFormat> signalFormatOfExtension(const QString& path);

// Reads a whole regular text file of outside data of at most `maxBytes`: UTF-8, or cp1251 when the
// bytes are not valid UTF-8. Nothing when it cannot be read, is no regular file or is larger (a
// readable reason in `error`).
std::optional<QString> readOutsideText(const QString& path, QString* error = nullptr,
                                       qint64 maxBytes = 16 * 1024 * 1024);

// How many problem lines the results memo shows for one file before it sums up the rest.
inline constexpr int kProblemLinesShown = 10;

// Lines of the results memo for a file's problems: "строка N: text" for the first `limit`, then
// "…и ещё N" for the rest.
QStringList problemLines(const QVector<Problem>& problems, int limit = kProblemLinesShown);

} // namespace ravlin
