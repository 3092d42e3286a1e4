// A drop onto the now-playing cover plays at once, outside the playlist: a file dragged from the
// desktop or the add-songs page's file box, or the selected song of the song list, the album's songs or
// the song results. What the drop carries decides: files are always taken as files, rows name the list
// they come from, and rows of any other list are not taken.
#include "app/form1.h"

#include "browse/songcolumns.h"
#include "platform/control.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "player/playbackguard.h"
#include "player/songsource.h"

#include <optional>

void Form1::Image1_OLEDragDrop(int Index, const tk::DropData& Data) {
    if (Index != 1) {
        return;
    }
    std::optional<PlaylistSong> dropped;
    if (Data.fromOwnList()) {
        const struct {
            tk::ListView* list;
            const SongColumns& columns;
        } sources[] = {
            {ListView, kSongListColumns}, {SingleView, kAlbumSongColumns}, {SSonglist, kSongResultColumns}};
        for (const auto& source : sources) {
            const int row = source.list->name() == Data.sourceList ? source.list->selectedRow() : 0;
            if (row != 0) {
                dropped = songOfRow(*source.list, row, source.columns);
            }
        }
    } else if (!Data.files.empty()) {
        // Of several files the last one plays.
        tags.CurrentPath = Data.files.back();
        readFileTags();
        dropped = PlaylistSong{tags.TagTrack, tags.TagTitle,    tags.TagArtist,
                               tags.TagAlbum, tags.CurrentPath, "None"};
    }
    browse.DragSource = -1;
    if (!dropped) {
        return;
    }
    // Checked before anything changes: a drop the player cannot take (a folder, a file gone since it was
    // listed) would otherwise clear the player's list and stop the playing song uncounted.
    if (!winamp.FileExists(dropped->path)) {
        return;
    }
    tags.CurrentPath = dropped->path;
    Label1[4].setCaption(dropped->title);
    Label1[5].setCaption(dropped->artist);
    Label1[6].setCaption(dropped->album);
    Label1[7].setCaption(dropped->track);
    mirrorCaptions(*this, 4, 7);
    PlayDroppedFile();
}
