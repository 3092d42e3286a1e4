#include "platform/playerwindows.h"

#include "player/playersocket.h"
#include "player/playerwire.h"

#include <cerrno>
#include <csignal>
#include <thread>

#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace tk {

namespace wire = playerwire;

struct PlayerWindows::Connection {
    wire::UniqueFd fd; // invalid after the player closed it, until the next request connects again
    pid_t pid = 0;     // the player process the handle stands for
    // That very process, whatever process comes to carry its number later; invalid where the system
    // cannot give one, and the number alone is used.
    wire::UniqueFd process;
    // A request on `fd` went unanswered: its answer is still to come, and is dropped when it does.
    bool answerOwed = false;
    // A request cut off within a frame closed the connection; no new one is tried before this.
    std::chrono::steady_clock::time_point restUntil{};
};

namespace {

// Called through syscall(): this C library's header declares them without C linkage.
int openProcess(pid_t pid) {
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
}

bool processRuns(const wire::UniqueFd& process, pid_t pid) {
    if (process) {
        // Readable once the process has ended.
        pollfd p{process.get(), POLLIN, 0};
        return ::poll(&p, 1, 0) == 0;
    }
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

void signalProcess(const wire::UniqueFd& process, pid_t pid, int signal) {
    if (process) {
        ::syscall(SYS_pidfd_send_signal, process.get(), signal, nullptr, 0);
    } else if (pid > 0) {
        ::kill(pid, signal);
    }
}

// Waits up to `time` for the process to end; true once it has.
bool awaitEnd(const wire::UniqueFd& process, pid_t pid, std::chrono::milliseconds time) {
    const auto until = std::chrono::steady_clock::now() + time;
    while (processRuns(process, pid)) {
        if (std::chrono::steady_clock::now() >= until) {
            return false;
        }
        if (process) {
            pollfd p{process.get(), POLLIN, 0};
            ::poll(&p, 1, 10);
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    return true;
}

} // namespace

PlayerWindows::PlayerWindows(std::filesystem::path socketPath, std::chrono::milliseconds replyTime)
    : m_socketPath(std::move(socketPath))
    , m_replyTime(replyTime) {}

PlayerWindows::~PlayerWindows() = default;

std::unique_ptr<PlayerWindows> PlayerWindows::forThisUser() {
    return std::make_unique<PlayerWindows>(wire::playerSocketPath());
}

bool PlayerWindows::silent(Connection& connection) {
    if (connection.fd && connection.answerOwed) {
        // Looked for without waiting: a player held still must not hold up every request.
        switch (wire::takeLateReply(connection.fd.get())) {
        case wire::LateReply::NotYet:
            return true;
        case wire::LateReply::Taken:
            break;
        case wire::LateReply::Gone:
            connection.fd.reset();
            break;
        }
        connection.answerOwed = false;
    }
    return !connection.fd && std::chrono::steady_clock::now() < connection.restUntil;
}

PlayerWindows::Reach PlayerWindows::reach(Connection& connection) {
    if (silent(connection)) {
        return Reach::Silent;
    }
    if (connection.fd && !wire::peerClosed(connection.fd.get())) {
        return Reach::Held;
    }
    // A busy player closes connections to make room for others: the same player is simply asked again.
    connection.fd.reset();
    wire::PlayerConnection fresh = wire::connectToPlayer(m_socketPath, &m_refusal);
    if (!fresh.fd) {
        return Reach::Unreachable;
    }
    // Another player process is not the window the handle stood for: its state is not the old one's.
    if (fresh.pid != connection.pid) {
        return Reach::Replaced;
    }
    connection.fd = std::move(fresh.fd);
    return Reach::Held;
}

WindowMessenger::Handle PlayerWindows::findWindow(const std::string& windowClass) {
    if (windowClass != kPlayerWindowClass) {
        return 0;
    }
    m_refusal.clear();
    // The same living player keeps its handle, also while it is silent: a fresh connection would only
    // wait for it once more. A dead one's is let go.
    for (auto it = m_connections.begin(); it != m_connections.end();) {
        Connection& connection = *it->second;
        const Reach reached = reach(connection);
        if (reached == Reach::Held ||
            (reached == Reach::Silent && processRuns(connection.process, connection.pid))) {
            return it->first;
        }
        it = m_connections.erase(it);
    }
    wire::PlayerConnection fresh = wire::connectToPlayer(m_socketPath, &m_refusal);
    if (!fresh.fd) {
        return 0;
    }
    auto connection = std::make_unique<Connection>();
    connection->fd = std::move(fresh.fd);
    connection->pid = fresh.pid;
    connection->process.reset(openProcess(fresh.pid));
    const Handle handle = ++m_lastHandle;
    m_connections.emplace(handle, std::move(connection));
    return handle;
}

bool PlayerWindows::isWindow(Handle window) {
    const auto it = m_connections.find(window);
    return it != m_connections.end() && processRuns(it->second->process, it->second->pid);
}

bool PlayerWindows::isFindable(Handle window) {
    const auto it = m_connections.find(window);
    if (it == m_connections.end()) {
        return false;
    }
    // Connecting costs the player nothing while it is held still: the system takes the connection and
    // vouches for the process listening. The connection is closed again at once.
    std::string problem;
    const wire::PlayerConnection fresh = wire::connectToPlayer(m_socketPath, &problem);
    return fresh.fd && fresh.pid == it->second->pid;
}

bool PlayerWindows::isHung(Handle window) {
    const auto it = m_connections.find(window);
    return it != m_connections.end() && silent(*it->second);
}

bool PlayerWindows::endTask(Handle window) {
    const auto it = m_connections.find(window);
    if (it == m_connections.end()) {
        return false;
    }
    const std::unique_ptr<Connection> connection = std::move(it->second);
    m_connections.erase(it);
    const wire::UniqueFd& process = connection->process;
    const pid_t pid = connection->pid;
    if (!processRuns(process, pid)) {
        return true;
    }
    // Asked to end, and let go on should it be held still, so that it gives up its socket and its lock
    // itself; ended outright when it does not within the reply time.
    signalProcess(process, pid, SIGTERM);
    signalProcess(process, pid, SIGCONT);
    if (awaitEnd(process, pid, m_replyTime)) {
        return true;
    }
    signalProcess(process, pid, SIGKILL);
    return awaitEnd(process, pid, m_replyTime);
}

std::optional<std::int32_t> PlayerWindows::sendMessage(Handle window, std::uint32_t message,
                                                       std::int32_t wParam, std::int32_t lParam) {
    const auto it = m_connections.find(window);
    if (it == m_connections.end()) {
        return std::nullopt;
    }
    Connection& connection = *it->second;
    const auto request = wire::encodeRequest({message, wParam, lParam});
    // The player closes a connection only between requests it has answered, so a request that found
    // its connection closed was never read: it goes once more, over a fresh connection.
    for (int attempt = 0; attempt < 2; ++attempt) {
        switch (reach(connection)) {
        case Reach::Held:
            break;
        case Reach::Silent:
        case Reach::Unreachable:
            return std::nullopt;
        case Reach::Replaced:
            m_connections.erase(it);
            return std::nullopt;
        }
        wire::NoReply why = wire::NoReply::PeerGone;
        if (const auto reply = wire::exchange(connection.fd.get(), request, m_replyTime, &why)) {
            return reply;
        }
        switch (why) {
        case wire::NoReply::PeerGone:
            connection.fd.reset();
            break;
        case wire::NoReply::Owed:
            // The answer may still come; until it has, the connection carries no other request.
            connection.answerOwed = true;
            return std::nullopt;
        case wire::NoReply::OutOfStep:
            connection.fd.reset();
            connection.restUntil = std::chrono::steady_clock::now() + m_replyTime;
            return std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace tk
