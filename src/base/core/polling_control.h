#pragma once

namespace ravlin {

// The receiver's poll timer as the parts that pause it see it: the processing run, the rescan,
// "Источник", the EEPROM write run and the start-up. The poller implements it; it lives here so
// the base commands below the receiver can hold it.
class PollingControl {
public:
    virtual ~PollingControl() = default;
    virtual void stopPolling() = 0;
    virtual void startPolling() = 0;
    virtual bool isPolling() const = 0;
    // The start tick's slow start mode (1000 ms, slow flag, counters reset).
    virtual void enterSlowStartMode() = 0;
    // The receiver's status at the last poll (0: ready).
    virtual int lastDriverStatus() const = 0;
};

// Polling that is not there (the command-line tool, tests of parts that do not poll).
class NoPolling final : public PollingControl {
public:
    void stopPolling() override {}
    void startPolling() override {}
    bool isPolling() const override { return false; }
    void enterSlowStartMode() override {}
    int lastDriverStatus() const override { return 0; }
};

} // namespace ravlin
