#include "base/core/remote_description.h"

#include "base/core/button_record.h"

#include <algorithm>

namespace ravlin::RemoteDescription {

namespace {

constexpr int kNumberWidth = 4;
constexpr int kSecondColumn = 7; // the second number starts in column 8
constexpr int kMarkLength = 3;   // "\\_" before the name and "_//" after it
constexpr int kMaxNumber = 9999;

// Both numbers of a coordinate line, or false when either column is not a number.
bool readPair(const QString& line, int& a, int& b) {
    a = columnNumber(line.mid(0, kNumberWidth));
    b = columnNumber(line.mid(kSecondColumn, kNumberWidth));
    return a >= 0 && b >= 0;
}

QString fourDigits(int value) {
    return QString::number(std::clamp(value, 0, kMaxNumber)).rightJustified(kNumberWidth, u'0');
}

} // namespace

int columnNumber(const QString& text) {
    if (text.isEmpty()) return -1;
    int value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9') return -1;
        value = std::min(value * 10 + (c.unicode() - u'0'), 1'000'000);
    }
    return value;
}

ReadResult read(const TextLines& file) {
    ReadResult r;
    const QString countLine = file.line(4).trimmed();
    r.announced = columnNumber(countLine);
    if (r.announced < 0) {
        r.badLine = 4;
        return r;
    }
    const int wanted = std::min(r.announced, kMaxZones);
    for (int k = 0; k < wanted; ++k) {
        const int first = kFirstBlockLine + kBlockLines * k;
        if (first > file.count()) {
            r.truncatedEnd = true;
            break;
        }
        RemoteZone z;
        if (!readPair(file.line(first), z.x1, z.y1)) {
            r.badLine = first;
            break;
        }
        if (!readPair(file.line(first + 1), z.x2, z.y2)) {
            r.badLine = first + 1;
            break;
        }
        const QString nameLine = file.line(first + 2);
        z.name =
            cutName(nameLine.mid(kMarkLength, std::max<qsizetype>(0, nameLine.size() - 2 * kMarkLength)));
        r.zones.push_back(std::move(z));
    }
    return r;
}

QStringList lines(const std::vector<RemoteZone>& zones) {
    QStringList out{QStringLiteral("; Файл описания кнопок пульта"),
                    QString(),
                    QStringLiteral("; Всего кнопок"),
                    QString::number(zones.size()).rightJustified(2, u'0'),
                    QString(),
                    QStringLiteral("; ХУ, ХУ и имя кнопок"),
                    QString()};
    for (const RemoteZone& z : zones) {
        out << fourDigits(z.x1) + QStringLiteral(" , ") + fourDigits(z.y1);
        out << fourDigits(z.x2) + QStringLiteral(" , ") + fourDigits(z.y2);
        out << QStringLiteral("\\\\_") + z.name + QStringLiteral("_//");
        out << QString();
    }
    out << QStringLiteral("Конец файла");
    return out;
}

} // namespace ravlin::RemoteDescription
