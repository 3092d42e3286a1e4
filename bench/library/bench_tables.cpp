// Speed and memory of the main window's song tables: LoadDataBase (which ends with RestoreListOrder)
// on generated databases, the album page's lookup of one folder's songs, and the folder scan of a
// generated tree of tagged songs into an empty database.
#include "app/form1.h"
#include "app/station.h"
#include "library/albumrecord.h"
#include "library/recordstore.h"
#include "library/songfolderindex.h"
#include "library/songlist.h"
#include "library/songrecord.h"
#include "platform/filelists.h"
#include "platform/listview.h"
#include "platform/runtime.h"

#include "fixtures/mp3file.h"
#include "fixtures/tempfolder.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using library::AlbumRecord;
using library::SongRecord;

constexpr int kSongsPerAlbum = 12;
constexpr int kAlbumsPerArtist = 4;

fixtures::TempFolder& scratch() {
    static fixtures::TempFolder folder("tunnora-bench-tables");
    return folder;
}

std::string word(std::mt19937& rng) {
    static const char* const kSyllables[] = {"ka", "lo",  "mi",  "ren", "sa",  "tor", "vel",
                                             "no", "dra", "qui", "bel", "ost", "an",  "ix",
                                             "pe", "um",  "ra",  "zo",  "fen", "lu"};
    std::string w;
    const int n = 2 + static_cast<int>(rng() % 3);
    for (int i = 0; i < n; ++i)
        w += kSyllables[rng() % 20];
    w[0] = static_cast<char>(w[0] - 'a' + 'A');
    return w;
}

// A library as a folder scan leaves it: album after album, one folder per album, 12 songs each, four
// albums per artist; one album entry per album and one artist entry per album.
struct Library {
    fs::path folder;
    std::vector<std::string> albumFolders;
};

const Library& library(int songs) {
    static std::map<int, Library> made;
    Library& lib = made[songs];
    if (!lib.folder.empty())
        return lib;
    lib.folder = scratch() / ("songs" + std::to_string(songs));
    fs::create_directories(lib.folder);
    std::mt19937 rng(static_cast<unsigned>(songs));
    auto data = library::RecordStore<SongRecord>::openForAppend(lib.folder / "Data.mld");
    auto albums = library::RecordStore<AlbumRecord>::openForAppend(lib.folder / "Album.mld");
    auto artists = library::RecordStore<AlbumRecord>::openForAppend(lib.folder / "Artist.mld");
    if (!data || !albums || !artists)
        std::abort();
    std::string artist;
    std::string album;
    std::string albumFolder;
    for (int i = 0; i < songs; ++i) {
        const int albumNo = i / kSongsPerAlbum;
        if (i % kSongsPerAlbum == 0) {
            if (albumNo % kAlbumsPerArtist == 0)
                artist = word(rng) + " " + word(rng);
            album = word(rng) + " " + word(rng) + " " + word(rng);
            albumFolder = "/home/station/Music/" + artist + "/" + album + "/";
            lib.albumFolders.push_back(albumFolder);
        }
        SongRecord r;
        r.albumBy = i % kSongsPerAlbum == 0 ? artist : "";
        r.artist = artist;
        r.album = album;
        r.track = std::to_string(i % kSongsPerAlbum + 1);
        r.title = word(rng) + " " + word(rng) + " " + word(rng);
        r.year = std::to_string(1960 + rng() % 60);
        r.genre = "Rock";
        r.comments = i % 3 ? "" : "Ripped from the compact disc";
        r.fileLocation = albumFolder + r.track + " " + r.title + ".mp3";
        r.playedTimes = i % 5 ? "" : std::to_string(rng() % 40);
        if (!data->append(r).ok())
            std::abort();
        if (i % kSongsPerAlbum == 0) {
            AlbumRecord a;
            a.artist = artist;
            a.album = album;
            a.location = r.fileLocation;
            if (!albums->append(a).ok() || !artists->append(a).ok())
                std::abort();
        }
    }
    return lib;
}

