#pragma once

#include "acquisition/core/reception_settings.h"
#include "base/core/button_base.h"
#include "base/core/record_cursor.h"
#include "base/core/rescan_flags.h"
#include "base/core/test_area.h"
#include "firmware/core/device_hash.h"
#include "firmware/core/firmware_patch.h"
#include "firmware/core/hash_variables.h"
#include "firmware/core/output_settings.h"
#include "firmware/core/random_source.h"
#include "firmware/core/recognition_check.h"
#include "hashing/core/panel_settings.h"
#include "platform/core/clock.h"
#include "platform/core/dialogs.h"
#include "platform/core/timer.h"
#include "platform/core/view_colour.h"

#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>

namespace ravlin {

// Values of the fitting window's controls that the run reads (and writes back).
struct FittingSettings {
    // EditB01..EditB13 in patch order, as the window shows them when it opens.
    std::array<QString, HashVariableSet::Count> boxes = openingBoxes();
    QString tolerance = QStringLiteral("03"); // Edit1
    bool automatic = true; // CheckBoxAvt1 "Доверить первоначальный выбор автоматике"

    static std::array<QString, HashVariableSet::Count> openingBoxes();
    QString& box(HashVariableSet::Index i) { return boxes[static_cast<std::size_t>(i)]; }
    const QString& box(HashVariableSet::Index i) const { return boxes[static_cast<std::size_t>(i)]; }
};

// What the fitting window shows.
struct FittingView {
    static inline const QString kIdleStatus = QStringLiteral("Состояние - N/A");

    QString status = kIdleStatus;              // Label2
    ViewColour panelColour = ViewColour::Face; // Panel1
    QString panelCaption = QStringLiteral("!");
    QString pauseLabel = QStringLiteral("чем KnPz = N/A");
    QString duplicatesLabel = QStringLiteral("Дубли = N/A");
    QString breakingPointLabel = QStringLiteral("KnBit = N/A");
    ViewColour knBitColour = ViewColour::Face; // EditB11
    QStringList messages;                      // MemoSys, tab " Сообщения"
    QStringList patch;                         // Memo2, tab " Тестовая "
    // The recognition check of the last run that built the table ("Проверка распознавания" on
    // " Сообщения"); none before such a run. The verdict is its one line, empty without a check.
    std::optional<RecognitionCheck> recognition;
    QString recognitionVerdict;
};

// Parts of the patch stamp fixed from outside (the command-line tool's options, tests); the rest
// comes from the clock and the random source.
struct StampOverride {
    std::optional<QString> date;
    std::optional<QString> time;
    std::optional<std::uint32_t> id; // r1 is its high half, r2 its low half
};

// The fitting of the firmware hash variables to the button base and the patch it ends with: the
// opening checks of the window, "Scan Buffer", one run per tick of the 400 ms one-shot timer
// (FitHashVariables), and "Save Pach". Reads the base, never changes it.
class Fitting {
public:
    static constexpr int kIntervalMs = 400;

    // The run reads "Порог" and the hash source of `panel`, the tail size of `reception` and the
    // test-mode switch of `testArea`; it goes to the first record through `cursor`.
    Fitting(const ButtonBase& base, RescanFlags& flags, Dialogs& dialogs, TimerFactory& timers, Clock& clock,
            RandomSource& random, const HashPanelSettings& panel, const ReceptionSettings& reception,
            const TestAreaSettings& testArea, RecordCursor& cursor);
    ~Fitting();

    StampOverride& stampOverride() { return m_stampOverride; }
    FittingSettings& settings() { return m_settings; }
    OutputSettings& output() { return m_output; }
    const FittingView& view() const { return m_view; }
    const HashVariableSet& variables() const { return m_vars; }
    const DeviceHashTable& table() const { return m_table; }
    bool patchReady() const { return m_patchReady; }
    bool isRunning() const { return m_timer->isActive(); }

    // The main window's "Подбор переменных ХЭШирования": runs the opening checks (unless in test
    // mode) and, when they pass, resets the window as showing it does. Returns whether to show it.
    bool open();
    // Showing the window: opening boxes, automatic mode ticked, no patch.
    void shown();
    // "Scan Buffer" and "Просканировать буфер и подобрать со *".
    void scan();
    // FitHashVariables: one fitting run (the timer's tick).
    void tick();
    // "Save Pach".
    bool save();

    // The patch stamp from the clock and the random source.
    PatchStamp clockStamp();

private:
    struct Bounds;
    bool fail(const QString& message, bool beep = true);
    void failCheck(const QString& code, const QString& status);
    void collectBounds(Bounds& b) const;
    std::int32_t pauseEstimate(const Bounds& b, std::int64_t t);
    int breakingPointSearch(const DeviceHashBuilder& builder);
    void showBox(HashVariableSet::Index i);
    void writePatch();

    const ButtonBase& m_base;
    RescanFlags& m_flags;
    Dialogs& m_dialogs;
    Clock& m_clock;
    RandomSource& m_random;
    const HashPanelSettings& m_panel;
    const ReceptionSettings& m_reception;
    const TestAreaSettings& m_testArea;
    RecordCursor& m_cursor;
    StampOverride m_stampOverride;
    FittingSettings m_settings;
    OutputSettings m_output;
    FittingView m_view;
    HashVariableSet m_vars;
    DeviceHashTable m_table;
    std::unique_ptr<Timer> m_timer;
    bool m_patchReady = false;
    int m_autoReRuns = 0; // automatic re-runs since the last scan
};

// Messages of the fitting window.
namespace FittingText {
inline const QString kFewerThan4 = QStringLiteral("В буфере меньше 4х образцов");
inline const QString kSelectOneBit =
    QStringLiteral("Нужно выбрать ХЭШ 1bit на панели\r\nKestrum -> Модули ХЭШирования -> ХЭШ 1bit.");
inline const QString kNotRescanned =
    QStringLiteral("До полного пересканирования ХЭШей\r\n            рассчёты невозможны.");
inline const QString kFewerThan15 = QStringLiteral("В буфере меньше 15 образцов\r\n          Продолжить?");
inline const QString kFewerThan2 = QStringLiteral("В буфере меньше 2x образцов - подобрать невозможно!");
inline const QString kWorking = QStringLiteral("Состояние - Провожу рассчёты");
inline const QString kBitOutOfRange = QStringLiteral("Слишком завышен битрейт - KnBit (8-38)");
inline const QString kBitAbovePmax = QStringLiteral("Битрейт больше - макс. длины посылки KnPmax");
inline const QString kUnchanged = QStringLiteral("Состояние - Одна из переменных не изменилась");
inline const QString kNoTolerance = QStringLiteral("Состояние - Не удалось учесть разброс");
inline const QString kChoosePause = QStringLiteral("ОШИБКА!!! Выберите KnPz1 и KnPz0");
inline const QString kDone = QStringLiteral("Состояние - Данные рассчитанны");
} // namespace FittingText

} // namespace ravlin
