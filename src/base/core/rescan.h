#pragma once

#include "base/core/base_file_tab.h"
#include "base/core/button_base.h"
#include "base/core/rescan_flags.h"
#include "platform/core/dialogs.h"
#include "platform/core/timer.h"

#include <QString>

#include <functional>
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

    // Work handed to the rest of the workbench; an empty hook does nothing.
    struct Hooks {
        std::function<QString()> recordNumber;               // Edit6
        std::function<void(const QString&)> setRecordNumber; // Edit6
        // Go to the record Edit6 shows (rebuilds the buffer and hands it to processing).
        std::function<void()> goToRecord;
        // Runs processing on the rebuilt buffer, when go-to-record leaves it scheduled only.
        std::function<void()> process;
        std::function<void()> restartPolling;
        std::function<bool()> m96Selected; // " ХЭШ M96" is the hash source
        std::function<void(const QString&)> log;
        std::function<void()> countChanged; // LabelKn shows the count
        // "Скорость пересчёта ХЭШа" as an interval in ms, read when a rescan starts.
        std::function<int()> intervalMs;
    };

    Rescan(ButtonBase& base, Dialogs& dialogs, TimerFactory& timers, RescanFlags& flags,
           const HexBazaSettings& settings);
    ~Rescan();

    Hooks& hooks() { return m_hooks; }
    const RescanView& view() const { return m_view; }

    // "Пересканировать все ХЭШи" / "Прервать пересчёт ХЭШей" (Button4).
    void pressRescan();
    // "Выкинуть дубли по ХЭШ": asks for duplicate removal, then presses the rescan button.
    void removeDuplicates();

    bool isRunning() const { return m_view.caption == RescanView::kRunningCaption; }
    bool duplicateRemovalRequested() const { return m_dedupe; }

    // "Скорость пересчёта ХЭШа": position × 10 ms.
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
    Hooks m_hooks;
    RescanView m_view;
    std::unique_ptr<Timer> m_timer;
    bool m_dedupe = false;
    bool m_firstTick = false;
};

} // namespace ravlin
