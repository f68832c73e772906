#pragma once
// Time that passes only when a test says so: advance() moves the clock and runs the timers
// that fall due, in the order of their due times.

#include <map>

#include "platform/services.h"

namespace pennory::platform::headless {

class ScriptedTimers : public TimerService {
public:
    ScriptedTimers();
    ~ScriptedTimers() override;

    std::chrono::milliseconds now() const override { return m_now; }
    std::unique_ptr<Timer> createTimer(std::function<void()> due) override;

    void advance(std::chrono::milliseconds by);

private:
    class ScriptedTimer;
    friend class ScriptedTimer;

    std::chrono::milliseconds m_now{1'000'000};
    std::map<ScriptedTimer*, std::chrono::milliseconds> m_pending;  // timer -> due time
};

}  // namespace pennory::platform::headless
