// The search page: the typed text found in the artist, album and title of every song of the song list,
// with the hits in three result lists, and what a click or a key does in them.
#include "app/form1.h"
#include "browse/songcolumns.h"
#include "browse/songmarks.h"
#include "library/utf8.h"
#include "platform/idtable.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "platform/textbox.h"
#include "platform/textcompare.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

using namespace songcol;

namespace {

constexpr const char* kTooShort = "     Need Minimum of 2 characters";

std::size_t characterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++count) {
        const text::Utf8Step step = text::decodeUtf8Step(utf8, pos);
        pos += step.length == 0 ? 1 : step.length;
    }
    return count;
}

// One result list and the keys of its rows (the texts of its key columns), found by their hashes so
// that a repeated key is found in constant time. Keys compare exactly, letter case included: equal
// hashes are checked against the row's own columns.
class Results {
public:
    Results(tk::ListView& list, std::initializer_list<int> keyColumns)
        : m_list(list)
        , m_keyColumns(keyColumns) {}

    // Appends a row of `cells` (running number first) unless a row with the same key is there
    // already; true when the row was added.
    bool add(std::initializer_list<std::string_view> key, std::initializer_list<std::string_view> cells) {
        std::size_t hash = key.size();
        for (std::string_view part : key) {
            hash = hash * 0x100000001B3u ^ std::hash<std::string_view>{}(part);
        }
        const auto appendRow = [&] {
            const std::string running = std::to_string(m_list.count() + 1);
            std::array<std::string_view, 8> row{running};
            std::copy(cells.begin(), cells.end(), row.begin() + 1);
            return m_list.addRow(std::span(row.data(), cells.size() + 1));
        };
        const auto same = [&](std::uint32_t row) { return holds(static_cast<int>(row), key); };
        return m_rows.findOrAdd(hash, same, appendRow).added;
    }

private:
    bool holds(int row, std::initializer_list<std::string_view> key) const {
        auto column = m_keyColumns.begin();
        for (std::string_view part : key) {
            if (m_list.subItem(row, *column++) != part) {
                return false;
            }
        }
        return true;
    }

    tk::ListView& m_list;
    std::vector<int> m_keyColumns;
    tk::IdTable m_rows; // the row numbers
};

} // namespace

void Form1::SearchSongs() {
    const std::string typed = Text2->text();
    if (characterCount(typed) < 2) {
        Text2->setText(kTooShort);
        return;
    }
    SArtistlist->clear();
    SAlbumlist->clear();
    SSonglist->clear();
    Results artists(*SArtistlist, {1, 2});
    Results albums(*SAlbumlist, {1, 2});
    Results songs(*SSonglist, {1, 3, 4});

    std::string needle;
    tk::appendLowerCase(needle, typed);
    std::string folded;
    const auto contains = [&](std::string_view field) {
        folded.clear();
        tk::appendLowerCase(folded, field);
        return folded.find(needle) != std::string::npos;
    };
    int found = 0;
    const int rows = ListView->count();
    for (int r = 1; r <= rows; ++r) {
        const std::string artistField = ListView->subItem(r, kArtist);
        const std::string albumField = ListView->subItem(r, kAlbum);
        const std::string titleField = ListView->subItem(r, kTitle);
        const std::string_view artist = text::trimBlanks(artistField);
        const std::string_view album = text::trimBlanks(albumField);
        const std::string_view title = text::trimBlanks(titleField);
        if (contains(artistField)) {
            const std::string path = ListView->subItem(r, kPath);
            found += artists.add({artist, album}, {artist, album, title, text::trimBlanks(path)}) ? 1 : 0;
        }
        if (contains(album)) {
            const std::string path = ListView->subItem(r, kPath);
            found += albums.add({album, artist}, {album, artist, text::trimBlanks(path), ""}) ? 1 : 0;
        }
        if (contains(title)) {
            const std::string path = ListView->subItem(r, kPath);
            const std::string track = ListView->subItem(r, kTrack);
            const std::string record = ListView->subItem(r, kRecord);
            found += songs.add({title, album, artist}, {title, text::trimBlanks(track), album, artist,
                                                        text::trimBlanks(path), record})
                         ? 1
                         : 0;
        }
    }
    Label21->setCaption("Found " + std::to_string(found) + " Words With - ( " + typed + " )");
    MarkChosenInSonglist();
}

void Form1::MarkChosenInSonglist() {
    if (SSonglist->count() == 0) {
        return;
    }
    markQueuedRows(*SSonglist, queuedRecordNumbers(*ListView), kSongResultColumns.record,
                   kSongResultColumns.marked);
}

// The search button, and the add-songs page's load-directory button (index 8), which fills the
// playlist.
void Form1::Switches_Click(int Index) {
    if (Index == 8) {
        loadFolderIntoPlaylist();
    } else if (Index == 9) {
        Text2->setFocus();
        SearchSongs();
    }
}

void Form1::Text2_KeyPress(int& KeyAscii) {
    if (KeyAscii == tk::kKeyReturn) {
        Switches_Click(9);
        layout.EnterPressed = 1;
    }
}

void Form1::SArtistlist_Click() {
    browse.DragSource = 1;
    openAlbumOfSelectedRow(*SArtistlist, 1, 2);
}

void Form1::SArtistlist_KeyUp(int&, int) {
    SArtistlist_Click();
}

void Form1::SAlbumlist_Click() {
    browse.DragSource = 1;
    openAlbumOfSelectedRow(*SAlbumlist, 2, 1);
}

void Form1::SAlbumlist_KeyUp(int&, int) {
    SAlbumlist_Click();
}

void Form1::SSonglist_Click() {
    if (openAlbumOfSelectedRow(*SSonglist, 4, 3)) {
        browse.DragSource = 3;
    }
}

void Form1::SSonglist_KeyUp(int&, int) {
    SSonglist_Click();
}

void Form1::SSonglist_KeyDown(int& KeyCode, int) {
    if (KeyCode == tk::kKeyReturn) {
        SSonglist_DblClick();
    }
}

void Form1::SSonglist_MouseDown(int, int, float, float) {
    browse.DragSource = 3;
}
