#include "library/id3v2frames.h"
#include "library/id3v2header.h"
#include "library/id3v2tag.h"
#include "library/id3v2text.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>
#include <vector>

namespace id3 {

namespace {
// The body of a tag unsynchronised as a whole (versions 2.2 and 2.3), undone as it is read. Its
// frame sizes count the undone bytes, so a frame is found only by undoing all that stands before
// it; the reader walks the frames front to back, so this reads the tag once, a piece at a time,
// undoes each piece in place, and keeps only what the reader has not passed yet: a cover in front
// of the text frames is read through but never held, and the walk ends behind the last frame the
// station needs. Offsets are those of the undone body, from 0.
class UnsynchronisedBody final : public ByteSource {
public:
    UnsynchronisedBody(ByteSource& tag, std::uint64_t begin, std::uint64_t end) noexcept
        : m_tag(tag)
        , m_begin(begin)
        , m_end(end)
        , m_next(begin) {}

    // At most the bytes as stored: undoing only removes bytes.
    [[nodiscard]] std::uint64_t size() const noexcept override { return m_end - m_begin; }

    [[nodiscard]] std::size_t read(std::uint64_t offset, std::span<std::uint8_t> out) override {
        if (offset < m_start)
            restart(); // the walk never goes back, but any order of reads gives the right bytes
        const std::uint64_t wanted = offset + out.size();
        while (m_start + m_held.size() < wanted && m_next < m_end) {
            // What lies before `offset` is behind the reader: drop it before reading on.
            const auto passed =
                static_cast<std::size_t>(std::min<std::uint64_t>(offset - m_start, m_held.size()));
            m_held.erase(m_held.begin(), m_held.begin() + static_cast<std::ptrdiff_t>(passed));
            m_start += passed;
            readPiece();
        }
        const std::uint64_t heldEnd = m_start + m_held.size();
        if (offset >= heldEnd)
            return 0;
        const auto n = static_cast<std::size_t>(std::min(wanted, heldEnd) - offset);
        std::memcpy(out.data(), m_held.data() + (offset - m_start), n);
        return n;
    }

private:
    // Pieces grow from a small first read, enough for the frames of most tags, to a large one for
    // going through a cover.
    static constexpr std::size_t kFirstPiece = 8u << 10;
    static constexpr std::size_t kLargestPiece = 256u << 10;

    void restart() {
        m_held.clear();
        m_start = 0;
        m_next = m_begin;
        m_piece = kFirstPiece;
        m_afterFF = false;
    }

    void readPiece() {
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(m_piece, m_end - m_next));
        const std::size_t old = m_held.size();
        m_held.resize(old + n);
        const std::span<std::uint8_t> piece(m_held.data() + old, n);
        const std::size_t got = m_tag.read(m_next, piece);
        // A failed read ends the body where it failed.
        m_next = got == n ? m_next + n : m_end;
        m_held.resize(old + removeUnsynchronisation(piece.first(got), m_afterFF));
        m_piece = std::min(m_piece * 2, kLargestPiece);
    }

    ByteSource& m_tag;
    std::uint64_t m_begin;
    std::uint64_t m_end;
    std::uint64_t m_next;             // the next stored byte to read
    std::uint64_t m_start = 0;        // the undone offset of m_held's first byte
    std::vector<std::uint8_t> m_held; // undone bytes not yet passed
    std::size_t m_piece = kFirstPiece;
    bool m_afterFF = false;
};

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
        UnsynchronisedBody body(source, Id3v2Header::kSize, end);
        readFrames(body, 0, body.size(), header, tag);
    } else {
        readFrames(source, Id3v2Header::kSize, end, header, tag);
    }
    return tag;
}

} // namespace id3