double peakMegabytes() {
    struct rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The main window of one benchmark, its database paths on a generated library.
struct Window {
    explicit Window(const Library& lib)
        : station(tk::Runtime::current())
        , form(std::make_unique<Form1>(station)) {
        form->files.DataPath = (lib.folder / "Data.mld").string();
        form->files.AlbumPath = (lib.folder / "Album.mld").string();
        form->files.ArtistPath = (lib.folder / "Artist.mld").string();
    }
    Station station;
    std::unique_ptr<Form1> form;
};

// The three files read in large blocks, as `cat` does: the floor LoadDataBase is measured against.
std::size_t readDatabaseFiles(const Library& lib, std::vector<char>& buffer) {
    std::size_t total = 0;
    for (const char* name : {"Data.mld", "Album.mld", "Artist.mld"}) {
        const int fd = ::open((lib.folder / name).c_str(), O_RDONLY | O_CLOEXEC);
        for (ssize_t n; (n = ::read(fd, buffer.data(), buffer.size())) > 0;)
            total += static_cast<std::size_t>(n);
        ::close(fd);
    }
    return total;
}

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Goal: a load costs at most ten times the plain read of its files (x_raw_read, the fastest load
// against the fastest read). Run the 100,000 case on its own
// (--benchmark_filter=BM_LoadDataBase/100000) for its peak memory: the peak of a process is the
// largest of all it ran.
void BM_LoadDataBase(benchmark::State& state) {
    const int songs = static_cast<int>(state.range(0));
    const Library& lib = library(songs);
    Window w(lib);
    double fastest = 1e9;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        w.form->LoadDataBase();
        fastest = std::min(fastest, millisecondsSince(start));
        if (w.form->ListView->count() != songs)
            state.SkipWithError("wrong row count");
    }
    std::vector<char> buffer(1 << 20);
    double fastestRead = 1e9;
    for (int i = 0; i < 10; ++i) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(readDatabaseFiles(lib, buffer));
        fastestRead = std::min(fastestRead, millisecondsSince(start));
    }
    state.counters["peak_MB"] = peakMegabytes();
    state.counters["x_raw_read"] = fastest / fastestRead;
}
BENCHMARK(BM_LoadDataBase)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ReadDatabaseFiles(benchmark::State& state) {
    const Library& lib = library(static_cast<int>(state.range(0)));
    std::vector<char> buffer(1 << 20);
    for (auto _ : state)
        benchmark::DoNotOptimize(readDatabaseFiles(lib, buffer));
}
BENCHMARK(BM_ReadDatabaseFiles)->Arg(100000)->Unit(benchmark::kMillisecond);

// A counted play on the loaded list: one song's count goes up by one, then the list is put in the
// order SortByPlays and RestoreListOrder leave. "Sorts" runs the two sorts; "Moved" reads the ten
// most played (what the top-10 page needs of the play-count order) and moves the counted row.
void BM_CountedPlay(benchmark::State& state, bool moved) {
    const int songs = static_cast<int>(state.range(0));
    Window w(library(songs));
    w.form->LoadDataBase();
    tk::ListView& list = *w.form->ListView;
    std::mt19937 rng(11);
    for (auto _ : state) {
        state.PauseTiming();
        const int row = 1 + static_cast<int>(rng() % static_cast<unsigned>(list.count()));
        list.setSubItem(row, 5, library::formatPlayCount(library::nextPlayCount(list.subItem(row, 5))));
        state.ResumeTiming();
        if (moved) {
            benchmark::DoNotOptimize(w.form->MostPlayedRows(10));
            const int rows[] = {row};
            w.form->PlayCountsRaised(rows);
        } else {
            w.form->SortByPlays();
            w.form->RestoreListOrder();
        }
    }
}
BENCHMARK_CAPTURE(BM_CountedPlay, Sorts, false)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CountedPlay, Moved, true)->Arg(100000)->Unit(benchmark::kMillisecond);

