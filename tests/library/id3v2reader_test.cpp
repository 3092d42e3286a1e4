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

// The values read from a tag, in one line: "no tag", or each value found as "name=value;".
std::string described(const Bytes& bytes) {
    const auto tag = readTag(bytes);
    if (!tag)
        return "no tag";
    std::string out;
    for (const auto& [name, value] : {std::pair{"artist", tag->artist},
                                      {"title", tag->title},
                                      {"album", tag->album},
                                      {"track", tag->track},
                                      {"year", tag->year},
                                      {"genre", tag->genre},
                                      {"comment", tag->comment}})
        if (value)
            out += std::string(name) + "=" + *value + ";";
    return out;
}

TEST(Id3v2Reader, ReadsTheFirstValueOfEachWantedFrameWhateverElseTheTagHolds) {
    struct Case {
        const char* what;
        Bytes tag;
        std::string expected;
    };
    const Bytes title = textData(0, "\u00FF\u00E9");
    const std::string longTitle(255, 't');
    // Some writers stored version 2.4 frame sizes as plain numbers; 0x100 read as syncsafe is 0x80.
    const Bytes plainSizes = bytesOf("TIT2") + bigEndian(256) + Bytes{0, 0} + textData(0, longTitle) +
                             bytesOf("TPE1") + bigEndian(200) + Bytes{0, 0} +
                             textData(0, std::string(199, 'a')) + frame(4, "TALB", textData(0, "Album"));
    const Bytes overrun = frame(3, "TIT2", textData(0, "Kept")) + bytesOf("TPE1") + bigEndian(5000) +
                          Bytes{0, 0} + textData(0, "Lost");
    const std::vector<Case> cases = {
        {"several values",
         id3v2Tag(4, {frame(4, "TPE1", textData(3, std::string("One\0Two", 7))),
                      frame(4, "TIT2", Bytes{1, 0xFE, 0xFF, 0, 'H', 0, 'i', 0, 0, 0xFF, 0xFE, 'x', 0})}),
         "artist=One;title=Hi;"}, // the second by its big-endian byte order mark
        {"first frame wins, empty ones are no value",
         id3v2Tag(3, {frame(3, "TPE1", Bytes{}), frame(3, "TPE1", textData(0, "First")),
                      frame(3, "TPE1", textData(0, "Second")), frame(3, "TIT2", Bytes{0})}),
         "artist=First;title=;"},
        {"2.4 frame flags",
         id3v2Tag(
             4, {frame(4, "TIT2", bigEndian(static_cast<std::uint32_t>(title.size())) + unsynchronised(title),
                       0x0003), // unsynchronised, length
                 frame(4, "TPE1", Bytes{0x07} + textData(0, "Grouped"), 0x0040),
                 frame(4, "TALB", Bytes{0x78, 0x9C, 0x01}, 0x0008), // compressed: skipped
                 frame(4, "TALB", textData(0, "Plain"))}),
         "artist=Grouped;title=\u00FF\u00E9;album=Plain;"},
        {"2.3 compressed and encrypted frames",
         id3v2Tag(3, {frame(3, "TPE1", bigEndian(6) + Bytes{0x78, 0x9C}, 0x0080),
                      frame(3, "TIT2", Bytes{0x01} + textData(0, "Secret"), 0x0040),
                      frame(3, "TALB", Bytes{0x05} + textData(0, "Group"), 0x0020)}),
         "album=Group;"},
        {"2.3 extended header",
         id3v2Header(3, 40, 0x40) + bigEndian(6) + Bytes(6, 0) + frame(3, "TIT2", textData(0, "Ext3")) +
             Bytes(40, 0),
         "title=Ext3;"},
        {"2.4 extended header",
         id3v2Header(4, 40, 0x40) + syncSafe(6) + Bytes{1, 0} + frame(4, "TIT2", textData(0, "Ext4")) +
             Bytes(40, 0),
         "title=Ext4;"},
        {"extended header flag without one",
         id3v2Header(3, 30, 0x40) + frame(3, "TIT2", textData(0, "NoExt")) + Bytes(30, 0), "title=NoExt;"},
        {"runaway extended header", id3v2Header(3, 20, 0x40) + bigEndian(0x7FFFFFFF) + Bytes(16, 0), ""},
        {"comments",
         id3v2Tag(3, {frame(3, "COMM", commentData(0, "eng", "iTunNORM", " 0000")),
                      frame(3, "COMM", commentData(1, "deu", "", "Kommentar")),
                      frame(3, "COMM", commentData(0, "eng", "", "second plain"))}),
         "comment=Kommentar;"},
        {"only a described comment",
         id3v2Tag(3, {frame(3, "COMM", commentData(0, "eng", "note", "only one"))}), "comment=only one;"},
        {"bare comment of older stations", id3v2Tag(3, {frame(3, "COMM", textData(0, "Bare comment"))}),
         "comment=Bare comment;"},
        {"2.3 TYER before TDRC",
         id3v2Tag(3, {frame(3, "TDRC", textData(0, "2004-05")), frame(3, "TYER", textData(0, "2003"))}),
         "year=2003;"},
        {"2.3 TDRC alone", id3v2Tag(3, {frame(3, "TDRC", textData(0, "2004"))}), "year=2004;"},
        {"2.4 TDRC before TYER",
         id3v2Tag(4, {frame(4, "TYER", textData(0, "2003")), frame(4, "TDRC", textData(0, "2004-05-01"))}),
         "year=2004-05-01;"},
        {"2.4 plain frame sizes", id3v2Header(4, static_cast<std::uint32_t>(plainSizes.size())) + plainSizes,
         "artist=" + std::string(199, 'a') + ";title=" + longTitle + ";album=Album;"},
        {"size past the end",
         Bytes{'I', 'D', '3', 3, 0, 0, 0x7F, 0x7F, 0x7F, 0x7F} + frame(3, "TIT2", textData(0, "Short file")) +
             Bytes(100, 0),
         "title=Short file;"},
        {"frame overruns the tag",
         id3v2Header(3, static_cast<std::uint32_t>(overrun.size())) + overrun + Bytes(6000, 0),
         "title=Kept;"},
        {"frame over one mebibyte",
         id3v2Tag(3, {frame(3, "TIT2", textData(0, std::string((1u << 20) + 10, 'h'))),
                      frame(3, "TPE1", textData(0, "Next"))}),
         "artist=Next;"},
        {"size not syncsafe", Bytes{'I', 'D', '3', 3, 0, 0, 0x80, 0, 0, 0} + Bytes(200, 0), "no tag"},
        {"version 2.5", Bytes{'I', 'D', '3', 5, 0, 0, 0, 0, 1, 0} + Bytes(200, 0), "no tag"},
        {"short header", Bytes{'I', 'D', '3', 3, 0}, "no tag"},
        {"lower-case marker", Bytes{'i', 'd', '3', 3, 0, 0, 0, 0, 1, 0} + Bytes(200, 0), "no tag"},
        {"empty", Bytes{}, "no tag"}};
    for (const Case& c : cases)
        EXPECT_EQ(described(c.tag), c.expected) << c.what;
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

TEST(Id3v2Reader, NeverReadsACover) {
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

} // namespace
