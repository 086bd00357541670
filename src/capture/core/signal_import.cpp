#include "capture/core/signal_import.h"

#include "base/core/base_editor.h"
#include "base/core/capture_buffer.h"
#include "capture/core/pipeline.h"
#include "formats/core/mode2.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

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
        out.records.push_back(std::move(record));
    }
    out.threshold = panel.threshold;
    return out;
}

int unitsToMicros(std::int32_t units, ReceiverKind kind) {
    // One unit in 1e-8 ms (1e-5 us), as the receiver units count it, so the conversion is exact.
    const std::int64_t unit = std::llround(ReceiverKinds::unitMs(kind) * 1e8);
    const std::int64_t scaled = static_cast<std::int64_t>(units) * unit;
    const std::int64_t micros = scaled >= 0 ? (scaled + 50000) / 100000 : -((-scaled + 50000) / 100000);
    return static_cast<int>(std::clamp<std::int64_t>(micros, INT32_MIN, INT32_MAX));
}

QVector<Burst> exportRecords(std::span<const ButtonRecord> records, ReceiverKind kind, int* skipped) {
    QVector<Burst> bursts;
    int none = 0;
    int number = 0;
    for (const ButtonRecord& record : records) {
        ++number;
        CaptureBuffer buffer;
        BaseEditor::rebuildBuffer(buffer, record.timings);
        if (buffer.count == 0) {
            ++none;
            continue;
        }
        Burst burst;
        burst.name = record.buttonName;
        burst.line = number;
        burst.durations.reserve(buffer.count);
        for (std::int32_t d : buffer.span())
            burst.durations.push_back(unitsToMicros(d, kind));
        bursts.push_back(std::move(burst));
    }
    if (skipped) *skipped = none;
    return bursts;
}

} // namespace ravlin
