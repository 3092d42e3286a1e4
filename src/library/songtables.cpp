// The main window's song tables filled from the database files: the song list from "Data.mld", the
// album and artist tables from "Album.mld" and "Artist.mld".
#include "app/form1.h"

#include "library/albumrecord.h"
#include "library/recordstore.h"
#include "library/songlist.h"
#include "library/songrecord.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "platform/pathcase.h"
#include "platform/runtime.h"
#include "player/songsource.h"

#include <algorithm>
#include <array>

namespace {

using library::AlbumRecord;
using library::FileStamp;
using library::SongRecord;

// Rows reserved up front at most: a huge damaged file must not allocate at once.
constexpr std::uint64_t kMaxReservedRows = 1 << 20;

int reservedRows(const FileStamp& stamp, std::size_t recordSize) {
    return static_cast<int>(std::min<std::uint64_t>(stamp.length / recordSize, kMaxReservedRows));
}

// Tells the user once per file and run that a database file could not be read; the station goes on
// with the file's tables empty.
void reportUnreadable(Form1& form, const library::FileError& error) {
    if (!form.unreadableReported.insert(error.path).second) {
        return;
    }
    tk::Runtime::current().messageBox().show(
        "A song database file could not be read; the station goes on without what it holds.\n\n" +
            error.message(),
        tk::kMsgExclamation, tk::Runtime::current().appTitle());
}

// One album or artist table from its file: row texts "0", "1", ... in file order, then the table's
// own sort. An empty file leaves the table empty (sorting off) and the count label as it was.
void loadEntryTable(Form1& form, tk::ListView& table, const std::string& filePath, tk::Label& countLabel) {
    table.clear();
    table.setSorted(false);
    std::string rowText;
    std::string number;
    std::string artist;
    std::string album;
    using Layout = AlbumRecord::Layout;
    const auto scanned = library::RecordStore<AlbumRecord>::scanBytes(
        tk::nativePath(filePath),
        [&](const FileStamp& stamp) { table.reserve(reservedRows(stamp, AlbumRecord::kSize)); },
        [&](std::int64_t, std::span<const std::uint8_t, AlbumRecord::kSize> bytes) {
            rowText = std::to_string(table.count());
            // The number field read as a plain number: "0" for every entry the station writes.
            number = std::to_string(text::readNumberField(text::fieldOf(bytes, Layout::kRecordNumber)));
            // The fields go from the record's bytes into the row without a copy of their own.
            table.addRow({rowText, text::readTextField(text::fieldOf(bytes, Layout::kArtist), artist),
                          text::readTextField(text::fieldOf(bytes, Layout::kAlbum), album),
                          text::pathFieldView(text::fieldOf(bytes, Layout::kLocation)), number});
        });
    if (scanned.error) {
        table.clear();
        reportUnreadable(form, *scanned.error);
    }
    if (table.count() == 0) {
        return;
    }
    table.setSorted(true);
    countLabel.setCaption(std::to_string(table.count()));
}

} // namespace

void Form1::LoadDataBase() {
    ListView->clear();
    ListView->setSorted(false);

    std::int64_t songs = 0;
    library::SongListCells row;
    const auto scanned = library::RecordStore<SongRecord>::scanBytes(
        tk::nativePath(files.DataPath),
        [&](const FileStamp& stamp) {
            songFolders.restart(stamp);
            ListView->reserve(reservedRows(stamp, SongRecord::kSize));
        },
        [&](std::int64_t number, std::span<const std::uint8_t, SongRecord::kSize> bytes) {
            // Each field goes from the record's bytes into the row's one block of text.
            row.set(bytes, number);
            ListView->addRow(row.cells());
            songFolders.add(number, row.cells()[static_cast<std::size_t>(library::SongColumn::FileLocation)]);
            songs = number;
        });
    if (scanned.error) {
        // Loaded as empty: a song list cut short would hide songs without saying so.
        ListView->clear();
        songFolders.forget();
        songs = 0;
        reportUnreadable(*this, *scanned.error);
    }

    // Whole records only: a partial record at the end of a damaged file is neither shown nor counted.
    Label1[14].setCaption(std::to_string(songs));
    if (songs == 0) {
        return;
    }
    showRandomLimit(randomPickWhole(*ListView));
    // Sorting by artist is switched on only by RestoreListOrder, which gives the final order in one sort:
    // a sort by the artist first would change nothing it leaves.
    ListView->setSortKey(1);

    LoadAlbumList();
    LoadArtistList();
    RestoreListOrder();
    // The songs still in the playlist stay marked queued, so none of them can be queued twice.
    remarkPlaylistSongs();
}

void Form1::LoadAlbumList() {
    loadEntryTable(*this, *TempAlbum, files.AlbumPath, Label1[15]);
}

void Form1::LoadArtistList() {
    loadEntryTable(*this, *TempArtist, files.ArtistPath, Label1[16]);
}

std::vector<library::NumberedSong> Form1::songsInFolderOf(std::string_view path) {
    auto songs =
        library::songsInFolder(tk::nativePath(files.DataPath), library::folderKey(path), songFolders);
    if (!songs) {
        return {};
    }
    return std::move(songs).value();
}
