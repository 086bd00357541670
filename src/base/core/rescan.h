#pragma once

#include "base/core/base_file_tab.h"
#include "base/core/button_base.h"
#include "base/core/polling_control.h"
#include "base/core/record_cursor.h"
#include "base/core/rescan_flags.h"
#include "hashing/core/panel_settings.h"
#include "platform/core/dialogs.h"
#include "platform/core/result_log.h"
#include "platform/core/timer.h"

#include <QString>

#include <memory>

namespace ravlin {

// What the rescan controls show.
struct RescanView {
    static inline const QString kIdleCaption = QStringLiteral("Пересканировать все ХЭШи");
    static inline const QString kRunningCaption = QStringLiteral("Прервать пересчёт ХЭШей");

    QString caption = kIdleCaption; // Button4
    bool progressVisible = false;   // ProgressBar1
    int progress = 0;               // 0..100 in steps of 5
};

// The rescan: replays every stored record through processing, one record per timer tick, then
// tidies the base (names, repeat signals, order by KeyNamTab, unnamed records last) and, when
// asked through "Выкинуть дубли по ХЭШ", removes hash duplicates.
class Rescan {
public:
    static constexpr int kDefaultIntervalMs = 250;

    // Each record is replayed by going to it through `cursor` (the base-entry commands rebuild the
    // buffer and hand it to processing, which stores the new hash into the record the box shows).
    // `panel` tells whether " ХЭШ M96" is the hash source; polling restarts when the run ends.
    Rescan(ButtonBase& base, Dialogs& dialogs, TimerFactory& timers, RescanFlags& flags,
           const HexBazaSettings& settings, const HashPanelSettings& panel, RecordCursor& cursor,
           PollingControl& polling, ResultLog& log);
    ~Rescan();

    const RescanView& view() const { return m_view; }

    // "Пересканировать все ХЭШи" / "Прервать пересчёт ХЭШей" (Button4).
    void pressRescan();
    // "Выкинуть дубли по ХЭШ": asks for duplicate removal, then presses the rescan button.
    void removeDuplicates();

    bool isRunning() const { return m_flags.running; }
    bool duplicateRemovalRequested() const { return m_dedupe; }

    // "Скорость пересчёта ХЭШа": position × 10 ms; a rescan runs at the last interval set.
    void setIntervalMs(int ms);
    int intervalMs() const;

    // The tidying of the finish on its own (names, repeat signals, order, unnamed last).
    static void tidy(ButtonBase& base);
    // Hash-duplicate marking and removal; returns the number removed.
    static int removeHashDuplicates(ButtonBase& base, const DuplicateOptions& options);

private:
    void tick();
    void finish();
    void log(const QString& line) const;
    void setRecordNumber(int n);
    int recordNumber() const;
    void hideProgress();

    ButtonBase& m_base;
    Dialogs& m_dialogs;
    RescanFlags& m_flags;
    const HexBazaSettings& m_settings;
    const HashPanelSettings& m_panel;
    RecordCursor& m_cursor;
    PollingControl& m_polling;
    ResultLog& m_log;
    RescanView m_view;
    std::unique_ptr<Timer> m_timer;
    bool m_dedupe = false;
    bool m_firstTick = false;
};

} // namespace ravlin
