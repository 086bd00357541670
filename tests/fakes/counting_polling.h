#pragma once

#include "base/core/polling_control.h"

namespace ravlin::fakes {

// Polling that only counts what it is asked.
struct CountingPolling final : PollingControl {
    bool polling = false;
    int stops = 0;
    int starts = 0;
    int slowStarts = 0;
    int status = 0;

    void stopPolling() override {
        polling = false;
        ++stops;
    }
    void startPolling() override {
        polling = true;
        ++starts;
    }
    bool isPolling() const override { return polling; }
    void enterSlowStartMode() override { ++slowStarts; }
    int lastDriverStatus() const override { return status; }
};

} // namespace ravlin::fakes
