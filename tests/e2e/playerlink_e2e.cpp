// tunnora-e2e-playerlink: runs the real station with the real stand-in player of a program folder on the
// display it is given, queues the current album and plays it, and puts the link to the player through
// one trial, named by its first argument after the folder:
//   commands    the user pauses, changes the volume, steps to other songs, moves the position and stops,
//               each while the player is held still (stopped by a signal): the player must end up doing
//               what the station shows;
//   clicks      play pressed three times while the player is held still for eight seconds: the screen
//               may freeze once, not once per press;
//   exit        the station ended while the player is held still: the player must end too;
//   kill        the player killed mid-song: the station starts a new one and goes on with the next song,
//               the interrupted song neither counted nor listed;
//   unplayable  two songs of the album are a file of zero bytes and a broken one: they are neither counted
//               nor listed, and the album goes on.
// Exits 0 when every check held.
#include "app/form1.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "platform/timer.h"
#include "player/playerwire.h"
#include "stationdriver.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <signal.h>

namespace {

namespace wire = playerwire;
using namespace std::chrono_literals;
using e2e::check;
using e2e::same;
using Steady = std::chrono::steady_clock;

// The main bar's elements used here.
constexpr int kPrevious = 0;
constexpr int kStop = 1;
constexpr int kPause = 2;
constexpr int kPlay = 3;
constexpr int kNext = 4;

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

// Gone, or ended and not yet reaped by whoever adopted it.
bool processEnded(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    if (!std::getline(stat, text)) {
        return true;
    }
    const auto close = text.rfind(')');
    return close != std::string::npos && close + 2 < text.size() && text[close + 2] == 'Z';
}

// One trial on a station that has queued the current album.
class Trial {
public:
    Trial(e2e::StationRun& run, std::vector<int> album)
        : m_run(run)
        , f(run.f())
        , album(std::move(album)) {}

    // Waits until `done` holds, and fails the check `what` when it does not within `timeout`.
    bool expect(const std::function<bool()>& done, std::chrono::milliseconds timeout,
                const std::string& what) {
        const bool held = m_run.runUntil(done, timeout, [this] { watch(); });
        check(held, what);
        return held;
    }
    // Holds the player still for `length`, doing each of `steps` once its time into the hold has come.
    void hold(std::chrono::milliseconds length,
              std::vector<std::pair<std::chrono::milliseconds, std::function<void()>>> steps = {}) {
        const auto began = Steady::now();
        m_freezes = 0;
        m_lastTurn.reset();
        e2e::PlayerHold held(e2e::playerProcess(), length);
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
    // The record of the playlist row `row`.
    [[nodiscard]] int row(int r) const { return album.at(static_cast<std::size_t>(r - 1)); }
    [[nodiscard]] bool queued(int record) const {
        return std::find(album.begin(), album.end(), record) != album.end();
    }
    [[nodiscard]] int playing() const { return f.playback.PlayingRecordNo; }
    // The song the station shows playing is past its first second, by what the player reported.
    [[nodiscard]] bool pastFirstSecond() const { return f.Label1[12].caption() >= "00:01"; }
    // The player's own position in milliseconds; -1 without an answer or a song.
    [[nodiscard]] static std::int32_t playerPosition() {
        return e2e::askPlayer(wire::kMsgUser, 0, wire::kAskTime).value_or(-1);
    }
    [[nodiscard]] int freezes() const { return m_freezes; }
    // Every song listed in the last songs must have been seen playing past its first second.
    void checkRecordedSongsPlayed() {
        for (; m_recorded < f.PrevView->count(); ++m_recorded) {
            const int record = std::stoi(f.PrevView->subItem(m_recorded + 1, 6));
            check(m_pastFirstSecond.count(record) == 1,
                  "record " + std::to_string(record) + " recorded before it played its first second");
        }
    }

private:
    // Runs at every turn of the event loop: notes the songs seen playing and the turns that came late.
    void watch() {
        const auto now = Steady::now();
        if (m_lastTurn && now - *m_lastTurn >= 700ms) {
            ++m_freezes;
            std::fprintf(
                stderr, "the screen froze for %lld ms\n",
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(now - *m_lastTurn).count()));
        }
        m_lastTurn = now;
        if (pastFirstSecond()) {
            m_pastFirstSecond.insert(playing());
        }
        checkRecordedSongsPlayed();
    }

