#pragma once

#include "platform/runtime.h"

namespace fakes {

// A clock that stands still until told: sleepFor() advances it at once, so waits in the code under
// test cost no real time.
class VirtualClock final : public tk::Clock {
public:
    std::chrono::system_clock::time_point now() override { return m_wallStart + m_elapsed; }
    std::chrono::steady_clock::time_point steadyNow() override { return m_steadyStart + m_elapsed; }
    void sleepFor(std::chrono::milliseconds duration) override { advance(duration); }

    void advance(std::chrono::milliseconds duration) { m_elapsed += duration; }
    [[nodiscard]] std::chrono::milliseconds elapsed() const { return m_elapsed; }

private:
    std::chrono::system_clock::time_point m_wallStart{std::chrono::hours(24 * 365 * 30)};
    std::chrono::steady_clock::time_point m_steadyStart{std::chrono::hours(1)};
    std::chrono::milliseconds m_elapsed{0};
};

} // namespace fakes
