// Speed and memory of the folder scan: a tree of tagged songs scanned into an empty database through
// the add-more-songs page's get-files procedure, grouping and the final reload included. The station
// runs on the test runtime (fake player, skin, no paced animation); the song files are real.
#include "app/form1.h"
#include "app/station.h"
#include "platform/filelists.h"
#include "platform/listview.h"
#include "testruntime.h"

#include "fixtures/mp3file.h"
#include "fixtures/tempfolder.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <sys/resource.h>

using namespace testing_support;

namespace {

namespace fs = std::filesystem;

constexpr int kSongsPerAlbum = 12;
constexpr int kAlbumsPerArtist = 4;

fixtures::TempFolder& scratch() {
    static fixtures::TempFolder folder("tunnora-bench-scan");
    return folder;
}

std::string numbered(const char* prefix, int n) {
    std::string s = prefix;
    s += std::to_string(n);
    return s;
}

// `songs` tagged songs (ID3v2.3 and ID3v1, a tenth of a second each): in a tree of artist and album
// folders of 12 songs, or all in one folder.
const fs::path& tree(int songs, bool flat) {
    static std::map<std::pair<int, bool>, fs::path> made;
    fs::path& root = made[{songs, flat}];
    if (!root.empty())
        return root;
    root = scratch() / ((flat ? "flat" : "deep") + std::to_string(songs));
    for (int i = 0; i < songs; ++i) {
        const int album = i / kSongsPerAlbum;
        const int artist = album / kAlbumsPerArtist;
        fixtures::Mp3Recipe recipe;
        recipe.seconds = 0.1;
        recipe.id3v2 = fixtures::SongTags{numbered("Title ", i),    numbered("Artist ", artist),
                                          numbered("Album ", album), "2001",
                                          std::to_string(i % kSongsPerAlbum + 1), "Rock", ""};
        recipe.id3v1 = fixtures::Id3v1Fields{numbered("Title ", i), "Artist", "Album", "2001", "", 1, 17, true};
        const fs::path folder = flat ? root : root / numbered("Artist ", artist) / numbered("Album ", album);
        if (i % kSongsPerAlbum == 0 || flat)
            fs::create_directories(folder);
        if (!fixtures::writeMp3(folder / (numbered("Song ", i) + ".mp3"), recipe))
            std::abort();
    }
    return root;
}

double peakMegabytes() {
    struct rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void scanInto(benchmark::State& state, bool flat) {
    const int songs = static_cast<int>(state.range(0));
    const fs::path& root = tree(songs, flat);
    TestRuntime rt(TestOptions{.fakePlayer = true, .skin = true});
    Station station(rt.runtime());
    if (!station.start()) {
        state.SkipWithError("the start ended the program");
        return;
    }
    Form1& f = station.form1();
    f.Dir2->setPath(root.string());
    const auto emptyDatabase = [&] {
        for (const char* name : {"Data.mld", "Album.mld", "Artist.mld"})
            fs::remove(rt.programFolder() / name);
    };
    f.RecurseFiles2(); // the song files in the cache
    for (auto _ : state) {
        state.PauseTiming();
        emptyDatabase();
        state.ResumeTiming();
        f.RecurseFiles2();
        if (f.ListView->count() != songs)
            state.SkipWithError("wrong song count");
    }
    state.SetItemsProcessed(state.iterations() * songs);
    state.counters["peak_MB"] = peakMegabytes();
}

// A tree of artist and album folders: the goal is under 1 s for 20,000 songs, growing linearly.
// Run the 20,000 case on its own (--benchmark_filter=BM_Scan/20000) for its peak memory.
void BM_Scan(benchmark::State& state) {
    scanInto(state, false);
}
BENCHMARK(BM_Scan)->Arg(10000)->Arg(20000)->Arg(50000)->Unit(benchmark::kMillisecond)->Iterations(3);

// One folder of 20,000 songs: as fast per song as the tree.
void BM_ScanFlat(benchmark::State& state) {
    scanInto(state, true);
}
BENCHMARK(BM_ScanFlat)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
