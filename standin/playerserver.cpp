#include "playerserver.h"

#include "standinplayer.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <optional>
#include <tuple>
#include <variant>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace standin {

namespace wire = playerwire;

namespace {
using Clock = std::chrono::steady_clock;

// Connections served at once; when a new one comes to a full player, the idlest goes.
constexpr std::size_t kMaxClients = 64;
// A connection that spoke (or came) within this time is in use and keeps its place: the station asks
// several times a second, however busily other programs ask too.
constexpr auto kInUse = std::chrono::seconds(3);
// Connections that come while every place is in use: at most this many at once, each given this long
// to ask before it is closed. A start that hands over a file needs no more than one answer.
constexpr std::size_t kMaxVisitors = 64;
constexpr auto kVisitTime = std::chrono::seconds(1);
// New connections taken per turn, so that a flood of them cannot hold up those already served.
constexpr std::size_t kAcceptPerTurn = 64;
// A station that sends requests but never reads the answers is dropped past this much unsent output.
constexpr std::size_t kMaxUnsent = 64 * 1024;
// Bytes read from one connection per turn, so one busy connection cannot starve the others.
constexpr std::size_t kReadPerTurn = 64 * 1024;
constexpr auto kCloseFlushTime = std::chrono::milliseconds(500);

int g_stopWrite = -1;

void onStopSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(g_stopWrite, &byte, 1);
    errno = saved;
}
} // namespace

struct PlayerServer::Client {
    wire::UniqueFd fd;
    wire::RequestParser parser;
    std::vector<std::uint8_t> unsent;
    // When the connection last brought bytes (or was taken), and whether it ever asked anything.
    Clock::time_point lastActive = Clock::now();
    bool asked = false;
    // A visitor is closed once its answers are out, or when it asked nothing by `visitEnds`.
    bool visitor = false;
    Clock::time_point visitEnds{};
    bool gone = false; // the peer left, or broke the protocol
};

PlayerServer::PlayerServer(wire::UniqueFd listener, StandInPlayer& player)
    : m_listener(std::move(listener))
    , m_player(player) {}

PlayerServer::~PlayerServer() = default;

void PlayerServer::watchEngine(int wakeFd, std::function<void()> drain) {
    m_wakeFd = wakeFd;
    m_drain = std::move(drain);
}

void PlayerServer::watchStop(int fd) {
    m_stopFd = fd;
}

