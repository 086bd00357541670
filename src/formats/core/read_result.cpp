#include "formats/core/read_result.h"

#include <algorithm>

namespace ravlin {

QStringList textLines(const QString& text) {
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return normalised.split(QLatin1Char('\n'));
}

QString quotedToken(const QString& token) {
    QString out = QStringLiteral("\"");
    for (QChar c : token) {
        if (c == u'"' || c == u'\\') {
            out += QLatin1Char('\\');
            out += c;
        } else if (c.isPrint())
            out += c;
        else if (c.unicode() < 0x100)
            out += QStringLiteral("\\x") + QString::number(c.unicode(), 16).rightJustified(2, u'0').toUpper();
        else
            out += QStringLiteral("\\u") + QString::number(c.unicode(), 16).rightJustified(4, u'0').toUpper();
    }
    return out + u'"';
}

void sortProblems(QVector<Problem>& problems) {
    std::stable_sort(problems.begin(), problems.end(),
                     [](const Problem& a, const Problem& b) { return a.line < b.line; });
}

} // namespace ravlin
