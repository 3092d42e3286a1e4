#pragma once

// The local socket the station and its player talk over: where it lives, who may reach it, and the
// blocking client side of one request (used by the station and by a second start of the player).

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include <sys/types.h>

namespace playerwire {

// Owns one file descriptor; closes it when destroyed. Move-only.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) noexcept
        : m_fd(fd) {}
    UniqueFd(UniqueFd&& other) noexcept
        : m_fd(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { reset(); }

    [[nodiscard]] int get() const noexcept { return m_fd; }
    [[nodiscard]] bool valid() const noexcept { return m_fd >= 0; }
    explicit operator bool() const noexcept { return valid(); }
    int release() noexcept;
    void reset(int fd = -1) noexcept;

private:
    int m_fd = -1;
};

inline constexpr const char* kSocketName = "tunnora-player.sock";
inline constexpr const char* kLockName = "tunnora-player.lock";

// `$XDG_RUNTIME_DIR/tunnora-player.sock`, or `/tmp/tunnora-<uid>/tunnora-player.sock` when the runtime
// folder is not set. Pass the variable's value (nullptr when unset).
[[nodiscard]] std::filesystem::path playerSocketPath(const char* xdgRuntimeDir, uid_t uid);
// The same, from this process's environment and user.
[[nodiscard]] std::filesystem::path playerSocketPath();

// True when the folder is a real folder (not a link) owned by this user and closed to everyone else.
[[nodiscard]] bool folderIsPrivate(const std::filesystem::path& folder);
// Makes sure the socket's folder exists. The shared /tmp fallback folder is created with mode 0700 and
// must be private; a runtime folder of the user's session is taken as it is. Returns an error text.
[[nodiscard]] std::optional<std::string> prepareSocketFolder(const std::filesystem::path& socketPath);
// True when the socket path lies in the shared /tmp fallback folder.
[[nodiscard]] bool inSharedFallbackFolder(const std::filesystem::path& socketPath);

// Connects to a listening socket; the descriptor is non-blocking and close-on-exec. Invalid when
// nobody listens there (or the path is too long for a socket address).
[[nodiscard]] UniqueFd connectToSocket(const std::filesystem::path& socketPath);

using Deadline = std::chrono::steady_clock::time_point;

// Writes every byte before the deadline; never raises SIGPIPE. False when the peer is gone or slow.
[[nodiscard]] bool sendAllBytes(int fd, std::span<const std::uint8_t> bytes, Deadline deadline);
// Reads exactly `out.size()` bytes before the deadline. False on end of stream, error or timeout.
[[nodiscard]] bool receiveExact(int fd, std::span<std::uint8_t> out, Deadline deadline);
// Sends a request (or a hand-over) and waits for its one reply. nullopt when the peer did not answer.
[[nodiscard]] std::optional<std::int32_t> exchange(int fd, std::span<const std::uint8_t> request,
                                                   std::chrono::milliseconds timeout);
// True when the peer has closed its end (or the connection failed); never blocks.
[[nodiscard]] bool peerClosed(int fd);

} // namespace playerwire
