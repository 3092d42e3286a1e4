// The random pick: the number of songs asked for in the random-count box, drawn from the song list's
// songs not queued yet and queued like hand adds. The pick asks for at most nine tenths of the songs
// less those chosen already, and ends early when no unqueued song is left.
#include "app/form1.h"

#include "browse/songcolumns.h"
#include "browse/songmarks.h"
#include "platform/listview.h"
#include "platform/runtime.h"
#include "platform/textbox.h"
#include "player/playrules.h"
#include "player/songsource.h"

#include <cmath>
#include <vector>

void Form1::RandomSelectSongs() {
    PlaybackState& p = playback;
    const std::int64_t whole = randomPickWhole(*ListView);
    const std::int64_t limit = whole - p.ChosenCount;
    if (player::leadingNumber(Text1->text()) > static_cast<double>(limit)) {
        Text1->setText(std::to_string(limit));
    }
    const double asked = player::leadingNumber(Text1->text());
    if (asked == 0.0) {
        return;
    }
    // A fraction counts its whole songs only; a number below one asks for none.
    const std::int64_t wanted = asked >= 1.0 ? static_cast<std::int64_t>(std::floor(asked)) : 0;
    if (wanted > 0) {
        tk::Runtime& rt = tk::Runtime::current();
        rt.random().seed(static_cast<std::uint64_t>(rt.clock().now().time_since_epoch().count()));
        // Every song not queued yet, the last row too, with the same chance; a drawn row leaves the
        // draw, so no draw is ever wasted on a queued song.
        std::vector<int> open;
        const int rows = ListView->count();
        for (int row = 1; row <= rows; ++row) {
            if (!ListView->bold(row, 1)) {
                open.push_back(row);
            }
        }
        std::unordered_set<std::string> picked;
        for (std::int64_t k = 1; k <= wanted && !open.empty(); ++k) {
            const auto at =
                static_cast<std::size_t>(RandomNumber(static_cast<std::int32_t>(open.size()) - 1));
            const int row = open[at];
            open[at] = open.back();
            open.pop_back();
            const PlaylistSong song = songOfRow(*ListView, row, kSongListColumns);
            tags.CurrentPath = song.path;
            appendPlaylistRow(song);
            markRow(*ListView, row, kSongListMarks);
            picked.insert(song.recordNumber);
            ++p.ChosenCount;
            showRandomLimit(whole - p.ChosenCount);
        }
        markQueuedSongs(picked, false);
    }
    Text1->setText("000");
    showQueueCounter();
}
