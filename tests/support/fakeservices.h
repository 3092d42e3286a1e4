#pragma once

#include "platform/commondialogs.h"
#include "platform/picture.h"
#include "platform/runtime.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// One message box the program showed.
struct ShownMessage {
    std::string text;
    int style = 0;
    std::string title;
};

// Records every message box and answers at once with the next queued answer (OK by default).
class FakeMessageBox final : public tk::MessageBoxService {
public:
    int show(const std::string& text, int style, const std::string& title) override;
    std::vector<ShownMessage> shown;
    std::vector<int> answers; // taken from the front
};

// Answers the font and colour dialogs at once with the next queued answer; an empty queue or an empty
// answer is a cancel. Records the font each font dialog was opened with.
class FakeCommonDialogs final : public tk::CommonDialogs {
public:
    std::optional<tk::FontSpec> chooseFont(const tk::FontSpec& initial) override;
    std::optional<tk::OleColor> chooseColor(tk::OleColor initial) override;
    std::vector<std::optional<tk::FontSpec>> fonts;  // taken from the front
    std::vector<std::optional<tk::OleColor>> colors; // taken from the front
    std::vector<tk::FontSpec> fontsShown;
};

// Records the request to end the program.
class FakeProgramExit final : public tk::ProgramExit {
public:
    void exit(int code) override;
    bool ended = false;
    int code = 0;
};

// A clock that moves only when told; sleeping advances it.
class VirtualClock final : public tk::Clock {
public:
    std::chrono::system_clock::time_point now() override { return m_wall; }
    std::chrono::steady_clock::time_point steadyNow() override { return m_steady; }
    void sleepFor(std::chrono::milliseconds d) override;
    void advance(std::chrono::milliseconds d);
    // How far the clock has moved since it was made.
    std::chrono::milliseconds elapsed() const { return m_elapsed; }
    void setWallTime(std::chrono::system_clock::time_point t) { m_wall = t; }
    // Called whenever the clock moves (a fake player follows it).
    std::function<void(std::chrono::milliseconds)> onAdvance;

private:
    std::chrono::system_clock::time_point m_wall{std::chrono::hours(24 * 365 * 30)};
    std::chrono::steady_clock::time_point m_steady{std::chrono::hours(1)};
    std::chrono::milliseconds m_elapsed{0};
};

// Timers on the virtual clock: advance() fires every due tick in time order, from the test's side of
// the event loop (never inside a handler).
class VirtualTimers final : public tk::TimerService {
public:
    explicit VirtualTimers(VirtualClock& clock)
        : m_clock(clock) {}
    TimerId start(int intervalMs, std::function<void()> tick) override;
    void stop(TimerId id) override;
    // Moves the clock on by `ms`, firing due timers on the way.
    void advance(int ms);
    bool running(TimerId id) const { return m_timers.count(id) != 0; }
    int runningCount() const { return static_cast<int>(m_timers.size()); }
    // Ticks fired so far, for tests that check a timer did (not) tick.
    int ticksFired = 0;

private:
    struct Entry {
        int interval;
        long long due;
        std::function<void()> tick;
    };
    VirtualClock& m_clock;
    std::map<TimerId, Entry> m_timers;
    TimerId m_next = 0;
    long long m_now = 0;
};

// Counts frames; never sleeps and never paints. `onStep` runs at every frame, so a test can record
// what a move had assigned by then.
class CountingFrameStep final : public tk::FrameStep {
public:
    void begin(int steps) override {
        ++animations;
        lastSteps = steps;
    }
    void step() override {
        ++frames;
        if (onStep) {
            onStep();
        }
    }
    void end() override {}
    int animations = 0;
    int frames = 0;
    int lastSteps = 0;
    std::function<void()> onStep;
};

// Loads pictures through another loader and remembers which file each picture came from, so a test
// can ask what an element shows by name.
class NamedPictures final : public tk::PictureLoader {
public:
    explicit NamedPictures(std::unique_ptr<tk::PictureLoader> loader)
        : m_loader(std::move(loader)) {}
    tk::Picture load(const std::filesystem::path& path) override;
    std::optional<tk::Picture> tryLoad(const std::filesystem::path& path) override;
    // The file name of the load that made `picture` ("Switch-On.jpg"); empty for any other picture.
    std::string nameOf(const tk::Picture& picture) const;

private:
    std::unique_ptr<tk::PictureLoader> m_loader;
    std::map<std::uint64_t, std::string> m_names;
};

// A random source that hands out queued values, then a fixed one.
class ScriptedRandom final : public tk::RandomSource {
public:
    void seed(std::uint64_t) override { ++seeds; }
    float uniform() override;
    std::vector<float> values;
    float fallback = 0.0f;
    int seeds = 0;
};

} // namespace testing_support
