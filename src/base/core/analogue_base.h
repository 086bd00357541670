#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace ravlin {

// The base of known remotes: up to 400 hash texts of at most 34 characters each, read once at
// start from Tarnisk/OpisPl/BazaDannih.baz under the application directory. Read only.
class AnalogueBase {
public:
    static constexpr int kCapacity = 400;
    static constexpr int kEntryLength = 34;
    // 400 keys with their sources and comments stay far below this.
    static constexpr qint64 kFileMaxBytes = 16 * 1024 * 1024;

    // The file under the application directory.
    static QString filePath(const QString& appDir);

    // A key line is longer than 3 characters and starts with neither ";" nor "/".
    static bool isKeyLine(const QString& line);

    enum class LoadResult { Loaded, Missing, ReadError };

    // Empties the base, then fills it from the file. A missing file leaves the base empty and
    // returns Missing; a file that exists but cannot be read returns ReadError with a reason in
    // *error. Reading stops once 400 entries are stored.
    LoadResult load(const QString& path, QString* error = nullptr);
    // Empties the base, then stores the key lines of `lines` in order (at most 400, each cut to 34).
    void loadLines(const QStringList& lines);

    void clear();
    int count() const { return static_cast<int>(m_entries.size()); }
    // Entry 1..count; empty text outside.
    QString entry(int index) const;
    // Index of the first entry equal to `hash` (exact, case-sensitive), 0 if none.
    int indexOf(const QString& hash) const;

private:
    std::vector<QString> m_entries;
};

// The results-memo line that says which folder a missing data file was looked for in.
inline QString lookedInLine(const QString& folder) {
    return QStringLiteral("Искали в папке: ") + folder;
}

} // namespace ravlin
