#include "formats/core/signal_file_choice.h"

#include "platform/core/cp1251.h"
#include "platform/core/regular_file.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

namespace ravlin {

std::optional<SignalFormat> signalFormatOfExtension(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("ir")) return SignalFormat::Flipper;
    if (suffix == QLatin1String("conf") || suffix == QLatin1String("lircd")) return SignalFormat::Lircd;
    if (suffix == QLatin1String("mode2")) return SignalFormat::Mode2;
    return std::nullopt;
}

std::optional<SignalFormat> signalFormatOfFile(const QString& path, const QString& text) {
    if (const auto byContent = detectSignalFormat(text)) return byContent;
    return signalFormatOfExtension(path);
}

std::optional<QString> readOutsideText(const QString& path, QString* error, qint64 maxBytes) {
    // Only regular files within the limit: a pipe or a device never blocks or floods the reader.
    const std::optional<QByteArray> bytes = readRegularFile(path, maxBytes, error);
    if (!bytes) return std::nullopt;
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(*bytes);
    if (utf8.hasError()) text = decodeCp1251(*bytes);
    return text;
}

QStringList problemLines(const QVector<Problem>& problems, int limit) {
    QStringList lines;
    const int shown = std::min<int>(std::max(limit, 0), static_cast<int>(problems.size()));
    for (int i = 0; i < shown; ++i)
        lines << QStringLiteral("строка %1: %2").arg(problems[i].line).arg(problems[i].russian());
    if (problems.size() > shown) lines << QStringLiteral("…и ещё %1").arg(problems.size() - shown);
    return lines;
}

} // namespace ravlin
