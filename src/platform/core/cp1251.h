#pragma once

#include <QByteArray>
#include <QString>

namespace ravlin {

// Code page 1251 by a fixed table (Qt reaches it only through ICU, which not every build has).
// Bytes without a character (0x98) decode to U+FFFD; characters cp1251 cannot hold encode as '?'.
QString decodeCp1251(const QByteArray& bytes);
QByteArray encodeCp1251(const QString& text);

} // namespace ravlin
