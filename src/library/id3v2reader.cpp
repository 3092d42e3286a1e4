#include "library/id3v2frames.h"
#include "library/id3v2header.h"
#include "library/id3v2tag.h"
#include "library/id3v2text.h"
#include "library/memorysource.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace id3 {

namespace {
// A tag unsynchronised as a whole (versions 2.2 and 2.3) must be undone before its frames can be
// found, so it is read at once, up to this size.
constexpr std::uint64_t kMaxUnsynchronisedTag = 16u << 20;

enum class Kind { None, Artist, Title, Album, Track, Year, OtherYear, Genre, Comment };

Kind kindOf(std::string_view id, std::uint8_t major) noexcept {
    if (major == 2) {
        constexpr std::array<std::pair<std::string_view, Kind>, 7> kIds = {{{"TP1", Kind::Artist},
                                                                            {"TT2", Kind::Title},
                                                                            {"TAL", Kind::Album},
                                                                            {"TRK", Kind::Track},
                                                                            {"TYE", Kind::Year},
                                                                            {"TCO", Kind::Genre},
                                                                            {"COM", Kind::Comment}}};
        for (const auto& [name, kind] : kIds) {
            if (name == id)
                return kind;
        }
        return Kind::None;
    }
    constexpr std::array<std::pair<std::string_view, Kind>, 6> kIds = {{{"TPE1", Kind::Artist},
                                                                        {"TIT2", Kind::Title},
                                                                        {"TALB", Kind::Album},
                                                                        {"TRCK", Kind::Track},
                                                                        {"TCON", Kind::Genre},
                                                                        {"COMM", Kind::Comment}}};
    for (const auto& [name, kind] : kIds) {
        if (name == id)
            return kind;
    }
    // The year frame of the tag's own version wins; the other one is taken only when it is alone.
    if (id == "TYER")
        return major == 3 ? Kind::Year : Kind::OtherYear;
    if (id == "TDRC")
        return major == 4 ? Kind::Year : Kind::OtherYear;
    return Kind::None;
}

class FrameCollector {
public:
    explicit FrameCollector(Id3v2Tag& tag)
        : m_tag(tag) {}

    void take(Kind kind, std::span<const std::uint8_t> content) {
        switch (kind) {
        case Kind::Artist:
            setOnce(m_tag.artist, decodeTextFrame(content));
            break;
        case Kind::Title:
            setOnce(m_tag.title, decodeTextFrame(content));
            break;
        case Kind::Album:
            setOnce(m_tag.album, decodeTextFrame(content));
            break;
        case Kind::Track:
            setOnce(m_tag.track, decodeTextFrame(content));
            break;
        case Kind::Year:
            setOnce(m_tag.year, decodeTextFrame(content));
            break;
        case Kind::OtherYear:
            setOnce(m_otherYear, decodeTextFrame(content));
            break;
        case Kind::Genre:
            if (!m_tag.genre) {
                if (auto value = decodeTextFrame(content))
                    m_tag.genre = resolveGenre(*value);
            }
            break;
        case Kind::Comment:
            if (auto comment = decodeCommentFrame(content)) {
                if (!m_firstComment)
                    m_firstComment = comment->text;
                if (!m_plainComment && comment->description.empty())
                    m_plainComment = std::move(comment->text);
            }
            break;
        case Kind::None:
            break;
        }
    }

    // True once every value is known and nothing later in the tag could change one.
    [[nodiscard]] bool complete() const noexcept {
        return m_tag.artist && m_tag.title && m_tag.album && m_tag.track && m_tag.year && m_tag.genre &&
               m_plainComment;
    }

    void finish() {
        if (!m_tag.year)
            m_tag.year = std::move(m_otherYear);
        m_tag.comment = m_plainComment ? std::move(m_plainComment) : std::move(m_firstComment);
    }

private:
    static void setOnce(std::optional<std::string>& slot, std::optional<std::string> value) {
        if (!slot && value)
            slot = std::move(value);
    }

    Id3v2Tag& m_tag;
    std::optional<std::string> m_otherYear;
    std::optional<std::string> m_firstComment;
    std::optional<std::string> m_plainComment;
};

void readFrames(ByteSource& source, std::uint64_t bodyBegin, std::uint64_t end, const Id3v2Header& header,
                Id3v2Tag& tag) {
    const auto begin = framesBegin(source, header, bodyBegin, end);
    if (!begin)
        return;
    FrameCollector collector(tag);
    FrameWalker walker(source, *begin, end, header.major);
    std::vector<std::uint8_t> data;
    while (const auto frame = walker.next()) {
        const Kind kind = kindOf(frame->name(), header.major);
        if (kind == Kind::None || frame->size == 0 || frame->size > Id3v2Tag::kMaxFrameSize)
            continue;
        data.resize(frame->size);
        if (!source.readExact(frame->dataOffset(), data))
            break;
        if (const auto content = frameContent(*frame, data, header))
            collector.take(kind, *content);
        if (collector.complete())
            break;
    }
    collector.finish();
}
} // namespace

std::optional<Id3v2Tag> Id3v2Tag::read(ByteSource& source) {
    std::array<std::uint8_t, Id3v2Header::kSize> headerBytes{};
    if (!source.readExact(0, headerBytes))
        return std::nullopt;
    const Id3v2Header header = Id3v2Header::parse(headerBytes);
    if (!header.valid())
        return std::nullopt;
    Id3v2Tag tag;
    tag.major = header.major;
    if (header.compressed())
        return tag; // a compressed version 2.2 tag: no reader can use its frames
    const std::uint64_t end = std::min<std::uint64_t>(Id3v2Header::kSize + header.size, source.size());
    if (header.major < 4 && header.unsynchronised()) {
        // `end` is at least the header size: the header was read from the source.
        std::vector<std::uint8_t> raw(
            static_cast<std::size_t>(std::min(end - Id3v2Header::kSize, kMaxUnsynchronisedTag)));
        raw.resize(source.read(Id3v2Header::kSize, raw));
        const std::vector<std::uint8_t> body = removeUnsynchronisation(raw);
        MemorySource memory(body);
        readFrames(memory, 0, body.size(), header, tag);
    } else {
        readFrames(source, Id3v2Header::kSize, end, header, tag);
    }
    return tag;
}

} // namespace id3
