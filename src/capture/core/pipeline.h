#pragma once

#include "acquisition/core/reception_settings.h"
#include "base/core/analogue_base.h"
#include "base/core/analogue_lookup.h"
#include "base/core/base_entry.h"
#include "base/core/button_base.h"
#include "base/core/capture_buffer.h"
#include "base/core/page_in_front.h"
#include "base/core/polling_control.h"
#include "base/core/rescan_flags.h"
#include "base/core/session_flags.h"
#include "capture/core/distribution_drawing.h"
#include "capture/core/position_distribution.h"
#include "hashing/core/hash_module.h"
#include "hashing/core/panel_settings.h"
#include "hashing/core/protocol_decoder.h"
#include "platform/core/dialogs.h"
#include "platform/core/result_log.h"
#include "platform/core/timer.h"
#include "platform/core/view_colour.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace ravlin {

inline const QString kNotAvailable = QStringLiteral("N/A");
inline const QString kHvost = QStringLiteral("Hvost");
inline const QString kDecodedPlaceholder = QStringLiteral("ХЭШ 96");
inline const QString kVarsPlaceholder = QStringLiteral("Его переменные");
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

// The shared state the run works on, owned by the workbench.
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
    BaseEntry& entry;         // the record-entry panel: names, record number, PanelSi1, counts
    BurstFields& burst;       // the hash box
    ReceptionView& reception; // the repeat square and whether the last burst was recognised
    const ReceptionSettings& receptionSettings; // the repeat limit: 3 ("В 3 байта") or 5 ("В 5 байт")
    const RescanFlags& rescan;                  // a rescan is running
    const PageInFront& page;                    // which page is in front
    ResultLog& log;                             // the results memo
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
class Pipeline : public QObject {
    Q_OBJECT

public:
    // Polling is stopped while a run works and restarted after it (not during a rescan).
    Pipeline(PipelineState state, Dialogs& dialogs, TimerFactory& timers, PollingControl& polling);

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

    PipelineSettings& settings() { return m_settings; }
    const PipelineView& view() const { return m_view; }
    PipelineView& view() { return m_view; }

    const RunOutcome& lastOutcome() const { return m_last; }
    bool recognised() const { return m_s.reception.lastBurstRecognised; }
    const QString& lastSelectedHash() const { return m_lastSelectedHash; }
    // The last button name that was neither "N/A" nor "Hvost".
    const QString& lastRealButtonName() const { return m_lastRealName; }
    const DurationHistogram& histogram() const { return m_histogram; }

    // Filters a button-name box text to the allowed characters, Latin letters made upper case.
    static QString filterButtonName(const QString& text);

signals:
    // The match window's record was received: reset the run counter, press start, blink.
    void matched();
    // An error code for the main window's caption.
    void errorCaption(const QString& caption);

private:
    bool isBurstPage() const { return m_s.page.burstPage; }
    bool isHashTab() const { return isBurstPage() && m_s.page.hashModules; }
    bool isRescan() const { return m_s.rescan.running; }
    void log(const QString& line) const;
    void showCaption(const QString& caption);

    void showModules(const RunOutcome& out);
    void drawVariables(const RunOutcome& out);
    void checkAnalogues();
    void normaliseButtonName();
    void rehashShownRecord();
    bool autoAdd();
    void lookUp();

    PipelineState m_s;
    Dialogs& m_dialogs;
    PollingControl& m_polling;
    std::unique_ptr<Timer> m_timer;

    PipelineSettings m_settings;
    PipelineView m_view;
    DistributionSettings m_distributionSettings;
    Picture m_irDistribution{kImage3Width, kImage3Height, {}};
    DurationHistogram m_histogram;
    RunOutcome m_last;

    QString m_lastSelectedHash = kNotAvailable;
    QString m_lastRealName = kNotAvailable;
    bool m_firstRun = true;
    bool m_clearImageNext = false;
};

} // namespace ravlin
