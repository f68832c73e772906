#include "platform/headless/scripted_timers.h"

#include <utility>

namespace pennory::platform::headless {

class ScriptedTimers::ScriptedTimer : public Timer {
public:
    ScriptedTimer(ScriptedTimers& owner, std::function<void()> due)
        : m_owner(owner), m_due(std::move(due)) {}
    ~ScriptedTimer() override { stop(); }

    void start(std::chrono::milliseconds delay) override {
        m_owner.m_pending[this] = m_owner.m_now + delay;
    }
    void stop() override { m_owner.m_pending.erase(this); }
    bool active() const override {
        return m_owner.m_pending.count(const_cast<ScriptedTimer*>(this)) != 0;
    }
    void fire() { m_due(); }

private:
    ScriptedTimers& m_owner;
    std::function<void()> m_due;
};

ScriptedTimers::ScriptedTimers() = default;
ScriptedTimers::~ScriptedTimers() = default;

std::unique_ptr<Timer> ScriptedTimers::createTimer(std::function<void()> due) {
    return std::make_unique<ScriptedTimer>(*this, std::move(due));
}

void ScriptedTimers::advance(std::chrono::milliseconds by) {
    const auto until = m_now + by;
    for (;;) {
        ScriptedTimer* next = nullptr;
        std::chrono::milliseconds nextDue = until;
        for (const auto& [timer, due] : m_pending) {
            if (due <= nextDue && (!next || due < nextDue)) {
                next = timer;
                nextDue = due;
            }
        }
        if (!next) break;
        m_now = std::max(m_now, nextDue);
        m_pending.erase(next);
        next->fire();
    }
    m_now = until;
}

}  // namespace pennory::platform::headless
