#include "library/id3v2rebuild.h"

#include "library/genres.h"
#include "library/id3v2frames.h"
#include "library/id3v2header.h"
#include "library/id3v2text.h"
#include "library/memorysource.h"
#include "library/utf8.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

namespace id3 {

namespace {
using Status = TagWriteResult::Status;

// A new tag's header: version 2.3, no flags, a declared size of 257 bytes.
constexpr std::array<std::uint8_t, 10> kNewTagHeader = {0x49, 0x44, 0x33, 0x03, 0x00,
                                                        0x00, 0x00, 0x00, 0x02, 0x01};
constexpr std::size_t kNewTagBody = 257;
// Room left in a tag that has to grow, so that the next edits fit without moving the audio again.
constexpr std::size_t kGrowthPadding = 1024;
constexpr std::uint8_t kFrameUnsynchronisation = 0x02;

enum class Kind { Artist, Title, Album, Year, Genre, Track, Comment, Count };
// The order of the frames in a new tag, and of the frames a tag gains.
constexpr std::array<Kind, 7> kNewOrder = {Kind::Artist, Kind::Title, Kind::Album,  Kind::Year,
                                           Kind::Genre,  Kind::Track, Kind::Comment};

std::string_view frameId(Kind kind, std::uint8_t major) {
    switch (kind) {
    case Kind::Artist:
        return "TPE1";
    case Kind::Title:
        return "TIT2";
    case Kind::Album:
        return "TALB";
    case Kind::Year:
        return major == 4 ? "TDRC" : "TYER";
    case Kind::Genre:
        return "TCON";
    case Kind::Track:
        return "TRCK";
    default:
        return "COMM";
    }
}

std::optional<Kind> managedKind(const FrameHeader& frame, std::span<const std::uint8_t> data,
                                const Id3v2Header& h) {
    const std::string_view id = frame.name();
    for (const Kind kind : kNewOrder) {
        if (kind != Kind::Comment && kind != Kind::Year && id == frameId(kind, h.major))
            return kind;
    }
    if (id == "TYER" || id == "TDRC")
        return Kind::Year;
    if (id == "COMM") {
        // Only the plain comment is the station's; comments with a description belong to others.
        const auto content = frameContent(frame, data, h);
        const auto comment = content ? decodeCommentFrame(*content) : std::nullopt;
        if (comment && comment->description.empty())
            return Kind::Comment;
    }
    return std::nullopt;
}

const std::string& valueOf(const TagValues& values, Kind kind) {
    switch (kind) {
    case Kind::Artist:
        return values.artist;
    case Kind::Title:
        return values.title;
    case Kind::Album:
        return values.album;
    case Kind::Year:
        return values.year;
    case Kind::Genre:
        return values.genre;
    case Kind::Track:
        return values.track;
    default:
        return values.comment;
    }
}

void appendFrame(std::vector<std::uint8_t>& out, std::string_view id, std::uint16_t flags,
                 std::span<const std::uint8_t> data, std::uint8_t major) {
    out.insert(out.end(), id.begin(), id.end());
    const auto size = static_cast<std::uint32_t>(data.size());
    const auto sizeBytes = major == 4 ? encodeSyncSafe(size) : encodeBigEndian(size);
    out.insert(out.end(), sizeBytes.begin(), sizeBytes.end());
    out.push_back(static_cast<std::uint8_t>(flags >> 8));
    out.push_back(static_cast<std::uint8_t>(flags & 0xFF));
    out.insert(out.end(), data.begin(), data.end());
}

void appendManagedFrame(std::vector<std::uint8_t>& out, Kind kind, const TagValues& values,
                        const Id3v2Header& h) {
    const std::string value = text::repairUtf8(valueOf(values, kind));
    std::vector<std::uint8_t> data =
        kind == Kind::Comment ? encodeCommentFrame(value, h.major) : encodeTextFrame(value, h.major);
    std::uint16_t flags = 0;
    // In a version 2.4 tag marked unsynchronised as a whole, readers undo the scheme on every frame.
    if (h.major == 4 && h.unsynchronised() && std::find(data.begin(), data.end(), 0xFF) != data.end()) {
        data = applyUnsynchronisation(data);
        flags = kFrameUnsynchronisation;
    }
    appendFrame(out, frameId(kind, h.major), flags, data, h.major);
}

std::vector<std::uint8_t> withHeader(const Id3v2Header& h, std::span<const std::uint8_t> frames,
                                     std::size_t body) {
    std::vector<std::uint8_t> tag;
    tag.reserve(Id3v2Header::kSize + body);
    for (const std::uint8_t b :
         {std::uint8_t{'I'}, std::uint8_t{'D'}, std::uint8_t{'3'}, h.major, std::uint8_t{0}})
        tag.push_back(b);
    // Whole-tag unsynchronisation and the extended header are dropped: the frames are written plain
    // and the extended header's checksum would no longer match. A 2.4 tag marked unsynchronised
    // keeps the mark, because its frames may rely on it.
    tag.push_back((h.major == 4 && h.unsynchronised()) ? Id3v2Header::kUnsynchronisation : 0);
    for (const std::uint8_t b : encodeSyncSafe(static_cast<std::uint32_t>(body)))
        tag.push_back(b);
    tag.insert(tag.end(), frames.begin(), frames.end());
    tag.resize(Id3v2Header::kSize + body, 0);
    return tag;
}

RebuiltTag refuse(Status status, std::string reason) {
    return {TagWriteResult{status, std::move(reason)}, {}};
}

RebuiltTag newTag(const TagValues& values) {
    Id3v2Header h;
    h.major = 3;
    std::vector<std::uint8_t> frames;
    for (const Kind kind : kNewOrder)
        appendManagedFrame(frames, kind, values, h);
    if (frames.size() <= kNewTagBody) {
        std::vector<std::uint8_t> tag(kNewTagHeader.begin(), kNewTagHeader.end());
        tag.insert(tag.end(), frames.begin(), frames.end());
        tag.resize(Id3v2Header::kSize + kNewTagBody, 0);
        return {{}, std::move(tag)};
    }
    return {{}, withHeader(h, frames, frames.size() + kGrowthPadding)};
}
} // namespace

RebuiltTag rebuildId3v2(std::span<const std::uint8_t> oldTag, const TagValues& values) {
    if (oldTag.empty())
        return newTag(values);
    if (oldTag.size() < Id3v2Header::kSize)
        return refuse(Status::MalformedTag, "The file's ID3v2 tag is damaged.");
    const Id3v2Header h = Id3v2Header::parse(oldTag.first<Id3v2Header::kSize>());
    if (h.status == Id3v2Header::Status::UnsupportedVersion || h.major == 2)
        return refuse(Status::UnsupportedVersion,
                      "The file's ID3v2 tag has a version that cannot be rewritten (2." +
                          std::to_string(h.major) + ").");
    if (!h.valid())
        return refuse(Status::MalformedTag, "The file's ID3v2 tag is damaged.");
    if (h.totalSize() != oldTag.size())
        return refuse(Status::TagPastEnd, "The file's ID3v2 tag declares more bytes than the file holds.");

    std::vector<std::uint8_t> body(oldTag.begin() + Id3v2Header::kSize,
                                   oldTag.begin() + static_cast<std::ptrdiff_t>(Id3v2Header::kSize + h.size));
    if (h.major == 3 && h.unsynchronised())
        removeUnsynchronisation(body);
    MemorySource source(body);
    const auto begin = framesBegin(source, h, 0, body.size());
    if (!begin)
        return refuse(Status::MalformedTag, "The file's ID3v2 tag has a damaged extended header.");

    std::vector<std::uint8_t> frames;
    std::array<bool, static_cast<std::size_t>(Kind::Count)> written{};
    FrameWalker walker(source, *begin, body.size(), h.major);
    while (const auto frame = walker.next()) {
        const std::span<const std::uint8_t> data(body.data() + frame->dataOffset(), frame->size);
        if (const auto kind = managedKind(*frame, data, h)) {
            auto& done = written[static_cast<std::size_t>(*kind)];
            if (!done)
                appendManagedFrame(frames, *kind, values, h);
            done = true;
        } else {
            appendFrame(frames, frame->name(), frame->flags, data, h.major);
        }
    }
    if (walker.stop() == FrameWalker::Stop::Malformed)
        return refuse(Status::MalformedTag, "The file's ID3v2 tag holds a damaged frame.");
    for (const Kind kind : kNewOrder) {
        if (!written[static_cast<std::size_t>(kind)])
            appendManagedFrame(frames, kind, values, h);
    }

    const std::size_t room = oldTag.size() - Id3v2Header::kSize;
    const std::size_t bodySize = frames.size() <= room ? room : frames.size() + kGrowthPadding;
    if (bodySize >= (1u << 28))
        return refuse(Status::TagTooLarge,
                      "The file's ID3v2 tag would grow past the largest size a tag can have.");
    return {{}, withHeader(h, frames, bodySize)};
}

std::uint8_t id3v1TrackByte(std::string_view track) noexcept {
    std::string_view part = text::trimBlanks(track);
    const std::size_t slash = part.rfind('/');
    if (slash != std::string_view::npos)
        part = text::trimBlanks(part.substr(0, slash));
    unsigned value = 0;
    const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
    if (error != std::errc() || end == part.data() || value > 255)
        return 0;
    return static_cast<std::uint8_t>(value);
}

Id3v1Tag updatedId3v1(const std::optional<Id3v1Tag>& old, const TagValues& values) {
    Id3v1Tag tag = old.value_or(Id3v1Tag{});
    const auto set = [](std::string& field, const std::string& value) {
        if (!text::trimBlanks(value).empty())
            field = text::repairUtf8(value);
    };
    set(tag.title, values.title);
    set(tag.artist, values.artist);
    set(tag.album, values.album);
    set(tag.year, values.year);
    set(tag.comment, values.comment);
    if (!text::trimBlanks(values.track).empty())
        tag.track = id3v1TrackByte(values.track);
    if (!text::trimBlanks(values.genre).empty())
        tag.genre = library::genreNumber(text::trimBlanks(values.genre));
    return tag;
}

} // namespace id3
