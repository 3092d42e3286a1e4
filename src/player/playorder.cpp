// The play order: the next song's panel on both windows, the random draws of random mode, and the
// highlight of the playing row.
#include "app/form1.h"

#include "platform/errors.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "platform/picturebox.h"
#include "platform/runtime.h"
#include "player/playbackguard.h"
#include "player/playrules.h"

namespace {
constexpr tk::OleColor kRed = 255;
// The highlighted cells of a playlist row: its position and sub-items 1 to 5.
constexpr int kLastHighlightedCell = 5;

void setRowLook(tk::ListView& list, int row, bool on) {
    for (int c = 0; c <= kLastHighlightedCell; ++c) {
        list.setBold(row, c, on);
        list.setForeColor(row, c, on ? kRed : 0);
    }
}
} // namespace

void Form1::ShowNextSong() {
    PlaybackState& p = playback;
    if (p.CurrentIndex == 0) {
        return;
    }
    const int rows = play->count();
    p.NextIndex = p.CurrentIndex + 1;
    if (p.RandomMode == 1) {
        PickRandomSong(p.CurrentIndex);
        p.NextIndex = p.RandomPick;
    }
    if (p.NextIndex > rows) {
        p.NextIndex = 1;
    }
    tk::ignoreErrors([&] { p.NextPath = play->subItem(p.NextIndex, 5); });
    tk::ignoreErrors([&] { showAlbumCover(Image1[2], p.NextPath); });
    tk::ignoreErrors([&] {
        Label1[8].setCaption(play->subItem(p.NextIndex, 2));
        Label1[9].setCaption(play->subItem(p.NextIndex, 3));
        Label1[10].setCaption(play->subItem(p.NextIndex, 4));
    });
    Label1[11].setCaption(std::to_string(p.NextIndex) + "/" + std::to_string(rows));
    tk::ignoreErrors([&] {
        mirrorCover(*this, 2);
        mirrorCaptions(*this, 8, 11);
    });
}

void Form1::PickRandomSong(std::int32_t alsoAvoid) {
    PlaybackState& p = playback;
    tk::Runtime& rt = tk::Runtime::current();
    rt.random().seed(static_cast<std::uint64_t>(rt.clock().now().time_since_epoch().count()));
    // Every row may come, the last one too, except the one started last (and the one asked to be
    // avoided); with none left the order goes on to the next row.
    const int rows = play->count();
    p.RandomPick =
        player::randomRow(rows, {p.LastPlayedIndex, alsoAvoid}, player::rowAfter(p.CurrentIndex, rows),
                          [this](std::int32_t max) { return RandomNumber(max); });
}

void Form1::HighlightCurrentSong() {
    if (play->count() > 0 && playback.CurrentIndex != 0) {
        setRowLook(*play, playback.CurrentIndex, true);
    }
}

void Form1::ClearSongHighlight() {
    const int rows = play->count();
    for (int row = 1; row <= rows; ++row) {
        setRowLook(*play, row, false);
    }
}
