#include "peers.h"

#include "library/filetags.h"
#include "library/genres.h"
#include "library/tagwriter.h"
#include "library/utf8.h"

#include "fixtures/mp3file.h"
#include "fixtures/tagbytes.h"
#include "fixtures/tempfolder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace fixtures;
namespace fs = std::filesystem;

// Our reader's values in the peers' keys. ID3v1 text is trimmed as both peers trim it.
peers::Values ourValues(const fs::path& file) {
    const id3::FileTags tags = id3::FileTags::read(file);
    peers::Values values;
    if (tags.id3v2) {
        const id3::Id3v2Tag& v2 = *tags.id3v2;
        values["version"] = std::string("2.").append(std::to_string(v2.major));
        const auto put = [&](const char* key, const std::optional<std::string>& value) {
            if (value)
                values[key] = *value;
        };
        put("artist", v2.artist);
        put("title", v2.title);
        put("album", v2.album);
        put("track", v2.track);
        put("year", v2.year);
        put("genre", v2.genre);
        put("comment", v2.comment);
    }
    if (tags.id3v1) {
        const id3::Id3v1Tag& v1 = *tags.id3v1;
        values["v1"] = "yes";
        const auto put = [&](const char* key, const std::string& value) {
            if (!text::trimBlanks(value).empty())
                values[key] = std::string(text::trimBlanks(value));
        };
        put("v1title", v1.title);
        put("v1artist", v1.artist);
        put("v1album", v1.album);
        put("v1year", v1.year);
        put("v1comment", v1.comment);
        if (v1.track != 0)
            values["v1track"] = std::to_string(v1.track);
        if (v1.genre != 255)
            values["v1genre"] = std::to_string(v1.genre);
    }
    return values;
}

class Peers : public ::testing::Test {
protected:
    void SetUp() override {
        if (!peers::mutagenAvailable())
            GTEST_FAIL() << "python3-mutagen is missing: run scripts/setup.sh";
    }

    // A silent song tagged by mutagen from a JSON description.
    fs::path mutagenSong(const std::string& name, const std::string& json) {
        const fs::path path = m_folder / name;
        EXPECT_TRUE(writeBytes(path, silentAudio(0.5).bytes));
        EXPECT_TRUE(peers::mutagenMake(path, json)) << json;
        return path;
    }

    void expectAllAgree(const fs::path& file) {
        const auto ours = ourValues(file);
        const auto mutagen = peers::mutagenRead(file);
        ASSERT_TRUE(mutagen) << file;
        EXPECT_EQ(ours, *mutagen) << file << " (mutagen)";
        EXPECT_EQ(ours, peers::taglibRead(file)) << file << " (TagLib)";
    }

    TempFolder m_folder;
};

TEST_F(Peers, OurReaderAgreesOnMutagenFilesOfEveryVersionEncodingAndLayout) {
    const std::string latin =
        R"("TPE1": "Caf\u00e9 Band", "TIT2": "Song", "TALB": "Album", "TRCK": "3/12", "TCON": "Rock")";
    const std::string wide =
        R"("TPE1": "\u65e5\u672c", "TIT2": "\u041f\u0440\u0438", "TALB": "\u00c6on", "TRCK": "7", "TCON": "Jazz")";
    // Covers, padding or none, several comments, only a described one.
    std::vector<std::string> recipes = {
        R"({"version": 3, "encoding": 1, "frames": {"TPE1": "A", "TIT2": "T"},
        "comments": [["eng", "iTunNORM", "0000"], ["deu", "", "erster"], ["eng", "", "second"]],
        "cover": 200000, "padding": 5000, "v1": 2})",
        R"({"version": 4, "encoding": 3, "frames": {"TIT2": "Only"}, "padding": 0,
        "comments": [["eng", "desc", "only described"]]})"};
    for (const int version : {3, 4}) {
        for (int encoding = 0; encoding <= (version == 4 ? 3 : 1); ++encoding) {
            recipes.push_back("{\"version\": " + std::to_string(version) + ", \"encoding\": " +
                              std::to_string(encoding) + ", \"frames\": {" + (encoding == 0 ? latin : wide) +
                              ", " + (version == 4 ? R"("TDRC": "2004")" : R"("TYER": "2004")") +
                              R"(}, "comments": [["eng", "", "plain"]], "v1": 2})");
        }
    }
    for (std::size_t n = 0; n < recipes.size(); ++n)
        expectAllAgree(mutagenSong("e" + std::to_string(n) + ".mp3", recipes[n]));
}

