#pragma once

#include "acquisition/core/reception_settings.h"
#include "base/core/base_file_commands.h"
#include "base/core/capture_session.h"
#include "base/core/session_flags.h"
#include "capture/core/oscillogram.h"
#include "capture/core/pipeline.h"
#include "firmware/core/fitting.h"
#include "hashing/core/panel_settings.h"

namespace ravlin {

// The settings a base file carries, gathered from the windows that own them and applied back:
// the reception parameters, the hash-modules panel, the zoom, the match window's record, the
// fitting's automatic choice, and those no window keeps yet.
class OwnedCarriedSettings final : public CarriedSettings {
public:
    OwnedCarriedSettings(ReceptionSettings& reception, HashPanelSettings& panel, ZoomSettings& zoom,
                         MatchSignalSettings& match, FittingSettings& fitting)
        : m_reception(reception), m_panel(panel), m_zoom(zoom), m_match(match), m_fitting(fitting) {}

    BaseFileSettings gather() const override;
    void apply(const BaseFileSettings& settings) override;

private:
    ReceptionSettings& m_reception;
    HashPanelSettings& m_panel;
    ZoomSettings& m_zoom;
    MatchSignalSettings& m_match;
    FittingSettings& m_fitting;
    BaseFileSettings m_fileOnly; // those whose windows keep no settings of their own yet
};

// The three options a capture session takes while it runs, in their owners: the reception
// parameters, the processing run and the match window.
class OwnedSessionOptions final : public SessionOptions {
public:
    OwnedSessionOptions(ReceptionSettings& reception, PipelineSettings& pipeline, MatchSignalSettings& match)
        : m_reception(reception), m_pipeline(pipeline), m_match(match) {}

    std::array<bool, 3> values() const override {
        return {m_reception.skipRepeats, m_pipeline.autoAdd, m_match.enabled};
    }
    void set(const std::array<bool, 3>& v) override {
        m_reception.skipRepeats = v[0];
        m_pipeline.autoAdd = v[1];
        m_match.enabled = v[2];
    }

private:
    ReceptionSettings& m_reception;
    PipelineSettings& m_pipeline;
    MatchSignalSettings& m_match;
};

} // namespace ravlin
