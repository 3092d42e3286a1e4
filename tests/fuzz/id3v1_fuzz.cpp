// libFuzzer target: the ID3v1 reader on the last 128 bytes of any input, and its round trip.
#include "library/id3v1tag.h"
#include "library/id3v2rebuild.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::array<std::uint8_t, id3::Id3v1Tag::kSize> block{};
    std::memcpy(block.data(), data + (size > block.size() ? size - block.size() : 0),
                std::min(size, block.size()));
    const auto tag = id3::Id3v1Tag::parse(block);
    if (!tag)
        return 0;
    // What is rendered from a tag must read back as a tag; a second round trip changes nothing.
    const auto again = id3::Id3v1Tag::parse(tag->render());
    if (!again || id3::Id3v1Tag::parse(again->render()) != again)
        std::abort();
    (void)id3::id3v1TrackByte(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
