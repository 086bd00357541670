#include "formats/core/read_result.h"

#include <algorithm>

namespace ravlin {

QStringList textLines(const QString& text) {
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return normalised.split(QLatin1Char('\n'));
}

void sortProblems(QVector<Problem>& problems) {
    std::stable_sort(problems.begin(), problems.end(),
                     [](const Problem& a, const Problem& b) { return a.line < b.line; });
}

} // namespace ravlin
