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

// Makes sure the socket's folder exists and may be trusted (socketProblem). The shared /tmp fallback
// folder is created with mode 0700. Returns an error text.
[[nodiscard]] std::optional<std::string> prepareSocketFolder(const std::filesystem::path& socketPath);
// True when the socket path lies in the shared /tmp fallback folder.
[[nodiscard]] bool inSharedFallbackFolder(const std::filesystem::path& socketPath);
// Why the socket must not be used: its folder is not a real folder of this user that no other user can
// write to (the /tmp fallback folder must be private), or the socket file there is not this user's.
// Whoever else could put a socket there would be sent the station's song paths and be taken for the
// player. nullopt when both are this user's, or when no folder or no socket is there yet.
[[nodiscard]] std::optional<std::string> socketProblem(const std::filesystem::path& socketPath);

// Connects to a listening socket; the descriptor is non-blocking and close-on-exec. Invalid when
// nobody listens there (or the path is too long for a socket address).
[[nodiscard]] UniqueFd connectToSocket(const std::filesystem::path& socketPath);

// The process at the other end of a connected local socket, as the system vouches for it.
struct PeerCredentials {
    pid_t pid = 0;
    uid_t uid = 0;
};
[[nodiscard]] std::optional<PeerCredentials> peerCredentials(int fd);

// A connection to this user's player.
struct PlayerConnection {
    UniqueFd fd;
    pid_t pid = 0; // the player's process
};
// Connects to the player's socket after socketProblem found nothing wrong, and keeps the connection
// only when the process listening there runs as this user. Invalid when nobody listens, or with
// `problem` set when the socket or its peer is not to be trusted.
[[nodiscard]] PlayerConnection connectToPlayer(const std::filesystem::path& socketPath, std::string* problem);

using Deadline = std::chrono::steady_clock::time_point;

// Writes every byte before the deadline; never raises SIGPIPE. False when the peer is gone or slow.
[[nodiscard]] bool sendAllBytes(int fd, std::span<const std::uint8_t> bytes, Deadline deadline);
// Reads exactly `out.size()` bytes before the deadline. False on end of stream, error or timeout.
[[nodiscard]] bool receiveExact(int fd, std::span<std::uint8_t> out, Deadline deadline);
// Why a request got no reply.
enum class NoReply {
    PeerGone,  // the peer closed the connection, or it failed
    Owed,      // the request went out whole and no byte of its reply came in time: it may still come
    OutOfStep, // the time ran out within a frame: nothing more can be framed on the connection
};
// Sends a request (or a hand-over) and waits for its one reply. nullopt when the peer did not answer,
// with `why` (when given) set to the reason.
[[nodiscard]] std::optional<std::int32_t> exchange(int fd, std::span<const std::uint8_t> request,
                                                   std::chrono::milliseconds timeout, NoReply* why = nullptr);
// A reply owed for an earlier request, read without waiting.
enum class LateReply {
    NotYet, // not (all) there yet
    Taken,  // read and dropped: the connection is in step again
    Gone,   // the peer closed the connection, or it failed
};
[[nodiscard]] LateReply takeLateReply(int fd);
// True when the peer has closed its end (or the connection failed); never blocks.
[[nodiscard]] bool peerClosed(int fd);

} // namespace playerwire
