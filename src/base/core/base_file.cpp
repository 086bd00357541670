#include "base/core/base_file.h"

#include "base/core/capture_buffer.h"
#include "base/core/receiver_units.h"
#include "platform/core/rounding.h"

#include <QSet>

#include <algorithm>
#include <array>
#include <limits>

namespace ravlin {

namespace {

const QString kVersionLine = QStringLiteral("ver 1.1E");
const QString kSystemLine = QStringLiteral("Состояние системы");
const QString kCountMarker = QStringLiteral("В этом пульте кнопок");
const QString kRecordsMarker = QStringLiteral("Ну сами кнопки");
const QString kClosingLine = QStringLiteral("Конец файла");
const QString kTrue = QStringLiteral("True");
const QString kFalse = QStringLiteral("False");
const QString kFourLineMark = QStringLiteral("2"); // line 25 of a 4-line file

constexpr int kSettingsLines = 12;
constexpr std::int64_t kNumberLimit = 1'000'000'000'000LL;

// The receiver named in the header line; any other header text means "Movrik".
QString receiverOfHeader(const QString& header) {
    const QString prefix = kSystemLine + u' ';
    if (!header.startsWith(prefix)) return ReceiverKinds::text(ReceiverKind::Movrik);
    return ReceiverKinds::text(ReceiverKinds::fromText(header.mid(prefix.size())));
}

qsizetype skipSign(const QString& text, qsizetype i, bool* negative) {
    *negative = i < text.size() && text.at(i) == u'-';
    return i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+') ? i + 1 : i;
}

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

std::int64_t digitsFrom(const QString& text, qsizetype i) {
    bool negative = false;
    i = skipSign(text, i, &negative);
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    for (; i < text.size() && isAsciiDigit(text.at(i)); ++i) {
        const int d = text.at(i).unicode() - u'0';
        value = value > (kMax - d) / 10 ? kMax : value * 10 + d;
    }
    return negative ? -value : value;
}

// The positive count of `line` less `taken`, worked out on its decimal digits so that a count of
// any length gives the exact figure.
QString countBeyond(const QString& line, int taken) {
    qsizetype i = line.startsWith(u'+') ? 1 : 0;
    while (i < line.size() && line.at(i) == u'0')
        ++i;
    QString digits;
    for (; i < line.size() && isAsciiDigit(line.at(i)); ++i)
        digits += line.at(i);
    int borrow = taken;
    for (qsizetype k = digits.size() - 1; k >= 0 && borrow > 0; --k) {
        int d = digits.at(k).unicode() - u'0' - borrow % 10;
        borrow /= 10;
        if (d < 0) {
            d += 10;
            ++borrow;
        }
        digits[k] = QChar(u'0' + d);
    }
    while (digits.size() > 1 && digits.startsWith(u'0'))
        digits.remove(0, 1);
    return digits;
}

bool inAllowedNameSet(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x20 && u <= 0x7E) || (u >= 0x0410 && u <= 0x044F) || u == 0x0401 || u == 0x0451 ||
           u == 0x2116 || u == u'\t' || u == u'\r';
}

} // namespace

QString baseFileValue(QString value) {
    // A line feed would shift every later line, and other control characters would make the file
    // one that Open refuses. Tab and a lone carriage return are kept: only CR LF and LF end a line.
    for (QChar& c : value)
        if (c.unicode() < 0x20 && c != u'\t' && c != u'\r') c = u' ';
    return value;
}

bool isBaseFile(const TextLines& lines) {
    for (const QString& line : lines.lines())
        for (const QChar c : line)
            if (c.unicode() < 0x20 && c != u'\t' && c != u'\r') return false;
    // The header as the reader finds it: line 1, or line 2 after a version line.
    qsizetype marker = 1;
    const QString first = lines.line(1);
    if (!first.startsWith(QStringLiteral("Состоя")) && !first.startsWith(QStringLiteral("В этом")))
        marker = 2;
    if (lines.line(marker) != kCountMarker) marker += kSettingsLines; // the last line of the block
    const QString count = lines.line(marker + 1);
    return lines.line(marker) == kCountMarker && !count.isEmpty() && isAsciiDigit(count.at(0));
}

QList<int> recordsWithUnreadableTimings(const ButtonBase& base) {
    QList<int> out;
    for (int i = 1; i <= base.count(); ++i)
        if (!timingTextsReadable(base.record(i).timings)) out << i;
    return out;
}

BaseFileFormat detectBaseFileFormat(const TextLines& lines) {
    return lines.line(25) == kFourLineMark ? BaseFileFormat::FourLine : BaseFileFormat::SixLine;
}

std::int64_t leadingNumber(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && (text.at(i) == u' ' || text.at(i) == u'\t'))
        ++i;
    return digitsFrom(text, i);
}

std::int64_t leadingDigits(const QString& text) {
    return digitsFrom(text, 0);
}

int zoomFromSettingsLine(std::int64_t value, bool olderKind) {
    std::int64_t v = std::clamp<std::int64_t>(value, -kNumberLimit, kNumberLimit);
    if (olderKind) v = divideHalfEven(v * 29, 10); // v × 2.9 in exact integer arithmetic
    return static_cast<int>(
        std::clamp<std::int64_t>(v, BaseFileSettings::kZoomMin, BaseFileSettings::kZoomMax));
}

