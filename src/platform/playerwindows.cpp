#include "platform/playerwindows.h"

#include "player/playersocket.h"
#include "player/playerwire.h"

namespace tk {

namespace wire = playerwire;

struct PlayerWindows::Connection {
    wire::UniqueFd fd; // invalid after the player closed it, until the next request connects again
    pid_t pid = 0;     // the player process the handle stands for
    // A request on `fd` went unanswered: its answer is still to come, and is dropped when it does.
    bool answerOwed = false;
    // A request cut off within a frame closed the connection; no new one is tried before this.
    std::chrono::steady_clock::time_point restUntil{};
};

PlayerWindows::PlayerWindows(std::filesystem::path socketPath, std::chrono::milliseconds replyTime)
    : m_socketPath(std::move(socketPath))
    , m_replyTime(replyTime) {}

PlayerWindows::~PlayerWindows() = default;

std::unique_ptr<PlayerWindows> PlayerWindows::forThisUser() {
    return std::make_unique<PlayerWindows>(wire::playerSocketPath());
}

PlayerWindows::Reach PlayerWindows::reach(Connection& connection) {
    if (connection.fd && connection.answerOwed) {
        // Looked for without waiting: a player held still must not hold up every request.
        switch (wire::takeLateReply(connection.fd.get())) {
        case wire::LateReply::NotYet:
            return Reach::Silent;
        case wire::LateReply::Taken:
            break;
        case wire::LateReply::Gone:
            connection.fd.reset();
            break;
        }
        connection.answerOwed = false;
    }
    if (connection.fd && !wire::peerClosed(connection.fd.get())) {
        return Reach::Held;
    }
    // A busy player closes connections to make room for others: the same player is simply asked again.
    connection.fd.reset();
    if (std::chrono::steady_clock::now() < connection.restUntil) {
        return Reach::Silent;
    }
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
    // The same living player keeps its handle; a dead one's is let go, and so is a silent one's, so that
    // it is asked again over a fresh connection.
    for (auto it = m_connections.begin(); it != m_connections.end();) {
        if (reach(*it->second) == Reach::Held) {
            return it->first;
        }
        it = m_connections.erase(it);
    }
    wire::PlayerConnection fresh = wire::connectToPlayer(m_socketPath, &m_refusal);
    if (!fresh.fd) {
        return 0;
    }
    const Handle handle = ++m_lastHandle;
    m_connections.emplace(handle, std::make_unique<Connection>(Connection{std::move(fresh.fd), fresh.pid}));
    return handle;
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
