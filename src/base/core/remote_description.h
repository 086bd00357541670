#pragma once

#include "platform/core/text_file.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace ravlin {

// One clickable rectangle of a remote's picture, in picture units (x 0..100, y 0..700).
struct RemoteZone {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    QString name; // at most 16 characters

    bool contains(int x, int y) const { return x1 <= x && x <= x2 && y1 <= y && y <= y2; }
    bool operator==(const RemoteZone&) const = default;
};

// A remote description file ("A01.txt" ...): the zone count on line 4, then one block of four
// lines per zone from line 8 on ("0010 , 0020", "0030 , 0040", "\\_PW_//", empty), then
// "Конец файла". Numbers sit in fixed columns (1-4 and 8-11) and hold decimal digits only.
namespace RemoteDescription {

inline constexpr int kMaxZones = 100;
// A description of 100 zones is a few KiB.
inline constexpr qint64 kMaxFileBytes = 1024 * 1024;
inline constexpr int kFirstBlockLine = 8;
inline constexpr int kBlockLines = 4;

struct ReadResult {
    std::vector<RemoteZone> zones;
    int announced = 0;         // the count line, or -1 when it is not a number
    int badLine = 0;           // first line whose columns hold no number (0: none); reading stopped there
    bool truncatedEnd = false; // the file ended before the announced blocks
};

ReadResult read(const TextLines& lines);
// The file's lines for `zones` (the count with at least two digits, coordinates with four).
QStringList lines(const std::vector<RemoteZone>& zones);

// A fixed column read as a decimal number: digits only, at least one; -1 otherwise.
int columnNumber(const QString& text);

} // namespace RemoteDescription

} // namespace ravlin
