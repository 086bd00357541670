#pragma once

#include "base/core/button_record.h"
#include "platform/core/view_colour.h"

#include <QString>

#include <array>

namespace ravlin {

// Values of the record-entry controls the commands read (and sometimes write back).
struct BaseEntrySettings {
    QString recordNumber = QStringLiteral("1");     // Edit6
    QString remoteName = QStringLiteral("Пульт 1"); // Edit10
    QString buttonName = QStringLiteral("N/A");     // ComboBoxKey
    // "При очистке базы очищать" of the IR Distribution tab (ticked at start): clearing the base
    // clears the map too.
    bool clearDistributionWithBase = true;
};

// Texts and colours the record-entry controls show.
struct BaseEntryView {
    static inline const QString kAddCaption = QStringLiteral("Добавить");
    static inline const QString kChangeCaption = QStringLiteral("Изменить");

    QString countLabel = QStringLiteral("000"); // LabelKn
    ViewColour nameMarker = ViewColour::Face;   // Panel1
    QString selection;                          // PanelSi1
    ViewColour selectionColour = ViewColour::Face;
    QString changeCaption = kChangeCaption; // ButtonDey1
    // Whether ButtonDey1 adds a record (the burst on screen is not in the base) or changes the
    // current one.
    bool changeAdds = false;
    // Whether PanelSi1 points at a record (found, stored or answered) or at its absence ("Нету");
    // otherwise Delete takes the record number box.
    bool selectionHeld = false;

    // ButtonDey1 as "Добавить" / "Изменить".
    void offerAdd() {
        changeCaption = kAddCaption;
        changeAdds = true;
    }
    void offerChange() {
        changeCaption = kChangeCaption;
        changeAdds = false;
    }
    // PanelSi1 shows a record, or that the burst has none.
    void holdSelection(const QString& text) {
        selection = text;
        selectionHeld = true;
    }
    // PanelSi1 shows `text` (empty or "N/A") and points at nothing.
    void dropSelection(const QString& text = QString()) {
        selection = text;
        selectionHeld = false;
    }
};

// The record-entry panel: one owner (the workbench); the base-entry commands, the processing run
// and the poller are handed it and write it, the panel's widgets refresh from it.
struct BaseEntry {
    BaseEntrySettings settings;
    BaseEntryView view;
};

// The burst on screen as its fields show it: the hash box (EditPebr) and the six timing-line
// fields of " Принятые данные ". Placeholders while the oscillogram tab is not in front.
struct BurstFields {
    QString hash = WorkingRecord::kHashPlaceholder;
    std::array<QString, kTimingTextCount> timings = WorkingRecord().timings;
};

} // namespace ravlin
