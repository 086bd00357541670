#pragma once

#include "base/core/base_entry.h"
#include "base/core/button_base.h"
#include "base/core/button_record.h"
#include "base/core/capture_buffer.h"
#include "platform/core/dialogs.h"

#include <QString>

#include <functional>
#include <optional>

namespace ravlin {

// The commands of the base-entry group: go to record, previous/next, add, change, delete, clear,
// and the button-name box's colour rule and normalisation. They write the record-entry panel and
// the burst fields they are handed.
class BaseEditor {
public:
    static inline const QString kNothingSelected = QStringLiteral("На данный момент нет выбранных...");
    static inline const QString kEmptyList = QStringLiteral("Список пуст - удалять нечего!!!");
    static inline const QString kDeleted = QStringLiteral("Кнопка была успешно удалена!!!");
    static inline const QString kClearQuestion =
        QStringLiteral("Принятые данные будут уничтожены!!! Вы уверены?");

    // Work handed to other parts; an empty hook does nothing.
    struct Hooks {
        // The rebuilt buffer goes to drawing and processing, as a fresh burst does.
        std::function<void()> burstRebuilt;
        // A line for the result log of the " HEX Baza " tab.
        std::function<void(const QString&)> logLine;
        // "Очистить распределение": clear the position distribution map.
        std::function<void()> clearDistribution;
        // The display reset fills the oscillogram and the variable distribution picture black.
        std::function<void()> clearPictures;
        // Whether the oscillogram tab is the active page.
        std::function<bool()> burstPageActive;
    };

    BaseEditor(ButtonBase& base, WorkingRecord& working, CaptureBuffer& buffer, BaseEntry& entry,
               BurstFields& burst, Dialogs& dialogs);

    BaseEntrySettings& settings() { return m_entry.settings; }
    const BaseEntrySettings& settings() const { return m_entry.settings; }
    BaseEntryView& view() { return m_entry.view; }
    const BaseEntryView& view() const { return m_entry.view; }
    Hooks& hooks() { return m_hooks; }

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

private:
    int recordNumberValue() const;
    void setRecordNumber(int n);
    void appendWorking();
    void storeWorking();
    bool burstPageActive() const { return !m_hooks.burstPageActive || m_hooks.burstPageActive(); }
    void showBurstFields();

    ButtonBase& m_base;
    WorkingRecord& m_working;
    CaptureBuffer& m_buffer;
    BaseEntry& m_entry;
    BurstFields& m_burst;
    Dialogs& m_dialogs;
    Hooks m_hooks;
};

} // namespace ravlin
