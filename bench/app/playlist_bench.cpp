// Filling the playlist at 100,000 songs: a whole album of 30 songs from its cover, a random pick of 100
// songs, and the queued marks put back after a reload of the song list with 1,000 songs queued.
#include "app/form1.h"
#include "app/station.h"
#include "database.h"
#include "platform/listview.h"
#include "platform/textbox.h"
#include "sharedfixture.h"
#include "testruntime.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

using namespace testing_support;

namespace {

constexpr int kAlbumSongs = 30;

// A started station on 3,334 albums of 30 songs (100,020 songs).
struct Albums {
    TestRuntime rt{TestOptions{.fakePlayer = true, .skin = true}};
    TestDatabase db = makeDatabase(rt.programFolder() / "Music", 100000 / kAlbumSongs + 1, kAlbumSongs);
    std::unique_ptr<Station> station;

    Albums() {
        writeDatabase(rt.programFolder(), db);
        station = std::make_unique<Station>(rt.runtime());
        if (!station->start()) {
            std::abort();
        }
    }
    Form1& form() { return station->form1(); }
    // Every mark off and the playlist empty.
    void clear() {
        form().ResetSongMarks();
        form().Picture6_Click(1);
    }
};

Albums& albums() {
    return benchfixture::shared<Albums>();
}

void BM_WholeAlbumAdd(benchmark::State& state) {
    Albums& lib = albums();
    Form1& f = lib.form();
    lib.clear();
    int album = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // A different album each time, shown on the album's song page as its cover's press leaves it.
        album = (album + 97) % static_cast<int>(lib.db.albums.size());
        f.browse.CurAlbum = lib.db.albums[static_cast<std::size_t>(album)].album;
        f.browse.CurAlbumPath = lib.db.albums[static_cast<std::size_t>(album)].location;
        f.FillAlbumView();
        state.ResumeTiming();
        f.Image11_DblClick();
    }
    state.counters["queued"] = f.play->count();
}
BENCHMARK(BM_WholeAlbumAdd)->Unit(benchmark::kMillisecond);

void BM_RandomPick(benchmark::State& state) {
    Albums& lib = albums();
    Form1& f = lib.form();
    for (auto _ : state) {
        state.PauseTiming();
        lib.clear();
        f.Text1->setText(std::to_string(state.range(0)));
        state.ResumeTiming();
        f.RandomSelectSongs();
    }
    state.counters["queued"] = f.play->count();
}
BENCHMARK(BM_RandomPick)->Arg(100)->Unit(benchmark::kMillisecond);

// The marks of 1,000 queued songs after the song list was loaded anew.
void BM_RemarkAfterReload(benchmark::State& state) {
    Albums& lib = albums();
    Form1& f = lib.form();
    lib.clear();
    f.Text1->setText("1000");
    f.RandomSelectSongs();
    for (auto _ : state) {
        state.PauseTiming();
        f.ResetSongMarks();
        state.ResumeTiming();
        f.remarkPlaylistSongs();
    }
    state.counters["queued"] = f.play->count();
}
BENCHMARK(BM_RemarkAfterReload)->Unit(benchmark::kMillisecond);

} // namespace
