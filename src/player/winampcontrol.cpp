#include "player/winampcontrol.h"

#include "platform/errors.h"
#include "platform/playerwindows.h"
#include "platform/runtime.h"
#include "player/playerwire.h"

#include <cerrno>
#include <cstdio>
#include <limits>
#include <vector>

namespace wire = playerwire;

namespace {
tk::Runtime& rt() {
    return tk::Runtime::current();
}

std::filesystem::path playerProgram() {
    return rt().programFolder() / WinAMP_Control::kPlayerProgram;
}

// A failed probe that only means "no such file here".
bool meansMissing(int error) {
    return error == ENOENT || error == ENOTDIR || error == ENODEV || error == ENXIO || error == ENOMEDIUM;
}

// The runtime's number and standard description for an unexpected probe failure.
std::pair<int, std::string> runtimeErrorOf(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return {tk::err::kPermissionDenied, "Permission denied"};
    case ENAMETOOLONG:
        return {52, "Bad file name or number"};
    case EIO:
        return {57, "Device I/O error"};
    default:
        return {75, "Path/File access error"};
    }
}
} // namespace

std::string formatPlayerVersion(std::int32_t reply) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%X", static_cast<unsigned>(static_cast<std::uint32_t>(reply)));
    const std::string hex(digits);
    if (hex.size() <= 3) {
        return "UNKNOWN";
    }
    return hex.substr(0, 1) + "." + hex.substr(1);
}

std::string playStateWord(std::optional<std::int32_t> reply) {
    // A player that did not answer has not said it stopped: taking silence for "STOPPED" would count a
    // song that is still playing and start the next one over it.
    if (!reply) {
        return {};
    }
    if (*reply == wire::kStatePlaying) {
        return "PLAYING";
    }
    if (*reply == wire::kStatePaused) {
        return "PAUSED";
    }
    return "STOPPED";
}

std::int32_t volumeFromSlider(int position) noexcept {
    // position × 2.5 = position × 5 / 2: an odd product lies exactly halfway.
    const std::int64_t product = static_cast<std::int64_t>(position) * 5;
    std::int64_t whole = product / 2;
    if (product % 2 != 0) {
        const std::int64_t lower = product < 0 ? whole - 1 : whole;
        whole = lower % 2 == 0 ? lower : lower + 1;
    }
    return static_cast<std::int32_t>(whole);
}

bool WinAMP_Control::FindWinAMP() {
    hWinAMP = rt().windows().findWindow(tk::kPlayerWindowClass);
    return hWinAMP != 0;
}

bool WinAMP_Control::StartWinAMP() {
    const auto pid = rt().launcher().startDetached(playerProgram().string(), {});
    return pid.has_value() && *pid != 0;
}

bool WinAMP_Control::FileExists(const std::string& path) {
    const tk::ProbeResult probe = rt().fileProbe().probe(path);
    if (probe.error != 0 && !meansMissing(probe.error)) {
        // Shown as the runtime shows it, but the station goes on: ending here would lose the playlist.
        const auto [number, description] = runtimeErrorOf(probe.error);
        rt().messageBox().show("Error Number: " + std::to_string(number) + "\n\r " + description,
                               tk::kMsgOkOnly, "Error");
        return false;
    }
    // Only a regular file can be played; a folder of that name is not a song.
    return probe.error == 0 && probe.exists && probe.isRegular;
}

bool WinAMP_Control::WinAMP_AddFile(const std::string& path) {
    if (!FileExists(path)) {
        return false;
    }
    // Ask where the player's list stands, to see below when it has taken the file.
    const std::optional<std::int32_t> before =
        hWinAMP != 0 ? send(wire::kMsgAskListRevision, 0, 0) : std::nullopt;
    // The path is one argument of its own: blanks, quotes and a leading "-" reach the player intact.
    const auto pid = rt().launcher().startDetached(playerProgram().string(), {kAddSwitch, path});
    if (!pid) {
        throw tk::RuntimeError(tk::err::kFileNotFound, "File not found");
    }
    if (before) {
        // Wait, without running the event loop, until the player has the file, so the play command that
        // follows finds it. A player that stops answering ends the wait at once.
        tk::Clock& clock = rt().clock();
        const auto deadline = clock.steadyNow() + kTakeWait;
        while (clock.steadyNow() < deadline) {
            if (send(wire::kMsgAskListRevision, 0, 0) != before) {
                break;
            }
            clock.sleepFor(kTakePoll);
        }
    }
    return *pid != 0;
}

