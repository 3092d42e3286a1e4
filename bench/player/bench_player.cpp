// The player link's two speed goals, against the real stand-in player with the null audio output:
// one status request round trip (the clock tick asks three times every half second, and the door
// animation at every step), and the time from handing over a song to its play state reading 1.

#include "platform/playerwindows.h"
#include "platform/runtime.h"
#include "player/playersocket.h"
#include "player/playerwire.h"
#include "player/winampcontrol.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
namespace wire = playerwire;
using namespace std::chrono_literals;

const fs::path kProgramFolder = TUNNORA_BENCH_PROGRAM_DIR;

// Starts programs into the benchmark's own runtime folder and ends them afterwards.
class Launcher final : public tk::ProcessLauncher {
public:
    explicit Launcher(const fs::path& runtimeFolder)
        : m_env{"XDG_RUNTIME_DIR=" + runtimeFolder.string(), "TUNNORA_PLAYER_AO=null"} {}
    ~Launcher() override {
        for (const pid_t pid : m_pids) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
    }
    std::optional<std::int64_t> startDetached(const std::string& program,
                                              const std::vector<std::string>& args) override {
        std::vector<std::string> all{program};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& a : all) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (auto& e : m_env) {
            envp.push_back(e.data());
        }
        envp.push_back(nullptr);
        pid_t pid = 0;
        if (::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0) {
            return std::nullopt;
        }
        // Reap the hand-over starts that ended meanwhile.
        std::erase_if(m_pids, [](pid_t p) { return ::waitpid(p, nullptr, WNOHANG) == p; });
        m_pids.push_back(pid);
        return pid;
    }

private:
    std::vector<std::string> m_env;
    std::vector<pid_t> m_pids;
};

class Probe final : public tk::FileProbe {
public:
    tk::ProbeResult probe(const fs::path& path) override {
        tk::ProbeResult r;
        struct stat st {};
        if (::stat(path.c_str(), &st) == 0) {
            r.exists = true;
            r.isRegular = S_ISREG(st.st_mode);
            r.isDirectory = S_ISDIR(st.st_mode);
        }
        return r;
    }
};

class Clock final : public tk::Clock {
public:
    std::chrono::system_clock::time_point now() override { return std::chrono::system_clock::now(); }
    std::chrono::steady_clock::time_point steadyNow() override { return std::chrono::steady_clock::now(); }
    void sleepFor(std::chrono::milliseconds d) override { std::this_thread::sleep_for(d); }
};

class Boxes final : public tk::MessageBoxService {
public:
    int show(const std::string& text, int, const std::string&) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
        return tk::kAnswerOk;
    }
};

struct Host final : WinAMPHost {
    void setCaption(const std::string&) override {}
    void setVolumeSliderPosition(int p) override { slider = p; }
    int volumeSliderPosition() const override { return slider; }
    int slider = 0;
};

// A running stand-in player in a runtime folder of its own, with the station's link to it.
struct Bench {
    fs::path folder;
    std::unique_ptr<tk::Runtime> runtime;
    WinAMP_Control link;
    Host host;

    Bench() {
        std::string pattern = (fs::temp_directory_path() / "tunnora-bench-XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
        tk::Services services;
        services.launcher = std::make_unique<Launcher>(folder);
        services.fileProbe = std::make_unique<Probe>();
        services.clock = std::make_unique<Clock>();
        services.messageBox = std::make_unique<Boxes>();
        services.windows = std::make_unique<tk::PlayerWindows>(folder / wire::kSocketName);
        runtime = std::make_unique<tk::Runtime>(kProgramFolder, std::move(services));
        link.InitWinAMP(host);
    }
    ~Bench() {
        runtime.reset();
        fs::remove_all(folder);
    }

    // An MP3 of 10 s of silence, made with lame.
    fs::path song() {
        const fs::path wav = folder / "silence.wav";
        const fs::path mp3 = folder / "song.mp3";
        {
            std::ofstream out(wav, std::ios::binary);
            const std::uint32_t rate = 8000, data = rate * 2 * 10;
            auto le = [&](std::uint32_t v, int n) {
                for (int i = 0; i < n; ++i) {
                    out.put(static_cast<char>(v >> (8 * i)));
                }
            };
            out.write("RIFF", 4), le(36 + data, 4), out.write("WAVEfmt ", 8), le(16, 4), le(1, 2), le(1, 2);
            le(rate, 4), le(rate * 2, 4), le(2, 2), le(16, 2), out.write("data", 4), le(data, 4);
            out << std::string(data, '\0');
        }
        std::string command = "lame --quiet -b 32 '" + wav.string() + "' '" + mp3.string() + "'";
        if (std::system(command.c_str()) != 0) {
            throw std::runtime_error("lame failed");
        }
        return mp3;
    }
};

void reportMedian(benchmark::State& state, std::vector<double>& micros, const char* name) {
    if (micros.empty()) {
        return;
    }
    std::sort(micros.begin(), micros.end());
    state.counters[name] = micros[micros.size() / 2];
    state.counters["p99_us"] = micros[micros.size() * 99 / 100];
}

void BM_StatusRoundTrip(benchmark::State& state) {
    Bench bench;
    std::vector<double> micros;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(bench.link.WinAMP_GetStatus());
        micros.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
    }
    reportMedian(state, micros, "median_us");
}
BENCHMARK(BM_StatusRoundTrip)->Unit(benchmark::kMicrosecond)->Iterations(20000);

void BM_AddFileToPlaying(benchmark::State& state) {
    Bench bench;
    const fs::path song = bench.song();
    std::vector<double> playing;
    std::vector<double> opened;
    for (auto _ : state) {
        bench.link.WinAMP_SendCommand(wire::kCommandStop);
        bench.link.WinAMP_ClearPlaylist();
        const auto t0 = std::chrono::steady_clock::now();
        bench.link.WinAMP_AddFile(song.string());
        bench.link.WinAMP_SendCommand(wire::kCommandPlay);
        while (bench.link.WinAMP_GetStatus() != "PLAYING") {
        }
        const auto t1 = std::chrono::steady_clock::now();
        state.PauseTiming();
        // Also how long until the engine really has the file open (its length is known).
        while (bench.link.WinAMP_GetLength() != 10) {
        }
        const auto t2 = std::chrono::steady_clock::now();
        state.ResumeTiming();
        playing.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        opened.push_back(std::chrono::duration<double, std::milli>(t2 - t0).count());
    }
    std::sort(opened.begin(), opened.end());
    state.counters["opened_median_ms"] = opened[opened.size() / 2];
    std::sort(playing.begin(), playing.end());
    state.counters["median_ms"] = playing[playing.size() / 2];
}
BENCHMARK(BM_AddFileToPlaying)->Unit(benchmark::kMillisecond)->Iterations(40);

} // namespace

BENCHMARK_MAIN();
