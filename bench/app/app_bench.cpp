#include "app/form1.h"
#include "app/station.h"
#include "database.h"
#include "screen/form2.h"
#include "testruntime.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace testing_support;

namespace {

// From nothing to the ready main window: the player (a fake, so the player process's own start does
// not count), the settings, the skin, the database and the current album.
void BM_StartUp(benchmark::State& state) {
    const int songs = static_cast<int>(state.range(0));
    TestRuntime rt(TestOptions{.fakePlayer = true, .skin = true});
    writeDatabase(rt.programFolder(), makeDatabase(rt.programFolder() / "Music", songs / 10, 10));
    for (auto _ : state) {
        Station station(rt.runtime());
        if (!station.start()) {
            state.SkipWithError("the start ended the program");
            break;
        }
        benchmark::DoNotOptimize(station.form1().ListView);
        state.PauseTiming();
        station.form1Slot().unload();
        station.form2Slot().unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUp)->Arg(50000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The album's song page for one album of a large library.
void BM_FillAlbumView(benchmark::State& state) {
    const int songs = static_cast<int>(state.range(0));
    TestRuntime rt(TestOptions{.fakePlayer = true, .skin = true});
    writeDatabase(rt.programFolder(), makeDatabase(rt.programFolder() / "Music", songs / 10, 10));
    Station station(rt.runtime());
    if (!station.start()) {
        state.SkipWithError("the start ended the program");
        return;
    }
    Form1& f = station.form1();
    for (auto _ : state) {
        f.FillAlbumView();
        benchmark::DoNotOptimize(f.SingleView);
    }
}
BENCHMARK(BM_FillAlbumView)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
