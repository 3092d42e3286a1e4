// Playback: the main bar's previous, stop, pause, play and next, the start of a playlist or last-songs
// row, and the start of a file dropped onto the now-playing cover.
#include "app/form1.h"

#include "controls/sliderpic.h"
#include "platform/errors.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "platform/picturebox.h"
#include "platform/timer.h"
#include "player/playbackguard.h"
#include "player/playerwire.h"
#include "player/playrules.h"

#include <algorithm>

namespace {

// What starting the player changes on the main window.
class PlayerHost final : public WinAMPHost {
public:
    explicit PlayerHost(Form1& form)
        : m_form(form) {}
    void setCaption(const std::string& caption) override { m_form.setCaption(caption); }
    void setVolumeSliderPosition(int position) override { m_form.SliderPic1[0].setCurPosition(position); }
    int volumeSliderPosition() const override { return m_form.SliderPic1[0].curPosition(); }

private:
    Form1& m_form;
};

WinAMP_Control::SongStart startSong(WinAMP_Control& link, const std::string& path) {
    WinAMP_Control::SongStart start = WinAMP_Control::SongStart::Refused;
    tk::ignoreErrors([&] { start = link.playSong(path); });
    return start;
}

} // namespace

void Form1::InitWinAMP() {
    PlayerHost host(*this);
    winamp.InitWinAMP(host);
}

bool Form1::handToPlayer(const std::string& path) {
    WinAMP_Control::SongStart start = startSong(winamp, path);
    if (start == WinAMP_Control::SongStart::Lost) {
        // The player went away during the start (it died, or could no longer be reached and was ended):
        // the song was not at fault. A new player is started and handed it.
        InitWinAMP();
        start = startSong(winamp, path);
    }
    return start == WinAMP_Control::SongStart::Playing || start == WinAMP_Control::SongStart::Waiting;
}

void Form1::PlayCurrentSong() {
    PlaybackGuard busy(playback);
    PlaybackState& p = playback;
    const std::int64_t held = winamp.hWinAMP;
    if (!winamp.FindWinAMP()) {
        InitWinAMP();
    }
    if (winamp.hWinAMP != held) {
        // The player that was handed the last song is gone (it died while stopped or paused): what it
        // played can no longer be asked, and is not counted.
        p.PlayToCount = 0;
    }
    Timer1->setEnabled(true);
    // A silent player is judged by what it was told: what the user asks meanwhile reaches it later.
    const std::string state = winamp.expectedStatus();
    if (state == "PLAYING" && p.ForcePlay == 0) {
        return;
    }
    p.ForcePlay = 0;
    // A paused song resumes; the player's own state decides, so the pause state never disagrees with it.
    if (state == "PAUSED") {
        PauseSong();
        return;
    }
    if (play->count() == 0 && p.FromLastSongs == 0) {
        // Nothing queued: the player plays again what it holds.
        if (!tags.CurrentPath.empty()) {
            winamp.WinAMP_SendCommand(playerwire::kCommandPlay);
            p.PlayToCount = 1;
        }
        return;
    }
    if (p.StoppedFlag == 1) {
        // After Stop: the end-of-song timer, on again, takes the stopped song as ended at its next tick.
        // The stopped song stays the playing song, whatever was chosen or queued since.
        p.StoppedFlag = 0;
        p.FromLastSongs = 0;
        return;
    }
    if (p.StartAtFirst == 1) {
        p.CurrentIndex = 1;
        if (p.RandomMode == 1) {
            PickRandomSong();
            p.CurrentIndex = p.RandomPick;
        }
        p.StartAtFirst = 0;
    }
    tk::ListView& list = p.FromLastSongs == 1 ? *PrevView : *play;
    if (list.count() == 0) {
        p.FromLastSongs = 0;
        return;
    }
    // Rows removed since the row was chosen: the list starts again from its first row.
    if (p.CurrentIndex < 1 || p.CurrentIndex > list.count()) {
        p.CurrentIndex = 1;
    }
    tags.CurrentPath = list.subItem(p.CurrentIndex, 5);
    if (p.FromLastSongs != 1) {
        HighlightCurrentSong();
    }

    if (play->count() >= 1 && p.FromLastSongs == 0) {
        tk::ignoreErrors([&] { ShowNextSong(); });
    }
    p.SkipRecordPlayed = 0;
    const bool handed = handToPlayer(tags.CurrentPath);
    showPlayingSong(list, p.CurrentIndex);
    if (handed) {
        p.PlayToCount = 1;
    } else {
        // Not played, so neither counted nor listed: the end-of-song timer goes on to the next row,
        // until every row of the playlist failed in a row.
        p.PlayToCount = 0;
        p.PlayingRecordNo = 0;
        if (++p.FailedStarts >= std::max(1, play->count())) {
            p.FailedStarts = 0;
            Timer1->setEnabled(false);
        }
    }
    p.LastPlayedIndex = p.CurrentIndex;
    p.PlayingPath = tags.CurrentPath;
    p.FromLastSongs = 0;
}

