#include "platform/pictureloader.h"

#include "platform/errors.h"
#include "platform/pathcase.h"
#include "platform/picture.h"

#include <QImage>
#include <QImageReader>

namespace tk {

CachingPictureLoader::CachingPictureLoader(std::size_t maxBytes)
    : m_maxBytes(maxBytes) {}

CachingPictureLoader::~CachingPictureLoader() = default;

Picture CachingPictureLoader::load(const std::filesystem::path& path) {
    if (auto picture = tryLoad(path)) {
        return *std::move(picture);
    }
    if (!resolveIgnoringCase(path)) {
        throw RuntimeError(err::kFileNotFound, "File not found: " + path.string());
    }
    throw RuntimeError(err::kInvalidPicture, "Invalid picture: " + path.string());
}

std::optional<Picture> CachingPictureLoader::tryLoad(const std::filesystem::path& path) {
    const auto resolved = resolveIgnoringCase(path);
    auto image = resolved ? decode(*resolved) : nullptr;
    if (!image) {
        return std::nullopt;
    }
    return Picture(std::move(image));
}

std::shared_ptr<const QImage> CachingPictureLoader::decode(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return nullptr;
    }
    const auto time = std::filesystem::last_write_time(path, ec);
    const auto size = std::filesystem::file_size(path, ec);
    std::string key = path.string();
    if (const auto found = m_byKey.find(key); found != m_byKey.end()) {
        const Entries::iterator it = found->second;
        if (it->time == time && it->size == size) {
            m_entries.splice(m_entries.begin(), m_entries, it);
            return it->image;
        }
        forget(it);
    }
    QImageReader reader(QString::fromStdString(key));
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull()) {
        return nullptr;
    }
    const auto bytes = static_cast<std::size_t>(image.sizeInBytes());
    auto shared = std::make_shared<const QImage>(std::move(image));
    keep(Entry{std::move(key), time, size, shared, bytes});
    return shared;
}

void CachingPictureLoader::keep(Entry entry) {
    if (entry.bytes > m_maxBytes) {
        return;
    }
    while (m_bytes + entry.bytes > m_maxBytes) {
        forget(std::prev(m_entries.end()));
    }
    m_bytes += entry.bytes;
    m_entries.push_front(std::move(entry));
    m_byKey.emplace(m_entries.front().key, m_entries.begin());
}

void CachingPictureLoader::forget(Entries::iterator it) {
    m_bytes -= it->bytes;
    m_byKey.erase(it->key);
    m_entries.erase(it);
}

} // namespace tk
