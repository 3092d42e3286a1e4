#pragma once

// The trials of tunnora-e2e-playerlink (see playerlink_e2e.cpp): what they share, and the trials
// themselves, of a silent player (playerlink_silence.cpp) and of a player or song lost
// (playerlink_loss.cpp).

#include "stationdriver.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <sys/types.h>

class Form1;

namespace e2e {

using Steady = std::chrono::steady_clock;

// The main bar's elements used here.
inline constexpr int kPrevious = 0;
inline constexpr int kStop = 1;
inline constexpr int kPause = 2;
inline constexpr int kPlay = 3;
inline constexpr int kNext = 4;

// Record numbers as one text: "3 4 7".
std::string records(const std::vector<int>& list);
// Gone, or ended and not yet reaped by whoever adopted it.
bool processEnded(pid_t pid);
// Waits up to five seconds for the process to end; true once it has.
bool awaitProcessEnd(pid_t pid);
// The trial cannot be made on this machine, for the reason given: the driver exits 77.
void skip(const std::string& why);
[[nodiscard]] bool skipped();

// One trial on a station that has queued the current album.
class Trial {
public:
    Trial(StationRun& run, std::vector<int> album);

    // Waits until `done` holds, and fails the check `what` when it does not within `timeout`.
    bool expect(const std::function<bool()>& done, std::chrono::milliseconds timeout,
                const std::string& what);
    // Holds the player still for `length`, doing each of `steps` once its time into the hold has come.
    void hold(std::chrono::milliseconds length,
              std::vector<std::pair<std::chrono::milliseconds, std::function<void()>>> steps = {});
    // Runs the event loop for `time`, watching as expect does.
    void runFor(std::chrono::milliseconds time);
    // The record of the playlist row `row`.
    [[nodiscard]] int row(int r) const { return album.at(static_cast<std::size_t>(r - 1)); }
    [[nodiscard]] bool queued(int record) const;
    [[nodiscard]] int playing() const;
    // The song the station shows playing is past its first second, by what the player reported.
    [[nodiscard]] bool pastFirstSecond() const;
    // Row `r` is the song the station shows playing, past its first second.
    [[nodiscard]] bool plays(int r) const { return playing() == row(r) && pastFirstSecond(); }
    // The player's own position in milliseconds; -1 without an answer or a song.
    [[nodiscard]] static std::int32_t playerPosition();
    [[nodiscard]] int freezes() const { return m_freezes; }
    // Every song listed in the last songs must have been seen playing past its first second.
    void checkRecordedSongsPlayed();

private:
    // Runs at every turn of the event loop: notes the songs seen playing and the turns that came late.
    void watch();

    StationRun& m_run;
    std::optional<Steady::time_point> m_lastTurn;
    int m_freezes = 0;
    std::set<int> m_pastFirstSecond;
    int m_recorded = 0;

public:
    Form1& f;
    const std::vector<int> album;
};

using TrialRun = void (*)(StationRun&, Trial&);

// What the user asks of a player held still.
void commands(StationRun& run, Trial& t);
void clicks(StationRun& run, Trial& t);
void exitWhileSilent(StationRun& run, Trial& t);
void position(StationRun& run, Trial& t);
void pausePausePlay(StationRun& run, Trial& t);
void pauseAsItFallsSilent(StationRun& run, Trial& t);
void silentAfterTheEnd(StationRun& run, Trial& t);
void exitWhileStuck(StationRun& run, Trial& t);

// A player that dies or cannot be reached, and songs it cannot be given or cannot play.
void kill(StationRun& run, Trial& t);
void killAtHandOver(StationRun& run, Trial& t);
void killWhilePaused(StationRun& run, Trial& t);
void socketRemoved(StationRun& run, Trial& t);
void unplayable(StationRun& run, Trial& t);
void unplayableFirstRows(StationRun& run, Trial& t);
void stopAfterUnplayable(StationRun& run, Trial& t);
void pathsNotLookedUp(StationRun& run, Trial& t);

} // namespace e2e
