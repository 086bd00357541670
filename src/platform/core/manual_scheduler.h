#pragma once

#include "platform/core/timer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace ravlin {

// A TimerFactory whose timers fire only when its owner advances the clock (tests, the command-line
// tool and the screenshot tour, which shows a blinking window or a session half-way without waiting for real
// time). advance(ms) fires due timeouts in time order (ties in creation order), synchronously, re-arming
// repeating timers.
class ManualScheduler : public TimerFactory {
public:
    std::unique_ptr<Timer> create(int intervalMs, bool singleShot = false) override;

    void advance(std::int64_t ms);
    // Advances the clock by `stepMs` while `busy` holds, at most `maxSteps` times (a driver stepping
    // a run to its end: the command-line tool's fitting, the screenshot tour).
    void advanceWhile(const std::function<bool()>& busy, std::int64_t stepMs, int maxSteps);
    std::int64_t now() const { return m_now; }
    // Number of live timers that are active.
    int activeCount() const;

    struct Entry; // internal, shared with the timers it made

private:
    std::int64_t m_now = 0;
    std::uint64_t m_order = 0;
    std::vector<std::shared_ptr<Entry>> m_entries;
    friend class ManualTimer;
};

} // namespace ravlin
