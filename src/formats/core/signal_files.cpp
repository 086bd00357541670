#include "formats/core/signal_files.h"

#include "formats/core/signal_format_parts.h"

namespace ravlin {

namespace {

constexpr qsizetype kDetectChars = 64 * 1024; // detection looks at the start of a text only

// Text saved by some editors begins with a byte order mark; it is no part of the first line.
QString withoutByteOrderMark(const QString& text) {
    return text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text;
}

} // namespace

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
    const QStringList lines = textLines(withoutByteOrderMark(text).left(kDetectChars));
    for (const QString& line : lines) {
        const QString t = line.trimmed();
        if (t.isEmpty() || t.startsWith(QLatin1Char('#'))) continue;
        // A Flipper file says what it is on its first line (comments may stand before it).
        if (t.startsWith(QLatin1String("Filetype:"))) return SignalFormat::Flipper;
        break;
    }
    for (const QString& line : lines) {
        const QString t = line.trimmed();
        if (t.isEmpty() || t.startsWith(QLatin1Char('#'))) continue;
        const QStringList words = t.simplified().toLower().split(QLatin1Char(' '));
        if (words.size() >= 2 && words.at(0) == QLatin1String("begin") &&
            words.at(1) == QLatin1String("remote"))
            return SignalFormat::Lircd;
        if (words.at(0) == QLatin1String("pulse") || words.at(0) == QLatin1String("space"))
            return SignalFormat::Mode2;
        if (signalformats::looksLikeProntoLine(t)) return SignalFormat::Pronto;
    }
    return std::nullopt;
}

void appendSignalFrames(const std::vector<std::uint32_t>& micros, const QString& name, int line,
                        std::uint32_t gapMicros, ReadResult& result) {
    // Durations past the cut are only counted, so a huge frame costs no memory.
    std::vector<std::uint32_t> frame;
    std::size_t count = 0;
    const auto finish = [&] {
        if (count % 2 == 0 && count > 0) { // a frame ends with its last mark
            --count;
            if (frame.size() > count) frame.pop_back();
        }
        if (count == 0) return;
        if (count > kBurstMaxDurations) {
            cutLongBurst(frame);
            result.warnings.push_back(
                {line, ProblemKind::FrameCut, {QString::number(count), QString::number(kBurstMaxDurations)}});
        }
        QVector<int> durations;
        durations.reserve(static_cast<qsizetype>(frame.size()));
        for (std::uint32_t us : frame)
            durations.push_back(static_cast<int>(us));
        result.bursts.push_back({durations, name, line});
        frame.clear();
        count = 0;
    };
    for (std::size_t i = 0; i < micros.size(); ++i) {
        if (i % 2 == 1 && micros[i] >= gapMicros) {
            finish();
            continue;
        }
        if (frame.size() <= kBurstMaxDurations) frame.push_back(micros[i]);
        ++count;
    }
    finish();
}

ReadResult readSignals(const QString& file, SignalFormat format, const SignalReadOptions& options) {
    const QString text = withoutByteOrderMark(file);
    switch (format) {
    case SignalFormat::Flipper:
        return signalformats::readFlipper(text, options.gapMicros);
    case SignalFormat::Lircd:
        return signalformats::readLircd(text, options.gapMicros);
    case SignalFormat::Pronto:
        return signalformats::readPronto(text, options.gapMicros);
    case SignalFormat::Mode2:
        break;
    }
    // mode2 text is framed by its own reader; bursts with a zero duration are left out and long
    // ones cut here, as for the other formats.
    const ReadResult mode2 = readMode2Text(text, options.gapMicros);
    ReadResult result;
    result.problems = mode2.problems;
    result.warnings = mode2.warnings;
    for (const Burst& b : mode2.bursts) {
        if (b.durations.contains(0)) {
            result.problems.push_back({b.line, ProblemKind::ZeroDurationBurst});
            continue;
        }
        appendSignalFrames(std::vector<std::uint32_t>(b.durations.begin(), b.durations.end()), b.name, b.line,
                           options.gapMicros, result);
    }
    sortProblems(result.problems);
    return result;
}

QString writeSignals(const QVector<Burst>& bursts, SignalFormat format, const QString& remoteName,
                     const SignalWriteOptions& options) {
    switch (format) {
    case SignalFormat::Flipper:
        return signalformats::writeFlipper(bursts, options.flipperParsed);
    case SignalFormat::Lircd:
        return signalformats::writeLircd(bursts, remoteName);
    case SignalFormat::Pronto:
        return signalformats::writePronto(bursts);
    case SignalFormat::Mode2:
        break;
    }
    return writeMode2Text(bursts);
}

int parsedSignalCount(const QString& flipperText) {
    return static_cast<int>(flipperText.count(QLatin1String("\ntype: parsed\n")));
}

namespace signalformats {

QString shownToken(QStringView token) {
    constexpr qsizetype kShown = 40;
    if (token.size() <= kShown) return quotedToken(token.toString());
    return quotedToken(token.left(kShown).toString()) + QStringLiteral("...");
}

bool appendMicros(QStringView text, std::vector<std::uint32_t>& out, ProblemPart& error) {
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        while (i < n && text[i].isSpace())
            ++i;
        if (i == n) break;
        const qsizetype start = i;
        std::uint64_t value = 0;
        bool digits = true;
        while (i < n && !text[i].isSpace()) {
            const char16_t c = text[i].unicode();
            if (c >= u'0' && c <= u'9') {
                if (value <= kMode2MaxValue) value = value * 10 + (c - u'0');
            } else {
                digits = false;
            }
            ++i;
        }
        const QStringView token = text.mid(start, i - start);
        if (!digits) {
            const bool negative = token.startsWith(u'-') && token.size() > 1;
            error = {negative ? ProblemKind::NotDurationNegative : ProblemKind::NotDuration,
                     {shownToken(token)}};
            return false;
        }
        if (value == 0) {
            error = {ProblemKind::DurationZero, {shownToken(token)}};
            return false;
        }
        if (value > kMode2MaxValue) {
            error = {ProblemKind::MicrosTooLarge, {shownToken(token), QString::number(kMode2MaxValue)}};
            return false;
        }
        out.push_back(static_cast<std::uint32_t>(value));
    }
    return true;
}

QString writtenName(const Burst& burst, qsizetype index) {
    QString name = burst.name;
    for (QChar& c : name)
        if (!c.isPrint()) c = QLatin1Char(' ');
    name = name.trimmed();
    return name.isEmpty() ? QStringLiteral("Signal %1").arg(index + 1) : name;
}

QString joinedDurations(const QVector<int>& durations) {
    QString out;
    out.reserve(durations.size() * 5);
    for (qsizetype i = 0; i < durations.size(); ++i) {
        if (i) out += QLatin1Char(' ');
        out += QString::number(durations.at(i));
    }
    return out;
}

} // namespace signalformats

} // namespace ravlin
