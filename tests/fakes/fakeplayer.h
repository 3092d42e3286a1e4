#pragma once

#include "platform/runtime.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace fakes {

// An in-process player for the playback tests: it answers the station's messages and takes "/ADD"
// starts like the stand-in player, in the time of the clock it is given (a VirtualClock makes a whole
// song pass in one sleepFor()). Songs have scripted lengths; every message, start and hand-over is
// logged; a player can be slow to start, slow to take a file, dead behind its handle, or never show
// a window.
class FakePlayer {
public:
    using Ms = std::chrono::milliseconds;
    using Handle = tk::WindowMessenger::Handle;

    struct Message {
        Handle window = 0;
        std::uint32_t message = 0;
        std::int32_t wParam = 0;
        std::int32_t lParam = 0;
        friend bool operator==(const Message&, const Message&) = default;
    };
    struct Launch {
        std::string program;
        std::vector<std::string> args;
    };
    enum class Mode {
        Normal,
        DeadHandle, // the window is found, but no message gets an answer (a player that went silent)
        NoWindow,   // starts succeed, but no window ever shows
    };

    explicit FakePlayer(tk::Clock& clock);
    ~FakePlayer();
    FakePlayer(const FakePlayer&) = delete;
    FakePlayer& operator=(const FakePlayer&) = delete;

    // The two services the station reaches the player through; both forward to this player, which
    // must outlive them.
    std::unique_ptr<tk::WindowMessenger> messenger();
    std::unique_ptr<tk::ProcessLauncher> launcher();

    // Script.
    void setSongLength(const std::string& path, Ms length);
    void setDefaultSongLength(Ms length) { m_defaultLength = length; }
    void setOpenDelay(Ms delay) { m_openDelay = delay; }
    void setStartDelay(Ms delay) { m_startDelay = delay; }
    void setHandOverDelay(Ms delay) { m_handOverDelay = delay; }
    void setMode(Mode mode) { m_mode = mode; }
    void setLaunchFails(bool fails) { m_launchFails = fails; }
    // A file the player cannot play: it reads stopped at once, and not played.
    void setUnplayable(const std::string& path) { m_unplayable.insert(path); }
    // Forces the raw answer to the position request (nullopt: the player's own).
    void setPositionReply(std::optional<std::int32_t> reply) { m_positionOverride = reply; }
    // The player process dies: its window is gone and its handles get no answer.
    void kill();
    // The player dies the moment a start hands it `path`; that start becomes the next player, with the
    // file in its list, as a start finding no player does.
    void setDiesWhenHanded(const std::string& path) { m_diesWhenHanded = path; }
    // The running player can no longer be reached (its connection and its socket gone): its handle gets
    // no answer, though it is not hung, a search made afresh does not find it, and a start cannot hand
    // it a file. A player started after it is reached again.
    void loseReach() { m_unreachable = true; }

    // Observation.
    [[nodiscard]] const std::vector<Message>& messages() const { return m_messages; }
    [[nodiscard]] const std::vector<std::string>& adds() const { return m_adds; }
    [[nodiscard]] const std::vector<Launch>& launches() const { return m_launches; }
    [[nodiscard]] std::vector<std::string> list();
    [[nodiscard]] std::int32_t volume() const { return m_volume; }
    [[nodiscard]] std::int32_t rawPlayState();
    // How many times the station ended the player process itself.
    [[nodiscard]] int tasksEnded() const { return m_tasksEnded; }
    void clearLog();

    // The services' entry points.
    Handle findWindow(const std::string& windowClass);
    std::optional<std::int32_t> sendMessage(Handle window, std::uint32_t message, std::int32_t wParam,
                                            std::int32_t lParam);
    std::optional<std::int64_t> startDetached(const std::string& program,
                                              const std::vector<std::string>& args);
    bool isWindow(Handle window);
    // A player in DeadHandle mode is hung: it is sent nothing.
    bool isHung(Handle window);
    bool isFindable(Handle window);
    bool endTask(Handle window);

private:
    enum class State { Stopped, Playing, Paused };
    using Time = std::chrono::steady_clock::time_point;

    void settle();
    std::int32_t answer(std::uint32_t message, std::int32_t wParam, std::int32_t lParam);
    std::int64_t positionMs(Time now) const;
    void take(const std::string& path);

    tk::Clock& m_clock;
    std::map<std::string, Ms> m_lengths;
    Ms m_defaultLength{180000};
    Ms m_openDelay{0};
    Ms m_startDelay{0};
    Ms m_handOverDelay{0};
    Mode m_mode = Mode::Normal;
    bool m_launchFails = false;
    std::optional<std::int32_t> m_positionOverride;
    std::set<std::string> m_unplayable;
    int m_tasksEnded = 0;
    std::optional<std::string> m_diesWhenHanded;
    bool m_unreachable = false;

    std::vector<Message> m_messages;
    std::vector<std::string> m_adds;
    std::vector<Launch> m_launches;

    // The player process: started at m_startDue (when set), running as instance m_instance.
    std::optional<Time> m_startDue;
    bool m_running = false;
    Handle m_instance = 0;
    std::vector<std::pair<Time, std::string>> m_pendingTakes;
    std::vector<std::string> m_list;
    std::int32_t m_revision = 1;
    std::int32_t m_volume = 255;
    State m_state = State::Stopped;
    bool m_played = false; // the file of the last play command was opened
    Ms m_songLength{0};
    Time m_openUntil{};
    Time m_anchor{};
    std::int64_t m_positionAtAnchor = 0;
};

} // namespace fakes
