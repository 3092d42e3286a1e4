#pragma once

// Test doubles and the two rigs the link's tests run on: the fake player in virtual time, and the real
// stand-in player started from the program folder into a runtime folder of the test's own.

#include "fakeplayer.h"
#include "fakeservices.h"
#include "fixtures/tempfolder.h"
#include "platform/runtime.h"
#include "player/winampcontrol.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace playertest {

using namespace std::chrono_literals;

using fixtures::TempFolder;

// Probes the real file system; a scripted error number can stand in for an unexpected failure.
class DiskProbe final : public tk::FileProbe {
public:
    tk::ProbeResult probe(const std::filesystem::path& path) override;
    std::optional<int> failWith;
};

class RealClock final : public tk::Clock {
public:
    std::chrono::system_clock::time_point now() override { return std::chrono::system_clock::now(); }
    std::chrono::steady_clock::time_point steadyNow() override { return std::chrono::steady_clock::now(); }
    void sleepFor(std::chrono::milliseconds duration) override;
};

// Starts programs with posix_spawn into a given environment, remembers every process, and ends those
// still running (by process id) when it goes.
class SpawnLauncher final : public tk::ProcessLauncher {
public:
    explicit SpawnLauncher(std::vector<std::string> environment);
    ~SpawnLauncher() override;
    std::optional<std::int64_t> startDetached(const std::string& program,
                                              const std::vector<std::string>& args) override;
    [[nodiscard]] const std::vector<pid_t>& pids() const { return m_pids; }
    // Waits for the process to end and gives its exit code (nullopt: still running after `timeout`).
    std::optional<int> exitCode(pid_t pid, std::chrono::milliseconds timeout);
    [[nodiscard]] bool alive(pid_t pid);

private:
    std::vector<std::string> m_environment;
    std::vector<pid_t> m_pids;
    std::map<pid_t, int> m_ended; // exit codes of the processes reaped so far
};

// Makes MP3 files of silence with lame; each length is encoded once per test program and copied.
std::filesystem::path makeSilentMp3(const std::filesystem::path& target, int seconds);

// The program folder the build put `tunnora-player` into.
std::filesystem::path programFolder();

// Where the link runs: a runtime with recording message boxes and exits, and a player.
class PlayerRig {
public:
    virtual ~PlayerRig();

    // A playable song file of `seconds` length named `name` in the rig's folder.
    virtual std::filesystem::path makeSong(const std::string& name, int seconds) = 0;
    // How many times a program was started.
    [[nodiscard]] virtual std::size_t launchCount() = 0;
    // A request sent straight to the held window, bypassing the link; 0 when no answer came.
    std::int32_t raw(std::uint32_t message, std::int32_t wParam = 0, std::int32_t lParam = 0);
    // Polls, in the runtime's time, until `done` holds; false when `timeout` passed first.
    bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout = 10s);
    // Starts the player with InitWinAMP and waits until a song file of `seconds` is in its list.
    std::filesystem::path startWithSong(const std::string& name, int seconds);

    // The message boxes shown, and whether the program was ended.
    std::vector<testing_support::ShownMessage>& shown() { return m_messages->shown; }
    [[nodiscard]] bool ended() const { return m_exit->ended; }

    WinAMP_Control link;
    struct Host final : WinAMPHost {
        void setCaption(const std::string& text) override { caption = text; }
        void setVolumeSliderPosition(int position) override { slider = position; }
        int volumeSliderPosition() const override { return slider; }
        std::string caption;
        int slider = 0;
    } host;
    TempFolder folder;

protected:
    void startRuntime(tk::Services services);
    // Ends the runtime (and with it the services) before the derived rig's members go.
    void stopRuntime() { m_runtime.reset(); }

private:
    testing_support::FakeMessageBox* m_messages = nullptr;
    testing_support::FakeProgramExit* m_exit = nullptr;
    std::unique_ptr<tk::Runtime> m_runtime;
};

class FakeRig final : public PlayerRig {
public:
    FakeRig()
        : FakeRig(std::make_unique<testing_support::VirtualClock>()) {}
    ~FakeRig() override { stopRuntime(); }
    std::filesystem::path makeSong(const std::string& name, int seconds) override;
    std::size_t launchCount() override { return player.launches().size(); }

    testing_support::VirtualClock& clock;
    fakes::FakePlayer player{clock};
    DiskProbe* probe = nullptr;

private:
    // The runtime owns the clock; the rig and its player keep using it.
    explicit FakeRig(std::unique_ptr<testing_support::VirtualClock> clock);
};

class RealRig final : public PlayerRig {
public:
    // `audioOutput` is the player's TUNNORA_PLAYER_AO.
    explicit RealRig(const std::string& audioOutput = "null");
    ~RealRig() override;
    std::filesystem::path makeSong(const std::string& name, int seconds) override;
    std::size_t launchCount() override { return launcher->pids().size(); }
    [[nodiscard]] std::filesystem::path socketPath() const;

    SpawnLauncher* launcher = nullptr;
    TempFolder runtimeFolder{"tunnora-run"};
};

enum class RigKind { Fake, Real };
std::unique_ptr<PlayerRig> makeRig(RigKind kind, const std::string& audioOutput = "null");

} // namespace playertest
