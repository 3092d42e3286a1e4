#include "procstatus.h"

#include "platform/listmodel.h"
#include "platform/listview.h"

#include <QCoreApplication>
#include <QTreeView>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <malloc.h>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kSongs = 100000;
constexpr int kColumns = 11;

// One song list row as the database loader makes it: album artist, artist, album, track, title, play
// count, year, genre, comment, file path, record number.
using SongRow = std::array<std::string, kColumns>;

std::string word(std::mt19937& rng, int minLength, int maxLength) {
    static const char* const kSyllables[] = {"ka", "lo",  "mi",  "ren", "sa",  "tor", "vel",
                                             "no", "dra", "qui", "bel", "ost", "an",  "ix",
                                             "pe", "um",  "ra",  "zo",  "fen", "lu"};
    std::uniform_int_distribution<int> len(minLength, maxLength);
    std::uniform_int_distribution<int> syl(0, 19);
    std::string w;
    const int n = len(rng);
    while (static_cast<int>(w.size()) < n) {
        w += kSyllables[syl(rng)];
    }
    w[0] = static_cast<char>(w[0] - 'a' + 'A');
    return w;
}

std::string words(std::mt19937& rng, int count) {
    std::string s;
    for (int i = 0; i < count; ++i) {
        if (i) {
            s += ' ';
        }
        s += word(rng, 3, 9);
    }
    return s;
}

std::string padded(int value, int width) {
    std::string s = std::to_string(value);
    return std::string(static_cast<std::size_t>(std::max(0, width - static_cast<int>(s.size()))), '0') + s;
}

// 100,000 songs of 8,000 albums by 2,000 artists, in record order (album by album).
const std::vector<SongRow>& songs() {
    static const std::vector<SongRow> rows = [] {
        std::mt19937 rng(20240611);
        std::vector<std::string> artists(2000);
        for (auto& a : artists) {
            a = words(rng, 1 + static_cast<int>(rng() % 3));
        }
        static const char* const kGenres[] = {"Rock", "Pop", "Jazz", "Classical", "Electronic", "Folk"};
        std::vector<SongRow> out;
        out.reserve(kSongs);
        while (static_cast<int>(out.size()) < kSongs) {
            const std::string& artist = artists[rng() % artists.size()];
            const std::string album = words(rng, 1 + static_cast<int>(rng() % 4));
            const std::string year = std::to_string(1960 + rng() % 60);
            const char* genre = kGenres[rng() % 6];
            const int tracks = 8 + static_cast<int>(rng() % 10);
            for (int t = 1; t <= tracks && static_cast<int>(out.size()) < kSongs; ++t) {
                const std::string title = words(rng, 1 + static_cast<int>(rng() % 5));
                const int record = static_cast<int>(out.size()) + 1;
                out.push_back(
                    {t == 1 ? artist : std::string(), artist, album, padded(t, 2), title,
                     padded(static_cast<int>(rng() % 40), 4), year, genre,
                     rng() % 4 == 0 ? words(rng, 3) : std::string(),
                     "/home/music/" + artist + "/" + album + "/" + padded(t, 2) + " " + title + ".mp3",
                     padded(record, 6)});
            }
        }
        return out;
    }();
    return rows;
}

void addColumns(tk::ListView& list) {
    static const char* const kHeaders[] = {"Album By", "Artist",         "Album",   "Trk",
                                           "Title",    "Played # Times", "Year",    "Genre",
                                           "Comments", "File Location",  "Record #"};
    static const float kWidths[] = {2100, 2100, 2300, 550, 3600, 1000, 800, 2000, 2500, 4000, 1000};
    for (int c = 0; c < kColumns; ++c) {
        list.addColumn(kHeaders[c], kWidths[c]);
    }
}

// A host window with an empty song list in it.
std::unique_ptr<QWidget> songListHost(tk::ListView*& list) {
    auto host = std::make_unique<QWidget>();
    list = new tk::ListView(host.get(), "ListView");
    addColumns(*list);
    return host;
}

// Adds the first `count` songs, a whole row at a time.
void addSongs(tk::ListView& list, int count) {
    std::array<std::string_view, kColumns> cells;
    for (int i = 0; i < count; ++i) {
        const SongRow& song = songs()[static_cast<std::size_t>(i)];
        for (int c = 0; c < kColumns; ++c) {
            cells[static_cast<std::size_t>(c)] = song[static_cast<std::size_t>(c)];
        }
        list.addRow(cells);
    }
}

void fillWithRows(tk::ListView& list) {
    addSongs(list, kSongs);
}

// The old way the loader writes a row: the row text, then sub-items one by one.
void fillWithSubItems(tk::ListView& list) {
    for (const SongRow& song : songs()) {
        const int row = list.add(song[0]);
        for (int c = 1; c < kColumns; ++c) {
            list.setSubItem(row, c, song[static_cast<std::size_t>(c)]);
        }
    }
}

