#include "hashing/core/number_text.h"

namespace ravlin {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

QString digitsOf(std::uint64_t value, int base) {
    char buffer[72];
    int pos = sizeof buffer;
    do {
        buffer[--pos] = kDigits[value % static_cast<unsigned>(base)];
        value /= static_cast<unsigned>(base);
    } while (value != 0);
    return QString::fromLatin1(buffer + pos, static_cast<qsizetype>(sizeof buffer) - pos);
}

} // namespace

QString IntToBase(std::int64_t value, int base) {
    if (base < 2 || base > 16) base = 16;
    const bool negative = value < 0;
    const std::uint64_t magnitude =
        negative ? static_cast<std::uint64_t>(-(value + 1)) + 1u : static_cast<std::uint64_t>(value);
    QString text = digitsOf(magnitude, base);
    if (base == 2 && text.size() < 8) text = QString(8 - text.size(), u'0') + text;
    if (base == 16 && text.at(0) >= u'A') text.prepend(u'0');
    return negative ? QStringLiteral("-") + text : text;
}

QString IntToBaseWidth(std::int64_t value, int base, int width) {
    QString text = IntToBase(value, base);
    if (width < 0) width = 0;
    if (text.size() < width) return QString(width - text.size(), u'0') + text;
    return text.right(width);
}

std::int32_t StrToBase(const QString& text, int base) {
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == u'0')
        ++i;
    std::uint32_t value = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        int digit = -1;
        for (int d = 0; d < 16; ++d)
            if (c == QLatin1Char(kDigits[d])) {
                digit = d;
                break;
            }
        // Unsigned arithmetic wraps like the 32-bit integer of the original routine, without UB.
        value = value * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::int32_t>(value);
}

} // namespace ravlin
