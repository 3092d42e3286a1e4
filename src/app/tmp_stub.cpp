#include "app/form1.h"
#include "library/albumrecord.h"
#include "library/recordstore.h"
#include "library/songlist.h"
#include "library/songrecord.h"
#include "platform/label.h"
#include "platform/listview.h"

void Form1::LoadDataBase()
{
    ListView->clear();
    const auto songs = library::RecordStore<library::SongRecord>::load(files.DataPath);
    Label1[14].setCaption(std::to_string(songs.records.size()));
    if (songs.records.empty()) {
        return;
    }
    std::int64_t n = 0;
    for (const auto& r : songs.records) {
        const auto cols = library::songListColumns(r, ++n);
        std::vector<std::string_view> cells(cols.begin(), cols.end());
        ListView->addRow(cells);
    }
    for (auto [table, path, label] : {std::tuple{TempAlbum, files.AlbumPath, 15}, std::tuple{TempArtist, files.ArtistPath, 16}}) {
        table->setSorted(false);
        table->clear();
        const auto entries = library::RecordStore<library::AlbumRecord>::load(path);
        int i = 0;
        for (const auto& e : entries.records) {
            table->addRow({std::to_string(i++), e.artist, e.album, e.location, "0"});
        }
        table->setSorted(true);
        Label1[label].setCaption(std::to_string(table->count()));
    }
}
