#include "platform/playerwindows.h"

#include "player/playersocket.h"
#include "player/playerwire.h"

namespace tk {

namespace wire = playerwire;

struct PlayerWindows::Connection {
    wire::UniqueFd fd;
};

PlayerWindows::PlayerWindows(std::filesystem::path socketPath, std::chrono::milliseconds replyTime)
    : m_socketPath(std::move(socketPath))
    , m_replyTime(replyTime) {}

PlayerWindows::~PlayerWindows() = default;

std::unique_ptr<PlayerWindows> PlayerWindows::forThisUser() {
    return std::make_unique<PlayerWindows>(wire::playerSocketPath());
}

WindowMessenger::Handle PlayerWindows::findWindow(const std::string& windowClass) {
    if (windowClass != kPlayerWindowClass) {
        return 0;
    }
    m_refusal.clear();
    // The same living player keeps its handle; a dead one's connection is let go.
    for (auto it = m_connections.begin(); it != m_connections.end();) {
        if (wire::peerClosed(it->second->fd.get())) {
            it = m_connections.erase(it);
        } else {
            return it->first;
        }
    }
    wire::PlayerConnection fresh = wire::connectToPlayer(m_socketPath, &m_refusal);
    if (!fresh.fd) {
        return 0;
    }
    const Handle handle = ++m_lastHandle;
    m_connections.emplace(handle, std::make_unique<Connection>(Connection{std::move(fresh.fd)}));
    return handle;
}

std::int32_t PlayerWindows::sendMessage(Handle window, std::uint32_t message, std::int32_t wParam,
                                        std::int32_t lParam) {
    const auto it = m_connections.find(window);
    if (it == m_connections.end()) {
        return 0;
    }
    const auto request = wire::encodeRequest({message, wParam, lParam});
    const auto reply = wire::exchange(it->second->fd.get(), request, m_replyTime);
    if (!reply) {
        // A late answer would be taken for the next request's: the connection cannot be used again.
        m_connections.erase(it);
        return 0;
    }
    return *reply;
}

} // namespace tk