TEST_F(Peers, OurReaderAgreesOnHandMadeTags) {
    Mp3Recipe v22;
    v22.id3v2 = SongTags{"Old Title", "Old Artist", "Old Album", "1997", "4", "(13)", "two-two"};
    v22.id3v2Version = 2;
    v22.id3v1 = Id3v1Fields{"V1", "V1 Artist", "V1 Album", "1996", "c", 4, 13, true};
    ASSERT_TRUE(writeMp3(m_folder / "v22.mp3", v22));
    expectAllAgree(m_folder / "v22.mp3");

    // Whole-tag unsynchronisation of a version 2.3 tag whose title holds 0xFF bytes.
    const Bytes body = unsynchronised(frame(3, "TIT2", textData(0, "\u00FF\u00F1 y\u00FF")) +
                                      frame(3, "TPE1", textData(0, "Sync")));
    ASSERT_TRUE(
        writeBytes(m_folder / "unsync.mp3", id3v2Header(3, static_cast<std::uint32_t>(body.size()), 0x80) +
                                                body + silentAudio(0.3).bytes));
    expectAllAgree(m_folder / "unsync.mp3");
}

TEST_F(Peers, WhatWeWriteReadsBackIdenticallyInBothPeers) {
    struct Case {
        id3::TagValues values;
        peers::Values id3v1; // the ID3v1 text: cut, and '?' for what Windows-1252 lacks
    };
    const std::vector<Case> cases = {
        {{"Artist", "Title", "Album", "5", "1999", "Rock", "comment"},
         {{"v1artist", "Artist"}, {"v1title", "Title"}, {"v1album", "Album"}, {"v1comment", "comment"}}},
        {{"\u65E5\u672C", "\u041F\u0440\u0438\u0432\u0435\u0442", "\u00C6on \u2019\u0152\u017D\u201E",
          "12/15", "2010", "Jazz", "\u20AC " + std::string(40, 'c')},
         {{"v1artist", "??"},
          {"v1title", "??????"},
          {"v1album", "\u00C6on \u2019\u0152\u017D\u201E"},
          {"v1comment", "\u20AC " + std::string(26, 'c')}}},
    };
    int n = 0;
    for (const std::string& json :
         {std::string(), std::string(R"({"version": 4, "frames": {"TIT2": "x"}, "padding": 10})"),
          std::string(R"({"version": 3, "frames": {"TIT2": "x"}, "cover": 50000, "padding": 0})")}) {
        for (const auto& [values, id3v1] : cases) {
            const fs::path path = m_folder / ("w" + std::to_string(n++) + ".mp3");
            if (json.empty())
                ASSERT_TRUE(writeBytes(path, silentAudio(0.5).bytes));
            else
                mutagenSong(path.filename().string(), json);
            ASSERT_TRUE(id3::writeTags(path, values).ok()) << path;
            peers::Values expected = {{"artist", values.artist},  {"title", values.title},
                                      {"album", values.album},    {"track", values.track},
                                      {"year", values.year},      {"genre", values.genre},
                                      {"comment", values.comment}};
            for (const auto& reader : {*peers::mutagenRead(path), peers::taglibRead(path)}) {
                for (const auto& [key, value] : expected)
                    EXPECT_EQ(reader.at(key), value) << key << " of " << path;
                EXPECT_EQ(reader.at("v1genre"), std::to_string(library::genreNumber(values.genre)));
                EXPECT_EQ(reader.at("v1track"), values.track.substr(0, values.track.find('/')));
                for (const auto& [key, value] : id3v1)
                    EXPECT_EQ(reader.at(key), value) << key << " of " << path;
            }
            expectAllAgree(path);
        }
    }
}

TEST_F(Peers, TheAudioDecodesToItsLengthBeforeAndAfterTheTagGrew) {
    const id3::TagValues values{
        "A much longer artist name", std::string(300, 't'), "Album", "1", "2000", "Pop", "c"};
    for (const Bitrate bitrate : {Bitrate::Constant, Bitrate::Variable}) {
        Mp3Recipe recipe;
        recipe.seconds = 3.0;
        recipe.bitrate = bitrate;
        recipe.id3v2 = SongTags{"t", "a", "", "", "", "", ""};
        recipe.padding = 0;
        const fs::path song = m_folder / "s.mp3";
        ASSERT_TRUE(writeMp3(song, recipe));
        const Mp3Audio audio = silentAudio(recipe.seconds, bitrate);
        const auto decoded = peers::mpg123DecodedBytes(song);
        const auto length = peers::mutagenLength(song);
        ASSERT_TRUE(decoded && length);
        EXPECT_EQ(*decoded, static_cast<std::size_t>(audio.audioFrames) * Mp3Audio::kSamplesPerFrame * 2);
        EXPECT_NEAR(*length, audio.seconds(), 0.03);
        ASSERT_TRUE(id3::writeTags(song, values).ok());
        EXPECT_EQ(peers::mpg123DecodedBytes(song), decoded);
        EXPECT_NEAR(peers::mutagenLength(song).value_or(0), audio.seconds(), 0.03);
    }
}

} // namespace
