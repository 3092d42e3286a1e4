#pragma once

#include "platform/event.h"
#include "platform/runtime.h"

#include <string>

namespace tk {

// A timer control: while enabled with an interval above 0 it raises Timer every interval, from the event
// loop only. Enabling a running timer does not restart it; changing the interval of a running timer
// starts its period again.
class Timer {
public:
    explicit Timer(std::string name = {}, int intervalMs = 0, bool enabled = false);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const std::string& name() const { return m_name; }
    int interval() const { return m_interval; }
    void setInterval(int ms);
    bool enabled() const { return m_enabled; }
    void setEnabled(bool on);

    Event<> timer;

private:
    void startOrStop();

    std::string m_name;
    int m_interval = 0;
    bool m_enabled = false;
    TimerService::TimerId m_id = 0;
    TimerService* m_service = nullptr;
};

} // namespace tk
