#pragma once

#include "playbackengine.h"
#include "player/playersocket.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct mpv_handle;

namespace standin {

// The audio output setting "name[:flag[:flag...]]" as engine options: "null:untimed" selects the null
// output and sets its "untimed" flag. An empty setting leaves the output automatic.
[[nodiscard]] std::vector<std::pair<std::string, std::string>> audioOutputOptions(std::string_view setting);

// Deletes the mpv handle (and stops its threads) when the owner goes.
struct MpvHandleDeleter {
    void operator()(mpv_handle* handle) const noexcept;
};
using MpvHandle = std::unique_ptr<mpv_handle, MpvHandleDeleter>;

// Plays files through libmpv with no window, no terminal, no configuration files or scripts and no
// video. mpv wakes us through a pipe; the event loop then calls drain() on its own thread.
class MpvEngine final : public PlaybackEngine {
public:
    // An empty pointer, with the reason in `error`, when mpv cannot start.
    static std::unique_ptr<MpvEngine> open(std::string_view audioOutput, std::string* error);
    ~MpvEngine() override;

    // Readable when mpv has news; drain() empties it.
    [[nodiscard]] int wakeFd() const noexcept { return m_wakeRead.get(); }
    void drain(EngineEvents& events);

    void load(std::uint64_t ticket, const std::string& path) override;
    void stop() override;
    void setPaused(bool paused) override;
    void seek(double seconds) override;
    void setVolume(double percent) override;
    std::optional<double> position() override;
    std::optional<double> duration() override;

private:
    MpvEngine() = default;
    std::optional<double> doubleProperty(const char* name);

    std::vector<std::uint64_t> m_refusedLoads;
    std::int64_t m_startedEntry = 0;
    playerwire::UniqueFd m_wakeRead;
    playerwire::UniqueFd m_wakeWrite;
    MpvHandle m_mpv; // declared last: destroyed first, while the wake pipe still exists
};

} // namespace standin
