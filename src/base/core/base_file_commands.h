#pragma once

#include "base/core/base_file.h"
#include "base/core/base_file_tab.h"
#include "base/core/button_base.h"
#include "base/core/record_cursor.h"
#include "base/core/rescan_flags.h"
#include "platform/core/dialogs.h"
#include "platform/core/file_dialog_presets.h"
#include "platform/core/result_log.h"

#include <QObject>

#include <QString>
#include <QStringList>

namespace ravlin {

// The owners of the settings a base file carries: gathered before a file is read or written,
// applied after reading.
class CarriedSettings {
public:
    virtual ~CarriedSettings() = default;
    virtual BaseFileSettings gather() const = 0;
    virtual void apply(const BaseFileSettings& settings) = 0;
};

// Carried settings held as they are (the command-line tool, tests).
class HeldSettings final : public CarriedSettings {
public:
    BaseFileSettings settings;
    BaseFileSettings gather() const override { return settings; }
    void apply(const BaseFileSettings& s) override { settings = s; }
};

// Open and Save of base files ("&Open Cod File", "&Save Cod File", tool bar "Open"/"Save") and
// "Вывести статистику". Progress goes to the results memo of the " HEX Baza " tab.
class BaseFileCommands : public QObject {
    Q_OBJECT

public:
    static inline const QString kFilter = QStringLiteral("Text file|*.txt");
    static inline const QString kExtension = QStringLiteral(".txt");
    static inline const QString kDefaultName = QStringLiteral("pult.txt");
    static inline const QString kNotFound = QStringLiteral("Указанный файл не найден!!!");
    static inline const QString kMergeQuestion =
        QStringLiteral("На данный момент база не пуста.\r\nОчистить базу перед открытием?");
    static inline const QString kNothingToSave = QStringLiteral("Список пуст - сохранять нечего!!!");
    static inline const QString kUnsavableFirstRecord =
        QStringLiteral("Файл не сохранён.\r\nТайминги 5 и 6 записи 1 равны \"2\": такой файл открылся бы "
                       "как файл 4x строчного формата.\r\nЗамените или удалите запись 1.");
    // Open of a file that is not a base file; %1 is the file's name.
    static inline const QString kNotBaseFile =
        QStringLiteral("Файл \"%1\" не является файлом пульта.\r\nБаза и настройки не изменены.");
    static inline const QString kOverwriteQuestion =
        QStringLiteral("Файл с таким именем уже существует\r\n       Перезаписать его?");

    // `names` holds the dialogs' preset file names, which the commands move to the chosen files.
    // `carried` owns the settings a base file carries; `cursor` shows the first record after Open;
    // progress goes to `log`.
    BaseFileCommands(ButtonBase& base, Dialogs& dialogs, RescanFlags& flags, HexBazaSettings& settings,
                     FileDialogPresets& names, CarriedSettings& carried, RecordCursor& cursor,
                     ResultLog& log);

    HexBazaSettings& settings() { return m_settings; }

    const QString& openName() const { return m_names.openBase; }
    const QString& saveName() const { return m_names.saveBase; }

    void open();
    void save();
    void showStatistics();

    // Memo lines for a base that is about to be written: each name that cp1251 cannot hold, as it is
    // and as it will be stored (with "?").
    static QStringList unholdableNameLines(const ButtonBase& base);
    // The memo line naming records whose timing texts do not read; empty when there are none.
    static QString unreadableTimingsLine(const ButtonBase& base);

    // Open's merge question, asked (with a beep) before records are loaded into a non-empty base:
    // Yes clears the base first, No adds to it, Cancel stops (false). Each answer is logged as Open
    // logs it; an empty base is added to without asking.
    static bool askMerge(ButtonBase& base, Dialogs& dialogs, RecordCursor& cursor, ResultLog& log);

signals:
    // Save with "Сохранить и очистить": the clear-base command, with its own question.
    void clearBaseRequested();

private:
    void log(const QString& line) const;

    BaseFileSettings gather() const;
    bool readFailed(const QString& reason);

    ButtonBase& m_base;
    Dialogs& m_dialogs;
    RescanFlags& m_flags;
    HexBazaSettings& m_settings;
    FileDialogPresets& m_names;
    CarriedSettings& m_carried;
    RecordCursor& m_cursor;
    ResultLog& m_log;
};

} // namespace ravlin
