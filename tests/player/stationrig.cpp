#include "stationrig.h"

#include "library/songlist.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "screen/form2.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace playbacktest {

using namespace testing_support;

StationRig::StationRig(int albums, int songs, int songMs, tk::Services services)
    : rt(std::move(services), TestOptions{.fakePlayer = true, .skin = true}) {
    db = makeDatabase(rt.programFolder() / "Music", albums, songs);
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
    std::ifstream in(rt.programFolder() / "Data.mld", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return bytes.substr(static_cast<std::size_t>(record) * library::SongRecord::kSize - 4, 4);
}

std::vector<int> StationRig::lastSongs() const {
    std::vector<int> out;
    tk::ListView& list = *m_station->form1().PrevView;
    for (int row = 1; row <= list.count(); ++row) {
        out.push_back(std::stoi(list.subItem(row, 6)));
    }
    return out;
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
