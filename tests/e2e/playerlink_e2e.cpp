// tunnora-e2e-playerlink: runs the real station with the real stand-in player of a program folder on the
// display it is given, queues the current album and plays it, and puts the link to the player through
// one trial, named by its first argument after the folder:
//   commands    the user pauses, changes the volume, steps to other songs, moves the position and stops,
//               each while the player is held still (stopped by a signal): the player must end up doing
//               what the station shows;
//   clicks      play pressed three times while the player is held still for eight seconds: the screen
//               may freeze once, not once per press;
//   exit        the station ended while the player is held still: the player must end too;
//   position    while the player is held still the screen keeps the song's time, length and place, and
//               the position slider dragged meanwhile moves the player to the place chosen;
//   pausepause  pause, pause and play while the player is held still: it plays on;
//   pausehold   a pause that goes out just as the player falls silent pauses it once;
//   endedhold   a player that falls silent after the playlist ended: the bar still shows it stopped;
//   exitstuck   the station ended while the player's event loop is stuck: the player must end too;
//   kill        the player killed mid-song: the station starts a new one and goes on with the next song,
//               the interrupted song neither counted nor listed;
//   handover    the player killed as the station hands it the second song: a new player plays that song;
//   pausekill   the player killed while paused, and while stopped: nothing plays until Play, which goes
//               on with the next song;
//   socket      the player's socket file removed mid-song: the album plays on through a new player;
//   unplayable  two songs of the album are a file of zero bytes and a broken one: they are neither counted
//               nor listed, and the album goes on;
//   firstrows   a playlist of three whose first two songs cannot be played: the third plays;
//   stopgap     Stop pressed right after the player failed to play the song: it is not counted;
//   lookup      songs whose path cannot be looked up (a link to itself, a name too long, a folder that may
//               not be read) are passed over without a message box, and the fourth song plays.
// Exits 0 when every check held, 77 when the trial cannot be made here.
#include "playerlink.h"

#include "app/form1.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "player/playerwire.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <thread>

namespace e2e {

namespace wire = playerwire;
using namespace std::chrono_literals;

std::string records(const std::vector<int>& list) {
    std::string text;
    for (const int r : list) {
        if (!text.empty()) {
            text += ' ';
        }
        text += std::to_string(r);
    }
    return text;
}

bool processEnded(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    if (!std::getline(stat, text)) {
        return true;
    }
    const auto close = text.rfind(')');
    return close != std::string::npos && close + 2 < text.size() && text[close + 2] == 'Z';
}

namespace {
bool g_skipped = false;
}

void skip(const std::string& why) {
    std::fprintf(stderr, "the trial cannot be made here: %s\n", why.c_str());
    g_skipped = true;
}

bool skipped() {
    return g_skipped;
}

bool awaitProcessEnd(pid_t pid) {
    for (int i = 0; i < 50; ++i) {
        if (processEnded(pid)) {
            return true;
        }
        std::this_thread::sleep_for(100ms);
    }
    return false;
}

Trial::Trial(StationRun& run, std::vector<int> album)
    : m_run(run)
    , f(run.f())
    , album(std::move(album)) {}

bool Trial::expect(const std::function<bool()>& done, std::chrono::milliseconds timeout,
                   const std::string& what) {
    const bool held = m_run.runUntil(done, timeout, [this] { watch(); });
    check(held, what);
    return held;
}

void Trial::hold(std::chrono::milliseconds length,
                 std::vector<std::pair<std::chrono::milliseconds, std::function<void()>>> steps) {
    const auto began = Steady::now();
    m_freezes = 0;
    m_lastTurn.reset();
    PlayerHold held(playerProcess(), length);
    check(held.held(), "the player was held still");
    std::size_t next = 0;
    m_run.runUntil([&] { return held.over() && next == steps.size(); }, length + 20s,
                   [&] {
                       watch();
                       while (next < steps.size() && Steady::now() - began >= steps[next].first) {
                           steps[next++].second();
                       }
                   });
}

void Trial::runFor(std::chrono::milliseconds time) {
    m_run.runUntil([] { return false; }, time, [this] { watch(); });
}

bool Trial::queued(int record) const {
    return std::find(album.begin(), album.end(), record) != album.end();
}

int Trial::playing() const {
    return f.playback.PlayingRecordNo;
}

bool Trial::pastFirstSecond() const {
    return f.Label1[12].caption() >= "00:01";
}

std::int32_t Trial::playerPosition() {
    return askPlayer(wire::kMsgUser, 0, wire::kAskTime).value_or(-1);
}

void Trial::checkRecordedSongsPlayed() {
    for (; m_recorded < f.PrevView->count(); ++m_recorded) {
        const int record = std::stoi(f.PrevView->subItem(m_recorded + 1, 6));
        check(m_pastFirstSecond.count(record) == 1,
              "record " + std::to_string(record) + " recorded before it played its first second");
    }
}

void Trial::watch() {
    const auto now = Steady::now();
    if (m_lastTurn && now - *m_lastTurn >= 700ms) {
        ++m_freezes;
        std::fprintf(stderr, "the screen froze for %lld ms\n",
                     static_cast<long long>(
                         std::chrono::duration_cast<std::chrono::milliseconds>(now - *m_lastTurn).count()));
    }
    m_lastTurn = now;
    if (pastFirstSecond()) {
        m_pastFirstSecond.insert(playing());
    }
    checkRecordedSongsPlayed();
}

} // namespace e2e

