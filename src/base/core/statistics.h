#pragma once

#include "base/core/button_base.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace ravlin {

// One entry of the statistics table: a distinct key and the list of the records that carry it.
struct StatisticsEntry {
    QString key;
    QString records; // "01,03,120"
};

enum class StatisticsBasis { ButtonName, Hash };

// Distinct keys (button names or hash texts) of records 1..count in order of first appearance.
std::vector<StatisticsEntry> buildStatistics(const ButtonBase& base, StatisticsBasis basis);

// The memo lines: key padded with blanks to 11 (names) or 25 (hashes) characters, never cut,
// then "- " and the record list.
QStringList statisticsLines(const ButtonBase& base, StatisticsBasis basis);

} // namespace ravlin
