#include "app/form1.h"
#include "app/station.h"
#include "database.h"
#include "fakeplayer.h"
#include "fakeservices.h"
#include "fixtures/tempfolder.h"
#include "platform/picturebox.h"
#include "screen/form2.h"
#include "sharedfixture.h"
#include "skingen.h"
#include "testruntime.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

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

// A station started on the fake player and the generated skin, with `songs` songs in albums of ten.
struct StartedStation {
    TestRuntime rt{TestOptions{.fakePlayer = true, .skin = true}};
    std::unique_ptr<Station> station;

    StartedStation(benchmark::State& state, int songs) {
        writeDatabase(rt.programFolder(), makeDatabase(rt.programFolder() / "Music", songs / 10, 10));
        station = std::make_unique<Station>(rt.runtime());
        if (!station->start()) {
            state.SkipWithError("the start ended the program");
            station.reset();
        }
    }
    Form1* form() { return station ? &station->form1() : nullptr; }
};

// The album's song page for one album of a large library.
void BM_FillAlbumView(benchmark::State& state) {
    StartedStation s(state, static_cast<int>(state.range(0)));
    Form1* f = s.form();
    if (!f) {
        return;
    }
    for (auto _ : state) {
        f->FillAlbumView();
        benchmark::DoNotOptimize(f->SingleView);
    }
}
BENCHMARK(BM_FillAlbumView)->Arg(100000)->Unit(benchmark::kMillisecond);

// Counts the positions a move assigns, and hands each frame to the station's own frame step.
class CountedFrames final : public tk::FrameStep {
public:
    explicit CountedFrames(std::unique_ptr<tk::FrameStep> real)
        : m_real(std::move(real)) {}
    void begin(int steps) override { m_real->begin(steps); }
    void step() override {
        ++steps;
        m_real->step();
    }
    void end() override { m_real->end(); }
    long steps = 0;

private:
    std::unique_ptr<tk::FrameStep> m_real;
};

// The station on its real services (clock, timers, frame step that paces and paints, pictures) and a
// shown main window; only the player is the in-process fake, so that a move does not wait for a
// player process, and message boxes and the end are recorded.
struct RealWindowStation {
    fixtures::TempFolder folder{"tunnora-bench"};
    testing_support::VirtualClock playerClock;
    fakes::FakePlayer player{playerClock};
    CountedFrames* frames = nullptr;
    std::unique_ptr<tk::Runtime> runtime;
    std::unique_ptr<Station> station;

    RealWindowStation() {
        (void)skin::generateSkin(folder.path());
        writeDatabase(folder.path(), makeDatabase(folder.path() / "Music", 20, 10));
        tk::Services s;
        s.messageBox = std::make_unique<testing_support::FakeMessageBox>();
        s.programExit = std::make_unique<testing_support::FakeProgramExit>();
        s.windows = player.messenger();
        s.launcher = player.launcher();
        s.screen.emplace(tk::Screen::kDesignWidthPx, tk::Screen::kDesignHeightPx);
        tk::Services real = tk::realServices(std::move(s));
        auto counted = std::make_unique<CountedFrames>(std::move(real.frameStep));
        frames = counted.get();
        real.frameStep = std::move(counted);
        runtime = std::make_unique<tk::Runtime>(folder.path(), std::move(real));
        station = std::make_unique<Station>(*runtime);
        station->start();
        QCoreApplication::processEvents();
    }
    ~RealWindowStation() {
        station.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

// One door move (open, then close, alternately): 109 positions, a clock tick at each.
void BM_DoorMove(benchmark::State& state) {
    RealWindowStation s;
    Form1& f = s.station->form1();
    for (auto _ : state) {
        f.OpenCloseDoors();
    }
    state.counters["positions"] = static_cast<double>(s.frames->steps) / state.iterations();
}
BENCHMARK(BM_DoorMove)->Iterations(6)->Unit(benchmark::kMillisecond)->UseRealTime();

// One page slide in or out: the playlist page (306 positions) and the delete-database page (5106).
void BM_PageSlide(benchmark::State& state) {
    RealWindowStation s;
    Form1& f = s.station->form1();
    const bool deletePage = state.range(0) == 1;
    if (deletePage) {
        f.ToggleAddMoreSongsPage();
        s.frames->steps = 0;
    }
    for (auto _ : state) {
        deletePage ? f.ToggleDeleteDataBasePage() : f.TogglePlayListPage();
    }
    state.counters["positions"] = static_cast<double>(s.frames->steps) / state.iterations();
}
BENCHMARK(BM_PageSlide)->Arg(0)->Arg(1)->Iterations(6)->Unit(benchmark::kMillisecond)->UseRealTime();

// A transport element's click through the bar, with the fake player.
void BM_TransportClick(benchmark::State& state) {
    StartedStation s(state, 200);
    Form1* f = s.form();
    if (!f) {
        return;
    }
    for (auto _ : state) {
        f->switch_Click(3);
    }
}
BENCHMARK(BM_TransportClick)->Unit(benchmark::kMicrosecond);

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
    benchfixture::releaseSharedFixtures();
    return 0;
}
