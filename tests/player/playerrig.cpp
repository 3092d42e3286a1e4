#include "playerrig.h"

#include "platform/playerwindows.h"
#include "player/playersocket.h"
#include "player/playerwire.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fstream>
#include <mutex>
#include <thread>

#include <csignal>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace playertest {

namespace fs = std::filesystem;

namespace {
// The array of C strings posix_spawn takes: pointers into `strings`, then a null.
std::vector<char*> cStrings(std::vector<std::string>& strings) {
    std::vector<char*> out;
    for (std::string& text : strings) {
        out.push_back(text.data());
    }
    out.push_back(nullptr);
    return out;
}
} // namespace

tk::ProbeResult DiskProbe::probe(const fs::path& path) {
    tk::ProbeResult result;
    if (failWith) {
        result.error = *failWith;
        return result;
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno != ENOENT && errno != ENOTDIR) {
            result.error = errno;
        }
        return result;
    }
    result.exists = true;
    result.isDirectory = S_ISDIR(st.st_mode);
    result.isRegular = S_ISREG(st.st_mode);
    result.size = static_cast<std::uint64_t>(st.st_size);
    return result;
}

void RealClock::sleepFor(std::chrono::milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

SpawnLauncher::SpawnLauncher(std::vector<std::string> environment)
    : m_environment(std::move(environment)) {}

SpawnLauncher::~SpawnLauncher() {
    for (const pid_t pid : m_pids) {
        if (alive(pid)) {
            ::kill(pid, SIGTERM);
            if (!exitCode(pid, 3000ms)) {
                ::kill(pid, SIGKILL);
                exitCode(pid, 3000ms);
            }
        }
    }
}

std::optional<std::int64_t> SpawnLauncher::startDetached(const std::string& program,
                                                         const std::vector<std::string>& args) {
    std::vector<std::string> command{program};
    command.insert(command.end(), args.begin(), args.end());
    std::vector<std::string> environment = m_environment;
    const std::vector<char*> argv = cStrings(command);
    const std::vector<char*> envp = cStrings(environment);
    pid_t pid = 0;
    if (::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0) {
        return std::nullopt;
    }
    m_pids.push_back(pid);
    return pid;
}

std::optional<int> SpawnLauncher::exitCode(pid_t pid, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (alive(pid)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(2ms);
    }
    return m_ended.at(pid);
}

bool SpawnLauncher::alive(pid_t pid) {
    if (m_ended.contains(pid)) {
        return false;
    }
    int status = 0;
    const pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) {
        m_ended[pid] = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return false;
    }
    return done == 0;
}

