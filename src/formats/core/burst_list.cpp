#include "formats/core/burst_list.h"

#include <QRegularExpression>

#include <optional>

namespace ravlin {

namespace {

// A decimal number of a list, in thousandths ("562.5" is 562500), or nothing.
std::optional<std::int64_t> readThousandths(const QString& token) {
    static const QRegularExpression re(QStringLiteral("^([0-9]{1,9})(?:\\.([0-9]{1,3}))?$"));
    const QRegularExpressionMatch m = re.match(token);
    if (!m.hasMatch()) return std::nullopt;
    const std::int64_t whole = m.captured(1).toLongLong();
    const std::int64_t fraction = m.captured(2).leftJustified(3, QLatin1Char('0')).toLongLong();
    return whole * 1000 + fraction;
}

// A number whose whole part has ten or more significant digits: too large for any duration.
bool isLongNumber(const QString& token) {
    static const QRegularExpression re(QStringLiteral("^0*[1-9][0-9]{9,}(?:\\.[0-9]+)?$"));
    return re.match(token).hasMatch();
}

} // namespace

ReadResult readBurstList(const QString& text, const BurstListOptions& options) {
    static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
    ReadResult result;
    const QStringList lines = textLines(text);
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        Burst burst;
        burst.line = i + 1;
        std::optional<ProblemPart> error;
        for (const QString& token : line.split(separators, Qt::SkipEmptyParts)) {
            const auto thousandths = readThousandths(token);
            const bool fractionOk = !token.contains(QLatin1Char('.')) || options.micros;
            if (fractionOk && ((!thousandths && isLongNumber(token)) ||
                               (thousandths && *thousandths > std::int64_t(kBurstListMaxValue) * 1000))) {
                error = ProblemPart{ProblemKind::ListTooLarge,
                                    {quotedToken(token), QString::number(kBurstListMaxValue)}};
                break;
            }
            if (!thousandths || !fractionOk) {
                error = ProblemPart{options.micros ? ProblemKind::ListNotMicros : ProblemKind::ListNotUnits,
                                    {quotedToken(token)}};
                break;
            }
            burst.durations.push_back(
                options.micros
                    ? nanosToReceivedUnits(*thousandths, options.kind, std::size_t(burst.durations.size()))
                    : static_cast<int>(*thousandths / 1000));
        }
        // Separators alone ("," or ", ,") are no burst: an empty one would reach the capture buffer.
        if (!error && burst.durations.isEmpty()) error = ProblemPart{ProblemKind::ListNoDuration, {}};
        if (!error)
            result.bursts.push_back(std::move(burst));
        else
            result.problems.push_back({burst.line, *error});
    }
    return result;
}

QString writeBurstList(const QVector<Burst>& bursts) {
    QString out;
    for (const Burst& b : bursts) {
        QStringList numbers;
        numbers.reserve(b.durations.size());
        for (int d : b.durations)
            numbers << QString::number(d);
        out += numbers.join(QLatin1Char(' ')) + QLatin1Char('\n');
    }
    return out;
}

} // namespace ravlin
