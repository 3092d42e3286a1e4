// The trials of what the user asks of a player held still (stopped by a signal), or stuck.
#include "app/form1.h"
#include "controls/sliderpic.h"
#include "platform/control.h"
#include "platform/errors.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "platform/timer.h"
#include "player/playerwire.h"
#include "playerlink.h"

#include <cstdio>
#include <optional>

namespace e2e {

namespace wire = playerwire;
using namespace std::chrono_literals;

namespace {

// Drags the pointer of the song-position slider with the mouse to `fraction` of its track, as a user
// would; the position the slider chose.
int dragPosition(Form1& f, double fraction) {
    controls::SliderPic& slider = f.SliderPic1[1];
    tk::UserControlLogic& mouse = slider;
    // The track lies half a pointer in from either side of the face.
    const int margin = slider.trackLeft();
    const int track = slider.control().face().width() - 2 * margin;
    const auto grip = static_cast<float>(slider.pointerX() + margin);
    const auto to = static_cast<float>(margin + fraction * track);
    tk::dispatch([&] {
        mouse.onMouseDown(tk::kLeftButton, 0, grip, 4);
        mouse.onMouseMove(tk::kLeftButton, 0, (grip + to) / 2, 4);
        mouse.onMouseMove(tk::kLeftButton, 0, to, 4);
        mouse.onMouseUp(tk::kLeftButton, 0, to, 4);
    });
    return slider.curPosition();
}

} // namespace

// Pause, a volume, next, next, previous, a position move and stop, each given while the player is held
// still; songs of eight seconds.
void commands(StationRun& run, Trial& t) {
    Form1& f = t.f;
    run.bar(kPlay);
    t.expect([&] { return t.plays(1); }, 20s, "the first song plays");

    // The station has met the silence well before the first command.
    t.hold(4s, {{1500ms, [&] { run.bar(kPause); }},
                {1800ms, [&] { tk::dispatch([&] { f.SliderPic1_PositionChanged(0, 20); }); }}});
    t.expect([] { return playerState() == wire::kStatePaused; }, 3s,
             "the pause given while the player was silent paused it");
    same(std::to_string(askPlayer(wire::kMsgAskVolume).value_or(-1)), "50",
         "the volume given while the player was silent");
    t.expect([&] { return f.playback.ShownPlayState == "PAUSED"; }, 2s, "the bar shows the pause");

    run.bar(kPlay);
    t.expect([] { return playerState() == wire::kStatePlaying; }, 3s, "play resumes the paused song");
    // Far enough into the first song that it cannot be taken for the second one just started.
    t.expect([&] { return Trial::playerPosition() >= 3500; }, 5s, "the first song plays on");

    // Long enough that all three reach a silent player, even where each of them froze the screen.
    t.hold(8s, {{1500ms, [&] { run.bar(kNext); }}, {1800ms, [&] { run.bar(kNext); }}, {2100ms, [&] {
                                                                                           run.bar(kPrevious);
                                                                                       }}});
    same(std::to_string(t.playing()), std::to_string(t.row(2)), "the song shown after next, next, previous");
    same(f.Label1[4].caption(), f.play->subItem(2, 2), "the title shown after next, next, previous");
    run.runFor(1500ms);
    check(playerState() == wire::kStatePlaying, "the player plays the song the station shows");
    const std::int32_t startedAt = Trial::playerPosition();
    check(startedAt >= 0 && startedAt < 3000,
          "the second song plays from its start: at " + std::to_string(startedAt) + " ms");
    check(f.PrevView->count() == 0, "nothing counted for songs skipped by next and previous");

    t.expect([&] { return Trial::playerPosition() >= 1000; }, 5s, "the second song plays on");
    t.hold(4s, {{1500ms, [&] { tk::dispatch([&] { f.SliderPic1_PositionChanged(1, 6); }); }}});
    t.expect([&] { return Trial::playerPosition() >= 6000 || t.playing() == t.row(3); }, 3s,
             "the position move given while the player was silent moved it");
    t.expect([&] { return t.plays(3); }, 10s, "the second song ends and the third plays");

    t.hold(4s, {{1500ms, [&] { run.bar(kStop); }}});
    t.expect([] { return playerState() == wire::kStateStopped; }, 3s,
             "the stop given while the player was silent stopped it");
    run.runFor(2s);
    check(playerState() == wire::kStateStopped, "the player stays stopped");
    same(f.playback.ShownPlayState, "STOPPED", "the bar's play state");
    check(!f.Timer1->enabled(), "the station shows itself stopped: no song advances");
    same(records(lastSongs(f)), std::to_string(t.row(2)), "the songs listed as played");
    checkCounts(run.folder, [&](int record) { return record == t.row(2); });
}

// Play pressed three times while the player is held still for eight seconds.
void clicks(StationRun& run, Trial& t) {
    Form1& f = t.f;
    run.bar(kPlay);
    t.expect([&] { return t.plays(1); }, 20s, "the first song plays");
    t.hold(8s, {{2s, [&] { run.bar(kPlay); }}, {4s, [&] { run.bar(kPlay); }}, {6s, [&] { run.bar(kPlay); }}});
    check(t.freezes() <= 1, "the screen froze " + std::to_string(t.freezes()) + " times during one silence");
    const int songs = static_cast<int>(t.album.size());
    t.expect([&] { return f.PrevView->count() >= songs && !f.Timer1->enabled(); }, 40s,
             "the album plays through");
    same(records(lastSongs(f)), records(t.album), "the songs listed as played");
    checkCounts(run.folder, [&](int record) { return t.queued(record); });
}

// The station ends while the player is held still.
void exitWhileSilent(StationRun& run, Trial& t) {
    run.bar(kPlay);
    t.expect([&] { return t.plays(1); }, 20s, "the first song plays");
    const pid_t player = playerProcess();
    std::chrono::milliseconds took{};
    {
        PlayerHold held(player, 6s);
        check(held.held(), "the player was held still");
        run.runFor(1500ms);
        const auto began = Steady::now();
        run.exit();
        took = std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now() - began);
        // The hold ends here: the player would go on now.
    }
    std::fprintf(stderr, "the exit took %lld ms\n", static_cast<long long>(took.count()));
    check(took < 3s, "the exit took " + std::to_string(took.count()) + " ms");
    check(awaitProcessEnd(player), "the player ended with the station");
}

