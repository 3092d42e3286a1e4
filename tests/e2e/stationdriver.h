#pragma once

// What the end-to-end drivers share: the real station of a program folder with its real player, run in
// the driver's own process on the display it is given, with printed message boxes; the player held
// still by a signal; the player asked directly over a connection of the driver's own; the event loop run
// until a condition holds; and the checks, counted and printed.

#include "app/form1.h"
#include "app/station.h"
#include "platform/runtime.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <sys/types.h>

class Form2;

namespace e2e {

using namespace std::chrono_literals;

// Never waits for a user: every message is printed and answered OK.
class PrintedMessages final : public tk::MessageBoxService {
public:
    int show(const std::string& text, int style, const std::string& title) override;
    int shown = 0;
};

// Starts programs as the station does, and lets the driver act right after each start.
class WatchedLauncher final : public tk::ProcessLauncher {
public:
    using Started = std::function<void(const std::vector<std::string>& args, std::int64_t pid)>;
    explicit WatchedLauncher(std::unique_ptr<tk::ProcessLauncher> real)
        : m_real(std::move(real)) {}
    std::optional<std::int64_t> startDetached(const std::string& program,
                                              const std::vector<std::string>& args) override;
    Started started;

private:
    std::unique_ptr<tk::ProcessLauncher> m_real;
};

// Reaches the player's window as the station does, and lets the driver act right before each message.
class WatchedWindows final : public tk::WindowMessenger {
public:
    using Sending = std::function<void(std::uint32_t message, std::int32_t wParam, std::int32_t lParam)>;
    explicit WatchedWindows(std::unique_ptr<tk::WindowMessenger> real)
        : m_real(std::move(real)) {}
    Handle findWindow(const std::string& windowClass) override { return m_real->findWindow(windowClass); }
    std::optional<std::int32_t> sendMessage(Handle window, std::uint32_t message, std::int32_t wParam,
                                            std::int32_t lParam) override;
    [[nodiscard]] std::string refusal() const override { return m_real->refusal(); }
    bool isWindow(Handle window) override { return m_real->isWindow(window); }
    bool isFindable(Handle window) override { return m_real->isFindable(window); }
    bool isHung(Handle window) override { return m_real->isHung(window); }
    bool endTask(Handle window) override { return m_real->endTask(window); }
    Sending sending;

private:
    std::unique_ptr<tk::WindowMessenger> m_real;
};

// Holds the player process still (stopped by a signal) from its making for a while, and then lets it go
// on from a thread of its own, so that the station waiting for the held player does not stretch the hold.
class PlayerHold {
public:
    PlayerHold(pid_t player, std::chrono::milliseconds length);
    ~PlayerHold();
    PlayerHold(const PlayerHold&) = delete;
    PlayerHold& operator=(const PlayerHold&) = delete;

    [[nodiscard]] bool held() const { return m_held; }
    [[nodiscard]] bool over() const { return m_over; }

private:
    const bool m_held;
    std::atomic<bool> m_over{false};
    std::thread m_thread;
};

// Keeps the player's event loop from running, as a loop stuck in some work would: its main thread is
// held by a tracer of this process, so that neither SIGTERM nor SIGCONT lets it go on; SIGKILL still ends
// it. Let go when this goes, should it still run.
class PlayerStuck {
public:
    explicit PlayerStuck(pid_t player);
    ~PlayerStuck();
    PlayerStuck(const PlayerStuck&) = delete;
    PlayerStuck& operator=(const PlayerStuck&) = delete;

    // Whether the player's main thread was held; false where this process may not trace it.
    [[nodiscard]] bool held() const { return m_held; }

private:
    std::atomic<bool> m_release{false};
    std::atomic<bool> m_decided{false};
    std::atomic<bool> m_held{false};
    std::thread m_thread;
};

// The player process listening on this user's socket now; 0 when none answers.
pid_t playerProcess();
// One message to the player over a connection of the driver's own; nullopt when no answer came within
// half a second.
std::optional<std::int32_t> askPlayer(std::uint32_t message, std::int32_t wParam = 0,
                                      std::int32_t lParam = 0);
// The player's own play state, asked directly: 0 stopped, 1 playing, 3 paused.
std::optional<std::int32_t> playerState();

// Counts failed checks and prints each.
void check(bool held, const std::string& what);
void same(const std::string& seen, const std::string& wanted, const std::string& what);
[[nodiscard]] int failures();

// The real station of a program folder, started in this process.
class StationRun {
public:
    StationRun(int& argc, char** argv, const std::filesystem::path& folder);
    ~StationRun();

    // Starts the station; false (with a failed check) when its start ended the program.
    bool start();
    Form1& f();
    Form2& screen();
    [[nodiscard]] int messagesShown() const { return m_messages->shown; }
    // Runs the event loop until `done` holds or `timeout` passed; true when `done` held. `each` runs at
    // every turn of about 20 ms.
    bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout,
                  const std::function<void()>& each = {});
    // Runs the event loop for `time`.
    void runFor(std::chrono::milliseconds time);
    // The current album's songs, as its song page lists them (its first `most` songs when given), into
    // the playlist; their record numbers.
    std::vector<int> queueCurrentAlbum(int most = -1);
    // A main bar element clicked, as the bar's click handler gets it.
    void bar(int element);
    // Ends the station with the exit element.
    void exit();

    const std::filesystem::path folder;
    WatchedLauncher* launcher = nullptr;
    WatchedWindows* windows = nullptr;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    PrintedMessages* m_messages = nullptr;
};

// Checks that "Data.mld" holds the play count `counted(record)` for every record: "1" or "".
void checkCounts(const std::filesystem::path& folder, const std::function<bool(int)>& counted);
// The record numbers of the last-songs list, in order.
std::vector<int> lastSongs(Form1& f);

} // namespace e2e
