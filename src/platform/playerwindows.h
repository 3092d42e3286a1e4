#pragma once

#include "platform/runtime.h"

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>

namespace tk {

// The window class under which the station finds its player.
inline constexpr const char* kPlayerWindowClass = "Winamp v1.x";

// The player's "window", reached over the player's local socket: finding the window connects, the handle
// stands for the player process behind the connection, and each message is one request and its reply.
// Only a socket of this user, in a folder of this user, with a process of this user behind it is used.
// A connection the player closed is made again at the next request, as long as the same player process
// answers; a player that died gives no answer, and its window is gone. A request the player does not
// answer within the reply time gets none, and then the window is hung: it is sent nothing more (its
// requests get no answer at once, without waiting) until the late answer has come; that answer is
// dropped, never taken for another request's, and the window is answered again. So a player held still
// costs one wait of the reply time, not one per request, and is followed again as soon as it answers.
// Finding the window while its player is silent gives the same handle, without another connection.
// Writing to a player that went away never raises SIGPIPE.
class PlayerWindows final : public WindowMessenger {
public:
    static constexpr std::chrono::milliseconds kDefaultReplyTime{1000};

    explicit PlayerWindows(std::filesystem::path socketPath,
                           std::chrono::milliseconds replyTime = kDefaultReplyTime);
    ~PlayerWindows() override;
    // The socket of this user's player, from the environment.
    static std::unique_ptr<PlayerWindows> forThisUser();

    Handle findWindow(const std::string& windowClass) override;
    std::optional<std::int32_t> sendMessage(Handle window, std::uint32_t message, std::int32_t wParam,
                                            std::int32_t lParam) override;
    [[nodiscard]] std::string refusal() const override { return m_refusal; }
    bool isWindow(Handle window) override;
    // A fresh connection to the socket reaches the process of the handle: a second start of the player,
    // handing it a file, would reach it too.
    bool isFindable(Handle window) override;
    bool isHung(Handle window) override;
    // Asks the player process to end and lets it go on should it be held still; kills it when it has not
    // ended within the reply time. The handle is let go.
    bool endTask(Handle window) override;

private:
    struct Connection;
    enum class Reach { Held, Silent, Unreachable, Replaced };
    // Takes a late answer that has come; true while it is still owed, or while a connection that was
    // cut off rests.
    bool silent(Connection& connection);
    // Makes sure the handle's connection is open and in step, connecting again when the player closed
    // it; Silent while an answer is still owed.
    Reach reach(Connection& connection);

    std::filesystem::path m_socketPath;
    std::chrono::milliseconds m_replyTime;
    Handle m_lastHandle = 0;
    std::map<Handle, std::unique_ptr<Connection>> m_connections;
    std::string m_refusal;
};

} // namespace tk
