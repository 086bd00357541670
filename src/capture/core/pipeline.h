#pragma once

#include "base/core/analogue_base.h"
#include "base/core/analogue_lookup.h"
#include "base/core/button_base.h"
#include "base/core/capture_buffer.h"
#include "base/core/session_flags.h"
#include "capture/core/distribution_drawing.h"
#include "capture/core/position_distribution.h"
#include "hashing/core/hash_module.h"
#include "hashing/core/panel_settings.h"
#include "hashing/core/protocol_decoder.h"
#include "platform/core/dialogs.h"
#include "platform/core/timer.h"
#include "platform/core/view_colour.h"

#include <QString>

#include <functional>
#include <memory>

namespace ravlin {

inline const QString kNotAvailable = QStringLiteral("N/A");
inline const QString kHvost = QStringLiteral("Hvost");
inline const QString kDecodedPlaceholder = QStringLiteral("ХЭШ 96");
inline const QString kVarsPlaceholder = QStringLiteral("Его переменные");
inline const QString kChangeCaption = QStringLiteral("Изменить");
inline const QString kAddCaption = QStringLiteral("Добавить");
inline const QString kAbsentIndex = QStringLiteral("Отсутствует");

// Keeps the module check boxes consistent with the selected hash source and locks those the
// source needs (the hidden "!" button of the hash-modules tab, without its status-text reset).
void synchronisePanel(HashPanelSettings& settings);

// Options of the processing run that are not on the hash-modules tab.
struct PipelineSettings {
    bool autoAdd = false;       // "Автоматически добавлять новые"
    bool checkAnalogues = true; // CheckBoxBaz "Проверять аналоги... (в базу внесены"
};

// What the run shows on the hash-modules and "Модуль 96 и другие" tabs and in the analogue group.
struct PipelineView {
    QString decodedText = kDecodedPlaceholder; // EditHs1
    QString decodedVars = kVarsPlaceholder;    // EditHs2
    QString oneBitStatus = kNotAvailable;      // LabelHs2
    QString xBitStatus = kNotAvailable;        // LabelHs3
    QString decoderStatus = kNotAvailable;     // LabelHs96
    QString minLabel = QStringLiteral("Min");
    QString maxLabel = QStringLiteral("Max");
    QString mediumLabel = QStringLiteral("Medium");
    Picture variableDistribution{kImage2Width, kImage2Height, {}}; // Image2
    AnalogueView analogue;                                         // LabelD1 and the "СМ." button
};

// Fields of other windows and tabs that the run reads and writes. The workbench points them at
// the real state; an unbound field uses storage inside the pipeline.
struct MainEntryFields {
    QString caption = QStringLiteral("Ravlin");
    ViewColour repeatIndicator = ViewColour::Face;
    QString hashField = WorkingRecord::kHashPlaceholder; // EditPebr
    QString buttonName = kNotAvailable;                  // ComboBoxKey
    ViewColour nameMarker = ViewColour::Face;            // Panel1
    QString remoteName = QStringLiteral("Пульт 1");      // Edit10
    QString recordNumber = QStringLiteral("1");          // Edit6
    QString recordPanel;                                 // PanelSi1
    ViewColour recordPanelColour = ViewColour::Face;
    QString changeCaption = kChangeCaption;       // ButtonDey1
    QString countLabel = QStringLiteral("000");   // LabelKn
    QString lastRealName = QStringLiteral("N/A"); // the last name that was neither "N/A" nor "Hvost"
};

struct PipelineBindings {
    QString* caption = nullptr;
    ViewColour* repeatIndicator = nullptr;
    QString* hashField = nullptr;
    QString* buttonName = nullptr;
    ViewColour* nameMarker = nullptr;
    QString* remoteName = nullptr;
    QString* recordNumber = nullptr;
    QString* recordPanel = nullptr;
    ViewColour* recordPanelColour = nullptr;
    QString* changeCaption = nullptr;
    QString* countLabel = nullptr;
    QString* lastRealName = nullptr;
};

// What the run asks of the rest of the workbench.
struct PipelineHooks {
    std::function<void()> stopPolling;
    std::function<void()> restartPolling;
    std::function<bool()> rescanRunning;
    std::function<bool()> kestrumActive;     // the " Kestrum " page is in front
    std::function<bool()> hashTabActive;     // ... and its inner page "Модули ХЭШирования"
    std::function<int()> repeatLimit;        // 3 ("В 3 байта") or 5 ("В 5 байт")
    std::function<void()> matchSignal;       // reset the run counter, press start, start the blink timer
    std::function<void(const QString&)> log; // a line of the results memo
    std::function<void(int index)> recordAdded;
};

// The shared state the run works on.
struct PipelineState {
    CaptureBuffer& buffer;
    ButtonBase& base;
    WorkingRecord& working;
    const AnalogueBase& analogues;
    PositionDistribution& distribution;
    HashPanelSettings& panel;
    DecoderSettings& decoder;
    CaptureSessionFlags& session;
    MatchSignalSettings& match;
};

// Everything one run computed, for the command-line tool and tests.
struct RunOutcome {
    bool decoderRan = false;
    DecoderResult decoder;
    bool oneBitRan = false;
    HashResult oneBit;
    QString oneBitText = kNotAvailable;
    bool xBitRan = false;
    HashResult xBit;
    QString xBitText = kNotAvailable;
    bool ver1Ran = false;
    QString ver1Text = kNotAvailable;
    QString selection = kNotAvailable;
    int threshold = 0;
    bool added = false;
};

// The hash computation of one run (decoder, modules, selection, Ver1 and the threshold), with no
// display. `beep` is called for the module anomalies. Also used by the command-line tool.
RunOutcome computeHash(std::span<const std::int32_t> durations, const HashPanelSettings& panel,
                       const DecoderSettings& decoder, DurationHistogram* histogram,
                       const std::function<void()>& beep = {});

// "Включить Автоподбор": the threshold a run ended with goes back into "Порог" (when not 0).
void writeBackThreshold(HashPanelSettings& panel, int threshold);

// The processing run that every stored burst goes through, driven by the 5 ms processing timer.
class Pipeline {
public:
    Pipeline(PipelineState state, Dialogs& dialogs, TimerFactory& timers, PipelineHooks hooks = {},
             PipelineBindings bindings = {});

