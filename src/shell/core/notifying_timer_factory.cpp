#include "shell/core/notifying_timer_factory.h"

namespace ravlin {

namespace {

class NotifyingTimer : public Timer {
public:
    NotifyingTimer(std::unique_ptr<Timer> inner, const std::function<void()>& afterTick)
        : m_inner(std::move(inner)), m_afterTick(afterTick) {}

    void start() override { m_inner->start(); }
    void stop() override { m_inner->stop(); }
    bool isActive() const override { return m_inner->isActive(); }
    void setInterval(int ms) override { m_inner->setInterval(ms); }
    int interval() const override { return m_inner->interval(); }
    void setSingleShot(bool singleShot) override { m_inner->setSingleShot(singleShot); }
    void setHandler(std::function<void()> handler) override {
        if (!handler) {
            m_inner->setHandler({});
            return;
        }
        // The announcement is a copy of the factory's function, so it outlives nothing it needs.
        m_inner->setHandler([h = std::move(handler), after = m_afterTick] {
            const auto announce = after; // the handler may replace this very lambda
            h();
            if (announce) announce();
        });
    }

private:
    std::unique_ptr<Timer> m_inner;
    std::function<void()> m_afterTick;
};

} // namespace

std::unique_ptr<Timer> NotifyingTimerFactory::create(int intervalMs, bool singleShot) {
    return std::make_unique<NotifyingTimer>(m_inner.create(intervalMs, singleShot), m_afterTick);
}

} // namespace ravlin
