// Playback's speed goals: a counted play at 100,000 songs (the record, the last-songs row, the song
// list's play-count order and back), the clock tick against the real stand-in player, and the
// processor time of an idle station with 100,000 songs over a minute.
#include "app/form1.h"
#include "app/station.h"
#include "database.h"
#include "platform/listview.h"
#include "platform/runtime.h"
#include "player/playerwire.h"
#include "skingen.h"
#include "testruntime.h"

#include "fixtures/tempfolder.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include <sys/resource.h>

using namespace testing_support;

namespace {

namespace fs = std::filesystem;

// A station of 100,000 songs on the fake player in virtual time.
void BM_CountedPlay(benchmark::State& state) {
    const int songs = static_cast<int>(state.range(0));
    TestRuntime rt(TestOptions{.fakePlayer = true, .skin = true});
    const TestDatabase db = makeDatabase(rt.programFolder() / "Music", songs / 10, 10);
    writeDatabase(rt.programFolder(), db);
    Station station(rt.runtime());
    if (!station.start()) {
        state.SkipWithError("the start ended the program");
        return;
    }
    Form1& f = station.form1();
    int record = 1;
    for (auto _ : state) {
        // A different song each time, so the play-count order really changes.
        record = 1 + (record + 7919) % songs;
        f.playback.PlayingRecordNo = record;
        f.playback.PlayingPath = db.songs[record - 1].fileLocation;
        f.playback.PlayToCount = 1;
        f.RecordPlayedSong();
    }
    state.counters["last_songs"] = f.PrevView->count();
}
BENCHMARK(BM_CountedPlay)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(30);

// A program folder with the real stand-in player, the skin and `songs` songs, and the station's real
// services, its player reached in a runtime folder of its own.
class RealStation {
public:
    explicit RealStation(int songs) {
        const fs::path run = m_folder / "run";
        fs::create_directory(run);
        fs::permissions(run, fs::perms::owner_all);
        setenv("XDG_RUNTIME_DIR", run.c_str(), 1);
        setenv("TUNNORA_PLAYER_AO", "null", 1);
        fs::create_symlink(fs::path(TUNNORA_BENCH_PROGRAM_DIR) / "tunnora-player",
                           m_folder / "tunnora-player");
        (void)skin::generateSkin(m_folder.path());
        if (songs > 0) {
            writeDatabase(m_folder.path(), makeDatabase(m_folder / "Music", songs / 10, 10));
        }
        m_runtime = std::make_unique<tk::Runtime>(m_folder.path(), tk::realServices());
        m_station = std::make_unique<Station>(*m_runtime);
        m_started = m_station->start();
    }
    ~RealStation() {
        if (m_started) {
            form().winamp.WinAMP_SendCommand(playerwire::kCommandClose);
        }
        m_station.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_runtime.reset();
    }
    bool started() const { return m_started; }
    Form1& form() { return m_station->form1(); }

private:
    fixtures::TempFolder m_folder{"tunnora-bench"};
    std::unique_ptr<tk::Runtime> m_runtime;
    std::unique_ptr<Station> m_station;
    bool m_started = false;
};

void BM_ClockTick(benchmark::State& state) {
    RealStation station(100);
    if (!station.started()) {
        state.SkipWithError("the start ended the program");
        return;
    }
    Form1& f = station.form();
    for (auto _ : state) {
        f.Timer8_Timer();
    }
}
BENCHMARK(BM_ClockTick)->Unit(benchmark::kMicrosecond)->Iterations(5000);

double processorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The station's own processor time while it waits with nothing playing, its timers ticking.
void BM_IdleStation(benchmark::State& state) {
    RealStation station(static_cast<int>(state.range(0)));
    if (!station.started()) {
        state.SkipWithError("the start ended the program");
        return;
    }
    const int seconds = static_cast<int>(state.range(1));
    for (auto _ : state) {
        const double before = processorSeconds();
        QEventLoop loop;
        QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
        loop.exec();
        state.counters["core_percent"] = (processorSeconds() - before) / seconds * 100.0;
    }
}
BENCHMARK(BM_IdleStation)->Args({100000, 60})->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