    // Enables the processing timer; its tick runs the pipeline once.
    void schedule();
    bool isScheduled() const;
    // One run, in order; the processing tick calls this.
    void run();

    // The hidden "!" button of the hash-modules tab.
    void applyPanel();
    // "Очистить распределение".
    void clearDistribution();
    // "Нанести": redraws the IR Distribution picture from the map.
    void drawDistribution();
    DistributionSettings& distributionSettings() { return m_distributionSettings; }
    const Picture& irDistribution() const { return m_irDistribution; }
    // The display reset fills the variable-distribution picture black.
    void clearVariablePicture() { m_view.variableDistribution.fill(ViewColour::Black); }

    // Hooks the workbench fills after construction (e.g. the rescan's running state).
    PipelineHooks& hooks() { return m_hooks; }

    PipelineSettings& settings() { return m_settings; }
    const PipelineView& view() const { return m_view; }
    PipelineView& view() { return m_view; }
    MainEntryFields fields() const;                          // the bound fields' current values
    const PipelineBindings& bindings() const { return m_b; } // every pointer set

    const RunOutcome& lastOutcome() const { return m_last; }
    bool recognised() const { return m_recognised; }
    const QString& lastSelectedHash() const { return m_lastSelectedHash; }
    const QString& lastRealButtonName() const { return *m_b.lastRealName; }
    const DurationHistogram& histogram() const { return m_histogram; }

    // Filters a button-name box text to the allowed characters, Latin letters made upper case.
    static QString filterButtonName(const QString& text);

private:
    bool isKestrum() const { return m_hooks.kestrumActive && m_hooks.kestrumActive(); }
    bool isHashTab() const { return isKestrum() && m_hooks.hashTabActive && m_hooks.hashTabActive(); }
    bool isRescan() const { return m_hooks.rescanRunning && m_hooks.rescanRunning(); }
    void log(const QString& line) const;

    void showModules(const RunOutcome& out);
    void drawVariables(const RunOutcome& out);
    void checkAnalogues();
    void normaliseButtonName();
    void rehashShownRecord();
    bool autoAdd();
    void lookUp();

    PipelineState m_s;
    Dialogs& m_dialogs;
    PipelineHooks m_hooks;
    MainEntryFields m_own;
    PipelineBindings m_b;
    std::unique_ptr<Timer> m_timer;

    PipelineSettings m_settings;
    PipelineView m_view;
    DistributionSettings m_distributionSettings;
    Picture m_irDistribution{kImage3Width, kImage3Height, {}};
    DurationHistogram m_histogram;
    RunOutcome m_last;

    bool m_recognised = false;
    QString m_lastSelectedHash = kNotAvailable;
    bool m_firstRun = true;
    bool m_clearImageNext = false;
};

} // namespace ravlin
