#include "player/winampcontrol.h"

#include "platform/errors.h"
#include "platform/playerwindows.h"
#include "platform/raisedwhilealive.h"
#include "platform/runtime.h"
#include "player/playerwire.h"

#include <cerrno>
#include <cstdio>

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
    // A player that can no longer be reached would keep its lock, and no new player could start.
    endUnreachable();
    const std::int64_t found = rt().windows().findWindow(tk::kPlayerWindowClass);
    if (found != hWinAMP) {
        m_orders.clear();
        m_commanded.reset();
        m_answeredPosition.reset();
        m_answeredLength.reset();
    }
    hWinAMP = found;
    return hWinAMP != 0;
}

bool WinAMP_Control::StartWinAMP() {
    const auto pid = rt().launcher().startDetached(playerProgram().string(), {});
    return pid.has_value() && *pid != 0;
}

bool WinAMP_Control::FileExists(const std::string& path) {
    return songFileFound(path, true);
}

bool WinAMP_Control::songFileFound(const std::string& path, bool showFailure) {
    const tk::ProbeResult probe = rt().fileProbe().probe(path);
    if (probe.error != 0 && !meansMissing(probe.error)) {
        // Shown as the runtime shows it, but the station goes on: ending here would lose the playlist.
        if (showFailure) {
            const auto [number, description] = runtimeErrorOf(probe.error);
            rt().messageBox().show("Error Number: " + std::to_string(number) + "\n\r " + description,
                                   tk::kMsgOkOnly, "Error");
        }
        return false;
    }
    // Only a regular file can be played; a folder of that name is not a song.
    return probe.error == 0 && probe.exists && probe.isRegular;
}

bool WinAMP_Control::WinAMP_AddFile(const std::string& path) {
    return handOver(path) != Take::Refused;
}

WinAMP_Control::Take WinAMP_Control::handOver(const std::string& path) {
    // A song whose path cannot be looked up (a link to itself, a folder that may not be read, a failing
    // disk) is passed over like a missing one: a message box here would hold up the playlist until
    // someone came to close it.
    if (!songFileFound(path, false)) {
        return Take::Refused;
    }
    // The player's program hands the file over through the player's socket: a player that runs on where
    // its socket no longer leads (the file removed) would never get it.
    if (endUnreachable()) {
        return Take::Lost;
    }
    // Ask where the player's list stands, to see below when it has taken the file.
    const std::optional<std::int32_t> before =
        hWinAMP != 0 ? send(wire::kMsgAskListRevision, 0, 0) : std::nullopt;
    // The path is one argument of its own: blanks, quotes and a leading "-" reach the player intact.
    const auto pid = rt().launcher().startDetached(playerProgram().string(), {kAddSwitch, path});
    if (!pid) {
        throw tk::RuntimeError(tk::err::kFileNotFound, "File not found");
    }
    if (*pid == 0) {
        return Take::Refused;
    }
    if (!before) {
        return Take::Unconfirmed;
    }
    // Without running the event loop, so the play command that follows finds the file. A player that
    // answers but has not taken it by the bound is given the play command all the same.
    tk::Clock& clock = rt().clock();
    const auto deadline = clock.steadyNow() + kTakeWait;
    for (;;) {
        const std::optional<std::int32_t> revision = send(wire::kMsgAskListRevision, 0, 0);
        if (!revision) {
            return Take::Unconfirmed;
        }
        if (revision != before || clock.steadyNow() >= deadline) {
            return Take::Taken;
        }
        clock.sleepFor(kTakePoll);
    }
}

WinAMP_Control::SongStart WinAMP_Control::playSong(const std::string& path) {
    if (!haveWindow()) {
        return SongStart::Refused;
    }
    switch (give({Order::Kind::Song, 0, path})) {
    case Delivery::Done:
        return SongStart::Playing;
    case Delivery::Waiting:
        return SongStart::Waiting;
    case Delivery::Gone:
        return SongStart::Lost;
    case Delivery::Refused:
        break;
    }
    return SongStart::Refused;
}

bool WinAMP_Control::endUnreachable() {
    tk::WindowMessenger& windows = rt().windows();
    if (hWinAMP == 0 || !windows.isWindow(hWinAMP) || windows.isHung(hWinAMP) ||
        windows.isFindable(hWinAMP)) {
        return false;
    }
    // It runs on, but neither owes an answer nor can be found afresh (its socket file was removed): it
    // is ended, so that a player that can be reached takes its place.
    windows.endTask(hWinAMP);
    return true;
}

bool WinAMP_Control::haveWindow() {
    if (hWinAMP != 0) {
        return true;
    }
    // One message at a time: a request made while the message waits answers empty without another.
    if (m_showingNotFound) {
        return false;
    }
    const tk::RaisedWhileAlive shown(m_showingNotFound);
    rt().messageBox().show("WinAMP window not found yet...", tk::kMsgOkOnly | tk::kMsgCritical,
                           "WinAMP Not Found");
    return false;
}

