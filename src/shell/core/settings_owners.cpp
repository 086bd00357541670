#include "shell/core/settings_owners.h"

namespace ravlin {

BaseFileSettings OwnedCarriedSettings::gather() const {
    BaseFileSettings s = m_fileOnly;
    s.receiverKind = m_reception.kindText;
    s.skipRepeats = m_reception.skipRepeats;
    s.repeatsFiveBytes = m_reception.fiveByteRepeats;
    s.autoThreshold = m_panel.autoThreshold;
    s.hash1bit = m_panel.oneBit;
    s.threshold = m_panel.threshold;
    s.autoZoom = m_zoom.automatic;
    s.minPaint = m_zoom.narrowestFilled;
    s.manualZoom = m_zoom.manualPosition;
    s.matchTarget = m_match.recordNumber;
    s.fittingAutoChoice = m_fitting.automatic;
    return s;
}

void OwnedCarriedSettings::apply(const BaseFileSettings& s) {
    m_fileOnly = s;
    m_reception.kindText = s.receiverKind;
    m_reception.skipRepeats = s.skipRepeats;
    m_reception.fiveByteRepeats = s.repeatsFiveBytes;
    m_panel.autoThreshold = s.autoThreshold;
    m_panel.oneBit = s.hash1bit;
    m_panel.threshold = s.threshold;
    m_zoom.automatic = s.autoZoom;
    m_zoom.narrowestFilled = s.minPaint;
    m_zoom.manualPosition = s.manualZoom;
    m_match.recordNumber = s.matchTarget;
    m_fitting.automatic = s.fittingAutoChoice;
}

} // namespace ravlin
