#include "base/core/statistics.h"

#include <QHash>

namespace ravlin {

std::vector<StatisticsEntry> buildStatistics(const ButtonBase& base, StatisticsBasis basis) {
    std::vector<StatisticsEntry> entries;
    QHash<QString, std::size_t> where;
    for (int r = 1; r <= base.count(); ++r) {
        const ButtonRecord& rec = base.record(r);
        const QString& key = basis == StatisticsBasis::ButtonName ? rec.buttonName : rec.hash;
        auto it = where.constFind(key);
        std::size_t e;
        if (it == where.constEnd()) {
            e = entries.size();
            where.insert(key, e);
            entries.push_back({key, QString()});
        } else {
            e = *it;
        }
        QString& list = entries[e].records;
        if (!list.isEmpty()) list += u',';
        list += QString::number(r).rightJustified(2, u'0');
    }
    return entries;
}

QStringList statisticsLines(const ButtonBase& base, StatisticsBasis basis) {
    const int width = basis == StatisticsBasis::ButtonName ? 11 : 25;
    QStringList lines;
    for (const StatisticsEntry& e : buildStatistics(base, basis))
        lines << e.key.leftJustified(width, u' ') + QStringLiteral("- ") + e.records;
    return lines;
}

} // namespace ravlin
