// The trials of a player that dies or cannot be reached, and of songs it cannot be given or cannot play.
#include "app/form1.h"
#include "platform/listview.h"
#include "platform/timer.h"
#include "player/playersocket.h"
#include "player/playerwire.h"
#include "playerlink.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>

#include <linux/capability.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace e2e {

namespace fs = std::filesystem;
namespace wire = playerwire;
using namespace std::chrono_literals;

namespace {

void makeEmpty(const fs::path& file) {
    std::ofstream(file, std::ios::binary | std::ios::trunc);
}

void makeBroken(const fs::path& file) {
    std::ofstream broken(file, std::ios::binary | std::ios::trunc);
    std::mt19937 bytes(4);
    for (int i = 0; i < 4000; ++i) {
        broken.put(static_cast<char>(bytes() & 0xFF));
    }
}

bool killed(pid_t player) {
    return player > 0 && ::kill(player, SIGKILL) == 0;
}

// A player other than `gone` answers on the socket.
bool anotherPlayer(pid_t gone) {
    const pid_t now = playerProcess();
    return now > 0 && now != gone;
}

bool markedToBeKept(const fs::path& file) {
    struct stat st {};
    return ::lstat(file.c_str(), &st) == 0 && (st.st_mode & S_ISVTX) != 0;
}

// The whole playlist played and the end-of-song timer off.
bool playedThrough(Form1& f, int songs) {
    return f.PrevView->count() >= songs && !f.Timer1->enabled();
}

} // namespace

// The player killed while the second song plays.
void kill(StationRun& run, Trial& t) {
    Form1& f = t.f;
    run.bar(kPlay);
    t.expect([&] { return t.plays(2); }, 20s, "the second song plays");
    const pid_t player = playerProcess();
    check(killed(player), "the player was killed");
    const int songs = static_cast<int>(t.album.size());
    t.expect([&] { return playedThrough(f, songs - 1); }, 40s, "the album plays on to its end");
    check(anotherPlayer(player), "a new player runs");
    std::vector<int> played = t.album;
    played.erase(played.begin() + 1);
    same(records(lastSongs(f)), records(played), "the songs listed as played");
    checkCounts(run.folder, [&](int record) { return t.queued(record) && record != t.row(2); });
}

// The player killed the moment the station has started handing it the second song: a new player is
// handed that song, which plays and counts.
void killAtHandOver(StationRun& run, Trial& t) {
    Form1& f = t.f;
    const std::string second = f.play->subItem(2, 5);
    pid_t victim = 0;
    run.launcher->started = [&](const std::vector<std::string>& args, std::int64_t) {
        if (victim == 0 && args.size() == 2 && args[0] == "/ADD" && args[1] == second) {
            victim = playerProcess();
            check(killed(victim), "the player was killed as it was handed the second song");
        }
    };
    run.bar(kPlay);
    const int songs = static_cast<int>(t.album.size());
    t.expect([&] { return playedThrough(f, songs); }, 40s, "the album plays through");
    run.launcher->started = {};
    check(victim > 0, "the second song was handed over");
    check(anotherPlayer(victim), "a new player runs");
    same(records(lastSongs(f)), records(t.album), "the songs listed as played");
    checkCounts(run.folder, [&](int record) { return t.queued(record); });
}

// The player killed while the user has paused it, and while the user has stopped it: nothing plays
// until Play, which goes on with the next song; neither interrupted song counts. Songs of eight seconds.
void killWhilePaused(StationRun& run, Trial& t) {
    Form1& f = t.f;
    run.bar(kPlay);
    t.expect([&] { return t.plays(1); }, 20s, "the first song plays");
    run.bar(kPause);
    t.expect([&] { return playerState() == wire::kStatePaused && f.playback.ShownPlayState == "PAUSED"; }, 3s,
             "the first song is paused");
    const pid_t paused = playerProcess();
    check(killed(paused), "the paused player was killed");
    t.expect([&] { return anotherPlayer(paused); }, 10s, "a new player runs");
    t.runFor(3s);
    check(playerState() == wire::kStateStopped, "nothing plays after the paused player died");
    same(std::to_string(t.playing()), std::to_string(t.row(1)),
         "the song shown after the paused player died");
    t.expect([&] { return f.playback.ShownPlayState == "STOPPED"; }, 2s, "the bar shows the player stopped");
    run.bar(kPlay);
    t.expect([&] { return t.plays(2); }, 10s, "Play goes on with the second song");

    run.bar(kStop);
    t.expect([] { return playerState() == wire::kStateStopped; }, 3s, "the second song is stopped");
    const pid_t stopped = playerProcess();
    check(killed(stopped), "the stopped player was killed");
    t.runFor(3s);
    check(playerState() != wire::kStatePlaying, "nothing plays after the stopped player died");
    same(std::to_string(t.playing()), std::to_string(t.row(2)),
         "the song shown after the stopped player died");
    run.bar(kPlay);
    t.expect([&] { return t.plays(3); }, 10s, "Play goes on with the third song");
    check(anotherPlayer(stopped), "a new player runs");
    same(records(lastSongs(f)), "", "the songs listed as played");
    checkCounts(run.folder, [](int) { return false; });
}

