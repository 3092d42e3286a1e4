// The browsing pages at 100,000 songs: a column click of the song list, a two-letter search, opening
// the album page, filling the top 10, and a wheel jump across 20,000 albums.
#include "app/form1.h"
#include "app/station.h"
#include "controls/wheel.h"
#include "database.h"
#include "platform/listview.h"
#include "platform/textbox.h"
#include "sharedfixture.h"
#include "testruntime.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <random>

using namespace testing_support;

namespace {

constexpr int kSongs = 100000;

// A started station on 20,000 albums of five songs, played 0 to 300 times each.
struct Library {
    TestRuntime rt{TestOptions{.fakePlayer = true, .skin = true}};
    std::unique_ptr<Station> station;

    Library() {
        TestDatabase db = makeDatabase(rt.programFolder() / "Music", kSongs / 5, 5);
        std::mt19937 random(7);
        for (library::SongRecord& s : db.songs) {
            s.playedTimes = std::to_string(random() % 301);
        }
        writeDatabase(rt.programFolder(), db);
        station = std::make_unique<Station>(rt.runtime());
        if (!station->start()) {
            std::abort();
        }
    }
    Form1& form() { return station->form1(); }
};

Library& library() {
    return benchfixture::shared<Library>();
}

// Clicks on "Title" from the artist order, then on "Played # Times".
void BM_ColumnClick(benchmark::State& state) {
    Form1& f = library().form();
    const int header = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        f.RestoreListOrder();
        state.ResumeTiming();
        f.ListView_ColumnClick(header);
    }
}
BENCHMARK(BM_ColumnClick)->Arg(5)->Arg(6)->Unit(benchmark::kMillisecond);

void BM_SearchTwoLetters(benchmark::State& state) {
    Form1& f = library().form();
    f.RestoreListOrder();
    f.Text2->setText(state.range(0) == 0 ? "zq" : "so");
    for (auto _ : state) {
        f.SearchSongs();
    }
    state.counters["found"] = f.SSonglist->count() + f.SAlbumlist->count() + f.SArtistlist->count();
}
BENCHMARK(BM_SearchTwoLetters)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What opening the album page runs: the browse mode (which refreshes the top 10) and the page.
void BM_OpenAlbumPage(benchmark::State& state) {
    Form1& f = library().form();
    for (auto _ : state) {
        state.PauseTiming();
        f.RestoreListOrder();
        state.ResumeTiming();
        f.SwitchBrowseMode();
        f.ShowAlbumPage();
    }
}
BENCHMARK(BM_OpenAlbumPage)->Unit(benchmark::kMillisecond);

// From the artist order (opening the top-10 page), and right after a counted play has already put
// the list in play-count order.
void BM_FillTopTen(benchmark::State& state) {
    Form1& f = library().form();
    const bool fromArtistOrder = state.range(0) == 0;
    for (auto _ : state) {
        if (fromArtistOrder) {
            state.PauseTiming();
            f.RestoreListOrder();
            state.ResumeTiming();
        }
        f.FillTopTen();
    }
}
BENCHMARK(BM_FillTopTen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The last of 20,000 albums made current from the first, with the single-album page open: the wheel
// turns through every row between, and the line follows it.
void BM_WheelJump(benchmark::State& state) {
    Form1& f = library().form();
    f.pages.SinglePageOpen = 1;
    for (auto _ : state) {
        state.PauseTiming();
        f.browse.CurrentArtistIndex = 1;
        f.SelectArtistAlbum();
        state.ResumeTiming();
        f.browse.CurrentArtistIndex = f.TempArtist->count();
        f.SelectArtistAlbum();
    }
    f.pages.SinglePageOpen = 0;
}
BENCHMARK(BM_WheelJump)->Unit(benchmark::kMillisecond);

} // namespace
