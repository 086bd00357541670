#pragma once

// The parts of the workbench that windows are assembled from: its shared state and its subsystems'
// core objects, as references, in one struct. ShellWindows takes them once, when it builds the
// windows, and hands each window the parts it shows; the test fixtures take them to arrange and
// inspect state. Everything else reads the workbench's const views and calls its commands.

#include "acquisition/core/poller.h"
#include "base/core/analogue_base.h"
#include "base/core/base_editor.h"
#include "base/core/base_file_commands.h"
#include "base/core/capture_session.h"
#include "base/core/hash_sources.h"
#include "base/core/match_visualisation.h"
#include "base/core/name_choice.h"
#include "base/core/name_picture.h"
#include "base/core/rescan.h"
#include "base/core/test_area.h"
#include "capture/core/oscillogram.h"
#include "capture/core/pipeline.h"
#include "capture/core/signal_file_commands.h"
#include "capture/core/signal_view.h"
#include "firmware/core/action_map.h"
#include "firmware/core/eeprom_operations.h"
#include "firmware/core/fitting.h"
#include "shell/core/startup.h"
#include "shell/core/workbench.h"

namespace ravlin {

struct WorkbenchParts {
    // Ports: the dialogs, and the timer factory whose timers announce a change after every tick.
    Dialogs& dialogs;
    TimerFactory& timers;

    // Shared state.
    ButtonBase& base;
    WorkingRecord& working;
    CaptureBuffer& capture;
    AnalogueBase& analogues;
    HashPanelSettings& hashPanel;
    FileDialogPresets& presets;
    NamePictureState& namePicture;
    ResultLog& resultLog;
    BurstFields& burstFields;
    ZoomSettings& zoom;
    DecoderSettings& decoderSettings;
    MatchSignalSettings& matchSignal;
    HexBazaSettings& hexBaza;
    RescanFlags& rescanFlags;
    ActionMap& actionMap;

    // Subsystems.
    Startup& startup;
    Oscillogram& oscillogram;
    SignalView& signalView;
    BaseEditor& baseEditor;
    Poller& poller;
    Pipeline& pipeline;
    BaseFileCommands& baseFiles;
    Rescan& rescan;
    SignalFileCommands& signalFiles;
    HashSources& hashSources;
    NamePicture& namePictureAid; // name by picture (TForm2)
    NameChoice& nameChoice;      // name choice (TForm8)
    MatchVisualisation& matchVisualisation;
    CaptureSession& captureSession;
    TestArea& testArea;
    Fitting& fitting;
    ActionMapCommands& actionMapCommands;
    EepromOperations& eeprom;
};

// The parts of `wb`.
inline WorkbenchParts partsOf(Workbench& wb) {
    return {wb.m_dialogs,
            wb.m_timers,
            wb.m_base,
            wb.m_working,
            wb.m_capture,
            wb.m_analogues,
            wb.m_hashPanel,
            wb.m_presets,
            wb.m_namePicture,
            wb.m_log,
            wb.m_burst,
            wb.m_zoom,
            wb.m_decoder,
            wb.m_match,
            wb.m_hexBaza,
            wb.m_rescanFlags,
            wb.m_actionMap,
            *wb.m_startup,
            *wb.m_oscillogram,
            *wb.m_signalView,
            *wb.m_baseEditor,
            *wb.m_poller,
            *wb.m_pipeline,
            *wb.m_baseFiles,
            *wb.m_rescan,
            *wb.m_signalFiles,
            *wb.m_hashSources,
            *wb.m_namePictureAid,
            *wb.m_nameChoice,
            *wb.m_matchVisualisation,
            *wb.m_captureSession,
            *wb.m_testArea,
            *wb.m_fitting,
            *wb.m_actionMapCommands,
            *wb.m_eeprom};
}

} // namespace ravlin
