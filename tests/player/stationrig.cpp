#include "stationrig.h"

#include "fixtures/mp3file.h"
#include "gui.h"
#include "platform/picturebox.h"

#include "library/songlist.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "screen/form2.h"

#include <fstream>
#include <stdexcept>

namespace playbacktest {

using namespace testing_support;

StationRig::StationRig(int albums, int songs, int songMs, tk::Services services,
                       const std::function<void(TestDatabase&)>& edit)
    : rt(std::move(services), TestOptions{.fakePlayer = true, .skin = true}) {
    db = makeDatabase(rt.programFolder() / "Music", albums, songs);
    if (edit) {
        edit(db);
    }
    writeDatabase(rt.programFolder(), db);
    for (const library::SongRecord& song : db.songs) {
        std::filesystem::create_directories(std::filesystem::path(song.fileLocation).parent_path());
        std::ofstream(song.fileLocation).put('\0');
    }
    player().setDefaultSongLength(std::chrono::milliseconds(songMs));
    m_station = std::make_unique<Station>(rt.runtime());
    if (!m_station->start()) {
        throw std::runtime_error("the station did not start");
    }
}

StationRig::~StationRig() = default;

void StationRig::show() {
    showAndExpose(&f());
}

void StationRig::bar(int element, int button) {
    click(&f().switch_[element], button);
}

void StationRig::queue(int record) {
    const library::SongRecord& song = db.songs.at(record - 1);
    f().appendPlaylistRow({song.track, song.title, song.artist, song.album, song.fileLocation,
                           library::formatRecordNumber(record)});
    if (f().playback.NextIndex == 0) {
        f().playback.NextIndex = 1;
    }
}

void StationRig::queue(std::initializer_list<int> records) {
    for (int r : records) {
        queue(r);
    }
}

std::string StationRig::storedCount(int record) const {
    return fixtures::readText(rt.programFolder() / "Data.mld")
        .substr(static_cast<std::size_t>(record) * library::SongRecord::kSize - 4, 4);
}

namespace {
std::vector<int> recordsOf(const tk::ListView& list) {
    std::vector<int> out;
    for (int row = 1; row <= list.count(); ++row) {
        out.push_back(std::stoi(list.subItem(row, 6)));
    }
    return out;
}
} // namespace

std::vector<int> StationRig::lastSongs() const {
    return recordsOf(*m_station->form1().PrevView);
}

std::vector<int> StationRig::queued() const {
    return recordsOf(*m_station->form1().play);
}

std::vector<int> StationRig::handed() {
    std::vector<int> out;
    for (const std::string& added : rt.player().adds()) {
        for (std::size_t i = 0; i < db.songs.size(); ++i) {
            if (db.songs[i].fileLocation == added) {
                out.push_back(static_cast<int>(i) + 1);
            }
        }
    }
    return out;
}

} // namespace playbacktest
