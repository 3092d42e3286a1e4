#include "library/tagmerge.h"

#include "library/genres.h"
#include "library/songpath.h"
#include "library/utf8.h"

#include <algorithm>
#include <charconv>

namespace id3 {

namespace {
using text::trimBlanks;

std::string_view trimmedOrEmpty(const std::optional<std::string>& value) {
    return value ? trimBlanks(*value) : std::string_view{};
}

std::string_view beforeLastSlash(std::string_view track) {
    const std::size_t slash = track.rfind('/');
    return slash == std::string_view::npos ? track : track.substr(0, slash);
}
} // namespace

std::string formatTrack(std::string_view track) {
    const std::string_view number = trimBlanks(beforeLastSlash(trimBlanks(track)));
    const bool digits = !number.empty() && std::all_of(number.begin(), number.end(),
                                                       [](char c) { return c >= '0' && c <= '9'; });
    if (!digits)
        return std::string(number);
    const std::string_view significant =
        number.substr(std::min(number.find_first_not_of('0'), number.size()));
    std::string out(significant);
    if (out.size() < 3)
        out.insert(0, 3 - out.size(), '0');
    return out;
}

std::string id3v1TrackText(int track) {
    return formatTrack(std::to_string(track));
}

std::string titleFromPath(std::string_view path) {
    const std::string name = text::repairUtf8(library::fileNameOf(path));
    return std::string(text::dropLastCharacters(name, 4));
}

TagValues mergeTags(const FileTags& tags, std::string_view path) {
    const Id3v2Tag none;
    const Id3v2Tag& v2 = tags.id3v2 ? *tags.id3v2 : none;
    const Id3v1Tag blank;
    const Id3v1Tag& v1 = tags.id3v1 ? *tags.id3v1 : blank;
    const auto pick = [](std::string_view first, std::string_view second) {
        return std::string(first.empty() ? trimBlanks(second) : first);
    };

    TagValues values;
    values.artist = pick(trimmedOrEmpty(v2.artist), v1.artist);
    if (values.artist.empty() && tags.id3v2 && !v2.artist)
        values.artist = "Unknown";
    values.album = pick(trimmedOrEmpty(v2.album), v1.album);
    values.year = pick(trimmedOrEmpty(v2.year), v1.year);
    values.comment = pick(trimmedOrEmpty(v2.comment), v1.comment);
    const std::string_view v1Genre = library::genreName(v1.genre).value_or("");
    values.genre = pick(trimmedOrEmpty(v2.genre), v1Genre);

    const std::string_view v2Track = trimmedOrEmpty(v2.track);
    // Without an ID3v2 track the ID3v1 tag's track byte counts as the editor shows it, "000" for 0;
    // only a file without an ID3v1 tag has no track.
    if (!v2Track.empty())
        values.track = formatTrack(v2Track);
    else if (tags.id3v1)
        values.track = id3v1TrackText(v1.track);

    values.title = pick(trimmedOrEmpty(v2.title), v1.title);
    if (values.title.empty())
        values.title = tags.id3v2 && !v2.title ? std::string("Untitled") : titleFromPath(path);
    return values;
}

TagValues readTagValues(const std::filesystem::path& path) {
    return mergeTags(FileTags::read(path), path.native());
}

} // namespace id3
