#include "formats/core/capture_file.h"

#include "platform/core/regular_file.h"

namespace ravlin {

namespace {

constexpr std::int64_t kMaxDelayMs = 24LL * 3600 * 1000;

bool parseBurstLine(const QString& line, ReceiverKind kind, CapturedBurst& burst, ProblemPart& problem) {
    const qsizetype colon = line.indexOf(QLatin1Char(':'));
    bool ok = false;
    const qint64 delay = line.left(colon).trimmed().toLongLong(&ok);
    if (colon < 0 || !ok || delay < 0 || delay > kMaxDelayMs) {
        problem = {ProblemKind::CaptureBadDelay, {}};
        return false;
    }
    const QStringList hex = line.mid(colon + 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (hex.isEmpty() || hex.size() > 255) {
        problem = {ProblemKind::CaptureByteCount, {}};
        return false;
    }
    burst = CapturedBurst{delay, {}, kind};
    for (const QString& h : hex) {
        const uint v = h.toUInt(&ok, 16);
        if (!ok || h.size() > 2 || v > 0xFF) {
            problem = {ProblemKind::CaptureBadByte, {h.left(8)}};
            return false;
        }
        burst.bytes.push_back(static_cast<std::uint8_t>(v));
    }
    return true;
}

} // namespace

CaptureFile CaptureFile::parse(const QString& text) {
    CaptureFile file;
    ReceiverKind kind = ReceiverKind::Movrik;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        if (line.startsWith(QLatin1String("kind:"))) {
            const QString k = line.mid(5).trimmed();
            if (ReceiverKinds::isKindText(k))
                kind = ReceiverKinds::fromText(k);
            else
                file.problems.push_back({static_cast<int>(i + 1), ProblemKind::CaptureUnknownKind});
            continue;
        }
        CapturedBurst burst;
        ProblemPart problem{};
        if (parseBurstLine(line, kind, burst, problem))
            file.bursts.push_back(std::move(burst));
        else
            file.problems.push_back({static_cast<int>(i + 1), problem});
    }
    return file;
}

CaptureFile CaptureFile::read(const QString& path, bool* ok, QString* error) {
    bool cut = false;
    std::optional<QByteArray> bytes = readRegularFile(path, kMaxFileBytes, error, &cut);
    if (ok) *ok = bytes.has_value();
    if (!bytes) return {};
    int cutLine = 0;
    if (cut) {
        // Only whole lines are read: the line the limit falls in is left out with the rest.
        bytes->truncate(bytes->lastIndexOf('\n') + 1);
        cutLine = static_cast<int>(bytes->count('\n')) + 1;
    }
    CaptureFile file = parse(QString::fromUtf8(*bytes));
    if (cut)
        file.problems.push_back(
            {cutLine, ProblemKind::FileTooLarge, {QString::number(kMaxFileBytes / kMiB)}});
    return file;
}

QString CaptureFile::format(const std::vector<CapturedBurst>& bursts, const QString& comment) {
    QString out;
    for (const QString& c : comment.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        out += QStringLiteral("# ") + c + QLatin1Char('\n');
    bool first = true;
    ReceiverKind kind = ReceiverKind::Movrik;
    for (const auto& b : bursts) {
        if (first || b.kind != kind) {
            kind = b.kind;
            out += QStringLiteral("kind: ") + ReceiverKinds::text(kind) + QLatin1Char('\n');
            first = false;
        }
        out += QString::number(b.delayMs) + QLatin1Char(':');
        for (std::uint8_t v : b.bytes)
            out += QLatin1Char(' ') + QString::number(v, 16).rightJustified(2, QLatin1Char('0')).toUpper();
        out += QLatin1Char('\n');
    }
    return out;
}

} // namespace ravlin
