#pragma once

#include "base/core/analogue_base.h"
#include "base/core/button_base.h"
#include "base/core/capture_buffer.h"
#include "base/core/session_flags.h"
#include "capture/core/pipeline.h"
#include "capture/core/position_distribution.h"
#include "fakes/counting_polling.h"
#include "fakes/manual_scheduler.h"
#include "fakes/scripted_dialogs.h"
#include "hashing/core/panel_settings.h"

#include <QStringList>

#include <vector>

namespace ravlin::testing {

// A pulse-distance frame of 67 durations with 4 data bytes, in Movrik units: leader 422/211, marks
// 26, spaces 26 for "0" and 79 for "1". Byte k is read from space 18 + 16k down to 4 + 16k, the
// first bit from the highest position.
inline std::vector<std::int32_t> pulseDistanceFrame(std::array<int, 4> bytes) {
    std::vector<std::int32_t> d(67, 26);
    d[0] = 422;
    d[1] = 211;
    for (int k = 0; k < 4; ++k) {
        for (int bit = 0; bit < 8; ++bit) {
            const int position = 18 + 16 * k - 2 * bit; // MSB first
            d[static_cast<std::size_t>(position - 1)] =
                (bytes[static_cast<std::size_t>(k)] >> (7 - bit)) & 1 ? 79 : 26;
        }
    }
    return d;
}

// A burst of 31 durations that no sub-decoder takes: leader 300/150, marks 30, spaces 30 or 90.
inline std::vector<std::int32_t> plainBurst(unsigned pattern) {
    std::vector<std::int32_t> d(31, 30);
    d[0] = 300;
    d[1] = 150;
    for (int i = 4; i <= 31; i += 2)
        d[static_cast<std::size_t>(i - 1)] = (pattern >> (i / 2)) & 1 ? 90 : 30;
    return d;
}

// The shared state a processing run works on, owned here as the workbench owns it.
struct RunState {
    CaptureBuffer buffer;
    ButtonBase base;
    WorkingRecord working;
    AnalogueBase analogues;
    PositionDistribution distribution;
    HashPanelSettings panel;
    DecoderSettings decoder;
    CaptureSessionFlags session;
    MatchSignalSettings match;
    BaseEntry entry;
    BurstFields burst;
    ReceptionView reception;
    RescanFlags rescanFlags;
    PageInFront page{true, false};
    ResultLog memo;
    QString caption = QStringLiteral("Ravlin");
    fakes::ScriptedDialogs dialogs;
    fakes::ManualScheduler scheduler;

    PipelineState state(const ReceptionSettings& receptionSettings) {
        return PipelineState{
            buffer, base,  working, analogues, distribution,      panel,       decoder, session,
            match,  entry, burst,   reception, receptionSettings, rescanFlags, page,    memo};
    }
};

struct PipelineRig : RunState {
    bool& burstPage = page.burstPage;
    bool& hashTab = page.hashModules;
    bool& rescan = rescanFlags.running;
    ReceptionSettings receptionSettings; // "В 3 байта"
    fakes::CountingPolling polling;
    int& restarts = polling.starts;
    int& stops = polling.stops;
    int matches = 0;
    const QStringList& log = memo.lines();

    Pipeline pipeline{state(receptionSettings), dialogs, scheduler, polling};

    PipelineRig() {
        QObject::connect(&pipeline, &Pipeline::matched, [this] { ++matches; });
        QObject::connect(&pipeline, &Pipeline::errorCaption, [this](const QString& c) { caption = c; });
    }

    // Stores a burst as the receiver would, then lets the processing timer run it.
    void receive(const std::vector<std::int32_t>& durations, bool fromRecord = false) {
        buffer.clear();
        for (auto d : durations)
            buffer.append(d);
        buffer.fromRecord = fromRecord;
        working.timings = timingTextsOf(buffer.span());
        pipeline.schedule();
        scheduler.advance(5);
    }

    void addRecord(const QString& name, const QString& hash,
                   const QString& remote = QStringLiteral("Пульт 1")) {
        ButtonRecord r;
        r.remoteName = remote;
        r.buttonName = name;
        r.hash = hash;
        base.append(r);
    }
};

} // namespace ravlin::testing