void applySettingsBlock(const QStringList& block, BaseFileSettings& settings) {
    auto s = [&](int n) { return n - 1 < block.size() ? block.at(n - 1) : QString(); };
    const QString s1 = s(1);
    if (s1 == QStringLiteral("1") || s1 == kFalse) {
        settings.skipRepeats = false;
    } else if (s1 == QStringLiteral("2") || s1 == kTrue) {
        settings.skipRepeats = true;
        settings.repeatsFiveBytes = false;
    } else if (s1 == QStringLiteral("3")) {
        settings.skipRepeats = true;
        settings.repeatsFiveBytes = true;
    }
    const bool olderKind = s1 == kTrue || s1 == kFalse;
    settings.autoThreshold = s(2) == kTrue;
    settings.hash1bit = s(3) == kTrue;
    settings.autoZoom = s(4) == kTrue;
    settings.threshold = s(5);
    settings.minPaint = s(6);
    settings.matchTarget = s(7);
    // A zoom line without a number reads as 0, which the slider keeps at its minimum.
    settings.manualZoom = zoomFromSettingsLine(leadingDigits(s(10)), olderKind);
}

BaseFileLoad readBaseFile(const TextLines& lines, ButtonBase& base, BaseFileSettings& settings) {
    BaseFileLoad load;
    load.format = detectBaseFileFormat(lines);

    qsizetype pos = 1;
    QString header = lines.line(1);
    if (!header.startsWith(QStringLiteral("Состоя")) && !header.startsWith(QStringLiteral("В этом")))
        header = lines.line(++pos);

    settings.receiverKind = receiverOfHeader(header);
    load.hasSettings = header != kCountMarker;
    if (load.hasSettings) {
        QStringList block;
        for (int k = 1; k <= kSettingsLines; ++k)
            block << lines.line(pos + k);
        applySettingsBlock(block, settings);
        pos += kSettingsLines;
    }
    const QString countLine = lines.line(++pos);
    const std::int64_t announced = leadingDigits(countLine);
    ++pos; // "Ну сами кнопки"

    if (announced <= 0) return load;
    const int room = ButtonBase::kCapacity - base.count();
    const int toLoad = static_cast<int>(std::min<std::int64_t>(announced, room));
    if (announced > toLoad) load.leftOut = countBeyond(countLine, toLoad);

    const int recordLines = load.format == BaseFileFormat::FourLine ? 8 : 10;
    const int timingLines = recordLines - 4;
    for (int r = 0; r < toLoad; ++r) {
        const qsizetype at = pos + 1 + static_cast<qsizetype>(r) * recordLines; // record-number line
        ButtonRecord rec;
        rec.remoteName = lines.line(at + 1);
        rec.buttonName = lines.line(at + 2);
        rec.hash = lines.line(at + 3);
        for (int t = 0; t < timingLines; ++t)
            rec.timings[t] = lines.line(at + 4 + t);
        base.append(rec);
        ++load.loaded;
    }
    return load;
}

void markLoadDuplicates(ButtonBase& base) {
    QSet<QString> seen;
    seen.reserve(base.count());
    for (int i = 1; i <= base.count(); ++i) {
        ButtonRecord& r = base.record(i);
        // Length-prefixed fields make the key unambiguous whatever the texts hold.
        QString key;
        key += QString::number(r.buttonName.size()) + u':' + r.buttonName;
        for (const QString& t : r.timings)
            key += QString::number(t.size()) + u':' + t;
        if (seen.contains(key))
            r.hash = QStringLiteral("?");
        else
            seen.insert(key);
    }
}

QStringList baseFileLines(const ButtonBase& base, const BaseFileSettings& settings) {
    QStringList out;
    out.reserve(17 + base.count() * 10);
    // Line 25 of a file with the version line is timing text 5 of record 1; were it "2", the
    // reader would take the file for the 4-line format. The version line is optional to the
    // reader, so without it that text moves to line 24 and the file reads back as it was.
    if (!(base.count() >= 1 && base.record(1).timings[4] == kFourLineMark)) out << kVersionLine;
    out << kSystemLine + u' ' + ReceiverKinds::text(ReceiverKinds::fromText(settings.receiverKind));
    out << (!settings.skipRepeats       ? QStringLiteral("1")
            : settings.repeatsFiveBytes ? QStringLiteral("3")
                                        : QStringLiteral("2"));
    out << (settings.autoThreshold ? kTrue : kFalse) << (settings.hash1bit ? kTrue : kFalse)
        << (settings.autoZoom ? kTrue : kFalse);
    out << baseFileValue(settings.threshold) << baseFileValue(settings.minPaint)
        << baseFileValue(settings.matchTarget);
    out << QString() << QString() << QString::number(settings.manualZoom);
    out << QStringLiteral(" ") << kCountMarker << QString::number(base.count()) << kRecordsMarker;
    for (int i = 1; i <= base.count(); ++i) {
        const ButtonRecord& r = base.record(i);
        out << QString::number(i) << baseFileValue(r.remoteName) << baseFileValue(r.buttonName)
            << baseFileValue(r.hash);
        for (const QString& t : r.timings)
            out << baseFileValue(t);
    }
    out << kClosingLine;
    return out;
}

bool sixLineFileReadsBack(const QStringList& lines) {
    return lines.size() < 25 || lines.at(24) != kFourLineMark;
}

QString proposedSaveName(const QString& remoteName) {
    static const QString kReplaced = QStringLiteral(".,:;/\\ {}[]()");
    QString name = remoteName;
    for (QChar& c : name)
        if (!inAllowedNameSet(c) || kReplaced.contains(c)) c = u'_';
    return name + QStringLiteral(".txt");
}

} // namespace ravlin
