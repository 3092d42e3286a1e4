#pragma once

// The station's conversation with its player process, as plain values: the request and reply frames, the
// message numbers both sides use, and the rules for a file path handed over to the player. No I/O here.

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace playerwire {

// Messages. The station sends a message number with two 32-bit arguments; the player answers one 32-bit
// value. Numbers below come from the window-message world the station was designed for.
inline constexpr std::uint32_t kMsgUser = 1024;   // a request; lParam says which
inline constexpr std::uint32_t kMsgCommand = 273; // a menu command; wParam says which

// lParam values of kMsgUser.
inline constexpr std::int32_t kAskVersion = 0;
inline constexpr std::int32_t kClearList = 101;
inline constexpr std::int32_t kAskPlayState = 104;
inline constexpr std::int32_t kAskTime = 105; // wParam 0: position in ms; wParam 1: length in s
inline constexpr std::int32_t kJumpToTime = 106;
inline constexpr std::int32_t kSetVolume = 122;

// wParam values of kMsgCommand.
inline constexpr std::int32_t kCommandPlay = 40045;
inline constexpr std::int32_t kCommandPause = 40046;
inline constexpr std::int32_t kCommandStop = 40047;
inline constexpr std::int32_t kCommandClose = 40001;

// Play-state answers.
inline constexpr std::int32_t kStateStopped = 0;
inline constexpr std::int32_t kStatePlaying = 1;
inline constexpr std::int32_t kStatePaused = 3;

// Our own messages, outside the window-message range so they can never be mistaken for one.
// kMsgTakeFile: wParam is the byte length of a path that follows the request frame at once; the
// answer is 1 when the player took the path into its list, 0 when it refused it.
inline constexpr std::uint32_t kMsgTakeFile = 0x54550001;
// kMsgAskListRevision: answers a number (never 0) that changes every time the player takes a file.
inline constexpr std::uint32_t kMsgAskListRevision = 0x54550002;
// kMsgAskVolume: answers the volume last set, 0..255.
inline constexpr std::uint32_t kMsgAskVolume = 0x54550003;
// kMsgAskFilePlayed: answers 1 when the file the last play command started was opened and played without
// an error (also when it was stopped or paused since), 0 when it could not be played, or when nothing was
// started since the list was last cleared.
inline constexpr std::uint32_t kMsgAskFilePlayed = 0x54550004;

inline constexpr std::size_t kRequestSize = 12;
inline constexpr std::size_t kReplySize = 4;
// The longest path the player takes, in bytes.
inline constexpr std::size_t kMaxPathBytes = 4096;

struct Request {
    std::uint32_t message = 0;
    std::int32_t wParam = 0;
    std::int32_t lParam = 0;
    friend bool operator==(const Request&, const Request&) = default;
};

// A path handed over with kMsgTakeFile.
struct TakeFile {
    std::string path;
    friend bool operator==(const TakeFile&, const TakeFile&) = default;
};

using Incoming = std::variant<Request, TakeFile>;

// Frames: three little-endian 32-bit integers for a request, one for a reply.
[[nodiscard]] std::array<std::uint8_t, kRequestSize> encodeRequest(const Request& request) noexcept;
[[nodiscard]] Request decodeRequest(std::span<const std::uint8_t, kRequestSize> bytes) noexcept;
[[nodiscard]] std::array<std::uint8_t, kReplySize> encodeReply(std::int32_t value) noexcept;
[[nodiscard]] std::int32_t decodeReply(std::span<const std::uint8_t, kReplySize> bytes) noexcept;
// A hand-over: the request frame followed by the path bytes.
[[nodiscard]] std::vector<std::uint8_t> encodeTakeFile(std::string_view path);

// Cuts a byte stream from one connection into requests, in the order they were sent. A frame that
// cannot be trusted (a hand-over longer than kMaxPathBytes) poisons the stream: the connection must be
// closed, since nothing after it can be framed reliably.
class RequestParser {
public:
    void feed(std::span<const std::uint8_t> bytes);
    [[nodiscard]] std::optional<Incoming> next();
    [[nodiscard]] bool broken() const noexcept { return m_broken; }

private:
    std::deque<std::uint8_t> m_buffer;
    bool m_broken = false;
};

// Why a handed-over path is refused, before the file system is asked.
enum class PathVerdict { Acceptable, Empty, TooLong, NotAbsolute, HasNulByte };
[[nodiscard]] PathVerdict checkPathText(std::string_view path) noexcept;

} // namespace playerwire
