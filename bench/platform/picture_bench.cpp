// Memory of album covers shown one after another: 500 distinct 1000×1000 covers loaded through the
// runtime's picture loader, the last eight held as the album page's cells hold theirs. Run it on its
// own (--benchmark_filter=BM_CoverMemory) for the peak.
#include "procstatus.h"

#include "platform/picture.h"
#include "platform/runtime.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <malloc.h>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr int kCovers = 500;
constexpr int kCoverPx = 1000;

// A folder of `kCovers` cover files, each a file of its own; removed when the benchmark ends.
struct CoverFolder {
    fs::path path;

    CoverFolder() {
        std::string pattern = (fs::temp_directory_path() / "tunnora-covers-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            std::abort();
        }
        path = pattern;
        // Noise, so that decoding costs what a photograph's does.
        QImage cover(kCoverPx, kCoverPx, QImage::Format_RGB32);
        std::mt19937 random(5);
        for (int y = 0; y < kCoverPx; ++y) {
            auto* line = reinterpret_cast<QRgb*>(cover.scanLine(y));
            for (int x = 0; x < kCoverPx; ++x) {
                line[x] = 0xFF000000u | (random() & 0xFFFFFFu);
            }
        }
        const fs::path first = file(0);
        if (!cover.save(QString::fromStdString(first.string()), "JPG", 85)) {
            std::abort();
        }
        for (int i = 1; i < kCovers; ++i) {
            fs::copy_file(first, file(i));
        }
    }
    ~CoverFolder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    CoverFolder(const CoverFolder&) = delete;
    CoverFolder& operator=(const CoverFolder&) = delete;

    fs::path file(int i) const { return path / ("cover-" + std::to_string(i) + ".jpg"); }
};

double residentMb() {
    malloc_trim(0);
    return static_cast<double>(statusKb("VmRSS")) / 1024.0;
}

void BM_CoverMemory(benchmark::State& state) {
    const CoverFolder covers;
    tk::PictureLoader& loader = tk::Runtime::current().pictures();
    for (auto _ : state) {
        const double before = residentMb();
        const long peakBefore = statusKb("VmHWM");
        std::array<tk::Picture, 8> cells;
        for (int i = 0; i < kCovers; ++i) {
            cells[static_cast<std::size_t>(i) % cells.size()] = loader.load(covers.file(i));
            if (i + 1 == 60) {
                state.counters["rss_growth_60_MB"] = residentMb() - before;
            } else if (i + 1 == 250) {
                state.counters["rss_growth_250_MB"] = residentMb() - before;
            }
        }
        state.counters["rss_growth_500_MB"] = residentMb() - before;
        state.counters["peak_growth_MB"] = static_cast<double>(statusKb("VmHWM") - peakBefore) / 1024.0;
    }
    state.counters["covers"] = kCovers;
}
BENCHMARK(BM_CoverMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
