#pragma once

#include "base/core/receiver_units.h"
#include "formats/core/read_result.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace ravlin {

// A capture file: bursts in a receiver's raw byte format, each with its delay since the previous one.
// Text, UTF-8: "#" starts a comment line; "kind: <kind text>" names the byte format of the lines that
// follow; each other line is "<delay ms>: HH HH ...".
struct CapturedBurst {
    std::int64_t delayMs = 0;
    std::vector<std::uint8_t> bytes; // 1..255 bytes
    ReceiverKind kind = ReceiverKind::Movrik;
};

struct CaptureFile {
    std::vector<CapturedBurst> bursts;
    QVector<Problem> problems; // one for each line that was skipped

    // The largest file read: a file beyond it is read up to its last whole line before the limit,
    // with a problem at the line where it was cut.
    static constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

    static CaptureFile parse(const QString& text);
    // Reads a regular file; `ok` false (and the reason in *error) when it cannot be read: missing,
    // a folder, a pipe or device, or a read error.
    static CaptureFile read(const QString& path, bool* ok = nullptr, QString* error = nullptr);
    // The text of a capture file (a header comment, then kind lines where the kind changes).
    static QString format(const std::vector<CapturedBurst>& bursts, const QString& comment = QString());
};

} // namespace ravlin
