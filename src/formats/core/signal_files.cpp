#include "formats/core/signal_files.h"

namespace ravlin {

QString signalFormatName(SignalFormat format) {
    switch (format) {
    case SignalFormat::Flipper:
        return QStringLiteral("flipper");
    case SignalFormat::Lircd:
        return QStringLiteral("lircd");
    case SignalFormat::Pronto:
        return QStringLiteral("pronto");
    case SignalFormat::Mode2:
        return QStringLiteral("mode2");
    }
    return {};
}

std::optional<SignalFormat> signalFormatFromName(const QString& name) {
    for (auto format :
         {SignalFormat::Flipper, SignalFormat::Lircd, SignalFormat::Pronto, SignalFormat::Mode2})
        if (signalFormatName(format) == name.trimmed().toLower()) return format;
    return std::nullopt;
}

std::optional<SignalFormat> detectSignalFormat(const QString& text) {
    for (const QString& line : textLines(text.left(4096))) {
        const QString t = line.trimmed();
        if (t.isEmpty() || t.startsWith(QLatin1Char('#'))) continue;
        if (t.startsWith(QLatin1String("pulse ")) || t.startsWith(QLatin1String("space ")))
            return SignalFormat::Mode2;
    }
    return std::nullopt;
}

ReadResult readSignals(const QString& text, SignalFormat format, const SignalReadOptions& options) {
    if (format == SignalFormat::Mode2) return readMode2Text(text, options.gapMicros);
    ReadResult result;
    result.problems.push_back(
        {1, QStringLiteral("the %1 format is not read yet").arg(signalFormatName(format))});
    return result;
}

QString writeSignals(const QVector<Burst>& bursts, SignalFormat format, const QString& remoteName) {
    Q_UNUSED(remoteName);
    if (format == SignalFormat::Mode2) return writeMode2Text(bursts);
    return {};
}

} // namespace ravlin
