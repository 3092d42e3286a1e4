#pragma once

#include "player/playersocket.h"
#include "player/playerwire.h"

#include <functional>
#include <memory>
#include <vector>

namespace standin {

class StandInPlayer;

// The player's event loop: one poll() over the listening socket, every station connection, the
// engine's wake-up pipe and the stop-signal pipe. Requests on one connection are answered in order;
// connections are served in the order they came. A full player closes its idlest connection to take a
// new one, but never one in use (one that spoke within the last seconds): while every place is in use,
// a new connection is a visitor, whose first requests are answered before it is closed.
class PlayerServer {
public:
    PlayerServer(playerwire::UniqueFd listener, StandInPlayer& player);
    ~PlayerServer();
    PlayerServer(const PlayerServer&) = delete;
    PlayerServer& operator=(const PlayerServer&) = delete;

    // `drain` runs on this thread whenever `wakeFd` turns readable.
    void watchEngine(int wakeFd, std::function<void()> drain);
    // The loop ends when `fd` turns readable (a stop signal arrived).
    void watchStop(int fd);
    // Runs until the station closes the player, a stop signal arrives or the engine is gone.
    void run();

private:
    struct Client;
    void acceptClients();
    // Closes the idlest connection that is not in use; false when every connection is in use.
    bool dropIdlest();
    [[nodiscard]] std::size_t visitors() const;
    // Milliseconds until the first visitor's time is up; -1 without visitors.
    [[nodiscard]] int pollTimeout() const;
    bool serve(Client& client);
    bool flush(Client& client);

    playerwire::UniqueFd m_listener;
    StandInPlayer& m_player;
    int m_wakeFd = -1;
    std::function<void()> m_drain;
    int m_stopFd = -1;
    std::vector<std::unique_ptr<Client>> m_clients;
};

// Turns SIGTERM, SIGINT and SIGHUP into a readable pipe; returns its read end.
playerwire::UniqueFd installStopSignals();

} // namespace standin
