#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

// The station's one link to its player process: starts it, finds it, commands it and hands it songs.
// Every service comes from tk::Runtime::current(). The play-state words the playback code compares
// against ("PLAYING", "PAUSED", "STOPPED") are made here.

// What starting the player changes on the main window; the main window hands itself in.
class WinAMPHost {
public:
    virtual ~WinAMPHost() = default;
    virtual void setCaption(const std::string& caption) = 0;
    // The volume slider's position, 0..100.
    virtual void setVolumeSliderPosition(int position) = 0;
    [[nodiscard]] virtual int volumeSliderPosition() const = 0;
};

class WinAMP_Control {
public:
    // The player's executable in the program folder.
    static constexpr const char* kPlayerProgram = "tunnora-player";
    static constexpr const char* kAddSwitch = "/ADD";
    // How long InitWinAMP waits for a freshly started player's window, and how often it looks.
    static constexpr std::chrono::milliseconds kWindowWait{10000};
    static constexpr std::chrono::milliseconds kWindowPoll{20};
    // How long WinAMP_AddFile waits for the player to take the file, and how often it asks.
    static constexpr std::chrono::milliseconds kTakeWait{3000};
    static constexpr std::chrono::milliseconds kTakePoll{2};

    // The player's window; 0 when none is held. Only FindWinAMP writes it.
    std::int64_t hWinAMP = 0;

    bool FindWinAMP();
    bool StartWinAMP();
    // Hands a song to the player; waits (bounded) until the player has taken it. Throws tk::RuntimeError
    // when the player's executable cannot be started.
    bool WinAMP_AddFile(const std::string& path);
    bool FileExists(const std::string& path);
    void WinAMP_ClearPlaylist();
    std::string WinAMP_GetStatus();
    std::int32_t WinAMP_GetPosition();
    std::int32_t WinAMP_GetLength();
    std::string WinAMP_GetVersion();
    void WinAMP_JumpToTime(std::int32_t seconds);
    void WinAMP_SetVolume(std::int32_t volume);
    void WinAMP_SendCommand(std::int32_t command);
    // Starts the player, finds its window (waiting for it, bounded), shows its version in the main
    // window's caption and sets the volume from the volume slider put at 50. Ends the program when the
    // player cannot be started or found, or when what was found is not this user's player.
    void InitWinAMP(WinAMPHost& host);
    // The station's last word to the player: stop, clear its list, close. When the held window gives no
    // answer to the close, the player is found again and closed over a fresh connection, so that it
    // does not outlive the station.
    void closePlayer();

private:
    // Tests the held window and shows the not-found message when there is none.
    bool haveWindow();
    // The player's answer; nullopt when it gave none.
    std::optional<std::int32_t> send(std::uint32_t message, std::int32_t wParam, std::int32_t lParam);

    bool m_showingNotFound = false;
};

// The version reply as the station shows it: "2.091" for 0x2091, "UNKNOWN" below 0x1000.
[[nodiscard]] std::string formatPlayerVersion(std::int32_t reply);
// The play-state reply as its word: 1 "PLAYING", 3 "PAUSED", anything else "STOPPED". No reply is
// no state: the empty text.
[[nodiscard]] std::string playStateWord(std::optional<std::int32_t> reply);
// A slider position times 2.5, rounded to the nearest whole number with halves to the even neighbour.
[[nodiscard]] std::int32_t volumeFromSlider(int position) noexcept;
