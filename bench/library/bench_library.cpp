#include "library/filetags.h"
#include "library/id3v2frames.h"
#include "library/recordstore.h"
#include "library/songlist.h"
#include "library/songrecord.h"
#include "library/tagmerge.h"

#include "fixtures/mp3file.h"
#include "fixtures/tagbytes.h"
#include "fixtures/tempfolder.h"

#include <benchmark/benchmark.h>
#include <taglib/mpegfile.h>
#include <taglib/tag.h>

#include <array>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <malloc.h>
#include <map>
#include <memory>
#include <new>
#include <random>
#include <string>
#include <sys/resource.h>
#include <vector>

// The heap this process holds, and the most it held since the last reset: every allocation of the
// benchmarks passes through here.
namespace {
std::atomic<std::size_t> g_heapNow{0};
std::atomic<std::size_t> g_heapPeak{0};

void* allocate(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (!p)
        throw std::bad_alloc();
    const std::size_t now = g_heapNow += ::malloc_usable_size(p);
    std::size_t peak = g_heapPeak.load();
    while (now > peak && !g_heapPeak.compare_exchange_weak(peak, now)) {
    }
    return p;
}

void release(void* p) noexcept {
    if (p) {
        g_heapNow -= ::malloc_usable_size(p);
        std::free(p);
    }
}
} // namespace

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void operator delete(void* p) noexcept {
    release(p);
}
void operator delete[](void* p) noexcept {
    release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    release(p);
}

