#pragma once

#include "platform/core/timer.h"

#include <functional>

namespace ravlin {

// A TimerFactory that decorates another one: every timeout runs the timer's own handler and
// then calls `afterTick`. The workbench hands this factory to every core object, so each timer
// tick is followed by one change announcement without the objects knowing about it.
class NotifyingTimerFactory : public TimerFactory {
public:
    NotifyingTimerFactory(TimerFactory& inner, std::function<void()> afterTick)
        : m_inner(inner), m_afterTick(std::move(afterTick)) {}

    std::unique_ptr<Timer> create(int intervalMs, bool singleShot = false) override;

private:
    TimerFactory& m_inner;
    std::function<void()> m_afterTick;
};

} // namespace ravlin
