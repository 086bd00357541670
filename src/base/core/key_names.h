#pragma once

#include <QString>
#include <QStringList>

namespace ravlin {

// KeyNamTab: the 65 standard button names, indexes 0 ("N/A") to 64 ("Obshaya").
namespace KeyNamTab {

inline constexpr int kCount = 65;
inline constexpr int kUnknown = 0; // "N/A"
inline constexpr int kRepeat = 63; // "Hvost", a repeat (tail) signal
inline constexpr int kLast = 64;   // "Obshaya"

// Name of an index 0..64; empty text for any other index.
QString name(int index);
// Index of a name by exact comparison, or -1 when it is not in the table.
int indexOf(const QString& name);
// All 65 names in index order.
const QStringList& names();

} // namespace KeyNamTab

} // namespace ravlin
