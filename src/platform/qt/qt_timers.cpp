#include "platform/qt/qt_timers.h"

#include <QTimer>

namespace pennory::platform::qt {

namespace {

class QtTimer : public Timer {
public:
    explicit QtTimer(std::function<void()> due) {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, [due = std::move(due)] { due(); });
    }
    void start(std::chrono::milliseconds delay) override { m_timer.start(delay); }
    void stop() override { m_timer.stop(); }
    bool active() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

}  // namespace

QtTimers::QtTimers() { m_clock.start(); }

std::chrono::milliseconds QtTimers::now() const {
    return std::chrono::milliseconds(m_clock.elapsed());
}

std::unique_ptr<Timer> QtTimers::createTimer(std::function<void()> due) {
    return std::make_unique<QtTimer>(std::move(due));
}

}  // namespace pennory::platform::qt