    e2e::StationRun& m_run;
    std::optional<Steady::time_point> m_lastTurn;
    int m_freezes = 0;
    std::set<int> m_pastFirstSecond;
    int m_recorded = 0;

public:
    Form1& f;
    const std::vector<int> album;
};

// Pause, a volume, next, next, previous, a position move and stop, each given while the player is held
// still; songs of eight seconds.
void commands(e2e::StationRun& run, Trial& t) {
    Form1& f = t.f;
    run.bar(kPlay);
    t.expect([&] { return t.playing() == t.row(1) && t.pastFirstSecond(); }, 20s, "the first song plays");

    // The station has met the silence well before the first command.
    t.hold(4s, {{1500ms, [&] { run.bar(kPause); }},
                {1800ms, [&] { tk::dispatch([&] { f.SliderPic1_PositionChanged(0, 20); }); }}});
    t.expect([] { return e2e::playerState() == wire::kStatePaused; }, 3s,
             "the pause given while the player was silent paused it");
    same(std::to_string(e2e::askPlayer(wire::kMsgAskVolume).value_or(-1)), "50",
         "the volume given while the player was silent");
    t.expect([&] { return f.playback.ShownPlayState == "PAUSED"; }, 2s, "the bar shows the pause");

    run.bar(kPlay);
    t.expect([] { return e2e::playerState() == wire::kStatePlaying; }, 3s, "play resumes the paused song");
    // Far enough into the first song that it cannot be taken for the second one just started.
    t.expect([&] { return Trial::playerPosition() >= 3500; }, 5s, "the first song plays on");

    // Long enough that all three reach a silent player, even where each of them froze the screen.
    t.hold(8s, {{1500ms, [&] { run.bar(kNext); }}, {1800ms, [&] { run.bar(kNext); }}, {2100ms, [&] {
                                                                                           run.bar(kPrevious);
                                                                                       }}});
    same(std::to_string(t.playing()), std::to_string(t.row(2)), "the song shown after next, next, previous");
    same(f.Label1[4].caption(), f.play->subItem(2, 2), "the title shown after next, next, previous");
    run.runFor(1500ms);
    check(e2e::playerState() == wire::kStatePlaying, "the player plays the song the station shows");
    const std::int32_t startedAt = Trial::playerPosition();
    check(startedAt >= 0 && startedAt < 3000,
          "the second song plays from its start: at " + std::to_string(startedAt) + " ms");
    check(f.PrevView->count() == 0, "nothing counted for songs skipped by next and previous");

    t.expect([&] { return Trial::playerPosition() >= 1000; }, 5s, "the second song plays on");
    t.hold(4s, {{1500ms, [&] { tk::dispatch([&] { f.SliderPic1_PositionChanged(1, 6); }); }}});
    t.expect([&] { return Trial::playerPosition() >= 6000 || t.playing() == t.row(3); }, 3s,
             "the position move given while the player was silent moved it");
    t.expect([&] { return t.playing() == t.row(3) && t.pastFirstSecond(); }, 10s,
             "the second song ends and the third plays");

    t.hold(4s, {{1500ms, [&] { run.bar(kStop); }}});
    t.expect([] { return e2e::playerState() == wire::kStateStopped; }, 3s,
             "the stop given while the player was silent stopped it");
    run.runFor(2s);
    check(e2e::playerState() == wire::kStateStopped, "the player stays stopped");
    same(f.playback.ShownPlayState, "STOPPED", "the bar's play state");
    check(!f.Timer1->enabled(), "the station shows itself stopped: no song advances");
    same(records(e2e::lastSongs(f)), std::to_string(t.row(2)), "the songs listed as played");
    e2e::checkCounts(run.folder, [&](int record) { return record == t.row(2); });
}

// Play pressed three times while the player is held still for eight seconds.
void clicks(e2e::StationRun& run, Trial& t) {
    Form1& f = t.f;
    run.bar(kPlay);
    t.expect([&] { return t.playing() == t.row(1) && t.pastFirstSecond(); }, 20s, "the first song plays");
    t.hold(8s, {{2s, [&] { run.bar(kPlay); }}, {4s, [&] { run.bar(kPlay); }}, {6s, [&] { run.bar(kPlay); }}});
    check(t.freezes() <= 1, "the screen froze " + std::to_string(t.freezes()) + " times during one silence");
    const int songs = static_cast<int>(t.album.size());
    t.expect([&] { return f.PrevView->count() >= songs && !f.Timer1->enabled(); }, 40s,
             "the album plays through");
    same(records(e2e::lastSongs(f)), records(t.album), "the songs listed as played");
    e2e::checkCounts(run.folder, [&](int record) { return t.queued(record); });
}

// The station ends while the player is held still.
void exitWhileSilent(e2e::StationRun& run, Trial& t) {
    run.bar(kPlay);
    t.expect([&] { return t.playing() == t.row(1) && t.pastFirstSecond(); }, 20s, "the first song plays");
    const pid_t player = e2e::playerProcess();
    std::chrono::milliseconds took{};
    {
        e2e::PlayerHold held(player, 6s);
        check(held.held(), "the player was held still");
        run.runFor(1500ms);
        const auto began = Steady::now();
        run.exit();
        took = std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now() - began);
        // The hold ends here: the player would go on now.
    }
    std::fprintf(stderr, "the exit took %lld ms\n", static_cast<long long>(took.count()));
    check(took < 3s, "the exit took " + std::to_string(took.count()) + " ms");
    bool ended = false;
    for (int i = 0; i < 50 && !ended; ++i) {
        ended = processEnded(player);
        std::this_thread::sleep_for(100ms);
    }
    check(ended, "the player ended with the station");
}

