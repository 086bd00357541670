#pragma once

#include <functional>
#include <memory>

namespace ravlin {

// A repeating (or single-shot) timer. Core objects start and stop it where the system does;
// each timeout calls the handler on the user-interface thread.
class Timer {
public:
    virtual ~Timer() = default;

    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;
    virtual void setSingleShot(bool singleShot) = 0;
    // Stops the timer when its next timeout fires (before the handler runs) if single-shot.
    virtual void setHandler(std::function<void()> handler) = 0;

    // Restarts with a new interval.
    void start(int ms) {
        setInterval(ms);
        start();
    }
};

class TimerFactory {
public:
    virtual ~TimerFactory() = default;
    virtual std::unique_ptr<Timer> create(int intervalMs, bool singleShot = false) = 0;
};

} // namespace ravlin
