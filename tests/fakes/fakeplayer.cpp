#include "fakeplayer.h"

#include "platform/playerwindows.h"
#include "player/playerwire.h"

#include <algorithm>
#include <limits>

namespace fakes {

namespace wire = playerwire;
using std::chrono::duration_cast;

namespace {
class Messenger final : public tk::WindowMessenger {
public:
    explicit Messenger(FakePlayer& player)
        : m_player(player) {}
    Handle findWindow(const std::string& windowClass) override { return m_player.findWindow(windowClass); }
    std::optional<std::int32_t> sendMessage(Handle window, std::uint32_t message, std::int32_t wParam,
                                            std::int32_t lParam) override {
        return m_player.sendMessage(window, message, wParam, lParam);
    }
    bool isWindow(Handle window) override { return m_player.isWindow(window); }
    bool isHung(Handle window) override { return m_player.isHung(window); }
    bool isFindable(Handle window) override { return m_player.isFindable(window); }
    bool endTask(Handle window) override { return m_player.endTask(window); }

private:
    FakePlayer& m_player;
};

class Launcher final : public tk::ProcessLauncher {
public:
    explicit Launcher(FakePlayer& player)
        : m_player(player) {}
    std::optional<std::int64_t> startDetached(const std::string& program,
                                              const std::vector<std::string>& args) override {
        return m_player.startDetached(program, args);
    }

private:
    FakePlayer& m_player;
};
} // namespace

FakePlayer::FakePlayer(tk::Clock& clock)
    : m_clock(clock) {}

FakePlayer::~FakePlayer() = default;

std::unique_ptr<tk::WindowMessenger> FakePlayer::messenger() {
    return std::make_unique<Messenger>(*this);
}

std::unique_ptr<tk::ProcessLauncher> FakePlayer::launcher() {
    return std::make_unique<Launcher>(*this);
}

void FakePlayer::setSongLength(const std::string& path, Ms length) {
    m_lengths[path] = length;
}

void FakePlayer::kill() {
    settle();
    m_running = false;
    m_startDue.reset();
    m_pendingTakes.clear();
}

std::vector<std::string> FakePlayer::list() {
    settle();
    return m_list;
}

std::int32_t FakePlayer::rawPlayState() {
    settle();
    return answer(wire::kMsgUser, 0, wire::kAskPlayState);
}

void FakePlayer::clearLog() {
    m_messages.clear();
    m_adds.clear();
    m_launches.clear();
}

std::int64_t FakePlayer::positionMs(Time now) const {
    if (m_state == State::Paused) {
        return m_positionAtAnchor;
    }
    if (now < m_anchor) {
        return m_positionAtAnchor; // still opening
    }
    return m_positionAtAnchor + duration_cast<Ms>(now - m_anchor).count();
}

void FakePlayer::settle() {
    const Time now = m_clock.steadyNow();
    if (m_startDue && *m_startDue <= now) {
        m_startDue.reset();
        m_running = true;
        ++m_instance;
        m_state = State::Stopped;
        m_volume = 255;
        m_unreachable = false;
    }
    if (m_running) {
        auto due = std::stable_partition(m_pendingTakes.begin(), m_pendingTakes.end(),
                                         [&](const auto& p) { return p.first <= now; });
        for (auto it = m_pendingTakes.begin(); it != due; ++it) {
            take(it->second);
        }
        m_pendingTakes.erase(m_pendingTakes.begin(), due);
    }
    if (m_state == State::Playing && now >= m_openUntil && positionMs(now) >= m_songLength.count()) {
        m_state = State::Stopped;
    }
}

void FakePlayer::take(const std::string& path) {
    m_list.push_back(path);
    m_revision = m_revision == std::numeric_limits<std::int32_t>::max() ? 1 : m_revision + 1;
}

bool FakePlayer::isWindow(Handle window) {
    settle();
    return m_running && window == m_instance;
}

bool FakePlayer::isHung(Handle window) {
    return isWindow(window) && m_mode == Mode::DeadHandle;
}

bool FakePlayer::isFindable(Handle window) {
    return isWindow(window) && !m_unreachable;
}

bool FakePlayer::endTask(Handle window) {
    if (!isWindow(window)) {
        return false;
    }
    ++m_tasksEnded;
    kill();
    return true;
}

FakePlayer::Handle FakePlayer::findWindow(const std::string& windowClass) {
    settle();
    if (windowClass != tk::kPlayerWindowClass || !m_running || m_mode == Mode::NoWindow) {
        return 0;
    }
    return m_instance;
}

std::optional<std::int32_t> FakePlayer::sendMessage(Handle window, std::uint32_t message, std::int32_t wParam,
                                                    std::int32_t lParam) {
    settle();
    m_messages.push_back({window, message, wParam, lParam});
    if (!m_running || window != m_instance || m_mode == Mode::DeadHandle || m_unreachable) {
        return std::nullopt;
    }
    const std::int32_t reply = answer(message, wParam, lParam);
    settle();
    return reply;
}

std::int32_t FakePlayer::answer(std::uint32_t message, std::int32_t wParam, std::int32_t lParam) {
    const Time now = m_clock.steadyNow();
    if (message == wire::kMsgAskListRevision) {
        return m_revision;
    }
    if (message == wire::kMsgAskVolume) {
        return m_volume;
    }
    if (message == wire::kMsgAskFilePlayed) {
        return m_played ? 1 : 0;
    }
    if (message == wire::kMsgCommand) {
        switch (wParam) {
        case wire::kCommandPlay:
            m_played = false;
            if (!m_list.empty() && m_unplayable.count(m_list.front()) != 0) {
                m_state = State::Stopped; // it cannot be opened: stopped at once
            } else if (!m_list.empty()) {
                const auto length = m_lengths.find(m_list.front());
                m_songLength = length != m_lengths.end() ? length->second : m_defaultLength;
                m_state = State::Playing;
                m_openUntil = now + m_openDelay;
                m_anchor = m_openUntil;
                m_positionAtAnchor = 0;
                m_played = true;
            }
            break;
        case wire::kCommandPause:
            if (m_state == State::Playing) {
                m_positionAtAnchor = positionMs(now);
                m_state = State::Paused;
            } else if (m_state == State::Paused) {
                m_anchor = std::max(now, m_openUntil);
                m_state = State::Playing;
            }
            break;
        case wire::kCommandStop:
            m_state = State::Stopped;
            break;
        case wire::kCommandClose:
            m_running = false;
            m_state = State::Stopped;
            m_list.clear();
            m_pendingTakes.clear();
            break;
        default:
            break;
        }
        return 0;
    }
    if (message != wire::kMsgUser) {
        return 0;
    }
    switch (lParam) {
    case wire::kAskVersion:
        return 0x1010;
    case wire::kClearList:
        m_list.clear();
        m_state = State::Stopped;
        m_played = false;
        return 0;
    case wire::kAskPlayState:
        return m_state == State::Playing  ? wire::kStatePlaying
               : m_state == State::Paused ? wire::kStatePaused
                                          : wire::kStateStopped;
    case wire::kAskTime:
        if (wParam == 0) {
            if (m_positionOverride) {
                return *m_positionOverride;
            }
            return m_state == State::Stopped ? -1 : static_cast<std::int32_t>(positionMs(now));
        }
        if (wParam == 1) {
            if (m_state == State::Stopped || now < m_openUntil) {
                return -1;
            }
            return static_cast<std::int32_t>(m_songLength.count() / 1000);
        }
        return 0;
    case wire::kJumpToTime:
        if (m_state != State::Stopped && wParam >= 0) {
            m_positionAtAnchor = wParam;
            m_anchor = std::max(now, m_openUntil);
        }
        return 0;
    case wire::kSetVolume:
        if (wParam >= 0 && wParam <= 255) {
            m_volume = wParam;
        }
        return 0;
    default:
        return 0;
    }
}

std::optional<std::int64_t> FakePlayer::startDetached(const std::string& program,
                                                      const std::vector<std::string>& args) {
    settle();
    m_launches.push_back({program, args});
    if (m_launchFails) {
        return std::nullopt;
    }
    const Time now = m_clock.steadyNow();
    const bool adding = args.size() == 2 && args[0] == "/ADD";
    if (adding) {
        m_adds.push_back(args[1]);
        if (m_running && args[1] == m_diesWhenHanded) {
            m_diesWhenHanded.reset();
            kill();
        }
    }
    if (m_running && m_unreachable) {
        // Neither the file nor a new player: the running one holds the lock.
    } else if (!m_running && !m_startDue) {
        // No player yet: this start becomes the player, with its file in the list.
        m_startDue = now + m_startDelay;
        m_list.clear();
        m_pendingTakes.clear();
        if (adding) {
            m_pendingTakes.emplace_back(*m_startDue, args[1]);
        }
    } else if (adding) {
        m_pendingTakes.emplace_back(std::max(now + m_handOverDelay, m_startDue.value_or(now)), args[1]);
    }
    settle();
    return 4000 + static_cast<std::int64_t>(m_launches.size());
}

} // namespace fakes
