#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

// The station's one link to its player process: starts it, finds it, commands it and hands it songs.
// Every service comes from tk::Runtime::current(). The play-state words the playback code compares
// against ("PLAYING", "PAUSED", "STOPPED") are made here.
//
// What the station tells a player that has gone silent (held still, or too busy to answer) is not lost:
// commands, volumes, position moves and the start of a song wait, in the order given, until the player
// answers again, and reach it then, before anything else is asked of it; meanwhile questions get no
// answer, at once, and the position and length read as they were last answered. A song is handed over
// only to a player that answers: a hand-over it did not confirm is made again, from the clearing of its
// list, once it answers. A player whose process runs but that can no longer be reached (its socket file
// removed) is ended, so that a player that can be reached takes its place.

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

    // Finds the player's window; what waited for another player than the one found is dropped.
    bool FindWinAMP();
    bool StartWinAMP();
    // Hands a song to the player; waits (bounded) until the player has taken it. Throws tk::RuntimeError
    // when the player's executable cannot be started.
    bool WinAMP_AddFile(const std::string& path);
    // The start of a song: the player's list cleared, the song handed over and played, at once or, from a
    // silent player, once it answers again (Waiting). Refused when the file cannot be handed over (missing,
    // or its path cannot be looked up); Lost when the player went away on the way (it died, or could not
    // be reached and was ended), which says nothing about the song.
    enum class SongStart { Playing, Waiting, Refused, Lost };
    SongStart playSong(const std::string& path);
    // Whether the path names a regular file; a probe that fails for another reason than a missing file is
    // shown in a message box, and the file counts as missing.
    bool FileExists(const std::string& path);
    void WinAMP_ClearPlaylist();
    // The player's own answer; "" while it gives none.
    std::string WinAMP_GetStatus();
    // The play state the player is in, or will be in once it has taken what it was told while silent:
    // what the station shows and decides by. "" when the player's state is not known.
    std::string expectedStatus();
    // The play state the player last answered, as changed by what it was told since; kept after its
    // process ended, until another player is found. "" when not known.
    [[nodiscard]] std::string commandedStatus() const;
    // Whether the player played the file of its last play command (see kMsgAskFilePlayed); nullopt
    // without an answer.
    std::optional<bool> filePlayed();
    // True when the player process behind the held window has ended.
    bool playerGone();
    // While the player is silent, these give what it last answered: the screen keeps the song's place.
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
    // The station's last word to the player: stop, clear its list, close. A player that does not take
    // the close command (silent, or stuck) is ended as a process; when the held window is gone, the
    // player is found again and closed, so that no player outlives the station.
    void closePlayer();

private:
    // Something the player is told, kept while it is silent.
    struct Order {
        enum class Kind { Command, Clear, Volume, Jump, Song };
        Kind kind = Kind::Command;
        std::int32_t value = 0; // the command, the volume, or the seconds to jump to
        std::string path;       // the song
    };
    enum class Delivery {
        Done,    // taken by the player (or, for a request that went out, to be taken when it goes on)
        Waiting, // the player did not answer: to be delivered later
        Gone,    // the player process has ended
        Refused, // a song that could not be handed over; nothing more is done for it
    };

    // Tests the held window and shows the not-found message when there is none.
    bool haveWindow();
    // The player's answer; nullopt when it gave none (and then a player that can no longer be reached is
    // ended).
    std::optional<std::int32_t> send(std::uint32_t message, std::int32_t wParam, std::int32_t lParam);
    // A question, asked only once everything waiting has been delivered; nullopt without an answer.
    std::optional<std::int32_t> ask(std::uint32_t message, std::int32_t wParam, std::int32_t lParam);
    // An order now, or kept for later when the player is silent or others wait before it.
    Delivery give(const Order& order);
    // Delivers the waiting orders in turn; Done once none waits.
    Delivery flush();
    Delivery deliver(const Order& order);
    Delivery deliverSong(const std::string& path);
    // A request whose answer is not needed: Done when answered, or when it went out and the player
    // will take it when it goes on.
    Delivery post(std::uint32_t message, std::int32_t wParam, std::int32_t lParam);
    // What a request that got no answer means for an order.
    Delivery unanswered();
    // Ends the held player when its process runs but it can no longer be reached: it neither owes an
    // answer nor is found by a search made afresh. True when it was ended.
    bool endUnreachable();
    // What became of a hand-over: refused (no such file, or no start), taken by the player (or not
    // taken by the bound while the player answered), left unconfirmed by a player that did not answer,
    // or lost with a player that a hand-over cannot reach (it was ended).
    enum class Take { Refused, Taken, Unconfirmed, Lost };
    // Starts the player's program with the file and waits, bounded, until the player has taken it.
    // Throws tk::RuntimeError when the program cannot be started.
    Take handOver(const std::string& path);
    // The play state the player will be in after `order`.
    void noteCommanded(const Order& order);
    // Whether the path names a regular file, with a failed probe shown (`showFailure`) or passed over.
    bool songFileFound(const std::string& path, bool showFailure);
    // The player's answer to the time request `wParam`, kept in `kept`; while the player is silent, the
    // answer it gave last. nullopt when neither is there.
    std::optional<std::int32_t> askTime(std::int32_t wParam, std::optional<std::int32_t>& kept);

    bool m_showingNotFound = false;
    std::deque<Order> m_orders;
    bool m_delivering = false; // an order is being delivered
    // The play state last answered, as changed by the orders given since.
    std::optional<std::int32_t> m_commanded;
    // The position (ms) and length (s) last answered by the held player.
    std::optional<std::int32_t> m_answeredPosition;
    std::optional<std::int32_t> m_answeredLength;
};

// The version reply as the station shows it: "2.091" for 0x2091, "UNKNOWN" below 0x1000.
[[nodiscard]] std::string formatPlayerVersion(std::int32_t reply);
// The play-state reply as its word: 1 "PLAYING", 3 "PAUSED", anything else "STOPPED". No reply is
// no state: the empty text.
[[nodiscard]] std::string playStateWord(std::optional<std::int32_t> reply);
// A slider position times 2.5, rounded to the nearest whole number with halves to the even neighbour.
[[nodiscard]] std::int32_t volumeFromSlider(int position) noexcept;
