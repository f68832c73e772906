#pragma once
// Timers on Qt: single-shot QTimers on the interface thread, and a monotonic clock.

#include <QElapsedTimer>

#include "platform/services.h"

namespace pennory::platform::qt {

class QtTimers : public TimerService {
public:
    QtTimers();
    std::chrono::milliseconds now() const override;
    std::unique_ptr<Timer> createTimer(std::function<void()> due) override;

private:
    QElapsedTimer m_clock;
};

}  // namespace pennory::platform::qt
