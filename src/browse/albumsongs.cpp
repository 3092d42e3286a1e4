#include "app/form1.h"
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
#include <set>
#include <system_error>

namespace {

std::string folderOf(const std::string& path) {
    return std::string(library::folderOf(path));
}

} // namespace

void Form1::FillAlbumView() {
    tk::ignoreErrors([&] { SingleView->clear(); });
    // Each picture step stands alone: a skin cover that cannot be read still lets the album's own
    // cover show, and the panel beside the wheel line copies whatever the page ended up with.
    showSkinPicture(*Image11, "\\Cover.jpg");
    const std::string folder = folderOf(browse.CurAlbumPath);
    if (auto cover = tk::Runtime::current().pictures().tryLoad(tk::nativePath(folder + "cover.jpg"))) {
        Image11->setPicture(*cover);
    }
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
    std::set<std::string> queued;
    const int songs = ListView->count();
    for (int i = 1; i <= songs; ++i) {
        if (ListView->bold(i, 0)) {
            queued.insert(ListView->subItem(i, 10));
        }
    }
    const int rows = SingleView->count();
    for (int j = 1; j <= rows; ++j) {
        if (queued.count(SingleView->subItem(j, 6)) != 0) {
            for (int c = 1; c <= 6; ++c) {
                SingleView->setBold(j, c, true);
                SingleView->setForeColor(j, c, 255);
            }
        }
    }
}