// The player killed while the second song plays.
void kill(e2e::StationRun& run, Trial& t) {
    Form1& f = t.f;
    run.bar(kPlay);
    t.expect([&] { return t.playing() == t.row(2) && t.pastFirstSecond(); }, 20s, "the second song plays");
    const pid_t player = e2e::playerProcess();
    check(player > 0 && ::kill(player, SIGKILL) == 0, "the player was killed");
    const int songs = static_cast<int>(t.album.size());
    t.expect([&] { return f.PrevView->count() >= songs - 1 && !f.Timer1->enabled(); }, 40s,
             "the album plays on to its end");
    const pid_t again = e2e::playerProcess();
    check(again > 0 && again != player, "a new player runs");
    std::vector<int> played = t.album;
    played.erase(played.begin() + 1);
    same(records(e2e::lastSongs(f)), records(played), "the songs listed as played");
    e2e::checkCounts(run.folder, [&](int record) { return t.queued(record) && record != t.row(2); });
}

// Rows 2 and 4 cannot be played: an empty file and a broken one.
void unplayable(e2e::StationRun& run, Trial& t) {
    Form1& f = t.f;
    std::ofstream(f.play->subItem(2, 5), std::ios::binary | std::ios::trunc);
    {
        std::ofstream broken(f.play->subItem(4, 5), std::ios::binary | std::ios::trunc);
        std::mt19937 bytes(4);
        for (int i = 0; i < 4000; ++i) {
            broken.put(static_cast<char>(bytes() & 0xFF));
        }
    }
    run.bar(kPlay);
    t.expect([&] { return f.PrevView->count() >= 3 && !f.Timer1->enabled(); }, 40s,
             "the album plays to its end");
    run.runFor(1s);
    same(records(e2e::lastSongs(f)), records({t.row(1), t.row(3), t.row(5)}), "the songs listed as played");
    e2e::checkCounts(run.folder, [&](int record) {
        return record == t.row(1) || record == t.row(3) || record == t.row(5);
    });
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::pair<std::string, void (*)(e2e::StationRun&, Trial&)>> trials = {
        {"commands", commands}, {"clicks", clicks},         {"exit", exitWhileSilent},
        {"kill", kill},         {"unplayable", unplayable},
    };
    const auto trial = argc == 3 ? std::find_if(trials.begin(), trials.end(),
                                                [&](const auto& t) { return t.first == argv[2]; })
                                 : trials.end();
    if (trial == trials.end()) {
        std::fprintf(stderr, "usage: tunnora-e2e-playerlink PROGRAM-FOLDER "
                             "commands|clicks|exit|kill|unplayable\n");
        return 2;
    }
    e2e::StationRun run(argc, argv, argv[1]);
    if (!run.start()) {
        return 1;
    }
    const std::vector<int> album = run.queueCurrentAlbum();
    check(album.size() >= 5, "the current album lists five songs");
    if (album.size() >= 5) {
        Trial t(run, album);
        trial->second(run, t);
        if (trial->first != "exit") {
            t.checkRecordedSongsPlayed();
        }
    }
    check(run.messagesShown() == 0, "no message box came up");
    if (trial->first != "exit") {
        run.exit();
    }
    std::fprintf(stderr, "%s: %s, %d failed checks\n", e2e::failures() ? "FAILED" : "passed",
                 trial->first.c_str(), e2e::failures());
    return e2e::failures() == 0 ? 0 : 1;
}
