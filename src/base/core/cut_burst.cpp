#include "base/core/cut_burst.h"

#include <QStringList>

namespace ravlin {

int timingTextDurations(const std::array<QString, kTimingTextCount>& timings) {
    qsizetype n = 0;
    for (const QString& t : timings)
        n += (t.size() + 1) / 3;
    return static_cast<int>(n);
}

QString cutBurstStoredLine(int index, int burstCount, const std::array<QString, kTimingTextCount>& timings) {
    const int kept = timingTextDurations(timings);
    if (burstCount <= kept || kept != kTimingTextsMaxDurations) return {};
    return QStringLiteral("Запись %1: посылка из %2 длительностей, в тайминги записи вошли первые %3")
        .arg(index)
        .arg(burstCount)
        .arg(kept);
}

QList<int> recordsOfCutBursts(const ButtonBase& base) {
    QList<int> out;
    for (int i = 1; i <= base.count(); ++i)
        if (timingTextDurations(base.record(i).timings) == kTimingTextsMaxDurations) out << i;
    return out;
}

QString cutBurstRescanLine(const ButtonBase& base) {
    const QList<int> records = recordsOfCutBursts(base);
    if (records.isEmpty()) return {};
    QStringList numbers;
    for (int i : records)
        numbers << QString::number(i);
    return QStringLiteral("ХЭШ взят из обрезанной посылки (первые %1 длительностей) у записей: %2")
        .arg(kTimingTextsMaxDurations)
        .arg(numbers.join(QStringLiteral(", ")));
}

} // namespace ravlin
