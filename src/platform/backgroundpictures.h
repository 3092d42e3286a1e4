#pragma once

#include "platform/picture.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

namespace tk {

// Decodes picture files away from the event loop, so that a large photograph never stops the windows
// from answering, and hands each result back on the event loop. A picture larger than the size asked
// for is decoded shrunk to fit it, its proportions kept; nothing is cached.
class BackgroundPictures {
public:
    using Done = std::function<void(std::optional<Picture>)>;

    BackgroundPictures();
    // Results still on their way when the loader goes are dropped.
    ~BackgroundPictures();
    BackgroundPictures(const BackgroundPictures&) = delete;
    BackgroundPictures& operator=(const BackgroundPictures&) = delete;

    // Starts decoding `path` (matched ignoring letter case) to fit within `widthPx` x `heightPx`;
    // `done` runs later on the event loop with the picture, or with nothing when the file is missing
    // or is not a picture.
    void load(const std::filesystem::path& path, int widthPx, int heightPx, Done done);

    // Blocks until every decode started so far has finished and hands their results back (tests and
    // benchmarks).
    static void waitForAll();

private:
    std::shared_ptr<bool> m_alive; // results check it on the event loop: gone, they are dropped
};

} // namespace tk
