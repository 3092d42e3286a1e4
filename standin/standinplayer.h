#pragma once

#include "playbackengine.h"
#include "player/playerwire.h"

#include <cstdint>
#include <string>
#include <vector>

namespace standin {

// The version number the player reports; the station shows it as "1.010".
inline constexpr std::int32_t kVersion = 0x1010;

// The player as the station sees it: its own list of files, its logical play state and its volume,
// answering the station's messages. The play state is our own, not the engine's: a song reads as
// playing from the moment its play command is handled until the engine ends that very file, so a song
// that is still opening never reads as stopped, and the end of a file already replaced is ignored.
class StandInPlayer final : public EngineEvents {
public:
    explicit StandInPlayer(PlaybackEngine& engine);

    // Answers one message; unknown messages answer 0.
    std::int32_t handle(const playerwire::Request& request);
    // Takes a handed-over path into the list when it names an existing regular file. The path comes
    // from outside and is checked here.
    bool take(const std::string& path);

    [[nodiscard]] bool closeRequested() const noexcept { return m_closeRequested; }
    [[nodiscard]] bool engineGone() const noexcept { return m_engineGone; }
    [[nodiscard]] std::int32_t playState() const noexcept;
    [[nodiscard]] const std::vector<std::string>& list() const noexcept { return m_list; }

    void loadAnswered(std::uint64_t ticket, std::optional<std::int64_t> entryId) override;
    void fileLoaded(std::int64_t entryId) override;
    void fileEnded(std::int64_t entryId, FileEnd how) override;
    void engineLost() override;

private:
    enum class State { Stopped, Playing, Paused };

    std::int32_t request(std::int32_t wParam, std::int32_t lParam);
    std::int32_t command(std::int32_t which);
    void play();
    void pause();
    void stop();
    // Back to stopped with no file in the engine's hands.
    void forgetPlayingFile();
    void markLoaded();
    void jump(std::int32_t ms);
    std::int32_t positionMs();
    std::int32_t lengthSeconds();

    PlaybackEngine& m_engine;
    std::vector<std::string> m_list;
    State m_state = State::Stopped;
    std::uint64_t m_lastTicket = 0;
    std::uint64_t m_ticket = 0; // the load whose file is the playing one; 0 when none
    std::optional<std::int64_t> m_entryId;
    // The playing file is open. Until then it reads position 0 and no length, and a jump waits for it,
    // since the engine cannot move in a file that is still opening.
    bool m_loaded = false;
    std::optional<std::int64_t> m_lastLoadedEntry;
    std::optional<double> m_pendingSeek;
    // The file the last play command started was opened and played without an error: the station counts
    // a song only when its player played it.
    bool m_played = false;
    std::int32_t m_volume = 255;
    std::int32_t m_listRevision = 1;
    bool m_closeRequested = false;
    bool m_engineGone = false;
};

} // namespace standin
