// The wire protocol's frames, the request parser, the path rules and where the socket lives.

#include "mpvengine.h"
#include "player/playersocket.h"
#include "player/playerwire.h"
#include "playerrig.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace playertest {
namespace {

namespace wire = playerwire;

std::vector<std::uint8_t> bytesOf(std::initializer_list<int> values) {
    std::vector<std::uint8_t> out;
    for (const int v : values) {
        out.push_back(static_cast<std::uint8_t>(v));
    }
    return out;
}

TEST(WireFrames, RequestIsThreeLittleEndianIntegersAndReplyIsOne) {
    const auto request = wire::encodeRequest({1024, -1, 104});
    EXPECT_EQ(std::vector<std::uint8_t>(request.begin(), request.end()),
              bytesOf({0x00, 0x04, 0x00, 0x00,    // message 1024
                       0xFF, 0xFF, 0xFF, 0xFF,    // wParam -1
                       0x68, 0x00, 0x00, 0x00})); // lParam 104
    EXPECT_EQ(wire::decodeRequest(request), (wire::Request{1024, -1, 104}));
    const auto reply = wire::encodeReply(0x1010);
    EXPECT_EQ(std::vector<std::uint8_t>(reply.begin(), reply.end()), bytesOf({0x10, 0x10, 0x00, 0x00}));
    EXPECT_EQ(wire::decodeReply(wire::encodeReply(-1)), -1);
}

TEST(WireParser, CutsPipelinedAndSplitRequestsAndHandOversInOrder) {
    wire::RequestParser parser;
    std::vector<std::uint8_t> stream;
    for (const wire::Request r : {wire::Request{273, 40045, 0}, wire::Request{1024, 0, 104}}) {
        const auto b = wire::encodeRequest(r);
        stream.insert(stream.end(), b.begin(), b.end());
    }
    parser.feed(std::span(stream.data(), 5));
    EXPECT_FALSE(parser.next());
    parser.feed(std::span(stream.data() + 5, stream.size() - 5));
    EXPECT_EQ(parser.next(), (wire::Incoming{wire::Request{273, 40045, 0}}));
    EXPECT_EQ(parser.next(), (wire::Incoming{wire::Request{1024, 0, 104}}));
    EXPECT_FALSE(parser.next());

    // A hand-over is framed with its path, also when it arrives in pieces.
    const std::string path = "/music/a \"b\" -c ß.mp3";
    const auto bytes = wire::encodeTakeFile(path);
    parser.feed(std::span(bytes.data(), 14));
    EXPECT_FALSE(parser.next());
    parser.feed(std::span(bytes.data() + 14, bytes.size() - 14));
    EXPECT_EQ(parser.next(), (wire::Incoming{wire::TakeFile{path}}));
    EXPECT_FALSE(parser.broken());
}

TEST(WireParser, OverlongOrNegativeHandOverBreaksTheStream) {
    for (const std::int32_t length : {4097, -1}) {
        wire::RequestParser parser;
        const auto head = wire::encodeRequest({wire::kMsgTakeFile, length, 0});
        parser.feed(head);
        const auto more = wire::encodeRequest({1024, 0, 0});
        parser.feed(more);
        EXPECT_FALSE(parser.next());
        EXPECT_TRUE(parser.broken()) << length;
    }
}

TEST(WirePaths, HandedOverPathMustBeAbsoluteShortAndWithoutNul) {
    using wire::PathVerdict;
    EXPECT_EQ(wire::checkPathText("/music/a.mp3"), PathVerdict::Acceptable);
    EXPECT_EQ(wire::checkPathText(""), PathVerdict::Empty);
    EXPECT_EQ(wire::checkPathText("music/a.mp3"), PathVerdict::NotAbsolute);
    EXPECT_EQ(wire::checkPathText("-rf"), PathVerdict::NotAbsolute);
    EXPECT_EQ(wire::checkPathText(std::string_view("/a\0b", 4)), PathVerdict::HasNulByte);
    EXPECT_EQ(wire::checkPathText("/" + std::string(4095, 'x')), PathVerdict::Acceptable);
    EXPECT_EQ(wire::checkPathText("/" + std::string(4096, 'x')), PathVerdict::TooLong);
}

TEST(WireSocket, LivesInTheRuntimeFolderOrAPrivateFolderUnderTmpThatNoOtherCanOpen) {
    EXPECT_EQ(wire::playerSocketPath("/run/user/1000", 1000), "/run/user/1000/tunnora-player.sock");
    EXPECT_EQ(wire::playerSocketPath(nullptr, 1234), "/tmp/tunnora-1234/tunnora-player.sock");
    EXPECT_EQ(wire::playerSocketPath("", 1234), "/tmp/tunnora-1234/tunnora-player.sock");
    EXPECT_TRUE(wire::inSharedFallbackFolder("/tmp/tunnora-1234/tunnora-player.sock"));
    EXPECT_FALSE(wire::inSharedFallbackFolder("/run/user/1000/tunnora-player.sock"));
    // A folder open to others is not private.
    TempFolder folder;
    EXPECT_TRUE(wire::folderIsPrivate(folder.path()));
    ::chmod(folder.path().c_str(), 0755);
    EXPECT_FALSE(wire::folderIsPrivate(folder.path()));
    EXPECT_FALSE(wire::folderIsPrivate(folder.path() / "missing"));
}

TEST(StandInAudioOutput, SettingNamesTheOutputAndItsFlags) {
    using Options = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(standin::audioOutputOptions(""), Options{});
    EXPECT_EQ(standin::audioOutputOptions("null"), (Options{{"ao", "null"}}));
    EXPECT_EQ(standin::audioOutputOptions("null:untimed"),
              (Options{{"ao", "null"}, {"ao-null-untimed", "yes"}}));
    EXPECT_EQ(standin::audioOutputOptions("pcm:file=/tmp/x.wav"),
              (Options{{"ao", "pcm"}, {"ao-pcm-file", "/tmp/x.wav"}}));
}

} // namespace
} // namespace playertest
