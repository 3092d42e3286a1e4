// The wire protocol's frames, the request parser, the path rules and where the socket lives.

#include "mpvengine.h"
#include "player/playersocket.h"
#include "player/playerwire.h"
#include "playerrig.h"

#include <gtest/gtest.h>

#include <fstream>

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

TEST(WireSocket, LivesInTheRuntimeFolderOrInAFolderOfTheUserUnderTmp) {
    EXPECT_EQ(wire::playerSocketPath("/run/user/1000", 1000), "/run/user/1000/tunnora-player.sock");
    EXPECT_EQ(wire::playerSocketPath(nullptr, 1234), "/tmp/tunnora-1234/tunnora-player.sock");
    EXPECT_EQ(wire::playerSocketPath("", 1234), "/tmp/tunnora-1234/tunnora-player.sock");
    EXPECT_TRUE(wire::inSharedFallbackFolder("/tmp/tunnora-1234/tunnora-player.sock"));
    EXPECT_FALSE(wire::inSharedFallbackFolder("/run/user/1000/tunnora-player.sock"));
}

TEST(WireSocket, OnlyASocketOfThisUserInAFolderNoOtherUserCanWriteToIsTrusted) {
    // A folder under /tmp named like the fallback folder must be closed to everyone else.
    TempFolder folder("tunnora-trust");
    const auto fallback = folder.path() / wire::kSocketName;
    ASSERT_TRUE(wire::inSharedFallbackFolder(fallback));
    EXPECT_EQ(wire::socketProblem(fallback), std::nullopt);
    ::chmod(folder.path().c_str(), 0750);
    EXPECT_EQ(wire::socketProblem(fallback), folder.path().string() + " is open to other users");
    // A runtime folder may be read by others, never written.
    const auto runtime = folder.path() / "run";
    const auto socket = runtime / wire::kSocketName;
    std::filesystem::create_directory(runtime);
    ::chmod(runtime.c_str(), 0755);
    EXPECT_EQ(wire::socketProblem(socket), std::nullopt);
    ::chmod(runtime.c_str(), 0775);
    EXPECT_EQ(wire::socketProblem(socket), runtime.string() + " is open to other users");
    ::chmod(runtime.c_str(), 0700);
    std::ofstream(socket) << "not a socket";
    EXPECT_EQ(wire::socketProblem(socket), socket.string() + " is not a socket");
    EXPECT_EQ(wire::socketProblem(runtime / "missing" / wire::kSocketName), std::nullopt);
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