// While the player is held still 4 s into a song of 20 s, the screen keeps the time, the length and the
// slider's pointer, and a drag of the pointer to two thirds moves the player there once it answers.
void position(StationRun& run, Trial& t) {
    Form1& f = t.f;
    controls::SliderPic& slider = f.SliderPic1[1];
    run.bar(kPlay);
    t.expect([&] { return t.playing() == t.row(1) && f.Label1[12].caption() >= "00:04"; }, 20s,
             "the first song plays past 4 s");
    const std::string lengthBefore = f.Label1[13].caption();
    const int rangeBefore = slider.max();
    check(rangeBefore >= 19,
          "the position slider's range is the song's length: " + std::to_string(rangeBefore));
    std::string time;
    std::string length;
    int range = 0;
    int pointer = 0;
    int chosen = -1;
    // The station's timers have met the silence well before 2 s into the hold.
    t.hold(5s, {{2s, [&] {
                     time = f.Label1[12].caption();
                     length = f.Label1[13].caption();
                     range = slider.max();
                     pointer = slider.curPosition();
                     chosen = dragPosition(f, 2.0 / 3.0);
                 }}});
    check(time >= "00:04" && time <= "00:06", "the time shown while the player was silent: " + time);
    same(length, lengthBefore, "the length shown while the player was silent");
    same(std::to_string(range), std::to_string(rangeBefore),
         "the position slider's range while the player was silent");
    check(pointer >= 4 && pointer <= 6,
          "the slider's pointer while the player was silent: at " + std::to_string(pointer));
    check(chosen >= 12 && chosen <= 14, "the place chosen at two thirds: " + std::to_string(chosen));
    t.expect([&] { return Trial::playerPosition() >= chosen * 1000 && t.playing() == t.row(1); }, 3s,
             "the position chosen while the player was silent reached it: at " +
                 std::to_string(Trial::playerPosition()) + " ms");
    check(Trial::playerPosition() < (chosen + 3) * 1000, "the player plays on from the place chosen");
    t.expect([&] { return f.Label1[12].caption() >= "00:12"; }, 3s, "the screen follows the player again");
}

