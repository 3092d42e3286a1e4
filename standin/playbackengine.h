#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace standin {

// How a file stopped playing by itself.
enum class FileEnd {
    Finished,       // played to its end
    Failed,         // could not be opened or played on
    ReplacedByList, // it turned out to be a list of further files
};

// What the player's logical state learns from the engine that plays the files.
class EngineEvents {
public:
    virtual ~EngineEvents() = default;
    // The engine answered the load with `ticket`; `entryId` names the file it is now opening, nullopt
    // when it refused the load.
    virtual void loadAnswered(std::uint64_t ticket, std::optional<std::int64_t> entryId) = 0;
    // The file `entryId` is open and ready to play: from now on it has a length and can be moved in.
    virtual void fileLoaded(std::int64_t entryId) = 0;
    // The file `entryId` stopped playing.
    virtual void fileEnded(std::int64_t entryId, FileEnd how) = 0;
    // The engine is gone; the player cannot go on.
    virtual void engineLost() = 0;
};

// Plays one file at a time. Every call returns at once; results come back through EngineEvents.
class PlaybackEngine {
public:
    virtual ~PlaybackEngine() = default;
    // Replaces whatever plays by `path`, which reaches the engine as one argument, never parsed.
    virtual void load(std::uint64_t ticket, const std::string& path) = 0;
    virtual void stop() = 0;
    virtual void setPaused(bool paused) = 0;
    virtual void seek(double seconds) = 0;
    // 0..100.
    virtual void setVolume(double percent) = 0;
    // Seconds, nullopt while not known (nothing loaded, or still opening).
    virtual std::optional<double> position() = 0;
    virtual std::optional<double> duration() = 0;
};

} // namespace standin
