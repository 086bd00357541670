#include "platform/core/qt_timer.h"

#include <QTimer>

namespace ravlin {

namespace {

class QtTimer : public Timer {
public:
    QtTimer(int intervalMs, bool singleShot) {
        m_timer.setInterval(intervalMs);
        m_timer.setSingleShot(singleShot);
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (m_handler) m_handler();
        });
    }
    void start() override { m_timer.start(); }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }
    void setInterval(int ms) override { m_timer.setInterval(ms); }
    int interval() const override { return m_timer.interval(); }
    void setSingleShot(bool singleShot) override { m_timer.setSingleShot(singleShot); }
    void setHandler(std::function<void()> handler) override { m_handler = std::move(handler); }

private:
    QTimer m_timer;
    std::function<void()> m_handler;
};

} // namespace

std::unique_ptr<Timer> QtTimerFactory::create(int intervalMs, bool singleShot) {
    return std::make_unique<QtTimer>(intervalMs, singleShot);
}

} // namespace ravlin