int main(int argc, char** argv) {
    using e2e::check;
    // Each trial with the rows of the current album it queues; 0: all of them, at least five.
    struct Named {
        std::string name;
        e2e::TrialRun run;
        int rows = 0;
    };
    const std::vector<Named> trials = {
        {"commands", e2e::commands},
        {"clicks", e2e::clicks},
        {"exit", e2e::exitWhileSilent},
        {"position", e2e::position},
        {"pausepause", e2e::pausePausePlay},
        {"pausehold", e2e::pauseAsItFallsSilent},
        {"endedhold", e2e::silentAfterTheEnd, 2},
        {"exitstuck", e2e::exitWhileStuck},
        {"kill", e2e::kill},
        {"handover", e2e::killAtHandOver},
        {"pausekill", e2e::killWhilePaused},
        {"socket", e2e::socketRemoved},
        {"unplayable", e2e::unplayable},
        {"firstrows", e2e::unplayableFirstRows, 3},
        {"stopgap", e2e::stopAfterUnplayable, 2},
        {"lookup", e2e::pathsNotLookedUp, 4},
    };
    const auto trial = argc == 3 ? std::find_if(trials.begin(), trials.end(),
                                                [&](const Named& t) { return t.name == argv[2]; })
                                 : trials.end();
    if (trial == trials.end()) {
        std::string names;
        for (const Named& t : trials) {
            names += (names.empty() ? "" : "|") + t.name;
        }
        std::fprintf(stderr, "usage: tunnora-e2e-playerlink PROGRAM-FOLDER %s\n", names.c_str());
        return 2;
    }
    e2e::StationRun run(argc, argv, argv[1]);
    if (!run.start()) {
        return 1;
    }
    const std::vector<int> album = run.queueCurrentAlbum(trial->rows > 0 ? trial->rows : -1);
    const std::size_t wanted = trial->rows > 0 ? static_cast<std::size_t>(trial->rows) : 5;
    check(album.size() >= wanted, "the current album lists " + std::to_string(wanted) + " songs");
    const bool ends = trial->name == "exit" || trial->name == "exitstuck";
    if (album.size() >= wanted) {
        e2e::Trial t(run, album);
        trial->run(run, t);
        if (!ends) {
            t.checkRecordedSongsPlayed();
        }
    }
    check(run.messagesShown() == 0, "no message box came up");
    if (!ends) {
        run.exit();
    }
    if (e2e::skipped()) {
        std::fprintf(stderr, "skipped: %s\n", trial->name.c_str());
        return 77;
    }
    std::fprintf(stderr, "%s: %s, %d failed checks\n", e2e::failures() ? "FAILED" : "passed",
                 trial->name.c_str(), e2e::failures());
    return e2e::failures() == 0 ? 0 : 1;
}
