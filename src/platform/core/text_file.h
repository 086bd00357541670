#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace ravlin {

// Which characters end a line: CR LF, LF or a lone CR (Any); or only CR LF and a bare LF, so a lone
// CR stays inside the line's text (CrLf).
enum class LineEnds { Any, CrLf };

// A text file read whole in cp1251, split into lines as `ends` says.
// Lines are taken by position (1-based); a line past the end reads as empty.
class TextLines {
public:
    TextLines() = default;
    explicit TextLines(QStringList lines) : m_lines(std::move(lines)) {}

    // Reads the file; on failure returns nothing and puts a readable reason into *error.
    static std::optional<TextLines> read(const QString& path, QString* error = nullptr,
                                         LineEnds ends = LineEnds::Any);
    static TextLines fromBytes(const QByteArray& bytes, LineEnds ends = LineEnds::Any);

    QString line(qsizetype number) const;
    qsizetype count() const { return m_lines.size(); }
    const QStringList& lines() const { return m_lines; }

private:
    QStringList m_lines;
};

// Writes files atomically: the bytes go unbuffered to a temporary file beside the target, every
// write and the written size are checked, and only then does the temporary file replace the
// target. Any failure (a full disk, a file-size limit, a read-only folder) cancels: a previous
// file stays byte for byte as it was, and the reason is returned.
class TextFileWriter {
public:
    // Tests set this to make a write fail after the given number of lines (simulating a full disk).
    static inline std::function<bool(qsizetype linesWritten)> failurePoint;

    // The lines in cp1251 with CR LF line ends. Returns true on success; on failure puts a readable
    // reason into *error.
    static bool write(const QString& path, const QStringList& lines, QString* error = nullptr);
    // The bytes as they are (UTF-8 exports, pictures).
    static bool writeBytes(const QString& path, const QByteArray& bytes, QString* error = nullptr);
};

// Whether code page 1251 holds every character of `text` (else it is written with "?").
bool cp1251Holds(const QString& text);

// The rule for completing a chosen file name: unchanged when `extension` occurs in it from its
// second character on (case-sensitive), otherwise name + extension.
QString withExtension(const QString& fileName, const QString& extension);

} // namespace ravlin
