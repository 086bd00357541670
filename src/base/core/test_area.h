#pragma once

#include "base/core/button_base.h"
#include "base/core/button_record.h"
#include "platform/core/dialogs.h"
#include "platform/core/result_log.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace ravlin {

// Values of the test area's controls that the commands read.
struct TestAreaSettings {
    bool testSwitch = false;                      // "Перейти в тестовый " (CheckBoxTestMode)
    QString bitNumber = QStringLiteral("01");     // box of "Анализ бита"
    QString hashStart1 = QStringLiteral("002F");  // first box of "Если ХЭШ=002F или 0025 ..."
    QString hashStart2 = QStringLiteral("0025");  // second box
    QString modeRemote = QStringLiteral("RM-FP"); // box of "Переим все кн пульта"
};

// Which of the hidden test controls are shown. At start only the switch, "Очистить" and the memo
// are; the extended flag is set by a double click on "режим".
struct TestAreaView {
    bool extended = false;      // the extended test flag
    bool unknownGroup = false;  // group " Работа с неизвестными "
    bool testButton = false;    // "Тест" (oscillogram tab)
    bool lengthsButton = false; // "длинн" (oscillogram tab)
    bool saveButton = false;    // "Сохранить в файл"
    bool fittingButton = false; // main window's "Подбор переменных ХЭШирования"
    bool pelvarButton = false;  // main window's "Кнопки для Pelvar"
};

// The test area of the " Settings " tab: the test-mode switch and the visibility it steers, the
// analyses and exports writing into the test memo, its saving, and the bulk renaming rules.
class TestArea : public QObject {
    Q_OBJECT

public:
    static inline const QString kFilter = QStringLiteral("Text file|*.txt");
    static inline const QString kExtension = QStringLiteral(".txt");
    static inline const QString kOverwriteQuestion =
        QStringLiteral("Файл с таким именем уже существует\r\n       Перезаписать его?");

    // `saveName` is the length export dialog's file name ("Len.txt" at start), kept between uses;
    // `openedFile` the base-file open dialog's last file name.
    TestArea(ButtonBase& base, const WorkingRecord& working, Dialogs& dialogs, QString& saveName,
             const QString& openedFile);

    TestAreaSettings& settings() { return m_settings; }
    const TestAreaView& view() const { return m_view; }
    const ResultLog& memo() const { return m_memo; }

    // The switch was turned on or off (its new state is in the settings).
    void switchChanged(bool on);
    // Double click on "режим".
    void modeLabelDoubleClicked();
    // "Очистить".
    void clearMemo();

    void lengthAnalysis();
    void bitAnalysis();
    void keyNamesTest();
    void assemblerTest();
    void durationList();
    void saveToFile();
    void exportButtons();
    // "УникалнХэш" does nothing.
    void uniqueHash() {}

    void renameByNonZeroHash();
    void renameByHashStart();
    void renameByLength();
    void renameRemoteToMode();

signals:
    // "Выгрузить кнопки" ends with the clear-base command (with its question), then Open.
    void reloadBaseRequested();

private:
    void replaceMemo(const QStringList& lines);
    std::array<QString, kTimingTextCount> burstOnScreen() const;

    ButtonBase& m_base;
    const WorkingRecord& m_working;
    Dialogs& m_dialogs;
    QString& m_saveName;
    TestAreaSettings m_settings;
    TestAreaView m_view;
    ResultLog m_memo; // Memo3
    const QString& m_openedFile;
};

} // namespace ravlin
