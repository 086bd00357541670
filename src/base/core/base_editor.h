#pragma once

#include "base/core/button_base.h"
#include "base/core/button_record.h"
#include "base/core/capture_buffer.h"
#include "platform/core/dialogs.h"
#include "platform/core/view_colour.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace ravlin {

// Values of the base-entry controls the commands read (and sometimes write back).
struct BaseEntrySettings {
    QString recordNumber = QStringLiteral("1");     // Edit6
    QString remoteName = QStringLiteral("Пульт 1"); // Edit10
    QString buttonName = QStringLiteral("N/A");     // ComboBoxKey
    // "При очистке базы очищать" of the IR Distribution tab (ticked at start): clearing the base
    // clears the map too.
    bool clearDistributionWithBase = true;
};

// Texts and colours the base-entry controls show.
struct BaseEntryView {
    static inline const QString kAddCaption = QStringLiteral("Добавить");
    static inline const QString kChangeCaption = QStringLiteral("Изменить");

    QString countLabel = QStringLiteral("000"); // LabelKn
    ViewColour nameMarker = ViewColour::Face;   // Panel1
    QString selection;                          // PanelSi1
    ViewColour selectionColour = ViewColour::Face;
    QString changeCaption = kChangeCaption; // ButtonDey1
};

// The commands of the base-entry group: go to record, previous/next, add, change, delete, clear,
// and the button-name box's colour rule and normalisation.
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
        std::function<bool()> kestrumActive;
    };

    BaseEditor(ButtonBase& base, WorkingRecord& working, CaptureBuffer& buffer, Dialogs& dialogs);

    BaseEntrySettings& settings() { return m_settings; }
    const BaseEntrySettings& settings() const { return m_settings; }
    BaseEntryView& view() { return m_view; }
    const BaseEntryView& view() const { return m_view; }
    Hooks& hooks() { return m_hooks; }

    // The hash box and the six timing fields the commands write; by default the editor's own.
    void attachBurstFields(QString* hashBox, std::array<QString, kTimingTextCount>* timingFields);
    const QString& hashBox() const { return *m_hashBox; }
    const std::array<QString, kTimingTextCount>& timingFields() const { return *m_timingFields; }

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
    bool kestrumActive() const { return !m_hooks.kestrumActive || m_hooks.kestrumActive(); }
    void showBurstFields();

    ButtonBase& m_base;
    WorkingRecord& m_working;
    CaptureBuffer& m_buffer;
    Dialogs& m_dialogs;
    BaseEntrySettings m_settings;
    BaseEntryView m_view;
    Hooks m_hooks;

    QString m_ownHashBox = WorkingRecord::kHashPlaceholder;
    std::array<QString, kTimingTextCount> m_ownTimingFields = WorkingRecord().timings;
    QString* m_hashBox = &m_ownHashBox;
    std::array<QString, kTimingTextCount>* m_timingFields = &m_ownTimingFields;
};

} // namespace ravlin
