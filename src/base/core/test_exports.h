#pragma once

#include "base/core/button_base.h"
#include "base/core/button_record.h"

#include <QString>
#include <QStringList>

#include <array>

namespace ravlin {

// The analyses and exports of the test area. Each gives the lines it writes into the test memo;
// none changes the base.
namespace TestExports {

inline const QString kTooFewRecords = QStringLiteral("Недостаточно данных для анализа");

// Durations of timing texts, three hexadecimal digits each, read as go-to-record reads them.
QList<int> durations(const std::array<QString, kTimingTextCount>& timings);

// "Анализ длинны": range of the packet sizes that lead the hash texts of records 1..count.
QStringList lengthAnalysis(const ButtonBase& base);
// "Анализ бита": ranges of the short and long values of duration `bitNumber` (decimal text, 1 is
// the first) of timing text 1 over records 1..count.
QStringList bitAnalysis(const ButtonBase& base, const QString& bitNumber);
// "Имена - Тест": KeyNamTab 1..64 as source text.
QStringList keyNameTable();
// "Тест": the burst as assembler data lines, after two empty lines and a heading.
QStringList assemblerData(const std::array<QString, kTimingTextCount>& timings);
// "длинн": the burst as a numbered list of marks and spaces in milliseconds.
QStringList durationList(const std::array<QString, kTimingTextCount>& timings);

// One exported record: number + "<<<<" + file name, then the record's nine texts.
QStringList exportedRecord(int number, const QString& fileName, const ButtonRecord& record);
// "Выгрузить кнопки" without its clear-then-open step: the characteristic buttons of records
// 1..count; `fileName` is the opened base file's name without folders.
QStringList characteristicButtons(const ButtonBase& base, const QString& fileName);

} // namespace TestExports

} // namespace ravlin
