#include "platform/core/manual_scheduler.h"

#include <algorithm>
#include <functional>
#include <limits>

namespace ravlin {

struct ManualScheduler::Entry {
    bool alive = true;
    bool active = false;
    bool singleShot = false;
    int interval = 0;
    std::int64_t due = 0;
    std::uint64_t order = 0; // creation order breaks ties
    std::function<void()> handler;
};

class ManualTimer : public Timer {
public:
    ManualTimer(ManualScheduler& s, std::shared_ptr<ManualScheduler::Entry> e) : m_s(s), m_e(std::move(e)) {}
    ~ManualTimer() override {
        m_e->alive = false;
        m_e->active = false;
    }
    void start() override {
        m_e->active = true;
        m_e->due = m_s.m_now + std::max(m_e->interval, 1);
    }
    void stop() override { m_e->active = false; }
    bool isActive() const override { return m_e->active; }
    void setInterval(int ms) override {
        m_e->interval = ms;
        // Like QTimer: changing the interval of a running timer restarts it.
        if (m_e->active) m_e->due = m_s.m_now + std::max(ms, 1);
    }
    int interval() const override { return m_e->interval; }
    void setSingleShot(bool singleShot) override { m_e->singleShot = singleShot; }
    void setHandler(std::function<void()> handler) override { m_e->handler = std::move(handler); }

private:
    ManualScheduler& m_s;
    std::shared_ptr<ManualScheduler::Entry> m_e;
};

std::unique_ptr<Timer> ManualScheduler::create(int intervalMs, bool singleShot) {
    auto e = std::make_shared<Entry>();
    e->interval = intervalMs;
    e->singleShot = singleShot;
    e->order = m_order++;
    m_entries.push_back(e);
    return std::make_unique<ManualTimer>(*this, e);
}

void ManualScheduler::advance(std::int64_t ms) {
    const std::int64_t end = m_now + ms;
    for (;;) {
        std::shared_ptr<Entry> next;
        for (const auto& e : m_entries) {
            if (!e->alive || !e->active || e->due > end) continue;
            if (!next || e->due < next->due || (e->due == next->due && e->order < next->order)) next = e;
        }
        if (!next) break;
        m_now = next->due;
        if (next->singleShot)
            next->active = false;
        else
            next->due = m_now + std::max(next->interval, 1);
        if (next->handler) next->handler();
    }
    m_now = end;
    std::erase_if(m_entries, [](const auto& e) { return !e->alive; });
}

void ManualScheduler::advanceWhile(const std::function<bool()>& busy, std::int64_t stepMs, int maxSteps) {
    for (int i = 0; i < maxSteps && busy(); ++i)
        advance(stepMs);
}

int ManualScheduler::activeCount() const {
    return static_cast<int>(std::count_if(m_entries.begin(), m_entries.end(),
                                          [](const auto& e) { return e->alive && e->active; }));
}

} // namespace ravlin