void PlayerServer::run() {
    std::vector<pollfd> fds;
    while (!m_player.closeRequested() && !m_player.engineGone()) {
        // With every place in use and no room for another visitor, new connections wait in the queue.
        const bool canTake = visitors() < kMaxVisitors || m_clients.size() - visitors() < kMaxClients;
        fds.clear();
        fds.push_back({m_listener.get(), static_cast<short>(canTake ? POLLIN : 0), 0});
        fds.push_back({m_wakeFd, POLLIN, 0});
        fds.push_back({m_stopFd, POLLIN, 0});
        for (const auto& client : m_clients) {
            const short events = client->unsent.empty() ? POLLIN : static_cast<short>(POLLIN | POLLOUT);
            fds.push_back({client->fd.get(), events, 0});
        }
        if (::poll(fds.data(), fds.size(), pollTimeout()) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if ((fds[2].revents & POLLIN) != 0) {
            return;
        }
        // Engine news first: a song that ended before a status request came in reads as stopped.
        if ((fds[1].revents & POLLIN) != 0 && m_drain) {
            m_drain();
        }
        // Serve the connections that were there when poll() looked, oldest first.
        std::vector<Client*> ready;
        for (std::size_t i = 0; i < m_clients.size(); ++i) {
            if (fds[3 + i].revents != 0) {
                ready.push_back(m_clients[i].get());
            }
        }
        for (Client* client : ready) {
            client->gone = !serve(*client);
            if (m_player.closeRequested()) {
                // The close is answered before the player goes.
                // Whether the station still reads it makes no difference: the player goes either way.
                (void)wire::sendAllBytes(client->fd.get(), client->unsent, Clock::now() + kCloseFlushTime);
                return;
            }
        }
        const auto now = Clock::now();
        std::erase_if(m_clients, [&](const auto& c) {
            const bool visitOver = c->visitor && ((c->asked && c->unsent.empty()) || now >= c->visitEnds);
            return c->gone || visitOver;
        });
        if ((fds[0].revents & POLLIN) != 0) {
            acceptClients();
        }
    }
}

int PlayerServer::pollTimeout() const {
    // A visitor is closed when its time is up, whether or not anything else happens by then.
    std::optional<Clock::time_point> first;
    for (const auto& client : m_clients) {
        if (client->visitor && (!first || client->visitEnds < *first)) {
            first = client->visitEnds;
        }
    }
    if (!first) {
        return -1;
    }
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(*first - Clock::now()).count();
    return static_cast<int>(std::max<decltype(left)>(left, 0));
}

std::size_t PlayerServer::visitors() const {
    return static_cast<std::size_t>(
        std::count_if(m_clients.begin(), m_clients.end(), [](const auto& c) { return c->visitor; }));
}

void PlayerServer::acceptClients() {
    for (std::size_t taken = 0; taken < kAcceptPerTurn; ++taken) {
        bool hasPlace = m_clients.size() - visitors() < kMaxClients;
        if (!hasPlace && visitors() >= kMaxVisitors) {
            if (!dropIdlest()) {
                return; // the rest wait in the queue until a visitor has gone
            }
            hasPlace = true;
        }
        wire::UniqueFd fd(::accept4(m_listener.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (!fd) {
            return;
        }
        auto client = std::make_unique<Client>();
        client->fd = std::move(fd);
        if (!hasPlace && !dropIdlest()) {
            client->visitor = true;
            client->visitEnds = client->lastActive + kVisitTime;
        }
        m_clients.push_back(std::move(client));
    }
}

// Makes room for a new connection. The station asks its player's state twice a second, so only a
// connection silent for seconds is a stray one that may go; of those, one that never asked anything
// counts as idler than any that did, so that a burst of silent connections goes before one once used.
bool PlayerServer::dropIdlest() {
    const auto now = Clock::now();
    auto idlest = m_clients.end();
    for (auto it = m_clients.begin(); it != m_clients.end(); ++it) {
        const Client& c = **it;
        if (c.visitor || now - c.lastActive < kInUse) {
            continue;
        }
        if (idlest == m_clients.end() ||
            std::tie(c.asked, c.lastActive) < std::tie((*idlest)->asked, (*idlest)->lastActive)) {
            idlest = it;
        }
    }
    if (idlest == m_clients.end()) {
        return false;
    }
    m_clients.erase(idlest);
    return true;
}

bool PlayerServer::serve(Client& client) {
    std::array<std::uint8_t, 4096> buffer{};
    std::size_t readThisTurn = 0;
    bool ended = false;
    while (readThisTurn < kReadPerTurn) {
        const ssize_t n = ::recv(client.fd.get(), buffer.data(), buffer.size(), 0);
        if (n > 0) {
            client.parser.feed(std::span(buffer.data(), static_cast<std::size_t>(n)));
            readThisTurn += static_cast<std::size_t>(n);
            client.lastActive = std::chrono::steady_clock::now();
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        ended = n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
        break;
    }
    while (auto incoming = client.parser.next()) {
        client.asked = true;
        std::int32_t reply = 0;
        if (const auto* request = std::get_if<wire::Request>(&*incoming)) {
            reply = m_player.handle(*request);
        } else {
            reply = m_player.take(std::get<wire::TakeFile>(*incoming).path) ? 1 : 0;
        }
        const auto bytes = wire::encodeReply(reply);
        client.unsent.insert(client.unsent.end(), bytes.begin(), bytes.end());
        if (m_player.closeRequested()) {
            return true;
        }
    }
    if (client.parser.broken()) {
        return false;
    }
    if (!flush(client)) {
        return false;
    }
    // A peer that closed its end after its last request still gets its answers if they fit at once.
    return !ended;
}

bool PlayerServer::flush(Client& client) {
    std::size_t done = 0;
    while (done < client.unsent.size()) {
        const ssize_t n =
            ::send(client.fd.get(), client.unsent.data() + done, client.unsent.size() - done, MSG_NOSIGNAL);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            break;
        }
        return false;
    }
    client.unsent.erase(client.unsent.begin(), client.unsent.begin() + static_cast<std::ptrdiff_t>(done));
    return client.unsent.size() <= kMaxUnsent;
}

wire::UniqueFd installStopSignals() {
    int fds[2] = {-1, -1};
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) {
        return {};
    }
    g_stopWrite = fds[1]; // lives as long as the process
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int sig : {SIGTERM, SIGINT, SIGHUP}) {
        ::sigaction(sig, &action, nullptr);
    }
    return wire::UniqueFd(fds[0]);
}

} // namespace standin
