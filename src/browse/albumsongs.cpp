#include "app/form1.h"
#include "browse/songmarks.h"
#include "library/songlist.h"
#include "library/songpath.h"
#include "library/songrecord.h"
#include "platform/errors.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "platform/pathcase.h"
#include "platform/picturebox.h"
#include "platform/runtime.h"

#include <filesystem>
#include <system_error>

void Form1::FillAlbumView() {
    tk::ignoreErrors([&] { SingleView->clear(); });
    // A skin cover that cannot be read still lets the album's own cover show, and the panel beside the
    // wheel line copies whatever the page ended up with.
    showAlbumCover(*Image11, browse.CurAlbumPath);
    Image1[3].setPicture(Image11->picture());
    // The songs of the album's folder (its letter case aside) whose album begins with the album's name.
    const std::vector<library::NumberedSong> songs = songsInFolderOf(browse.CurAlbumPath);
    // A song file with no records at all leaves the labels as they were; an album whose folder holds
    // no song still names itself, with an empty list.
    std::error_code ec;
    if (songs.empty() && std::filesystem::file_size(tk::nativePath(files.DataPath), ec) == 0 && !ec) {
        return;
    }
    int artistSongs = 0;
    for (const library::NumberedSong& song : songs) {
        const library::SongRecord& r = song.record;
        if (r.album.compare(0, browse.CurAlbum.size(), browse.CurAlbum) != 0) {
            continue;
        }
        const std::string running = std::to_string(SingleView->count() + 1);
        const std::string recordNo = library::formatRecordNumber(song.number);
        SingleView->addRow({running, r.track, r.title, r.artist, r.album, r.fileLocation, recordNo});
        if (r.artist.compare(0, browse.CurArtist.size(), browse.CurArtist) == 0) {
            ++artistSongs;
        }
    }
    SingleView->setSortKey(1);
    SingleView->setSorted(true);
    SingleView->setSorted(false);
    const int rows = SingleView->count();
    SingleArtist->setCaption(artistSongs * 3 >= rows ? browse.CurArtist : "Various Artists");
    SingleAlbum->setCaption(browse.CurAlbum);
    MarkChosenInSingleView();
    Label1[18].setCaption(std::to_string(browse.CurrentArtistIndex) + " - " + browse.CurArtist + " - " +
                          browse.CurAlbum);
    Label1[18].setVisible(true);
}

void Form1::MarkChosenInSingleView() {
    // Queued songs are matched by record number: two songs of the same title are two songs.
    if (SingleView->count() == 0) {
        return;
    }
    markQueuedRows(*SingleView, queuedRecordNumbers(*ListView), 6, 1, 6);
}
