#include "library/filetags.h"
#include "library/id3v2tag.h"
#include "library/memorysource.h"

#include "fixtures/mp3file.h"
#include "fixtures/tagbytes.h"
#include "fixtures/tempfolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sys/stat.h>

namespace {

using namespace fixtures;
using id3::Id3v2Tag;
namespace fs = std::filesystem;

std::optional<Id3v2Tag> readTag(const Bytes& bytes) {
    id3::MemorySource source(bytes);
    return Id3v2Tag::read(source);
}

// The unsynchronisation scheme, written here apart from the station's code.
Bytes unsynchronised(const Bytes& in) {
    Bytes out;
    for (std::size_t i = 0; i < in.size(); ++i) {
        out.push_back(in[i]);
        if (in[i] == 0xFF && (i + 1 == in.size() || in[i + 1] == 0 || in[i + 1] >= 0xE0))
            out.push_back(0);
    }
    return out;
}

TEST(Id3v2Reader, ReadsTheSevenFramesOfAVersion23Tag) {
    const Bytes tag =
        id3v2Tag(3,
                 {frame(3, "TPE1", textData(0, "Artist")), frame(3, "TIT2", textData(0, "Title")),
                  frame(3, "TALB", textData(0, "Album")), frame(3, "TRCK", textData(0, "3/12")),
                  frame(3, "TYER", textData(0, "2001")), frame(3, "TCON", textData(0, "Jazz")),
                  frame(3, "COMM", commentData(0, "eng", "", "Fine"))},
                 64);
    const auto read = readTag(tag + silentAudio(0.1).bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->major, 3);
    EXPECT_EQ(read->artist, "Artist");
    EXPECT_EQ(read->title, "Title");
    EXPECT_EQ(read->album, "Album");
    EXPECT_EQ(read->track, "3/12");
    EXPECT_EQ(read->year, "2001");
    EXPECT_EQ(read->genre, "Jazz");
    EXPECT_EQ(read->comment, "Fine");
}

TEST(Id3v2Reader, DecodesEveryTextEncodingByItsEncodingByte) {
    const std::string text = "Bj\u00F6rk \u65E5\u672C \U0001F3B5";
    for (std::uint8_t encoding = 0; encoding <= 3; ++encoding) {
        const Bytes tag = id3v2Tag(4, {frame(4, "TPE1", textData(encoding, text)),
                                       frame(4, "COMM", commentData(encoding, "eng", "", text))});
        const auto read = readTag(tag);
        ASSERT_TRUE(read);
        const std::string expected = encoding == 0 ? "Bj\u00F6rk ?? ?" : text;
        EXPECT_EQ(read->artist, expected) << int(encoding);
        EXPECT_EQ(read->comment, expected) << int(encoding);
    }
}

TEST(Id3v2Reader, TakesTheFirstValueOfAFrameWithSeveral) {
    const Bytes tag =
        id3v2Tag(4, {frame(4, "TPE1", textData(3, std::string("One\0Two", 7))),
                     frame(4, "TIT2", Bytes{1, 0xFE, 0xFF, 0, 'H', 0, 'i', 0, 0, 0xFF, 0xFE, 'x', 0})});
    const auto read = readTag(tag);
    EXPECT_EQ(read->artist, "One");
    EXPECT_EQ(read->title, "Hi"); // big-endian by its byte order mark
}

TEST(Id3v2Reader, ReadsVersion22Frames) {
    const Bytes tag = id3v2Tag(2, {frame(2, "TT2", textData(0, "Old")), frame(2, "TP1", textData(1, "Band")),
                                   frame(2, "TYE", textData(0, "1998")), frame(2, "TCO", textData(0, "(13)")),
                                   frame(2, "COM", commentData(0, "eng", "", "c22"))});
    const auto read = readTag(tag);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->major, 2);
    EXPECT_EQ(read->title, "Old");
    EXPECT_EQ(read->artist, "Band");
    EXPECT_EQ(read->year, "1998");
    EXPECT_EQ(read->genre, "Pop");
    EXPECT_EQ(read->comment, "c22");
}

TEST(Id3v2Reader, UndoesWholeTagUnsynchronisation) {
    const Bytes frames =
        frame(3, "TIT2", textData(0, "\u00FF\u00F1 \u00FF")) + frame(3, "TPE1", textData(0, "After"));
    const Bytes body = unsynchronised(frames);
    ASSERT_GT(body.size(), frames.size());
    const Bytes tag = id3v2Header(3, static_cast<std::uint32_t>(body.size()), 0x80) + body;
    const auto read = readTag(tag);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->title, "\u00FF\u00F1 \u00FF");
    EXPECT_EQ(read->artist, "After");
}

