// libFuzzer target: the ID3v2 reader, the merge of both tags and the tag rebuild on any input taken
// as the start of a file.
#include "library/filetags.h"
#include "library/id3v2frames.h"
#include "library/id3v2header.h"
#include "library/id3v2rebuild.h"
#include "library/memorysource.h"
#include "library/tagmerge.h"

#include <cstdlib>
#include <span>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    id3::MemorySource source(bytes);
    const id3::FileTags tags = id3::FileTags::read(source);
    (void)id3::mergeTags(
        tags, std::string_view(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 64)));

    if (size < id3::Id3v2Header::kSize)
        return 0;
    const auto header = id3::Id3v2Header::parse(bytes.first<id3::Id3v2Header::kSize>());
    if (header.valid() && header.major < 4 && header.unsynchronised()) {
        // A tag unsynchronised as a whole reads as that tag undone at once and stored plainly.
        const auto end = static_cast<std::size_t>(std::min<std::uint64_t>(header.totalSize(), size));
        std::vector<std::uint8_t> body(bytes.begin() + id3::Id3v2Header::kSize,
                                       bytes.begin() + static_cast<std::ptrdiff_t>(end));
        id3::removeUnsynchronisation(body);
        const auto sizeBytes = id3::encodeSyncSafe(static_cast<std::uint32_t>(body.size()));
        std::vector<std::uint8_t> plain = {
            'I', 'D', '3', header.major, header.revision, static_cast<std::uint8_t>(header.flags & ~0x80)};
        plain.insert(plain.end(), sizeBytes.begin(), sizeBytes.end());
        plain.insert(plain.end(), body.begin(), body.end());
        id3::MemorySource plainSource(plain);
        if (id3::Id3v2Tag::read(plainSource) != tags.id3v2)
            std::abort();
    }
    if (!header.valid() || header.totalSize() > size)
        return 0;
    // A rebuilt tag must read back with exactly the values written into it.
    const id3::TagValues values{"Artist \u00E9", "Title \u65E5", "Album", "3/12", "2001", "Rock", "Comment"};
    const id3::RebuiltTag rebuilt =
        id3::rebuildId3v2(bytes.first(static_cast<std::size_t>(header.totalSize())), values);
    if (!rebuilt.result.ok())
        return 0;
    id3::MemorySource rebuiltSource(rebuilt.bytes);
    const auto read = id3::Id3v2Tag::read(rebuiltSource);
    if (!read || read->artist != values.artist || read->title != values.title ||
        read->album != values.album || read->track != values.track || read->year != values.year ||
        read->genre != values.genre || read->comment != values.comment)
        std::abort();
    return 0;
}
