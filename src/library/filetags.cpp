#include "library/filetags.h"

#include "library/filesource.h"

#include <array>

namespace id3 {

FileTags FileTags::read(const std::filesystem::path& path) {
    auto source = FileSource::open(path);
    if (!source)
        return {};
    FileTags tags = read(*source);
    tags.bytesRead = source->bytesRead();
    return tags;
}

FileTags FileTags::read(ByteSource& source) {
    FileTags tags;
    tags.opened = true;
    tags.id3v2 = Id3v2Tag::read(source);
    std::array<std::uint8_t, Id3v1Tag::kSize> last{};
    if (source.size() >= last.size() && source.readExact(source.size() - last.size(), last))
        tags.id3v1 = Id3v1Tag::parse(last);
    return tags;
}

} // namespace id3
