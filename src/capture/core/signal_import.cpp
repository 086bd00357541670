#include "capture/core/signal_import.h"

#include "base/core/base_editor.h"
#include "base/core/capture_buffer.h"
#include "base/core/cut_burst.h"
#include "capture/core/pipeline.h"
#include "formats/core/mode2.h"

#include <QFileInfo>

#include <algorithm>

namespace ravlin {

std::vector<std::int32_t> burstUnits(std::span<const int> micros, ReceiverKind kind) {
    std::vector<std::int32_t> units;
    units.reserve(micros.size());
    for (int us : micros)
        units.push_back(nanosToReceivedUnits(static_cast<std::int64_t>(us) * 1000, kind, units.size()));
    units.resize(durationsInOneBlock(kind, units));
    return units;
}

QString importedButtonName(const QString& name) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty()) return kNotAvailable;
    const QString entry = BaseEditor::matchingKeyName(trimmed);
    return cutName(entry.isEmpty() ? trimmed : entry);
}

QString remoteNameFromPath(const QString& path) {
    const QFileInfo info(path);
    QString name = info.completeBaseName();
    if (name.isEmpty()) name = info.fileName();
    return cutName(name);
}

QString cutSignalLine(const QString& file, const CutSignal& cut) {
    return QStringLiteral("Файл %1, строка %2, сигнал \"%3\": посылка из %4 длительностей, в тайминги записи "
                          "вошли первые %5")
        .arg(file)
        .arg(cut.line)
        .arg(cut.name)
        .arg(cut.durations)
        .arg(cut.kept);
}

SignalImport importBursts(const QVector<Burst>& bursts, const QString& remoteName,
                          const SignalImportSettings& settings, int room) {
    SignalImport out;
    HashPanelSettings panel = settings.panel;
    DurationHistogram histogram;
    const int limit = std::max(room, 0);
    for (const Burst& burst : bursts) {
        if (burst.durations.isEmpty()) continue;
        if (static_cast<int>(out.records.size()) >= limit) {
            ++out.leftOut;
            continue;
        }
        const std::vector<std::int32_t> units = burstUnits(
            std::span<const int>(burst.durations.constData(), burst.durations.size()), settings.kind);
        const RunOutcome run = computeHash(units, panel, settings.decoder, &histogram);
        writeBackThreshold(panel, run.threshold);
        ButtonRecord record;
        record.remoteName = cutName(remoteName);
        record.buttonName = importedButtonName(burst.name);
        record.hash = run.selection;
        record.timings = timingTextsOf(units);
        if (units.size() > static_cast<std::size_t>(kTimingTextsMaxDurations))
            out.cut.push_back(
                {burst.name, burst.line, static_cast<int>(units.size()), kTimingTextsMaxDurations});
        out.records.push_back(std::move(record));
    }
    out.threshold = panel.threshold;
    return out;
}

QVector<Burst> exportRecords(std::span<const ButtonRecord> records, ReceiverKind kind,
                             ExportLeftOut* leftOut) {
    QVector<Burst> bursts;
    ExportLeftOut left;
    int number = 0;
    for (const ButtonRecord& record : records) {
        ++number;
        CaptureBuffer buffer;
        BaseEditor::rebuildBuffer(buffer, record.timings);
        const std::span<const std::int32_t> units = buffer.span();
        if (!timingTextsReadable(record.timings) ||
            std::any_of(units.begin(), units.end(), [](std::int32_t d) { return d <= 0; })) {
            left.unreadable << number;
            continue;
        }
        if (buffer.count == 0) {
            ++left.withoutTimings;
            continue;
        }
        Burst burst;
        burst.name = record.buttonName;
        burst.line = number;
        // A signal ends on a mark; an even count means the texts stopped after a space.
        const std::size_t marksEnd = units.size() - (units.size() % 2 == 0 ? 1 : 0);
        burst.durations.reserve(static_cast<qsizetype>(marksEnd));
        for (std::size_t i = 0; i < marksEnd; ++i)
            burst.durations.push_back(unitsToMicros(units[i], kind));
        bursts.push_back(std::move(burst));
    }
    if (leftOut) *leftOut = left;
    return bursts;
}

QString unreadableTimingsLine(int record) {
    return QStringLiteral("Запись %1: в текстах таймингов знаки, которые не являются шестнадцатеричными "
                          "цифрами, или длительность 0 - сигнал не записан")
        .arg(record);
}

} // namespace ravlin
