#include "instance.h"

#include "mpvengine.h"
#include "player/playerwire.h"
#include "playerserver.h"
#include "standinplayer.h"

#include <cerrno>
#include <chrono>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace standin {

namespace wire = playerwire;

namespace {
// How long a start keeps trying to reach a player that another start is just bringing up, and how
// long it waits for the running player to take a handed-over file.
constexpr auto kStartWait = std::chrono::seconds(5);
constexpr auto kRetryPause = std::chrono::milliseconds(5);
// Connections not yet taken wait in a queue as long as the system allows: a burst that comes while
// the player is busy or not yet running waits to be taken (a full player then closes its idlest
// connection for each) instead of being refused, which a station would read as no player at all.
constexpr int kBacklog = SOMAXCONN;

std::string systemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

// The system may remove files of the runtime folder that were not touched for hours, unless their sticky
// bit is set: without its socket the player could no longer be found, and without its lock a second
// player could start beside it. A folder that does not take the mark only loses that protection.
void markToBeKept(int lock, const std::filesystem::path& socketPath) {
    ::fchmod(lock, S_ISVTX | S_IRUSR | S_IWUSR);
    ::chmod(socketPath.c_str(), S_ISVTX | S_IRWXU);
}

int runPlayer(Listening listening, const std::filesystem::path& socketPath, const char* file) {
    const char* audioOutput = std::getenv("TUNNORA_PLAYER_AO");
    std::string error;
    auto engine = MpvEngine::open(audioOutput ? audioOutput : "", &error);
    if (!engine) {
        std::cerr << "tunnora-player: " << error << '\n';
        ::unlink(socketPath.c_str());
        return kExitFailed;
    }
    StandInPlayer player(*engine);
    if (file != nullptr && !player.take(file)) {
        std::cerr << "tunnora-player: not a playable file: " << file << '\n';
    }
    const wire::UniqueFd stop = installStopSignals();
    {
        PlayerServer server(std::move(listening.listener), player);
        server.watchEngine(engine->wakeFd(), [&] { engine->drain(player); });
        server.watchStop(stop.get());
        server.run();
        // Gone from the socket's place before the lock is let go, so the next start finds no stale file.
        ::unlink(socketPath.c_str());
    }
    engine.reset();
    return kExitDone;
}
} // namespace

std::optional<Listening> becomePlayer(const std::filesystem::path& socketPath, std::string* error) {
    const auto lockPath = socketPath.parent_path() / wire::kLockName;
    Listening result;
    result.lock.reset(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!result.lock) {
        *error = systemError("cannot open " + lockPath.string());
        return std::nullopt;
    }
    if (::flock(result.lock.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            *error = systemError("cannot lock " + lockPath.string());
        }
        return std::nullopt;
    }
    // Only a living player holds the lock, so a socket file found now was left by one that died.
    if (::unlink(socketPath.c_str()) != 0 && errno != ENOENT) {
        *error = systemError("cannot remove the stale " + socketPath.string());
        return std::nullopt;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string text = socketPath.string();
    if (text.size() >= sizeof(address.sun_path)) {
        *error = "the socket path is too long: " + text;
        return std::nullopt;
    }
    std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
    result.listener.reset(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!result.listener) {
        *error = systemError("cannot make a socket");
        return std::nullopt;
    }
    // Only this user may talk to the player, whatever folder the socket lies in.
    const mode_t oldMask = ::umask(077);
    const int bound =
        ::bind(result.listener.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address));
    ::umask(oldMask);
    if (bound != 0 || ::listen(result.listener.get(), kBacklog) != 0) {
        *error = systemError("cannot listen on " + text);
        return std::nullopt;
    }
    markToBeKept(result.lock.get(), socketPath);
    return result;
}

int runStandIn(std::span<const char* const> args) {
    // A station that goes away mid-answer must not end the player.
    std::signal(SIGPIPE, SIG_IGN);
    // mpv reads and writes numbers in the C locale.
    std::setlocale(LC_NUMERIC, "C");

    const char* file = nullptr;
    if (args.size() == 2 && std::strcmp(args[0], "/ADD") == 0) {
        file = args[1];
    } else if (!args.empty()) {
        std::cerr << "usage: tunnora-player [/ADD path]\n";
        return kExitFailed;
    }
    // The player takes no input from a terminal.
    if (const int devNull = ::open("/dev/null", O_RDONLY | O_CLOEXEC); devNull >= 0) {
        ::dup2(devNull, STDIN_FILENO);
        ::close(devNull);
    }

    // A path the player would refuse is refused here, before any player is bothered with it.
    const bool acceptable = file == nullptr || wire::checkPathText(file) == wire::PathVerdict::Acceptable;

    const auto socketPath = wire::playerSocketPath();
    if (const auto problem = wire::prepareSocketFolder(socketPath)) {
        std::cerr << "tunnora-player: " << *problem << '\n';
        return kExitFailed;
    }
    const auto deadline = std::chrono::steady_clock::now() + kStartWait;
    for (;;) {
        std::string problem;
        const wire::PlayerConnection player = wire::connectToPlayer(socketPath, &problem);
        if (!problem.empty()) {
            // Another user's socket or program: never handed a path, never taken for this user's player.
            std::cerr << "tunnora-player: " << problem << '\n';
            return kExitFailed;
        }
        if (player.fd) {
            if (file == nullptr) {
                return kExitDone; // a player runs already
            }
            if (!acceptable) {
                return kExitRefused;
            }
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            const auto reply = wire::exchange(player.fd.get(), wire::encodeTakeFile(file),
                                              std::max(left, std::chrono::milliseconds(500)));
            if (reply) {
                return *reply == 1 ? kExitDone : kExitRefused;
            }
            // The player went away in the middle (it was closing): try again, perhaps as the player.
        } else {
            std::string error;
            if (auto listening = becomePlayer(socketPath, &error)) {
                return runPlayer(std::move(*listening), socketPath, file);
            }
            if (!error.empty()) {
                std::cerr << "tunnora-player: " << error << '\n';
                return kExitFailed;
            }
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            std::cerr << "tunnora-player: the running player does not answer\n";
            return file == nullptr ? kExitFailed : kExitRefused;
        }
        std::this_thread::sleep_for(kRetryPause);
    }
}

} // namespace standin
