// libFuzzer target: the ID3v2 reader, the merge of both tags and the tag rebuild on any input taken
// as the start of a file.
#include "library/filetags.h"
#include "library/id3v2header.h"
#include "library/id3v2rebuild.h"
#include "library/memorysource.h"
#include "library/tagmerge.h"

#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    id3::MemorySource source(bytes);
    const id3::FileTags tags = id3::FileTags::read(source);
    (void)id3::mergeTags(
        tags, std::string_view(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 64)));

    if (size < id3::Id3v2Header::kSize)
        return 0;
    const auto header = id3::Id3v2Header::parse(bytes.first<id3::Id3v2Header::kSize>());
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