namespace {

namespace fs = std::filesystem;
constexpr int kSongFiles = 10000;

fixtures::TempFolder& scratch() {
    static fixtures::TempFolder folder("tunnora-bench");
    return folder;
}

std::string numbered(const char* prefix, int n) {
    std::string s = prefix;
    s += std::to_string(n);
    return s;
}

// Ten thousand tagged songs: an ID3v2.3 tag with the seven frames and padding, an ID3v1 tag.
const std::vector<fs::path>& songFiles() {
    static const std::vector<fs::path> files = [] {
        std::vector<fs::path> out;
        const fs::path folder = scratch() / "songs";
        fs::create_directories(folder);
        for (int i = 0; i < kSongFiles; ++i) {
            fixtures::Mp3Recipe recipe;
            recipe.seconds = 1.0; // long enough that the ID3v1 tag lies outside the first read
            recipe.padding = 1024;
            recipe.id3v2 = fixtures::SongTags{numbered("Title of song ", i), numbered("Artist ", i % 500),
                                              numbered("Album ", i % 900),   "2001",
                                              std::to_string(i % 20 + 1),    "Rock",
                                              numbered("Comment ", i)};
            recipe.id3v1 = fixtures::Id3v1Fields{
                numbered("Title ", i), "Artist", "Album", "2001", "", i % 20 + 1, 17, true};
            out.push_back(folder / (numbered("song", i) + ".mp3"));
            if (!fixtures::writeMp3(out.back(), recipe))
                std::abort();
        }
        return out;
    }();
    return files;
}

void BM_ReadTags_Tunnora(benchmark::State& state) {
    const auto& files = songFiles();
    for (auto _ : state) {
        for (const fs::path& file : files)
            benchmark::DoNotOptimize(id3::readTagValues(file));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(files.size()));
}
BENCHMARK(BM_ReadTags_Tunnora)
    ->Name("BM_ReadTags/Tunnora")
    ->Unit(benchmark::kMillisecond)
    ->MinWarmUpTime(0.5);

void BM_ReadTags_TagLib(benchmark::State& state) {
    const auto& files = songFiles();
    for (auto _ : state) {
        for (const fs::path& file : files) {
            TagLib::MPEG::File mp3(file.c_str(), false);
            const TagLib::Tag* tag = mp3.tag();
            benchmark::DoNotOptimize(tag->artist().to8Bit(true));
            benchmark::DoNotOptimize(tag->title().to8Bit(true));
            benchmark::DoNotOptimize(tag->album().to8Bit(true));
            benchmark::DoNotOptimize(tag->track());
            benchmark::DoNotOptimize(tag->year());
            benchmark::DoNotOptimize(tag->genre().to8Bit(true));
            benchmark::DoNotOptimize(tag->comment().to8Bit(true));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(files.size()));
}
BENCHMARK(BM_ReadTags_TagLib)->Name("BM_ReadTags/TagLib")->Unit(benchmark::kMillisecond)->MinWarmUpTime(0.5);

// The bytes this process has read so far, as the kernel counts them.
std::uint64_t bytesReadByProcess() {
    std::ifstream io("/proc/self/io");
    std::string key;
    std::uint64_t value = 0;
    while (io >> key >> value) {
        if (key == "rchar:")
            return value;
    }
    return 0;
}

void BM_ReadTags_TenMegabyteCover(benchmark::State& state) {
    // The cover comes first, so the frames the station wants lie behind its ten megabytes.
    static const fs::path file = [] {
        using namespace fixtures;
        const Bytes tag =
            id3v2Tag(3,
                     {frame(3, "APIC", pictureData(10u << 20)), frame(3, "TPE1", textData(0, "Artist")),
                      frame(3, "TIT2", textData(0, "Title")), frame(3, "TALB", textData(0, "Album")),
                      frame(3, "TYER", textData(0, "2001")), frame(3, "TCON", textData(0, "Rock")),
                      frame(3, "TRCK", textData(0, "1")), frame(3, "COMM", commentData(0, "eng", "", "c"))},
                     1024);
        const fs::path path = scratch() / "cover.mp3";
        if (!writeBytes(path, tag + silentAudio(3.0).bytes +
                                  id3v1Tag({"Title", "Artist", "Album", "2001", "", 1, 17, true})))
            std::abort();
        return path;
    }();
    std::uint64_t counted = 0;
    const std::uint64_t before = bytesReadByProcess();
    for (auto _ : state) {
        const id3::FileTags tags = id3::FileTags::read(file);
        counted += tags.bytesRead;
        benchmark::DoNotOptimize(id3::mergeTags(tags, file.native()));
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["bytes_read_per_file"] = static_cast<double>(counted) / n;
    state.counters["kernel_rchar_per_file"] = static_cast<double>(bytesReadByProcess() - before) / n;
}
BENCHMARK(BM_ReadTags_TenMegabyteCover)->Name("BM_ReadTags/TenMegabyteCover")->Unit(benchmark::kMicrosecond);

// A whole-tag unsynchronised version 2.3 tag with a 10 MB cover of picture-like (random) bytes,
// placed in front of the text frames or behind them.
void BM_ReadTags_UnsynchronisedCover(benchmark::State& state) {
    const bool coverFirst = state.range(0) != 0;
    static std::map<bool, fs::path> made;
    fs::path& file = made[coverFirst];
    if (file.empty()) {
        using namespace fixtures;
        std::mt19937 random(7);
        Bytes cover = pictureData(10u << 20);
        for (std::size_t i = 20; i + 2 < cover.size(); ++i)
            cover[i] = static_cast<std::uint8_t>(random());
        std::vector<Bytes> frames = {
            frame(3, "TPE1", textData(0, "Artist")),         frame(3, "TIT2", textData(0, "Title")),
            frame(3, "TALB", textData(0, "Album")),          frame(3, "TYER", textData(0, "2001")),
            frame(3, "TCON", textData(0, "Rock")),           frame(3, "TRCK", textData(0, "1")),
            frame(3, "COMM", commentData(0, "eng", "", "c"))};
        frames.insert(coverFirst ? frames.begin() : frames.end(), frame(3, "APIC", cover));
        Bytes body;
        for (const Bytes& f : frames)
            body = body + f;
        body = id3::applyUnsynchronisation(body);
        body.resize(body.size() + 1024, 0);
        file = scratch() / (coverFirst ? "unsync-cover-first.mp3" : "unsync-cover-last.mp3");
        if (!writeBytes(file, id3v2Header(3, static_cast<std::uint32_t>(body.size()), 0x80) + body +
                                  silentAudio(3.0).bytes))
            std::abort();
    }
    std::uint64_t counted = 0;
    std::size_t heap = 0;
    for (auto _ : state) {
        g_heapPeak = g_heapNow.load();
        const std::size_t before = g_heapNow;
        const id3::FileTags tags = id3::FileTags::read(file);
        heap = std::max(heap, g_heapPeak - before);
        counted += tags.bytesRead;
        if (!tags.id3v2 || tags.id3v2->title != "Title" || tags.id3v2->comment != "c")
            state.SkipWithError("the frames were not read");
    }
    state.counters["bytes_read_per_file"] =
        static_cast<double>(counted) / static_cast<double>(state.iterations());
    state.counters["peak_heap_bytes"] = static_cast<double>(heap);
}
BENCHMARK(BM_ReadTags_UnsynchronisedCover)
    ->Name("BM_ReadTags/UnsynchronisedCover")
    ->ArgName("coverFirst")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMicrosecond);

// A "Data.mld" of `count` songs with fields of everyday lengths, written by the station's store.
const fs::path& database(int count) {
    static std::map<int, fs::path> made;
    auto& path = made[count];
    if (path.empty()) {
        path = scratch() / (numbered("Data", count) + ".mld");
        auto store = library::RecordStore<library::SongRecord>::openForAppend(path);
        if (!store)
            std::abort();
        for (int i = 1; i <= count; ++i) {
            library::SongRecord r;
            r.albumBy = i % 12 == 1 ? numbered("Artist ", i / 12) : "";
            r.artist = numbered("Artist number ", i / 12);
            r.title = numbered("A song title of everyday length ", i);
            r.album = numbered("The album ", i / 12);
            r.track = std::to_string(i % 12 + 1);
            r.year = "1999";
            r.genre = "Rock";
            r.comments = i % 3 ? "" : "Some comment";
            r.fileLocation = numbered("/music/Artist number x/The album y/Track ", i) + ".mp3";
            r.playedTimes = i % 5 ? "" : std::to_string(i % 40);
            if (!store->append(r).ok())
                std::abort();
        }
    }
    return path;
}

double peakMegabytes() {
    struct rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_LoadSongs(benchmark::State& state) {
    const fs::path& path = database(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto loaded = library::RecordStore<library::SongRecord>::load(path);
        if (loaded.records.size() != static_cast<std::size_t>(state.range(0)))
            state.SkipWithError("wrong record count");
        benchmark::DoNotOptimize(loaded);
    }
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_LoadSongs)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The load followed by the text of every column, as the song list shows it.
void BM_LoadSongRows(benchmark::State& state) {
    const fs::path& path = database(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto loaded = library::RecordStore<library::SongRecord>::load(path);
        std::vector<std::array<std::string, library::kSongColumnCount>> rows;
        rows.reserve(loaded.records.size());
        for (std::size_t i = 0; i < loaded.records.size(); ++i)
            rows.push_back(library::songListColumns(loaded.records[i], static_cast<std::int64_t>(i + 1)));
        benchmark::DoNotOptimize(rows);
    }
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_LoadSongRows)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