// The album page's songs of one album through the index that LoadDataBase built.
void BM_SongsInFolder(benchmark::State& state) {
    const int songs = static_cast<int>(state.range(0));
    const Library& lib = library(songs);
    Window w(lib);
    w.form->LoadDataBase();
    std::mt19937 rng(7);
    for (auto _ : state) {
        const std::string& folder = lib.albumFolders[rng() % (songs / kSongsPerAlbum)]; // whole albums
        const auto found = w.form->songsInFolderOf(folder + "01.mp3");
        if (found.size() != kSongsPerAlbum)
            state.SkipWithError("wrong song count");
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_SongsInFolder)->Arg(100000)->Unit(benchmark::kMicrosecond);

// The same songs read the plain way, every record of the file: what the index saves.
void BM_SongsInFolderFullRead(benchmark::State& state) {
    const int songs = static_cast<int>(state.range(0));
    const Library& lib = library(songs);
    const fs::path data = lib.folder / "Data.mld";
    std::mt19937 rng(7);
    for (auto _ : state) {
        library::SongFolderIndex index;
        const std::string& folder = lib.albumFolders[rng() % (songs / kSongsPerAlbum)]; // whole albums
        const auto found = library::readSongsInFolder(data, library::folderKey(folder), index);
        if (!found || found->size() != kSongsPerAlbum)
            state.SkipWithError("wrong song count");
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_SongsInFolderFullRead)->Arg(100000)->Unit(benchmark::kMillisecond);

std::string numbered(const char* prefix, int n) {
    std::string s = prefix;
    s += std::to_string(n);
    return s;
}

// `songs` tagged songs (ID3v2.3 and ID3v1, a tenth of a second each): in a tree of artist and album
// folders of 12 songs, or all in one folder.
const fs::path& songTree(int songs, bool flat) {
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
        recipe.id3v2 = fixtures::SongTags{numbered("Title ", i),
                                          numbered("Artist ", artist),
                                          numbered("Album ", album),
                                          "2001",
                                          std::to_string(i % kSongsPerAlbum + 1),
                                          "Rock",
                                          ""};
        recipe.id3v1 =
            fixtures::Id3v1Fields{numbered("Title ", i), "Artist", "Album", "2001", "", 1, 17, true};
        const fs::path folder = flat ? root : root / numbered("Artist ", artist) / numbered("Album ", album);
        if (i % kSongsPerAlbum == 0 || flat)
            fs::create_directories(folder);
        if (!fixtures::writeMp3(folder / (numbered("Song ", i) + ".mp3"), recipe))
            std::abort();
    }
    return root;
}

// The folder scan into an empty database, from the get-files button's procedure: every song's tags
// read, its record appended, each album grouped, the tables reloaded at the end.
void scanInto(benchmark::State& state, bool flat) {
    const int songs = static_cast<int>(state.range(0));
    const fs::path& root = songTree(songs, flat);
    Library empty;
    empty.folder = scratch() / "scanned";
    fs::create_directories(empty.folder);
    Window w(empty);
    w.form->Dir2->setPath(root.string());
    const auto scan = [&] {
        for (const char* name : {"Data.mld", "Album.mld", "Artist.mld"})
            fs::remove(empty.folder / name);
        w.form->RecurseFiles2();
    };
    scan(); // the song files in the cache
    for (auto _ : state) {
        scan();
        if (w.form->ListView->count() != songs)
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

// Draws nothing between the steps of a sliding page: the scan ends by sliding its page out.
class NoFrames final : public tk::FrameStep {
public:
    void begin(int) override {}
    void step() override {}
    void end() override {}
};

} // namespace

// Qt's offscreen platform with the real services on a 1024×768 screen.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    tk::Services overrides;
    overrides.screen.emplace(tk::Screen::kDesignWidthPx, tk::Screen::kDesignHeightPx);
    overrides.frameStep = std::make_unique<NoFrames>();
    tk::Runtime runtime(scratch().path(), tk::realServices(std::move(overrides)));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
