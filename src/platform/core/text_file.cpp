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

bool TextFileWriter::write(const QString& path, const QStringList& lines, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = QStringLiteral("Не удаётся записать файл \"%1\": %2").arg(path, file.errorString());
        return false;
    }
    qsizetype written = 0;
    for (const QString& line : lines) {
        if (failurePoint && failurePoint(written)) {
            file.cancelWriting();
            if (error)
                *error = QStringLiteral("Не удаётся записать файл \"%1\": нет места на диске").arg(path);
            return false;
        }
        QByteArray bytes = encodeCp1251(line);
        bytes.append("\r\n");
        if (file.write(bytes) != bytes.size()) {
            const QString reason = file.errorString();
            file.cancelWriting();
            if (error) *error = QStringLiteral("Не удаётся записать файл \"%1\": %2").arg(path, reason);
            return false;
        }
        ++written;
    }
    if (!file.commit()) {
        if (error)
            *error = QStringLiteral("Не удаётся записать файл \"%1\": %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

QString withExtension(const QString& fileName, const QString& extension) {
    if (fileName.indexOf(extension, 1) >= 1) return fileName;
    return fileName + extension;
}

} // namespace ravlin