// A tag unsynchronised as a whole is read once, front to back: behind the frames the station needs
// it stops, and a cover in front of them (here past 16 MiB, a run of 0xFF 0x00 pairs that meets
// every way the tag's pieces can be cut) is passed without being kept.
TEST(Id3v2Reader, AWholeTagUnsynchronisedIsReadOnceAndOnlyAsFarAsNeeded) {
    TempFolder folder;
    const std::string odd = "\u00FF\u00FF \u00FF\u00E0\u00FF";
    const std::vector<Bytes> wanted = {frame(3, "TPE1", textData(0, odd)),
                                       frame(3, "TIT2", textData(0, "Title")),
                                       frame(3, "TALB", textData(0, "Album")),
                                       frame(3, "TYER", textData(0, "2001")),
                                       frame(3, "TCON", textData(0, "Jazz")),
                                       frame(3, "TRCK", textData(0, "7")),
                                       frame(3, "COMM", commentData(0, "eng", "", odd))};
    Bytes cover = pictureData(17u << 20);
    for (std::size_t i = 20; i + 1 < cover.size(); i += 2) {
        cover[i] = 0xFF;
        cover[i + 1] = 0x00;
    }
    for (const bool coverFirst : {false, true}) {
        std::vector<Bytes> frames = wanted;
        frames.insert(coverFirst ? frames.begin() : frames.end(), frame(3, "APIC", cover));
        Bytes body;
        for (const Bytes& f : frames)
            body = body + f;
        body = unsynchronised(body);
        const fs::path song = folder / (coverFirst ? "first.mp3" : "last.mp3");
        ASSERT_TRUE(writeBytes(song, id3v2Header(3, static_cast<std::uint32_t>(body.size()), 0x80) + body +
                                         silentAudio(0.1).bytes));
        const id3::FileTags tags = id3::FileTags::read(song);
        ASSERT_TRUE(tags.id3v2) << coverFirst;
        EXPECT_EQ(tags.id3v2->artist, odd) << coverFirst;
        EXPECT_EQ(tags.id3v2->track, "7") << coverFirst;
        EXPECT_EQ(tags.id3v2->comment, odd) << coverFirst;
        if (!coverFirst) {
            EXPECT_LT(tags.bytesRead, 64u * 1024u);
        }
    }
}

TEST(Id3v2Reader, UndoesVersion24FrameFlags) {
    const Bytes title = textData(0, "\u00FF\u00E9");
    const Bytes unsyncedTitle = bigEndian(static_cast<std::uint32_t>(title.size())) + unsynchronised(title);
    const Bytes tag = id3v2Tag(4, {frame(4, "TIT2", unsyncedTitle, 0x0003), // unsynchronised, length
                                   frame(4, "TPE1", Bytes{0x07} + textData(0, "Grouped"), 0x0040),
                                   frame(4, "TALB", Bytes{0x78, 0x9C, 0x01}, 0x0008), // compressed: skipped
                                   frame(4, "TALB", textData(0, "Plain"))});
    const auto read = readTag(tag);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->title, "\u00FF\u00E9");
    EXPECT_EQ(read->artist, "Grouped");
    EXPECT_EQ(read->album, "Plain");
}

TEST(Id3v2Reader, SkipsCompressedAndEncryptedVersion23Frames) {
    const Bytes tag = id3v2Tag(3, {frame(3, "TPE1", bigEndian(6) + Bytes{0x78, 0x9C}, 0x0080),
                                   frame(3, "TIT2", Bytes{0x01} + textData(0, "Secret"), 0x0040),
                                   frame(3, "TALB", Bytes{0x05} + textData(0, "Group"), 0x0020)});
    const auto read = readTag(tag);
    ASSERT_TRUE(read);
    EXPECT_FALSE(read->artist);
    EXPECT_FALSE(read->title);
    EXPECT_EQ(read->album, "Group");
}

