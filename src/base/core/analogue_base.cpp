#include "base/core/analogue_base.h"

#include "platform/core/regular_file.h"
#include "platform/core/text_file.h"

#include <QFileInfo>

namespace ravlin {

QString AnalogueBase::filePath(const QString& appDir) {
    const QString rel = QStringLiteral("Tarnisk/OpisPl/BazaDannih.baz");
    return appDir.endsWith(u'/') ? appDir + rel : appDir + u'/' + rel;
}

bool AnalogueBase::isKeyLine(const QString& line) {
    return line.size() > 3 && !line.startsWith(u';') && !line.startsWith(u'/');
}

AnalogueBase::LoadResult AnalogueBase::load(const QString& path, QString* error) {
    clear();
    if (!QFileInfo::exists(path)) return LoadResult::Missing;
    const auto lines = readTextFile(path, kFileMaxBytes, error);
    if (!lines) return LoadResult::ReadError;
    loadLines(lines->lines());
    return LoadResult::Loaded;
}

void AnalogueBase::loadLines(const QStringList& lines) {
    clear();
    for (const QString& line : lines) {
        if (count() >= kCapacity) break;
        if (isKeyLine(line)) m_entries.push_back(line.left(kEntryLength));
    }
}

void AnalogueBase::clear() {
    m_entries.clear();
}

QString AnalogueBase::entry(int index) const {
    return index >= 1 && index <= count() ? m_entries[static_cast<std::size_t>(index - 1)] : QString();
}

int AnalogueBase::indexOf(const QString& hash) const {
    for (int i = 0; i < count(); ++i)
        if (m_entries[static_cast<std::size_t>(i)] == hash) return i + 1;
    return 0;
}

} // namespace ravlin
