#pragma once

#include "base/core/base_entry.h"
#include "base/core/button_base.h"
#include "base/core/button_record.h"
#include "base/core/capture_buffer.h"
#include "base/core/page_in_front.h"
#include "platform/core/dialogs.h"
#include "platform/core/result_log.h"

#include <QObject>

#include <QString>

#include <optional>

namespace ravlin {

// The commands of the base-entry group: go to record, previous/next, add, change, delete, clear,
// and the button-name box's colour rule and normalisation. They write the record-entry panel and
// the burst fields they are handed.
class BaseEditor : public QObject {
    Q_OBJECT

public:
    static inline const QString kNothingSelected = QStringLiteral("На данный момент нет выбранных...");
    static inline const QString kEmptyList = QStringLiteral("Список пуст - удалять нечего!!!");
    static inline const QString kDeleted = QStringLiteral("Кнопка была успешно удалена!!!");
    static inline const QString kClearQuestion =
        QStringLiteral("Принятые данные будут уничтожены!!! Вы уверены?");

    // Lines go to `log` (the results memo of the " HEX Baza " tab); the burst fields show the
    // record only while " Kestrum " is in front (`page`).
    BaseEditor(ButtonBase& base, WorkingRecord& working, CaptureBuffer& buffer, BaseEntry& entry,
               BurstFields& burst, Dialogs& dialogs, ResultLog& log, const PageInFront& page);

    BaseEntrySettings& settings() { return m_entry.settings; }
    const BaseEntrySettings& settings() const { return m_entry.settings; }
    BaseEntryView& view() { return m_entry.view; }
    const BaseEntryView& view() const { return m_entry.view; }

    // Go to the record numbered in Edit6 (the hidden BitBtn6, and user focus on Edit6).
    void goToRecord();
    void previous();
    void next();
    void enterInRecordNumber();

    void add();
    void change();
    void remove();
    void clearBase();
    // The hidden display-reset command.
    void resetDisplay();

    // The button-name box: its text changed / Enter pressed in it.
    void buttonNameChanged(const QString& text);
    void buttonNameEnter();

    // Reads a record number: optional leading blanks, an optional sign and decimal digits.
    // Nothing when the text is not a whole number.
    static std::optional<int> parseRecordNumber(const QString& text);
    // The typed name reduced to the allowed characters with a-z in upper case.
    static QString normalisedName(const QString& text);
    // The KeyNamTab entry a typed name normalises to, or an empty text.
    static QString matchingKeyName(const QString& text);
    // Rebuilds a buffer from timing texts: three hex digits per duration, at most 255 kept.
    static void rebuildBuffer(CaptureBuffer& buffer, const std::array<QString, kTimingTextCount>& timings);

signals:
    // The rebuilt buffer goes to drawing and processing, as a fresh burst does.
    void burstRebuilt();
    // "Очистить распределение" after clearing the base, when "При очистке базы очищать" is ticked.
    void distributionClearRequested();
    // The display reset: the oscillogram and the variable distribution picture go black.
    void displayReset();

private:
    int recordNumberValue() const;
    void setRecordNumber(int n);
    void appendWorking();
    void storeWorking();
    void showBurstFields();

    ButtonBase& m_base;
    WorkingRecord& m_working;
    CaptureBuffer& m_buffer;
    BaseEntry& m_entry;
    BurstFields& m_burst;
    Dialogs& m_dialogs;
    ResultLog& m_log;
    const PageInFront& m_page;
};

} // namespace ravlin
