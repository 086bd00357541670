#include "shell/core/workbench.h"
#include "shell/core/workbench_parts.h"

namespace ravlin {

// Open/Save of base files, the rescan with its duplicate removal, and the statistics, wired to the
// base-entry commands (record number, go to record, clear, count label), the receiver, the
// hash-modules panel, the zoom settings and the result log.
void Workbench::connectBaseFiles() {
    BaseEditor& editor = *m_baseEditor;
    BaseEntry& entry = m_entry;

    m_baseFiles = std::make_unique<BaseFileCommands>(m_base, m_dialogs, m_rescanFlags, m_hexBaza, m_presets);
    BaseFileCommands::Hooks& f = m_baseFiles->hooks();
    f.log = [this](const QString& line) { log(line); };
    f.clearLog = [this] { m_log.clear(); };
    f.gatherSettings = [this] { return baseFileSettings(); };
    f.applySettings = [this](const BaseFileSettings& s) { applyBaseFileSettings(s); };
    f.remoteName = [&entry] { return entry.settings.remoteName; };
    f.setRecordNumber = [&entry](const QString& n) { entry.settings.recordNumber = n; };
    f.goToRecord = [&editor] { editor.goToRecord(); };
    f.clearBase = [&editor] { editor.clearBase(); };
    f.countChanged = [this, &entry] { entry.view.countLabel = QString::number(m_base.count()); };

    m_rescan = std::make_unique<Rescan>(m_base, m_dialogs, m_timers, m_rescanFlags, m_hexBaza);
    Rescan::Hooks& r = m_rescan->hooks();
    r.recordNumber = [&entry] { return entry.settings.recordNumber; };
    r.setRecordNumber = [&entry](const QString& n) { entry.settings.recordNumber = n; };
    // Go-to-record hands the rebuilt buffer to processing, which stores the new hash into the
    // record the box shows while the rescan runs.
    r.goToRecord = [&editor] { editor.goToRecord(); };
    r.restartPolling = [this] { m_poller->startPolling(); };
    r.m96Selected = [this] { return m_hashPanel.source == HashSource::M96; };
    r.log = [this](const QString& line) { log(line); };
    r.countChanged = [this, &entry] { entry.view.countLabel = QString::number(m_base.count()); };
    r.intervalMs = [this] { return m_poller->settings().rescanIntervalMs(); };
}

BaseFileSettings Workbench::baseFileSettings() const {
    BaseFileSettings s = m_fileOnlySettings;
    const ReceptionSettings& rx = m_poller->settings();
    s.receiverKind = rx.kindText;
    s.skipRepeats = rx.skipRepeats;
    s.repeatsFiveBytes = rx.fiveByteRepeats;
    s.autoThreshold = m_hashPanel.autoThreshold;
    s.hash1bit = m_hashPanel.oneBit;
    s.threshold = m_hashPanel.threshold;
    s.autoZoom = m_zoom.automatic;
    s.minPaint = m_zoom.narrowestFilled;
    s.manualZoom = m_zoom.manualPosition;
    s.matchTarget = m_match.recordNumber;
    if (m_fitting) s.fittingAutoChoice = m_fitting->settings().automatic;
    return s;
}

void Workbench::applyBaseFileSettings(const BaseFileSettings& s) {
    m_fileOnlySettings = s;
    ReceptionSettings& rx = m_poller->settings();
    rx.kindText = s.receiverKind;
    rx.skipRepeats = s.skipRepeats;
    rx.fiveByteRepeats = s.repeatsFiveBytes;
    m_hashPanel.autoThreshold = s.autoThreshold;
    m_hashPanel.oneBit = s.hash1bit;
    m_hashPanel.threshold = s.threshold;
    m_zoom.automatic = s.autoZoom;
    m_zoom.narrowestFilled = s.minPaint;
    m_zoom.manualPosition = s.manualZoom;
    m_match.recordNumber = s.matchTarget;
    if (m_fitting) m_fitting->settings().automatic = s.fittingAutoChoice;
}

} // namespace ravlin
