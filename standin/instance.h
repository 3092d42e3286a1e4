#pragma once

#include "player/playersocket.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace standin {

// The one player of this user: the lock held for the player's whole life and the socket it listens on.
struct Listening {
    playerwire::UniqueFd lock;
    playerwire::UniqueFd listener;
};

// Tries to become the user's one player: takes the lock beside the socket and listens on the socket,
// replacing a socket file left by a player that died. nullopt without `error` when another start holds
// the lock; with `error` set when the socket cannot be made.
[[nodiscard]] std::optional<Listening> becomePlayer(const std::filesystem::path& socketPath,
                                                    std::string* error);

// Exit codes of a start.
inline constexpr int kExitDone = 0;    // played until closed, or found a player running, or handed over
inline constexpr int kExitRefused = 1; // the running player did not take the file
inline constexpr int kExitFailed = 2;  // bad arguments, or no socket could be made

// The whole start of `tunnora-player`: with no arguments it becomes the player or, when one runs,
// ends at once; with "/ADD" and a path it hands the path to the running player and waits for its
// answer, or becomes the player with that file in its list.
int runStandIn(std::span<const char* const> args);

} // namespace standin