TEST(Id3v2Reader, StepsOverTheExtendedHeader) {
    const Bytes v23 =
        id3v2Header(3, 40, 0x40) + bigEndian(6) + Bytes(6, 0) + frame(3, "TIT2", textData(0, "Ext3"));
    EXPECT_EQ(readTag(v23 + Bytes(40, 0))->title, "Ext3");
    const Bytes v24 =
        id3v2Header(4, 40, 0x40) + syncSafe(6) + Bytes{1, 0} + frame(4, "TIT2", textData(0, "Ext4"));
    EXPECT_EQ(readTag(v24 + Bytes(40, 0))->title, "Ext4");
    // The flag set without an extended header: the first frame follows the header.
    const Bytes missing = id3v2Header(3, 30, 0x40) + frame(3, "TIT2", textData(0, "NoExt"));
    EXPECT_EQ(readTag(missing + Bytes(30, 0))->title, "NoExt");
    const Bytes runaway = id3v2Header(3, 20, 0x40) + bigEndian(0x7FFFFFFF) + Bytes(16, 0);
    ASSERT_TRUE(readTag(runaway));
    EXPECT_FALSE(readTag(runaway)->title);
}

TEST(Id3v2Reader, ChoosesTheCommentWithoutDescription) {
    const Bytes tag = id3v2Tag(3, {frame(3, "COMM", commentData(0, "eng", "iTunNORM", " 0000")),
                                   frame(3, "COMM", commentData(1, "deu", "", "Kommentar")),
                                   frame(3, "COMM", commentData(0, "eng", "", "second plain"))});
    EXPECT_EQ(readTag(tag)->comment, "Kommentar");
    const Bytes described = id3v2Tag(3, {frame(3, "COMM", commentData(0, "eng", "note", "only one"))});
    EXPECT_EQ(readTag(described)->comment, "only one");
}

TEST(Id3v2Reader, ReadsTheBareCommentLayoutOfOlderStations) {
    const Bytes tag = id3v2Tag(3, {frame(3, "COMM", textData(0, "Bare comment"))});
    EXPECT_EQ(readTag(tag)->comment, "Bare comment");
    EXPECT_EQ(readTag(id3v2Tag(3, {frame(3, "COMM", textData(0, "ok"))}))->comment, "ok");
}

TEST(Id3v2Reader, ResolvesGenreReferences) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"(17)", "Rock"},    {"17", "Rock"},    {"(17)Rock & Roll", "Rock"}, {"(4)(17)", "Disco"},
        {"(RX)", "Remix"},   {"(CR)", "Cover"}, {"((Foo)", "(Foo)"},         {"(Bar)", "(Bar)"},
        {"(200)Baz", "Baz"}, {"(200)", ""},     {"Trip Hop", "Trip Hop"},    {"(", "("}};
    for (const auto& [stored, expected] : cases) {
        const auto read = readTag(id3v2Tag(3, {frame(3, "TCON", textData(0, stored))}));
        EXPECT_EQ(read->genre, expected) << stored;
    }
}

TEST(Id3v2Reader, PrefersTheVersionsOwnYearFrame) {
    EXPECT_EQ(readTag(id3v2Tag(3, {frame(3, "TDRC", textData(0, "2004-05")),
                                   frame(3, "TYER", textData(0, "2003"))}))
                  ->year,
              "2003");
    EXPECT_EQ(readTag(id3v2Tag(3, {frame(3, "TDRC", textData(0, "2004"))}))->year, "2004");
    EXPECT_EQ(readTag(id3v2Tag(4, {frame(4, "TYER", textData(0, "2003")),
                                   frame(4, "TDRC", textData(0, "2004-05-01"))}))
                  ->year,
              "2004-05-01");
}

TEST(Id3v2Reader, FirstFrameWinsAndEmptyFramesAreNotValues) {
    const Bytes tag = id3v2Tag(3, {frame(3, "TPE1", Bytes{}), frame(3, "TPE1", textData(0, "First")),
                                   frame(3, "TPE1", textData(0, "Second")), frame(3, "TIT2", Bytes{0})});
    const auto read = readTag(tag);
    EXPECT_EQ(read->artist, "First");
    EXPECT_EQ(read->title, "");
}

TEST(Id3v2Reader, ReadsVersion24TagsWithPlainFrameSizes) {
    // Some writers stored version 2.4 frame sizes as plain numbers; 0x100 read as syncsafe is 0x80.
    const std::string longTitle(255, 't');
    const Bytes title = bytesOf("TIT2") + bigEndian(256) + Bytes{0, 0} + textData(0, longTitle);
    const Bytes artist = bytesOf("TPE1") + bigEndian(200) + Bytes{0, 0} + textData(0, std::string(199, 'a'));
    const Bytes body = title + artist + frame(4, "TALB", textData(0, "Album"));
    const auto read = readTag(id3v2Header(4, static_cast<std::uint32_t>(body.size())) + body);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->title, longTitle);
    EXPECT_EQ(read->artist, std::string(199, 'a'));
    EXPECT_EQ(read->album, "Album");
}

