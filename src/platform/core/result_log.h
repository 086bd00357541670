#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

namespace ravlin {

// Lines of a results memo (the " HEX Baza " tab's result log, the test area's memo). `clears`
// counts clear() calls so a view can append only the new lines and rebuild after a clear.
class ResultLog {
public:
    void append(const QString& line) { m_lines.append(line); }
    void append(const QStringList& lines) { m_lines += lines; }
    void clear() {
        m_lines.clear();
        ++m_clears;
    }
    const QStringList& lines() const { return m_lines; }
    std::uint64_t clears() const { return m_clears; }

private:
    QStringList m_lines;
    std::uint64_t m_clears = 0;
};

} // namespace ravlin
