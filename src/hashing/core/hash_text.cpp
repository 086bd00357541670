#include "hashing/core/hash_module.h"
#include "hashing/core/number_text.h"

#include <QStringList>

namespace ravlin {

QString hashText(const HashRecord& record) {
    QString text;
    for (const std::int32_t entry : record.entries)
        text += IntToBaseWidth(entry, 16, 2);
    return text;
}

QString statusText(int code, const HashRecord& record) {
    QStringList groups;
    for (const std::int32_t entry : record.entries)
        groups << IntToBaseWidth(entry, 16, 2);
    return QString::number(code) + QStringLiteral(" - ") + groups.join(u'.');
}

QString ver1Text(const Ver1Code& code) {
    QString text;
    for (int i = 0; i < code.count && i < static_cast<int>(code.values.size()); ++i)
        text += IntToBaseWidth(code.values[static_cast<std::size_t>(i)], 16, 2);
    return text;
}

} // namespace ravlin
