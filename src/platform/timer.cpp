#include "platform/timer.h"

#include "platform/control.h"

namespace tk {

Timer::Timer(std::string name, int intervalMs, bool enabled)
    : m_name(std::move(name))
    , m_interval(intervalMs)
    , m_enabled(enabled) {
    startOrStop();
}

Timer::~Timer() {
    if (m_id != 0 && m_service && Runtime::exists() && &Runtime::current().timers() == m_service) {
        m_service->stop(m_id);
    }
}

void Timer::setInterval(int ms) {
    if (ms == m_interval) {
        return;
    }
    m_interval = ms;
    if (m_id != 0) {
        m_service->stop(m_id);
        m_id = 0;
    }
    startOrStop();
}

void Timer::setEnabled(bool on) {
    if (on == m_enabled) {
        return;
    }
    m_enabled = on;
    startOrStop();
}

void Timer::startOrStop() {
    const bool shouldRun = m_enabled && m_interval > 0;
    if (shouldRun && m_id == 0) {
        m_service = &Runtime::current().timers();
        m_id = m_service->start(m_interval, [this] { raiseEvent([&] { timer(); }); });
    } else if (!shouldRun && m_id != 0) {
        m_service->stop(m_id);
        m_id = 0;
    }
}

} // namespace tk
