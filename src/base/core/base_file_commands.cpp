#include "base/core/base_file_commands.h"

#include "base/core/base_order.h"
#include "base/core/statistics.h"
#include "platform/core/cp1251.h"
#include "platform/core/regular_file.h"
#include "platform/core/text_file.h"

#include <QFileInfo>

#include <algorithm>

namespace ravlin {

BaseFileCommands::BaseFileCommands(ButtonBase& base, Dialogs& dialogs, RescanFlags& flags,
                                   HexBazaSettings& settings, FileDialogPresets& names,
                                   CarriedSettings& carried, RecordCursor& cursor, ResultLog& log)
    : m_base(base), m_dialogs(dialogs), m_flags(flags), m_settings(settings), m_names(names),
      m_carried(carried), m_cursor(cursor), m_log(log) {}

bool BaseFileCommands::askMerge(ButtonBase& base, Dialogs& dialogs, RecordCursor& cursor, ResultLog& log) {
    const auto say = [&](const QString& line) { log.append(line); };
    if (base.isEmpty()) {
        say(QStringLiteral("Добавляем к текущим записям..."));
        return true;
    }
    dialogs.beep();
    const Answer a = dialogs.askYesNoCancel(kMergeQuestion, QString(), QuestionKind::Warning);
    if (a == Answer::Cancel) {
        say(QStringLiteral("Отмена действия."));
        return false;
    }
    if (a == Answer::Yes) {
        base.setCount(0);
        cursor.setRecordNumber(QStringLiteral("1"));
        say(QStringLiteral("Перед загрузкой очистили базу..."));
    } else {
        say(QStringLiteral("Добавляем к текущим записям..."));
    }
    return true;
}

void BaseFileCommands::log(const QString& line) const {
    m_log.append(line);
}

BaseFileSettings BaseFileCommands::gather() const {
    return m_carried.gather();
}

bool BaseFileCommands::readFailed(const QString& reason) {
    m_dialogs.beep();
    m_dialogs.information(QStringLiteral("Ошибка чтения файла.\r\n") + reason +
                          QStringLiteral("\r\nБаза не изменена."));
    log(QStringLiteral("Ошибка чтения файла - загрузка прервана"));
    return false;
}

void BaseFileCommands::open() {
    log(QStringLiteral(" "));
    log(QStringLiteral("Активировали диалог - \"Открытие файла\""));
    BaseFileSettings settings = gather();
    settings.fittingAutoChoice = true;
    m_carried.apply(settings);

    const QString chosen = m_dialogs.openFileName(kFilter, m_names.openBase);
    if (chosen.isEmpty()) return;
    const QString name = withExtension(chosen, kExtension);
    m_names.openBase = name;
    if (!pathExists(name)) {
        m_dialogs.beep();
        m_dialogs.information(kNotFound);
        log(QStringLiteral("Но файла не оказалось"));
        return;
    }
    m_names.saveBase = name;

    // The file is read whole before anything in memory changes, so an unreadable file (or a
    // folder chosen as file) leaves the base as it was.
    QString error;
    const std::optional<TextLines> lines = readTextFile(name, kBaseFileMaxBytes, &error, LineEnds::CrLf);
    if (!lines) {
        readFailed(error);
        return;
    }
    // Nothing of the base or the settings changes for a file that is not a base file.
    if (!isBaseFile(*lines)) {
        m_dialogs.beep();
        m_dialogs.information(kNotBaseFile.arg(QFileInfo(name).fileName()));
        log(QStringLiteral("Файл не является файлом пульта - загрузка прервана"));
        return;
    }

    if (!askMerge(m_base, m_dialogs, m_cursor, m_log)) return;

    const int before = m_base.count();
    m_flags.rescanned = false;
    m_flags.withM96 = false;

    log(detectBaseFileFormat(*lines) == BaseFileFormat::FourLine
            ? QStringLiteral("Файл 4x строчного формата ")
            : QStringLiteral("Файл 6 строчного формата "));
    settings = gather();
    const BaseFileLoad load = readBaseFile(*lines, m_base, settings);
    m_carried.apply(settings);
    if (!load.leftOut.isEmpty())
        log(QStringLiteral("База заполнена (%1 записей) - не загружено записей из файла - %2")
                .arg(ButtonBase::kCapacity)
                .arg(load.leftOut));

    markLoadDuplicates(m_base);
    const int duplicates = removeMarkedRecords(m_base);
    if (const QString line = unreadableTimingsLine(m_base); !line.isEmpty()) log(line);

    m_cursor.countChanged();
    log(QStringLiteral("Записей в базе  - ") + QString::number(m_base.count()));
    log(QStringLiteral("Новых(из файла) - ") + QString::number(m_base.count() - before));
    log(QStringLiteral("Найдено дублей  - ") + QString::number(duplicates));

    m_cursor.setRecordNumber(QStringLiteral("1"));
    m_cursor.goToRecord();
    log(QStringLiteral("Действие завершилось успешно"));
}

void BaseFileCommands::save() {
    if (m_base.isEmpty()) {
        m_dialogs.beep();
        m_dialogs.information(kNothingToSave);
        return;
    }
    const QStringList lines = baseFileLines(m_base, gather());
    if (!sixLineFileReadsBack(lines)) {
        // Such a file would open shifted; nothing is written and the base stays in memory.
        m_dialogs.beep();
        m_dialogs.information(kUnsavableFirstRecord);
        log(QStringLiteral("Файл не сохранён - запись 1 нельзя записать"));
        return;
    }
    if (m_names.saveBase.contains(kDefaultName)) {
        // The proposal stays in the folder of the preset (the program's directory).
        QString& saveName = m_names.saveBase;
        const qsizetype folderEnd = std::max(saveName.lastIndexOf(u'/'), saveName.lastIndexOf(u'\\'));
        saveName = saveName.left(folderEnd + 1) + proposedSaveName(m_cursor.remoteName());
    }

    const QString chosen = m_dialogs.saveFileName(kFilter, m_names.saveBase, kExtension);
    if (chosen.isEmpty()) return;
    const QString name = withExtension(chosen, kExtension);
    m_names.saveBase = name;

    const QFileInfo info(name);
    if (info.exists() && info.isFile() && info.size() > 0) {
        m_dialogs.beep();
        if (m_dialogs.askYesNo(kOverwriteQuestion) != Answer::Yes) return;
    }

    QString error;
    if (!TextFileWriter::write(name, lines, &error)) {
        // The writer replaces the file only when everything was written: the previous file and
        // the base in memory are as they were, so the base is not cleared either.
        m_dialogs.beep();
        m_dialogs.information(QStringLiteral("Файл не сохранён.\r\n") + error +
                              QStringLiteral("\r\nПрежний файл не изменён, база в памяти сохранена."));
        log(QStringLiteral("Ошибка записи файла - база не сохранена"));
        return;
    }
    for (const QString& line : unholdableNameLines(m_base))
        log(line);
    if (m_settings.clearAfterSave) emit clearBaseRequested();
}

QStringList BaseFileCommands::unholdableNameLines(const ButtonBase& base) {
    QStringList out;
    for (int i = 1; i <= base.count(); ++i) {
        const ButtonRecord& r = base.record(i);
        for (const QString& name : {r.remoteName, r.buttonName})
            if (!cp1251Holds(name))
                out << QStringLiteral("Запись %1: имя \"%2\" записано как \"%3\" - кодировка 1251 не "
                                      "содержит некоторых его знаков")
                           .arg(i)
                           .arg(name, decodeCp1251(encodeCp1251(name)));
    }
    return out;
}

QString BaseFileCommands::unreadableTimingsLine(const ButtonBase& base) {
    const QList<int> records = recordsWithUnreadableTimings(base);
    if (records.isEmpty()) return {};
    QStringList numbers;
    for (int i : records)
        numbers << QString::number(i);
    return QStringLiteral("В таймингах записей %1 знаки, которые не являются шестнадцатеричными цифрами - их "
                          "длительности не используются")
        .arg(numbers.join(QStringLiteral(", ")));
}

void BaseFileCommands::showStatistics() {
    const QStringList lines = statisticsLines(
        m_base, m_settings.statisticsByHash ? StatisticsBasis::Hash : StatisticsBasis::ButtonName);
    m_log.clear();
    for (const QString& line : lines)
        log(line);
}

} // namespace ravlin