std::optional<std::int32_t> WinAMP_Control::send(std::uint32_t message, std::int32_t wParam,
                                                 std::int32_t lParam) {
    const std::optional<std::int32_t> reply = rt().windows().sendMessage(hWinAMP, message, wParam, lParam);
    if (!reply) {
        endUnreachable();
    }
    return reply;
}

std::optional<std::int32_t> WinAMP_Control::ask(std::uint32_t message, std::int32_t wParam,
                                                std::int32_t lParam) {
    // A question never overtakes what the player was told: its answer would not be the one the
    // station is to see. A hung player is not asked at all.
    if (flush() != Delivery::Done || rt().windows().isHung(hWinAMP)) {
        return std::nullopt;
    }
    return send(message, wParam, lParam);
}

void WinAMP_Control::WinAMP_ClearPlaylist() {
    if (haveWindow()) {
        give({Order::Kind::Clear, 0, {}});
    }
}

std::string WinAMP_Control::WinAMP_GetStatus() {
    if (!haveWindow()) {
        return {};
    }
    const std::optional<std::int32_t> reply = ask(wire::kMsgUser, 0, wire::kAskPlayState);
    if (reply) {
        m_commanded = *reply;
    }
    return playStateWord(reply);
}

std::string WinAMP_Control::expectedStatus() {
    const std::string answered = WinAMP_GetStatus();
    if (!answered.empty() || hWinAMP == 0 || !rt().windows().isWindow(hWinAMP)) {
        return answered;
    }
    return commandedStatus();
}

std::string WinAMP_Control::commandedStatus() const {
    return playStateWord(m_commanded);
}

std::optional<bool> WinAMP_Control::filePlayed() {
    if (hWinAMP == 0) {
        return std::nullopt;
    }
    const std::optional<std::int32_t> reply = ask(wire::kMsgAskFilePlayed, 0, 0);
    if (!reply) {
        return std::nullopt;
    }
    return *reply != 0;
}

bool WinAMP_Control::playerGone() {
    return hWinAMP != 0 && !rt().windows().isWindow(hWinAMP);
}

std::optional<std::int32_t> WinAMP_Control::askTime(std::int32_t wParam, std::optional<std::int32_t>& kept) {
    if (const std::optional<std::int32_t> reply = ask(wire::kMsgUser, wParam, wire::kAskTime)) {
        kept = reply;
        return reply;
    }
    // A silent player still holds its song where it last said: taking silence for 0 would move the
    // screen's time to the start and shrink the position slider's range to nothing.
    return rt().windows().isWindow(hWinAMP) ? kept : std::nullopt;
}

std::int32_t WinAMP_Control::WinAMP_GetPosition() {
    if (!haveWindow()) {
        return 0;
    }
    const std::int32_t ms = askTime(0, m_answeredPosition).value_or(0);
    return ms == -1 ? -1 : ms / 1000;
}

std::int32_t WinAMP_Control::WinAMP_GetLength() {
    if (!haveWindow()) {
        return 0;
    }
    return askTime(1, m_answeredLength).value_or(0);
}

std::string WinAMP_Control::WinAMP_GetVersion() {
    if (!haveWindow()) {
        return {};
    }
    return formatPlayerVersion(ask(wire::kMsgUser, 0, wire::kAskVersion).value_or(0));
}

void WinAMP_Control::WinAMP_JumpToTime(std::int32_t seconds) {
    if (haveWindow()) {
        give({Order::Kind::Jump, seconds, {}});
    }
}

void WinAMP_Control::WinAMP_SetVolume(std::int32_t volume) {
    if (haveWindow() && volume >= 0 && volume <= 255) {
        give({Order::Kind::Volume, volume, {}});
    }
}

void WinAMP_Control::WinAMP_SendCommand(std::int32_t command) {
    if (haveWindow()) {
        give({Order::Kind::Command, command, {}});
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
    // What was still to be delivered no longer matters: the player is closed.
    m_orders.clear();
    if (!haveWindow()) {
        return;
    }
    tk::WindowMessenger& windows = rt().windows();
    // True when the player answered; a hung player is not waited for again.
    const auto told = [&](std::uint32_t message, std::int32_t wParam, std::int32_t lParam) {
        return !windows.isHung(hWinAMP) && send(message, wParam, lParam).has_value();
    };
    const auto close = [&] {
        told(wire::kMsgCommand, wire::kCommandStop, 0);
        told(wire::kMsgUser, 0, wire::kClearList);
        if (told(wire::kMsgCommand, wire::kCommandClose, 0)) {
            return true;
        }
        // Silent or stuck, it would outlive the station holding its socket and its lock.
        return windows.isWindow(hWinAMP) && windows.endTask(hWinAMP);
    };
    // A window that is gone may have a new player in its place, which is closed instead.
    if (!close() && !windows.isWindow(hWinAMP) && FindWinAMP()) {
        close();
    }
}