void Form1::showPlayingSong(tk::ListView& list, int row) {
    PlaybackState& p = playback;
    tk::ignoreErrors([&] { showAlbumCover(Image1[1], tags.CurrentPath); });
    p.PlayingSong = {};
    tk::ignoreErrors([&] {
        p.PlayingSong = {list.subItem(row, 1), list.subItem(row, 2), list.subItem(row, 3),
                         list.subItem(row, 4), list.subItem(row, 5), list.subItem(row, 6)};
        Label1[4].setCaption(p.PlayingSong.title);
        Label1[5].setCaption(p.PlayingSong.artist);
        Label1[6].setCaption(p.PlayingSong.album);
        Label1[7].setCaption(p.PlayingSong.track);
    });
    p.PlayingRecordNo = player::recordNumberOf(p.PlayingSong.recordNumber);
    tk::ignoreErrors([&] {
        mirrorCover(*this, 1);
        mirrorCaptions(*this, 4, 7);
    });
}

void Form1::PlayDroppedFile() {
    PlaybackGuard busy(playback);
    PlaybackState& p = playback;
    tk::ignoreErrors([&] { showAlbumCover(Image1[1], tags.CurrentPath); });
    mirrorCover(*this, 1);
    p.FromLastSongs = 0;
    // The dropped file is no song of the playlist: its end is not recorded, and no playlist song's
    // count can be raised by it.
    p.SkipRecordPlayed = 1;
    p.PlayingRecordNo = 0;
    if (handToPlayer(tags.CurrentPath)) {
        p.PlayToCount = 1;
    }
}

void Form1::NextSong() {
    PlaybackGuard busy(playback);
    PlaybackState& p = playback;
    const int rows = play->count();
    if (rows == 0) {
        return;
    }
    if (p.StartAtFirst != 1) {
        ClearSongHighlight();
        p.CurrentIndex = p.NextIndex;
    } else {
        p.NextIndex = 1;
        p.CurrentIndex = 1;
        if (p.RandomMode == 1) {
            PickRandomSong();
            p.CurrentIndex = p.RandomPick;
        }
    }
    if (p.CurrentIndex > rows) {
        p.CurrentIndex = 1;
        ClearSongHighlight();
    }
    p.ForcePlay = 1;
    PlayCurrentSong();
}

void Form1::PreviousSong() {
    PlaybackGuard busy(playback);
    PlaybackState& p = playback;
    const int rows = play->count();
    if (rows == 0) {
        return;
    }
    if (p.StartAtFirst == 1) {
        p.NextIndex = 1;
        p.CurrentIndex = 1;
    }
    if (p.CurrentIndex == 0) {
        return;
    }
    ClearSongHighlight();
    p.CurrentIndex = std::min(p.CurrentIndex - 1, rows);
    if (p.CurrentIndex < 1) {
        p.CurrentIndex = rows;
    }
    ShowNextSong();
    p.ForcePlay = 1;
    // Also after Stop the row above starts at once, instead of the stopped song being taken as ended.
    p.StoppedFlag = 0;
    PlayCurrentSong();
}

void Form1::StopSong() {
    PlaybackGuard busy(playback);
    PlaybackState& p = playback;
    // Between a song that ended and the next one the player already reads stopped, but the end-of-song
    // timer is about to start the next: Stop stops that too, and records the ended song as the timer
    // would have.
    const bool inGap = Timer1->enabled() && p.StoppedFlag != 1;
    if (winamp.expectedStatus() == "STOPPED") {
        if (!inGap) {
            return;
        }
        (void)settleEndedSong();
        RecordPlayedSong();
    }
    Timer1->setEnabled(false);
    winamp.WinAMP_SendCommand(playerwire::kCommandStop);
    p.StoppedFlag = 1;
    p.PauseState = 0;
}

void Form1::PauseSong() {
    PlaybackGuard busy(playback);
    // The same command pauses a playing song and resumes a paused one: the player's state says which.
    const std::string state = winamp.expectedStatus();
    if (state != "PLAYING" && state != "PAUSED") {
        return;
    }
    winamp.WinAMP_SendCommand(playerwire::kCommandPause);
    playback.PauseState = state == "PLAYING" ? 1 : 0;
}
