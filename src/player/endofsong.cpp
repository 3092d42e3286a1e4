// The end-of-song advance: the player says nothing when a song ends, so the end-of-song timer asks its
// state twice a second; a song that ended is recorded (last-songs list and panel, play count) and the
// next row starts, or the playlist ends.
#include "app/form1.h"

#include "library/recordstore.h"
#include "library/songlist.h"
#include "library/songrecord.h"
#include "library/utf8.h"
#include "platform/errors.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "platform/pathcase.h"
#include "platform/picturebox.h"
#include "platform/timer.h"
#include "player/playbackguard.h"

#include <algorithm>
#include <optional>
#include <vector>

void Form1::Timer1_Timer() {
    PlaybackState& p = playback;
    if (p.PlayerBusy > 0) {
        return;
    }
    PlaybackGuard busy(p);
    if (p.StoppedFlag == 1) {
        return;
    }
    if (winamp.playerGone()) {
        // The player process ended mid-song: the song did not play to its end and is not counted. A new
        // player takes over, and the playlist goes on as after a song that ended; but a song the user
        // had paused stays so: nothing plays until Play, which goes on with the next row, as after Stop.
        const bool paused = winamp.commandedStatus() == "PAUSED";
        p.PlayToCount = 0;
        InitWinAMP();
        if (paused) {
            Timer1->setEnabled(false);
            p.StoppedFlag = 1;
            p.PauseState = 0;
            return;
        }
    } else if (winamp.WinAMP_GetStatus() != "STOPPED" || !settleEndedSong()) {
        return;
    }
    // Every row in turn could not be played: the playlist stops instead of going round them for ever.
    if (p.FailedStarts >= std::max(1, play->count())) {
        p.FailedStarts = 0;
        Timer1->setEnabled(false);
        return;
    }
    if (p.CurrentIndex >= play->count()) {
        if (p.SkipRecordPlayed == 0) {
            RecordPlayedSong();
        } else {
            p.SkipRecordPlayed = 0;
        }
        endOfPlaylist();
    } else if (p.SkipRecordPlayed == 0) {
        RecordPlayedSong();
        NextSong();
    } else {
        NextSong();
        p.SkipRecordPlayed = 0;
    }
}

bool Form1::settleEndedSong() {
    PlaybackState& p = playback;
    const std::optional<bool> played = winamp.filePlayed();
    if (!played) {
        return false;
    }
    if (*played) {
        p.FailedStarts = 0;
    } else if (p.PlayToCount == 1) {
        p.PlayToCount = 0;
        ++p.FailedStarts;
    }
    return true;
}

void Form1::endOfPlaylist() {
    PlaybackState& p = playback;
    if (p.CurrentIndex == 0 && play->count() == 0) {
        Timer1->setEnabled(false);
    } else if (p.LoopMode != 1) {
        p.CurrentIndex = 0;
        Timer1->setEnabled(false);
    } else {
        NextSong();
        // An empty looped playlist starts nothing: the timer stops instead of finding the same ended
        // song again at every tick.
        if (play->count() == 0) {
            Timer1->setEnabled(false);
        }
    }
}

void Form1::RecordPlayedSong() {
    PlaybackState& p = playback;
    // Each play is recorded once, and only a song of the database that the player was handed.
    const bool counted = p.PlayToCount == 1 && p.PlayingRecordNo != 0;
    p.PlayToCount = 0;
    if (!counted) {
        return;
    }
    // The song is listed from its record while the record still holds it, else as its row stood when
    // it was started: a database deleted or rewritten meanwhile takes no count, but the play is listed.
    const auto trimmed = [](const std::string& field) { return std::string(text::trimBlanks(field)); };
    PlaylistSong song = p.PlayingSong;
    // Only the count of the record that holds the song started changes; the file never grows.
    std::optional<std::string> count; // the new count, once written
    auto store = library::RecordStore<library::SongRecord>::openForUpdate(tk::nativePath(files.DataPath));
    if (store) {
        library::SongRecord record;
        const auto written = store->update(p.PlayingRecordNo, p.PlayingPath, [&](library::SongRecord& r) {
            r.playedTimes = library::nextPlayCount(r.playedTimes);
            record = r;
        });
        if (written.ok()) {
            count = record.playedTimes;
            song = {trimmed(record.track), trimmed(record.title), trimmed(record.artist),
                    trimmed(record.album), record.fileLocation,   song.recordNumber};
        }
    }

    const std::string position = std::to_string(PrevView->count() + 1);
    PrevView->addRow({position, song.track, song.title, song.artist, song.album, song.path,
                      std::to_string(p.PlayingRecordNo)});

    // Every row of the record (a record can be listed more than once) takes the new count.
    std::vector<int> countedRows;
    if (count) {
        const std::string number = library::formatRecordNumber(p.PlayingRecordNo);
        const std::string shownCount = library::formatPlayCount(*count);
        const int rows = ListView->count();
        for (int row = 1; row <= rows; ++row) {
            if (ListView->subItem(row, 10) == number) {
                ListView->setSubItem(row, 5, shownCount);
                countedRows.push_back(row);
            }
        }
    }

    tk::ignoreErrors([&] { showAlbumCover(Image1[0], p.PlayingPath); });
    Label1[0].setCaption(song.title);
    Label1[1].setCaption(song.artist);
    Label1[2].setCaption(song.album);
    Label1[3].setCaption(std::to_string(PrevView->count()));
    tk::ignoreErrors([&] {
        mirrorCover(*this, 0);
        mirrorCaptions(*this, 0, 3);
    });
    // The top 10 and the song list's order as ranking by plays and then restoring the artist order
    // would leave them, without sorting every song twice.
    if (count) {
        tk::ignoreErrors([&] { fillTopTenUnsorted(); });
        tk::ignoreErrors([&] { PlayCountsRaised(countedRows); });
    }
}
