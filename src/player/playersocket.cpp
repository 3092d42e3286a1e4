#include "player/playersocket.h"

#include "player/playerwire.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace playerwire {

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
        reset(other.release());
    }
    return *this;
}

int UniqueFd::release() noexcept {
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

void UniqueFd::reset(int fd) noexcept {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
    m_fd = fd;
}

std::filesystem::path playerSocketPath(const char* xdgRuntimeDir, uid_t uid) {
    if (xdgRuntimeDir != nullptr && xdgRuntimeDir[0] != '\0') {
        return std::filesystem::path(xdgRuntimeDir) / kSocketName;
    }
    return std::filesystem::path("/tmp") / ("tunnora-" + std::to_string(uid)) / kSocketName;
}

std::filesystem::path playerSocketPath() {
    return playerSocketPath(std::getenv("XDG_RUNTIME_DIR"), ::getuid());
}

bool inSharedFallbackFolder(const std::filesystem::path& socketPath) {
    return socketPath.parent_path().parent_path() == "/tmp" &&
           socketPath.parent_path().filename().string().starts_with("tunnora-");
}

std::optional<std::string> prepareSocketFolder(const std::filesystem::path& socketPath) {
    const auto folder = socketPath.parent_path();
    if (!inSharedFallbackFolder(socketPath)) {
        struct stat st {};
        if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
            return "the runtime folder " + folder.string() + " does not exist";
        }
    } else if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        return "cannot make " + folder.string() + ": " + std::strerror(errno);
    }
    return socketProblem(socketPath);
}

std::optional<std::string> socketProblem(const std::filesystem::path& socketPath) {
    const auto folder = socketPath.parent_path();
    // A link in /tmp could be swapped by another user; a session's runtime folder is judged by what it
    // leads to.
    const bool fallback = inSharedFallbackFolder(socketPath);
    struct stat st {};
    if ((fallback ? ::lstat(folder.c_str(), &st) : ::stat(folder.c_str(), &st)) != 0) {
        return std::nullopt; // nobody listens in a folder that is not there
    }
    if (!S_ISDIR(st.st_mode)) {
        return folder.string() + " is not a folder";
    }
    if (st.st_uid != ::getuid()) {
        return folder.string() + " belongs to another user";
    }
    // Another user could make the fallback folder first to catch our socket: it must be closed to all.
    if (fallback ? (st.st_mode & 077) != 0 : (st.st_mode & 022) != 0) {
        return folder.string() + " is open to other users";
    }
    if (::lstat(socketPath.c_str(), &st) != 0) {
        return std::nullopt;
    }
    if (!S_ISSOCK(st.st_mode)) {
        return socketPath.string() + " is not a socket";
    }
    if (st.st_uid != ::getuid()) {
        return socketPath.string() + " belongs to another user";
    }
    return std::nullopt;
}

UniqueFd connectToSocket(const std::filesystem::path& socketPath) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string text = socketPath.string();
    if (text.size() >= sizeof(address.sun_path)) {
        return {};
    }
    std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
    UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!fd) {
        return {};
    }
    // A local socket connects at once or not at all; a player too busy to take the connection (its
    // queue full) counts as not there rather than blocking the station.
    if (::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
        return {};
    }
    return fd;
}

std::optional<PeerCredentials> peerCredentials(int fd) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0 || size != sizeof credentials) {
        return std::nullopt;
    }
    return PeerCredentials{credentials.pid, credentials.uid};
}

PlayerConnection connectToPlayer(const std::filesystem::path& socketPath, std::string* problem) {
    problem->clear();
    if (auto found = socketProblem(socketPath)) {
        *problem = std::move(*found);
        return {};
    }
    UniqueFd fd = connectToSocket(socketPath);
    if (!fd) {
        return {};
    }
    // The checks above looked at a file name; the system vouches for the process that really answers.
    const auto peer = peerCredentials(fd.get());
    if (!peer || peer->uid != ::getuid()) {
        *problem = "the program listening on " + socketPath.string() + " runs as another user";
        return {};
    }
    return {std::move(fd), peer->pid};
}

namespace {
// Waits until the descriptor is ready for `events` or the deadline passes.
bool waitReady(int fd, short events, Deadline deadline) {
    for (;;) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() < 0) {
            return false;
        }
        pollfd p{fd, events, 0};
        const int n = ::poll(&p, 1, static_cast<int>(left.count()));
        if (n > 0) {
            return true;
        }
        if (n < 0 && errno != EINTR) {
            return false;
        }
        if (n == 0 && left.count() == 0) {
            return false;
        }
    }
}
} // namespace

bool sendAllBytes(int fd, std::span<const std::uint8_t> bytes, Deadline deadline) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && waitReady(fd, POLLOUT, deadline)) {
            continue;
        }
        return false;
    }
    return true;
}

bool receiveExact(int fd, std::span<std::uint8_t> out, Deadline deadline) {
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t n = ::recv(fd, out.data() + done, out.size() - done, 0);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n == 0) {
            return false;
        }
        if (errno == EINTR) {
            continue;
        }
        if ((errno == EAGAIN || errno == EWOULDBLOCK) && waitReady(fd, POLLIN, deadline)) {
            continue;
        }
        return false;
    }
    return true;
}

std::optional<std::int32_t> exchange(int fd, std::span<const std::uint8_t> request,
                                     std::chrono::milliseconds timeout, NoReply* why) {
    NoReply unused = NoReply::PeerGone;
    NoReply& reason = why != nullptr ? *why : unused;
    const Deadline deadline = std::chrono::steady_clock::now() + timeout;
    if (!sendAllBytes(fd, request, deadline)) {
        reason = peerClosed(fd) ? NoReply::PeerGone : NoReply::OutOfStep;
        return std::nullopt;
    }
    // Nothing at all by the deadline: the whole reply is still owed, and the connection can take it later.
    if (!waitReady(fd, POLLIN, deadline)) {
        reason = NoReply::Owed;
        return std::nullopt;
    }
    std::array<std::uint8_t, kReplySize> reply{};
    if (!receiveExact(fd, reply, deadline)) {
        reason = peerClosed(fd) ? NoReply::PeerGone : NoReply::OutOfStep;
        return std::nullopt;
    }
    return decodeReply(reply);
}

LateReply takeLateReply(int fd) {
    std::array<std::uint8_t, kReplySize> reply{};
    // Looked at first and read only when whole, so that a reply that comes in pieces is never torn.
    const ssize_t seen = ::recv(fd, reply.data(), reply.size(), MSG_PEEK | MSG_DONTWAIT);
    if (seen == 0) {
        return LateReply::Gone;
    }
    if (seen < 0) {
        return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? LateReply::NotYet
                                                                         : LateReply::Gone;
    }
    if (static_cast<std::size_t>(seen) < reply.size()) {
        // A part of it: the rest may still come, unless the peer has closed its end after the part.
        pollfd p{fd, POLLRDHUP, 0};
        return ::poll(&p, 1, 0) > 0 && p.revents != 0 ? LateReply::Gone : LateReply::NotYet;
    }
    return ::recv(fd, reply.data(), reply.size(), MSG_DONTWAIT) == static_cast<ssize_t>(reply.size())
               ? LateReply::Taken
               : LateReply::Gone;
}

bool peerClosed(int fd) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 0) <= 0) {
        return false;
    }
    if ((p.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
        return true;
    }
    // Readable with no reply owed: either the end of the stream or bytes nobody asked for.
    // Both leave the connection unusable for a request.
    std::uint8_t byte = 0;
    const ssize_t n = ::recv(fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    if (n < 0) {
        return errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR;
    }
    return true;
}

} // namespace playerwire
