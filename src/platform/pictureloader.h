#pragma once

#include "platform/runtime.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

class QImage;

namespace tk {

// Loads picture files and keeps the pixels of those decoded lately, so that a skin picture shown again
// is not decoded again. What it keeps never takes more than a bound of bytes: the picture used longest
// ago goes first, and a picture larger than the whole bound is handed out without being kept. A file
// changed since it was kept (another time or size) is decoded anew.
class CachingPictureLoader final : public PictureLoader {
public:
    // Holds the whole skin with room left for a few large covers.
    static constexpr std::size_t kDefaultMaxBytes = std::size_t{48} * 1024 * 1024;

    explicit CachingPictureLoader(std::size_t maxBytes = kDefaultMaxBytes);
    ~CachingPictureLoader() override;
    CachingPictureLoader(const CachingPictureLoader&) = delete;
    CachingPictureLoader& operator=(const CachingPictureLoader&) = delete;

    Picture load(const std::filesystem::path& path) override;
    std::optional<Picture> tryLoad(const std::filesystem::path& path) override;

    // The decoded bytes kept now.
    [[nodiscard]] std::size_t cachedBytes() const noexcept { return m_bytes; }

private:
    struct Entry {
        std::string key;
        std::filesystem::file_time_type time;
        std::uintmax_t size = 0;
        std::shared_ptr<const QImage> image;
        std::size_t bytes = 0;
    };
    using Entries = std::list<Entry>; // the most recently used first

    std::shared_ptr<const QImage> decode(const std::filesystem::path& path);
    void keep(Entry entry);
    void forget(Entries::iterator it);

    std::size_t m_maxBytes;
    std::size_t m_bytes = 0;
    Entries m_entries;
    std::unordered_map<std::string, Entries::iterator> m_byKey;
};

} // namespace tk