bool WinAMP_Control::haveWindow() {
    if (hWinAMP != 0) {
        return true;
    }
    // One message at a time: a request made while the message waits answers empty without another.
    if (m_showingNotFound) {
        return false;
    }
    m_showingNotFound = true;
    struct Shown {
        bool& flag;
        ~Shown() { flag = false; }
    } shown{m_showingNotFound};
    rt().messageBox().show("WinAMP window not found yet...", tk::kMsgOkOnly | tk::kMsgCritical,
                           "WinAMP Not Found");
    return false;
}

std::optional<std::int32_t> WinAMP_Control::send(std::uint32_t message, std::int32_t wParam,
                                                 std::int32_t lParam) {
    return rt().windows().sendMessage(hWinAMP, message, wParam, lParam);
}

void WinAMP_Control::WinAMP_ClearPlaylist() {
    if (haveWindow()) {
        send(wire::kMsgUser, 0, wire::kClearList);
    }
}

std::string WinAMP_Control::WinAMP_GetStatus() {
    if (!haveWindow()) {
        return {};
    }
    return playStateWord(send(wire::kMsgUser, 0, wire::kAskPlayState));
}

std::int32_t WinAMP_Control::WinAMP_GetPosition() {
    if (!haveWindow()) {
        return 0;
    }
    const std::int32_t ms = send(wire::kMsgUser, 0, wire::kAskTime).value_or(0);
    return ms == -1 ? -1 : ms / 1000;
}

std::int32_t WinAMP_Control::WinAMP_GetLength() {
    if (!haveWindow()) {
        return 0;
    }
    return send(wire::kMsgUser, 1, wire::kAskTime).value_or(0);
}

std::string WinAMP_Control::WinAMP_GetVersion() {
    if (!haveWindow()) {
        return {};
    }
    return formatPlayerVersion(send(wire::kMsgUser, 0, wire::kAskVersion).value_or(0));
}

void WinAMP_Control::WinAMP_JumpToTime(std::int32_t seconds) {
    if (!haveWindow()) {
        return;
    }
    const std::int32_t length = WinAMP_GetLength();
    const std::int64_t ms = static_cast<std::int64_t>(seconds) * 1000;
    // A time past what a message can carry is out of bounds too.
    if (seconds >= 0 && seconds <= length && ms <= std::numeric_limits<std::int32_t>::max()) {
        send(wire::kMsgUser, static_cast<std::int32_t>(ms), wire::kJumpToTime);
    }
}

void WinAMP_Control::WinAMP_SetVolume(std::int32_t volume) {
    if (haveWindow() && volume >= 0 && volume <= 255) {
        send(wire::kMsgUser, volume, wire::kSetVolume);
    }
}

void WinAMP_Control::WinAMP_SendCommand(std::int32_t command) {
    if (haveWindow()) {
        send(wire::kMsgCommand, command, 0);
    }
}

void WinAMP_Control::InitWinAMP(WinAMPHost& host) {
    if (!StartWinAMP()) {
        rt().messageBox().show("Couldn't start WinAMP", tk::kMsgOkOnly, rt().appTitle());
        rt().endProgram();
    }
    // A player that was not running needs a moment to open its socket: look again, bounded, without
    // running the event loop.
    tk::Clock& clock = rt().clock();
    const auto deadline = clock.steadyNow() + kWindowWait;
    while (!FindWinAMP() && rt().windows().refusal().empty() && clock.steadyNow() < deadline) {
        clock.sleepFor(kWindowPoll);
    }
    if (hWinAMP == 0) {
        // A socket that is not this user's is never talked to; the user is told why.
        const std::string refusal = rt().windows().refusal();
        rt().messageBox().show(refusal.empty() ? "Couldn't find WinAMP's Window"
                                               : "Couldn't connect to WinAMP: " + refusal,
                               tk::kMsgOkOnly, rt().appTitle());
        rt().endProgram();
    }
    host.setCaption("WinAMP Version# " + WinAMP_GetVersion());
    host.setVolumeSliderPosition(50);
    WinAMP_SetVolume(volumeFromSlider(host.volumeSliderPosition()));
}

void WinAMP_Control::closePlayer() {
    WinAMP_SendCommand(wire::kCommandStop);
    WinAMP_ClearPlaylist();
    if (!haveWindow() || send(wire::kMsgCommand, wire::kCommandClose, 0)) {
        return;
    }
    if (FindWinAMP()) {
        WinAMP_SendCommand(wire::kCommandStop);
        WinAMP_ClearPlaylist();
        WinAMP_SendCommand(wire::kCommandClose);
    }
}