// Pause, pause and play while the player is held still: the two pauses reach it, and it plays on.
void pausePausePlay(StationRun& run, Trial& t) {
    Form1& f = t.f;
    run.bar(kPlay);
    t.expect([&] { return t.plays(1); }, 20s, "the first song plays");
    t.hold(4s, {{1500ms, [&] { run.bar(kPause); }}, {1800ms, [&] { run.bar(kPause); }}, {2100ms, [&] {
                                                                                             run.bar(kPlay);
                                                                                         }}});
    run.runFor(1500ms);
    check(playerState() == wire::kStatePlaying, "the player plays after pause, pause and play");
    same(f.playback.ShownPlayState, "PLAYING", "the bar's play state");
    same(std::to_string(t.playing()), std::to_string(t.row(1)), "the song shown");
}

// A pause that goes out to the player just as it falls silent, before the station knows: the player
// takes it once when it goes on, and stays paused.
void pauseAsItFallsSilent(StationRun& run, Trial& t) {
    Form1& f = t.f;
    run.bar(kPlay);
    t.expect([&] { return t.plays(1); }, 20s, "the first song plays");
    const pid_t player = playerProcess();
    std::optional<PlayerHold> hold;
    run.windows->sending = [&](std::uint32_t message, std::int32_t wParam, std::int32_t) {
        if (!hold && message == wire::kMsgCommand && wParam == wire::kCommandPause) {
            hold.emplace(player, 3s);
        }
    };
    run.bar(kPause);
    run.windows->sending = {};
    check(hold && hold->held(), "the player was held still as the pause went out");
    t.expect([&] { return hold && hold->over(); }, 10s, "the hold ends");
    t.expect([] { return playerState() == wire::kStatePaused; }, 3s, "the pause paused the player");
    t.runFor(2s);
    check(playerState() == wire::kStatePaused, "the player stays paused");
    same(f.playback.ShownPlayState, "PAUSED", "the bar's play state");
}

// The playlist of two songs played to its end; then the player falls silent: the bar keeps showing it
// stopped, as it last said.
void silentAfterTheEnd(StationRun& run, Trial& t) {
    Form1& f = t.f;
    run.bar(kPlay);
    t.expect([&] { return f.PrevView->count() >= 2 && !f.Timer1->enabled(); }, 30s,
             "the playlist plays through");
    t.expect([&] { return f.playback.ShownPlayState == "STOPPED"; }, 3s, "the bar shows the player stopped");
    std::optional<std::string> shown;
    t.hold(3s, {{1500ms, [&] { shown = f.playback.ShownPlayState; }}});
    same(shown.value_or("?"), "STOPPED", "the bar's play state while the player was silent");
    same(f.playback.ShownPlayState, "STOPPED", "the bar's play state after the silence");
}

// The station ends while the player's event loop is stuck: it takes no signal but SIGKILL.
void exitWhileStuck(StationRun& run, Trial& t) {
    run.bar(kPlay);
    t.expect([&] { return t.plays(1); }, 20s, "the first song plays");
    const pid_t player = playerProcess();
    std::chrono::milliseconds took{};
    {
        PlayerStuck stuck(player);
        if (!stuck.held()) {
            skip("this process may not trace the player");
            run.exit();
            return;
        }
        run.runFor(1500ms);
        const auto began = Steady::now();
        run.exit();
        took = std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now() - began);
        check(awaitProcessEnd(player), "the stuck player ended with the station");
    }
    std::fprintf(stderr, "the exit took %lld ms\n", static_cast<long long>(took.count()));
    check(took < 4s, "the exit took " + std::to_string(took.count()) + " ms");
}

} // namespace e2e
