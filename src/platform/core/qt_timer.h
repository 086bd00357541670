#pragma once

#include "platform/core/timer.h"

namespace ravlin {

// TimerFactory of production: QTimer on the thread's event loop.
class QtTimerFactory : public TimerFactory {
public:
    std::unique_ptr<Timer> create(int intervalMs, bool singleShot = false) override;
};

} // namespace ravlin
