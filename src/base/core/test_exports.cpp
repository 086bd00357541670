#include "base/core/test_exports.h"

#include "base/core/key_names.h"
#include "base/core/receiver_units.h"
#include "hashing/core/number_text.h"

#include <algorithm>

namespace ravlin::TestExports {

namespace {

// Smallest and largest of the values seen; untouched they read 1000 and 0.
struct Range {
    int smallest = 1000;
    int largest = 0;
    void add(int v) {
        smallest = std::min(smallest, v);
        largest = std::max(largest, v);
    }
    QString text() const {
        return QString::number(smallest) + QStringLiteral(" - ") + QString::number(largest);
    }
};

QString hexByte(int v) {
    return IntToBaseWidth(v, 16, 2);
}

const QStringList kCharacteristicNames = {QStringLiteral("PW"), QStringLiteral("Play"),
                                          QStringLiteral("Stop"), QStringLiteral("Key 1")};
const QString kTail = QStringLiteral("Hvost");

} // namespace

QList<int> durations(const std::array<QString, kTimingTextCount>& timings) {
    QList<int> out;
    for (const QString& text : timings) {
        const qsizetype groups = (text.size() + 1) / 3;
        for (qsizetype k = 0; k < groups; ++k)
            out.append(StrToBase(text.mid(3 * k, 3), 16));
    }
    return out;
}

QStringList lengthAnalysis(const ButtonBase& base) {
    if (base.count() < 3) return {kTooFewRecords};
    Range r;
    for (int i = 1; i <= base.count(); ++i)
        r.add(StrToBase(base.record(i).hash.left(2), 16));
    return {QStringLiteral("анализ кол во бит в посылке по всей базе"),
            QStringLiteral("(Проверяет длинну всех посылок и выдаёт диаапазон)"), QString(),
            QStringLiteral("В представленных данных длинна"), QStringLiteral("колеблится ") + r.text()};
}

QStringList bitAnalysis(const ButtonBase& base, const QString& bitNumber) {
    if (base.count() < 3) return {kTooFewRecords};
    bool ok = false;
    const int n = bitNumber.trimmed().toInt(&ok);
    Range shortOnes;
    Range longOnes;
    // A number that is not a whole number from 1 on names no duration, like one beyond the text.
    if (ok && n >= 1) {
        const qsizetype from = 3 * (static_cast<qsizetype>(n) - 1);
        for (int i = 1; i <= base.count(); ++i) {
            const QString group = base.record(i).timings[0].mid(from, 3);
            if (group.isEmpty()) continue;
            const int v = StrToBase(group, 16);
            (v < 37 ? shortOnes : longOnes).add(v);
        }
    }
    return {QStringLiteral("анализ длины заданного бита по всей базе"),
            QStringLiteral("то что меньше  ") + shortOnes.text(),
            QStringLiteral("то что больше  ") + longOnes.text()};
}

QStringList keyNameTable() {
    QStringList out{QStringLiteral("const"), QStringLiteral("  KeyNamTab: array[1..63] of string = (")};
    for (int i = 1; i <= KeyNamTab::kLast; ++i)
        out.append(QLatin1Char('"') + KeyNamTab::name(i) + QStringLiteral("\","));
    return out;
}

QStringList assemblerData(const std::array<QString, kTimingTextCount>& timings) {
    QStringList out{QString(), QString(), QStringLiteral("; Выводим данные в виде hex массива"), QString()};
    const QString start = QStringLiteral(".DB ");
    QString line = start;
    int k = 0;
    const auto put = [&](int byte) {
        line += (k == 0 ? QStringLiteral("0x") : QStringLiteral(",0x")) + hexByte(byte);
        ++k;
    };
    for (int v : durations(timings)) {
        // Only 0..1984 has a receiver form; text that reads outside it is held at the nearest end
        // rather than written as a byte that does not fit.
        v = std::clamp(v, 0, maxDurationUnits(ReceiverKind::Movrik));
        if (v <= 248) {
            put(v);
        } else {
            const int q = v / 248;
            put(248 + std::min(q, 7));
            put(v - 248 * std::min(q, 7));
        }
        if (k >= 16) {
            out.append(line);
            line = start;
            k = 0;
        }
    }
    if (k % 2 == 1) line += QStringLiteral(",0x00");
    if (k > 0) out.append(line);
    return out;
}

QStringList durationList(const std::array<QString, kTimingTextCount>& timings) {
    QStringList out{QStringLiteral("; Выводим данные в виде длинн"), QString()};
    // The listing's unit is the Movrik unit, whatever receiver is selected.
    const double unitMs = ReceiverKinds::unitMs(ReceiverKind::Movrik);
    int i = 0;
    for (int v : durations(timings)) {
        ++i;
        out.append(QStringLiteral("%1").arg(i, 4) +
                   (i % 2 == 1 ? QStringLiteral("   1  - ") : QStringLiteral("   0  - ")) +
                   QStringLiteral("%1").arg(v * unitMs, 8, 'f', 3) + QStringLiteral("  МиллиСек"));
    }
    return out;
}

QStringList exportedRecord(int number, const QString& fileName, const ButtonRecord& record) {
    QStringList out{QString::number(number) + QStringLiteral("<<<<") + fileName, record.remoteName,
                    record.buttonName, record.hash};
    for (const QString& t : record.timings)
        out.append(t);
    return out;
}

QStringList characteristicButtons(const ButtonBase& base, const QString& fileName) {
    QStringList out;
    int n = 0;
    int exported = 0; // by the first and third pass
    for (int i = 1; i <= base.count(); ++i) {
        if (!kCharacteristicNames.contains(base.record(i).buttonName)) continue;
        ++n;
        ++exported;
        out += exportedRecord(n, fileName, base.record(i));
    }
    for (int i = 1; i <= base.count(); ++i) {
        if (base.record(i).buttonName != kTail) continue;
        out += exportedRecord(n, fileName, base.record(i));
        break;
    }
    for (int i = 1; i <= base.count() && exported < 2; ++i) {
        if (base.record(i).buttonName == kTail) continue;
        out += exportedRecord(i, fileName, base.record(i));
        ++n;
        ++exported;
    }
    return out;
}

} // namespace ravlin::TestExports