TEST(Id3v2Reader, CutsADeclaredSizePastTheEndOfTheFile) {
    const Bytes frames = frame(3, "TIT2", textData(0, "Short file")) + Bytes(100, 0);
    const Bytes tag = Bytes{'I', 'D', '3', 3, 0, 0, 0x7F, 0x7F, 0x7F, 0x7F} + frames;
    const auto read = readTag(tag);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->title, "Short file");
}

TEST(Id3v2Reader, StopsAtAFrameThatOverrunsTheTag) {
    const Bytes body = frame(3, "TIT2", textData(0, "Kept")) + bytesOf("TPE1") + bigEndian(5000) +
                       Bytes{0, 0} + textData(0, "Lost");
    const auto read =
        readTag(id3v2Header(3, static_cast<std::uint32_t>(body.size())) + body + Bytes(6000, 0));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->title, "Kept");
    EXPECT_FALSE(read->artist);
}

TEST(Id3v2Reader, MalformedHeadersGiveNoTag) {
    EXPECT_FALSE(readTag(Bytes{'I', 'D', '3', 3, 0, 0, 0x80, 0, 0, 0} + Bytes(200, 0)));
    EXPECT_FALSE(readTag(Bytes{'I', 'D', '3', 5, 0, 0, 0, 0, 1, 0} + Bytes(200, 0)));
    EXPECT_FALSE(readTag(Bytes{'I', 'D', '3', 3, 0}));
    EXPECT_FALSE(readTag(Bytes{'i', 'd', '3', 3, 0, 0, 0, 0, 1, 0} + Bytes(200, 0)));
    EXPECT_FALSE(readTag(Bytes{}));
}

TEST(Id3v2Reader, SkipsFramesOverOneMebibyteAndNeverReadsACover) {
    TempFolder folder;
    Mp3Recipe recipe;
    recipe.id3v2 = SongTags{"Title", "Artist", "Album", "2020", "1", "Rock", "c"};
    recipe.coverBytes = 10u << 20;
    recipe.id3v1 = Id3v1Fields{"T1", "A1", "", "", "", 1, 17, true};
    ASSERT_TRUE(writeMp3(folder / "cover.mp3", recipe));
    const id3::FileTags tags = id3::FileTags::read(folder / "cover.mp3");
    ASSERT_TRUE(tags.id3v2);
    EXPECT_EQ(tags.id3v2->title, "Title");
    ASSERT_TRUE(tags.id3v1);
    EXPECT_EQ(tags.id3v1->title, "T1");
    EXPECT_LT(tags.bytesRead, 64u * 1024u);

    const Bytes huge = id3v2Tag(3, {frame(3, "TIT2", textData(0, std::string((1u << 20) + 10, 'h'))),
                                    frame(3, "TPE1", textData(0, "Next"))});
    const auto read = readTag(huge);
    EXPECT_FALSE(read->title);
    EXPECT_EQ(read->artist, "Next");
}

TEST(Id3v2Reader, AFileThatCannotBeOpenedReadsAsHavingNoTags) {
    TempFolder folder;
    ASSERT_EQ(::mkfifo((folder / "pipe.mp3").c_str(), 0644), 0);
    const auto start = std::chrono::steady_clock::now();
    const id3::FileTags fromPipe = id3::FileTags::read(folder / "pipe.mp3");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_FALSE(fromPipe.opened);
    EXPECT_FALSE(fromPipe.id3v2);
    const id3::FileTags missing = id3::FileTags::read(folder / "missing.mp3");
    EXPECT_FALSE(missing.opened);
    EXPECT_FALSE(missing.id3v1);
    EXPECT_FALSE(id3::FileTags::read(folder.path()).opened);
}

TEST(Id3v2Reader, NothingCarriesOverFromTheFileReadBefore) {
    TempFolder folder;
    Mp3Recipe tagged;
    tagged.id3v2 = SongTags{"Title", "Artist", "", "", "", "Rock", ""};
    ASSERT_TRUE(writeMp3(folder / "a.mp3", tagged));
    Mp3Recipe plain;
    plain.id3v1 = Id3v1Fields{"", "", "", "", "", 0, 13, true};
    ASSERT_TRUE(writeMp3(folder / "b.mp3", plain));
    EXPECT_EQ(id3::FileTags::read(folder / "a.mp3").id3v2->genre, "Rock");
    const id3::FileTags second = id3::FileTags::read(folder / "b.mp3");
    EXPECT_FALSE(second.id3v2);
    EXPECT_EQ(second.id3v1->genre, 13);
}

} // namespace
