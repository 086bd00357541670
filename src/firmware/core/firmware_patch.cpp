#include "firmware/core/firmware_patch.h"

#include "hashing/core/crc16.h"
#include "hashing/core/number_text.h"
#include "platform/core/cp1251.h"
#include "platform/core/text_file.h"

#include <QFileInfo>

namespace ravlin {

namespace {

const QString kSeparator = QStringLiteral("; ") + QString(66, u'-');
const QString kTerminatorRow =
    QStringLiteral(".DB 0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,  "
                   "0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00  ; Завершение посылки");
constexpr int kTerminatorRows = 4;
constexpr int kRowsPerGroup = 10;

QString hexByte(std::int64_t value) {
    return QStringLiteral("0x") + ByteHex(value);
}

QString variablesLine(const HashVariableSet& v, const OutputSettings& o) {
    const std::int64_t first[] = {v.KnPz1,  v.KnPz0,  v.KnPmax, v.KnPmin,
                                  v.KnNmx1, v.KnNmx0, v.KnNmn1, v.KnNmn0};
    const std::int64_t second[] = {v.KnGmax,   v.KnGmin,        v.KnBit,           v.KnPer,
                                   v.KnPHvost, o.optionsByte(), o.zeroDepthByte(), o.oneDepthByte()};
    QStringList a, b;
    for (std::int64_t x : first)
        a << hexByte(x);
    for (std::int64_t x : second)
        b << hexByte(x);
    return QStringLiteral(".DB ") + a.join(u',') + QStringLiteral(",  ") + b.join(u',');
}

} // namespace

std::uint16_t patchCrc(const QStringList& lines) {
    std::uint32_t crc = 0;
    for (const QString& line : lines)
        for (char c : encodeCp1251(line))
            crc = crc16ArcStep(crc, static_cast<std::uint8_t>(c));
    return static_cast<std::uint16_t>(crc);
}

QStringList WritePatchText(const HashVariableSet& vars, const OutputSettings& output, DeviceHashTable& table,
                           const QString& remoteName, const PatchStamp& stamp) {
    QStringList lines;
    lines << kSeparator << QStringLiteral("; Имя пульта     - ") + remoteName
          << QStringLiteral("; Дата  создания - ") + stamp.date
          << QStringLiteral("; Время создания - ") + stamp.time
          << QStringLiteral("; Уник. индифик. - ") + IntToBaseWidth(stamp.r1, 16, 4) +
                 IntToBaseWidth(stamp.r2, 16, 4)
          << kSeparator << QStringLiteral("; Созданно программой Kestrum ver 1.1E")
          << QStringLiteral("; выложенной на сайт ") + kPublishingSite + QStringLiteral("   от 10.01.11")
          << kSeparator << QStringLiteral("; Во избежании ошибок - ВРУЧНУЮ НЕ МЕНЯТЬ!!!")
          << QStringLiteral(";  Для внесения изменений патчер создан  !!!") << kSeparator << QString()
          << QStringLiteral("DuPeremennie:") << variablesLine(vars, output) << QString() << kSeparator
          << QString() << QStringLiteral("DuKnopki:");

    table.actionCodes = actionCodes(table);
    int rows = 0;
    const auto addRow = [&](const QString& row) {
        lines << row;
        if (++rows % kRowsPerGroup == 0) lines << QString();
    };
    for (std::size_t i = 0; i < table.entries.size(); ++i) {
        const DeviceHashEntry& e = table.entries[i];
        addRow(QStringLiteral(".DB ") + e.text() + QStringLiteral(",  ") + hexByte(table.actionCodes[i]) +
               rowSuffix(e.buttonName));
    }
    for (int i = 0; i < kTerminatorRows; ++i)
        addRow(kTerminatorRow);
    lines << QString() << kSeparator << QStringLiteral("; Конец файла.") << QString();

    lines[4] += IntToBaseWidth(patchCrc(lines), 16, 4);
    return lines;
}

bool savePatch(Dialogs& dialogs, bool patchReady, const QStringList& lines) {
    if (!patchReady) {
        dialogs.information(kNothingToSavePatch);
        return false;
    }
    const QString chosen = dialogs.saveFileName(kPatchFilter, kPatchDefaultName, kPatchExtension);
    if (chosen.isEmpty()) return false;
    const QString name = withExtension(chosen, kPatchExtension);
    const QFileInfo info(name);
    if (info.exists() && info.isFile() && info.size() > 0) {
        dialogs.beep();
        if (dialogs.askYesNo(kOverwritePatchQuestion) != Answer::Yes) return false;
    }
    QString error;
    if (!TextFileWriter::write(name, lines, &error)) {
        dialogs.beep();
        dialogs.information(QStringLiteral("Файл не сохранён.\r\n") + error);
        return false;
    }
    return true;
}

} // namespace ravlin
