#include "platform/core/text_file.h"

#include "platform/core/cp1251.h"
#include "platform/core/regular_file.h"

#include <QSaveFile>

namespace ravlin {

std::optional<TextLines> TextLines::read(const QString& path, QString* error, LineEnds ends) {
    // A text file of a kind without a limit of its own (the readers name theirs: readTextFile).
    return readTextFile(path, 16 * kMiB, error, ends);
}

TextLines TextLines::fromBytes(const QByteArray& bytes, LineEnds ends) {
    QStringList lines;
    const QString text = decodeCp1251(bytes);
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        const bool crLf = c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n';
        if (c == u'\n' || crLf || (c == u'\r' && ends == LineEnds::Any)) {
            lines.append(text.mid(start, i - start));
            if (crLf) ++i;
            start = i + 1;
        }
    }
    if (start < n) lines.append(text.mid(start));
    return TextLines(std::move(lines));
}

QString TextLines::line(qsizetype number) const {
    if (number < 1 || number > m_lines.size()) return QString();
    return m_lines.at(number - 1);
}

namespace {

QString writeError(const QString& path, const QString& reason) {
    return QStringLiteral("Не удаётся записать файл \"%1\": %2").arg(path, reason);
}

} // namespace

bool TextFileWriter::write(const QString& path, const QStringList& lines, QString* error) {
    QByteArray bytes;
    qsizetype written = 0;
    for (const QString& line : lines) {
        if (failurePoint && failurePoint(written)) {
            if (error) *error = writeError(path, QStringLiteral("нет места на диске"));
            return false;
        }
        bytes += encodeCp1251(line);
        bytes += "\r\n";
        ++written;
    }
    return writeBytes(path, bytes, error);
}

bool TextFileWriter::writeBytes(const QString& path, const QByteArray& bytes, QString* error) {
    const auto fail = [&](QSaveFile& file, const QString& reason) {
        file.cancelWriting();
        if (error) *error = writeError(path, reason);
        return false;
    };
    QSaveFile file(path);
    // Unbuffered: every write reaches the system at once and its failure is seen here, not lost
    // in a flush inside commit() that would still rename a cut file over the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return fail(file, file.errorString());
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) return fail(file, file.errorString());
        done += n;
    }
    if (file.error() != QFileDevice::NoError) return fail(file, file.errorString());
    if (file.size() != bytes.size())
        return fail(file, QStringLiteral("записано %1 байт из %2").arg(file.size()).arg(bytes.size()));
    if (!file.commit()) {
        if (error) *error = writeError(path, file.errorString());
        return false;
    }
    return true;
}

bool cp1251Holds(const QString& text) {
    const QByteArray bytes = encodeCp1251(text);
    // Every character that cp1251 lacks becomes '?'; a '?' of the text itself stays one.
    qsizetype questionMarks = 0;
    for (const QChar c : text)
        if (c == u'?') ++questionMarks;
    return bytes.count('?') == questionMarks;
}

QString withExtension(const QString& fileName, const QString& extension) {
    if (fileName.indexOf(extension, 1) >= 1) return fileName;
    return fileName + extension;
}

} // namespace ravlin