namespace {
// A WAV file of silence: 8 kHz, mono, 16 bits.
void writeSilentWav(const fs::path& path, int seconds) {
    const std::uint32_t rate = 8000;
    const std::uint32_t dataBytes = rate * 2 * static_cast<std::uint32_t>(seconds);
    std::ofstream out(path, std::ios::binary);
    auto le32 = [&](std::uint32_t v) {
        const char b[4] = {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
        out.write(b, 4);
    };
    auto le16 = [&](std::uint16_t v) {
        const char b[2] = {char(v), char(v >> 8)};
        out.write(b, 2);
    };
    out.write("RIFF", 4);
    le32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    le32(16);       // format block size
    le16(1);        // PCM
    le16(1);        // channels
    le32(rate);     // sample rate
    le32(rate * 2); // bytes per second
    le16(2);        // block align
    le16(16);       // bits per sample
    out.write("data", 4);
    le32(dataBytes);
    const std::string silence(dataBytes, '\0');
    out.write(silence.data(), static_cast<std::streamsize>(silence.size()));
}

int runAndWait(const std::vector<std::string>& command) {
    std::vector<std::string> copy = command;
    const std::vector<char*> argv = cStrings(copy);
    pid_t pid = 0;
    if (::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        return -1;
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
} // namespace

fs::path makeSilentMp3(const fs::path& target, int seconds) {
    static TempFolder cache("tunnora-mp3");
    static std::mutex mutex;
    const std::lock_guard lock(mutex);
    const fs::path cached = cache.path() / ("silence-" + std::to_string(seconds) + ".mp3");
    if (!fs::exists(cached)) {
        const fs::path wav = cache.path() / "silence.wav";
        writeSilentWav(wav, seconds);
        if (runAndWait({"lame", "--quiet", "-b", "32", wav.string(), cached.string()}) != 0) {
            throw std::runtime_error("lame could not make a test MP3");
        }
    }
    fs::copy_file(cached, target, fs::copy_options::overwrite_existing);
    return target;
}

fs::path programFolder() {
    return TUNNORA_TEST_PROGRAM_DIR;
}

PlayerRig::~PlayerRig() = default;

void PlayerRig::startRuntime(tk::Services services) {
    auto messages = std::make_unique<testing_support::FakeMessageBox>();
    m_messages = messages.get();
    services.messageBox = std::move(messages);
    auto exit = std::make_unique<testing_support::FakeProgramExit>();
    m_exit = exit.get();
    services.programExit = std::move(exit);
    m_runtime = std::make_unique<tk::Runtime>(programFolder(), std::move(services));
}

std::int32_t PlayerRig::raw(std::uint32_t message, std::int32_t wParam, std::int32_t lParam) {
    return tk::Runtime::current().windows().sendMessage(link.hWinAMP, message, wParam, lParam).value_or(0);
}

bool PlayerRig::waitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    tk::Clock& clock = tk::Runtime::current().clock();
    const auto deadline = clock.steadyNow() + timeout;
    while (!done()) {
        if (clock.steadyNow() >= deadline) {
            return false;
        }
        clock.sleepFor(10ms);
    }
    return true;
}

fs::path PlayerRig::startWithSong(const std::string& name, int seconds) {
    link.InitWinAMP(host);
    const fs::path song = makeSong(name, seconds);
    link.WinAMP_ClearPlaylist();
    link.WinAMP_AddFile(song.string());
    return song;
}

FakeRig::FakeRig(std::unique_ptr<testing_support::VirtualClock> owned)
    : clock(*owned) {
    tk::Services services;
    auto probeOwned = std::make_unique<DiskProbe>();
    probe = probeOwned.get();
    services.fileProbe = std::move(probeOwned);
    services.windows = player.messenger();
    services.launcher = player.launcher();
    services.clock = std::move(owned);
    startRuntime(std::move(services));
}

fs::path FakeRig::makeSong(const std::string& name, int seconds) {
    const fs::path path = folder.path() / name;
    std::ofstream(path) << "song";
    player.setSongLength(path.string(), std::chrono::seconds(seconds));
    return path;
}

RealRig::RealRig(const std::string& audioOutput) {
    tk::Services services;
    services.fileProbe = std::make_unique<DiskProbe>();
    auto launcherOwned = std::make_unique<SpawnLauncher>(
        std::vector<std::string>{"XDG_RUNTIME_DIR=" + runtimeFolder.path().string(),
                                 "TUNNORA_PLAYER_AO=" + audioOutput, "PATH=/usr/bin:/bin"});
    launcher = launcherOwned.get();
    services.launcher = std::move(launcherOwned);
    services.clock = std::make_unique<RealClock>();
    services.windows = std::make_unique<tk::PlayerWindows>(socketPath());
    startRuntime(std::move(services));
}

RealRig::~RealRig() {
    stopRuntime();
}

fs::path RealRig::socketPath() const {
    return runtimeFolder.path() / playerwire::kSocketName;
}

fs::path RealRig::makeSong(const std::string& name, int seconds) {
    return makeSilentMp3(folder.path() / name, seconds);
}

std::unique_ptr<PlayerRig> makeRig(RigKind kind, const std::string& audioOutput) {
    if (kind == RigKind::Fake) {
        return std::make_unique<FakeRig>();
    }
    return std::make_unique<RealRig>(audioOutput);
}

} // namespace playertest