// The player's socket file removed mid-song, as a clean-up of the runtime folder would: the song plays
// to its end, and the rest of the album plays through a new player.
void socketRemoved(StationRun& run, Trial& t) {
    Form1& f = t.f;
    const fs::path socket = wire::playerSocketPath();
    check(markedToBeKept(socket), "the player's socket is marked to be kept by a clean-up");
    check(markedToBeKept(socket.parent_path() / wire::kLockName),
          "the player's lock is marked to be kept by a clean-up");
    run.bar(kPlay);
    t.expect([&] { return t.plays(1); }, 20s, "the first song plays");
    const pid_t player = playerProcess();
    std::error_code ec;
    check(fs::remove(socket, ec), "the socket file was removed");
    const int songs = static_cast<int>(t.album.size());
    t.expect([&] { return playedThrough(f, songs); }, 40s, "the album plays through");
    check(awaitProcessEnd(player), "the player that could not be reached was ended");
    check(anotherPlayer(player), "a new player runs");
    same(records(lastSongs(f)), records(t.album), "the songs listed as played");
    checkCounts(run.folder, [&](int record) { return t.queued(record); });
}

namespace {
// Plays the playlist to its end: only the songs of `rows` are listed and counted, in that order.
void onlyRowsPlay(StationRun& run, Trial& t, const std::vector<int>& rows) {
    std::vector<int> played;
    for (const int r : rows) {
        played.push_back(t.row(r));
    }
    run.bar(kPlay);
    t.expect([&] { return playedThrough(t.f, static_cast<int>(played.size())); }, 40s,
             "the playlist plays to its end");
    t.runFor(1s);
    same(records(lastSongs(t.f)), records(played), "the songs listed as played");
    checkCounts(run.folder,
                [&](int record) { return std::find(played.begin(), played.end(), record) != played.end(); });
}
} // namespace

// Rows 2 and 4 cannot be played: an empty file and a broken one.
void unplayable(StationRun& run, Trial& t) {
    makeEmpty(t.f.play->subItem(2, 5));
    makeBroken(t.f.play->subItem(4, 5));
    onlyRowsPlay(run, t, {1, 3, 5});
}

// A playlist of three whose first two songs the player cannot play: the third plays.
void unplayableFirstRows(StationRun& run, Trial& t) {
    makeEmpty(t.f.play->subItem(1, 5));
    makeBroken(t.f.play->subItem(2, 5));
    onlyRowsPlay(run, t, {3});
}

// Stop pressed in the short gap after the player failed to play the first song, before the end-of-song
// timer came to it: that song is neither counted nor listed.
void stopAfterUnplayable(StationRun& run, Trial& t) {
    Form1& f = t.f;
    makeEmpty(f.play->subItem(1, 5));
    run.bar(kPlay);
    bool stopped = false;
    t.expect(
        [&] {
            if (!stopped && t.playing() == t.row(1) && f.Timer1->enabled() &&
                playerState() == wire::kStateStopped) {
                stopped = true;
                run.bar(kStop);
            }
            return stopped;
        },
        5s, "Stop pressed after the player failed, before the station went on");
    t.runFor(1500ms);
    check(!f.Timer1->enabled(), "the station stays stopped");
    same(records(lastSongs(f)), "", "the songs listed as played");
    checkCounts(run.folder, [](int) { return false; });
}

namespace {
// Gives up this process's right to pass over file permissions, as an administrator may: from then on a
// folder without permissions may not be searched by it either.
bool withoutPermissionOverride() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    std::array<__user_cap_data_struct, _LINUX_CAPABILITY_U32S_3> caps{};
    if (::syscall(SYS_capget, &header, caps.data()) != 0) {
        return false;
    }
    for (const int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) {
        caps.at(static_cast<std::size_t>(CAP_TO_INDEX(cap))).effective &= ~CAP_TO_MASK(cap);
    }
    return ::syscall(SYS_capset, &header, caps.data()) == 0;
}
} // namespace

// A playlist of four whose first three paths cannot be looked up: a link to itself, a name too long for
// the file system and a song in a folder that may not be read. They are passed over without a message
// box, and the fourth song plays.
void pathsNotLookedUp(StationRun& run, Trial& t) {
    Form1& f = t.f;
    const fs::path looped = f.play->subItem(1, 5);
    fs::remove(looped);
    fs::create_symlink(looped.filename(), looped);
    const fs::path songs = fs::path(f.play->subItem(2, 5)).parent_path();
    f.play->setSubItem(2, 5, (songs / (std::string(300, 'x') + ".mp3")).string());
    const fs::path locked = songs / "locked";
    const fs::path third = f.play->subItem(3, 5);
    fs::create_directory(locked);
    fs::rename(third, locked / third.filename());
    f.play->setSubItem(3, 5, (locked / third.filename()).string());
    fs::permissions(locked, fs::perms::none);
    struct stat st {};
    const bool denied = withoutPermissionOverride() && ::stat((locked / third.filename()).c_str(), &st) != 0;
    check(denied && errno == EACCES, "the song in the folder that may not be read cannot be looked up");
    onlyRowsPlay(run, t, {4});
    fs::permissions(locked, fs::perms::owner_all);
}

} // namespace e2e
