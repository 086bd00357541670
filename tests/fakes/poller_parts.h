#pragma once

#include "acquisition/core/poller.h"
#include "base/core/button_base.h"
#include "base/core/capture_buffer.h"

namespace ravlin::fakes {

// The state a poller works on, owned in one place: tests and the fuzz target build a Poller over
// `state()` and look at the parts afterwards.
struct PollerParts {
    CaptureBuffer buffer;
    WorkingRecord working;
    ButtonBase base;
    ReceptionView view;
    BaseEntry entry;
    BurstFields burst;
    ResultLog log;

    PollerState state() { return {buffer, working, base, view, entry.view, burst, log}; }
};

} // namespace ravlin::fakes