// Memory the rows take: resident-set growth while a list of 100,000 songs is filled and sorted, and
// the growth of the peak. Registered first, so that no earlier benchmark's freed memory is reused;
// only the first run's peak growth counts (later repetitions find the peak already reached).
void BM_ListViewMemory(benchmark::State& state) {
    songs();
    for (auto _ : state) {
        malloc_trim(0);
        const long rssBefore = statusKb("VmRSS");
        const long peakBefore = statusKb("VmHWM");
        tk::ListView* list = nullptr;
        auto host = songListHost(list);
        fillWithRows(*list);
        QCoreApplication::sendPostedEvents();
        list->setSortKey(4);
        list->setSorted(true);
        const long rssAfter = statusKb("VmRSS");
        const long peakAfter = statusKb("VmHWM");
        state.counters["rss_growth_MB"] = static_cast<double>(rssAfter - rssBefore) / 1024.0;
        state.counters["peak_growth_MB"] =
            static_cast<double>(peakAfter - std::max(peakBefore, rssBefore)) / 1024.0;
        state.counters["rows_heap_MB"] = static_cast<double>(list->model().heapBytes()) / (1024.0 * 1024.0);
        host.reset();
    }
}
BENCHMARK(BM_ListViewMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// Rows added one by one into a list that stays sorted by title, as the scan and the search do; and,
// for comparison, the same rows appended with sorting off and sorted once at the end.
constexpr int kSortedRows = 80000;

void addSortedOneByOne(tk::ListView& list) {
    list.setSortKey(4);
    list.setSorted(true);
    addSongs(list, kSortedRows);
}

void appendThenSort(tk::ListView& list) {
    addSongs(list, kSortedRows);
    list.setSortKey(4);
    list.setSorted(true);
}

void BM_ListViewFill(benchmark::State& state, void (*fill)(tk::ListView&), int rows) {
    songs();
    for (auto _ : state) {
        state.PauseTiming();
        tk::ListView* list = nullptr;
        auto host = songListHost(list);
        state.ResumeTiming();
        fill(*list);
        QCoreApplication::sendPostedEvents(); // the views learn of the rows
        benchmark::DoNotOptimize(list->count());
        state.PauseTiming();
        host.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK_CAPTURE(BM_ListViewFill, Rows100k, &fillWithRows, kSongs)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ListViewFill, SubItems100k, &fillWithSubItems, kSongs)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ListViewFill, SortedOneByOne80k, &addSortedOneByOne, kSortedRows)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ListViewFill, AppendThenSort80k, &appendThenSort, kSortedRows)
    ->Unit(benchmark::kMillisecond);

// Rows removed one by one, each from a pseudo-random place, from a sorted list of 80,000 until it
// is empty.
void BM_ListViewSortedRemove(benchmark::State& state) {
    songs();
    for (auto _ : state) {
        state.PauseTiming();
        tk::ListView* list = nullptr;
        auto host = songListHost(list);
        appendThenSort(*list);
        QCoreApplication::sendPostedEvents();
        std::mt19937 rng(7);
        state.ResumeTiming();
        while (list->count() > 0) {
            list->remove(1 + static_cast<int>(rng() % static_cast<unsigned>(list->count())));
        }
        QCoreApplication::sendPostedEvents();
        state.PauseTiming();
        host.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kSortedRows);
}
BENCHMARK(BM_ListViewSortedRemove)->Unit(benchmark::kMillisecond);

// One re-sort by a text column of the loaded list, the rows standing in record order before it. With
// the list on screen, the time includes the view's new layout and one paint.
void BM_ListViewSort(benchmark::State& state, int column, bool shown) {
    QWidget host;
    host.resize(1024, 768);
    auto* list = new tk::ListView(&host, "ListView");
    list->move(0, 0, 15000, 9000);
    addColumns(*list);
    fillWithRows(*list);
    if (shown) {
        host.show();
    }
    QCoreApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        list->setSorted(false);
        list->setSortKey(10); // record order
        list->setSorted(true);
        list->setSorted(false);
        list->setSortKey(column);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        list->setSorted(true);
        if (shown) {
            list->view().viewport()->repaint();
        }
    }
    state.SetItemsProcessed(state.iterations() * kSongs);
}
BENCHMARK_CAPTURE(BM_ListViewSort, Artist100k, 1, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ListViewSort, Title100k, 4, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ListViewSort, Title100kShown, 4, true)->Unit(benchmark::kMillisecond);

// The whole artist, album, track restore (three stable passes) on the list in play-count order.
void BM_ListViewRestoreOrder(benchmark::State& state) {
    QWidget host;
    auto* list = new tk::ListView(&host, "ListView");
    addColumns(*list);
    fillWithRows(*list);
    for (auto _ : state) {
        state.PauseTiming();
        list->setSortOrder(1);
        list->setSortKey(5);
        list->setSorted(true);
        state.ResumeTiming();
        list->setSortOrder(0);
        list->setSortKey(3);
        list->setSortKey(2);
        list->setSortKey(1);
        list->setSorted(false);
    }
}
BENCHMARK(BM_ListViewRestoreOrder)->Unit(benchmark::kMillisecond);

} // namespace
