#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace id3 {

// The text encodings of ID3v2, named by the byte that opens a text frame.
inline constexpr std::uint8_t kLatin1 = 0;
inline constexpr std::uint8_t kUtf16 = 1;   // with a byte order mark
inline constexpr std::uint8_t kUtf16Be = 2; // version 2.4 only
inline constexpr std::uint8_t kUtf8 = 3;    // version 2.4 only

// One string cut from the front of some bytes: its text as UTF-8, whether a terminator ended it,
// and the bytes after the terminator.
struct DecodedString {
    std::string text;
    bool terminated = false;
    std::span<const std::uint8_t> rest;
};

[[nodiscard]] DecodedString decodeString(std::uint8_t encoding, std::span<const std::uint8_t> bytes);

// The first value of a text frame (an encoding byte, then the text). Nothing when the content is
// empty or the encoding byte is unknown.
[[nodiscard]] std::optional<std::string> decodeTextFrame(std::span<const std::uint8_t> content);

// A comment frame: the standard layout (encoding, language, description, text), or the bare layout
// older versions of the station wrote (encoding, text), told apart by the description's terminator,
// which only the standard layout has.
struct Comment {
    std::string language;
    std::string description;
    std::string text;
};

[[nodiscard]] std::optional<Comment> decodeCommentFrame(std::span<const std::uint8_t> content);

// The genre a genre frame's value stands for: "(17)" and "17" are the genre table's name for 17,
// "(RX)" and "(CR)" are "Remix" and "Cover", a reference followed by a name gives the reference,
// "((" escapes a name that starts with "(". A number without a name gives nothing.
[[nodiscard]] std::string resolveGenre(std::string_view value);

// The content of a text frame for `utf8`: ISO-8859-1 when every character fits, otherwise UTF-16
// with a byte order mark (version 2.3) or UTF-8 (version 2.4).
[[nodiscard]] std::vector<std::uint8_t> encodeTextFrame(std::string_view utf8, std::uint8_t major);

// The content of a comment frame for `utf8`: language "eng", an empty description, the text.
[[nodiscard]] std::vector<std::uint8_t> encodeCommentFrame(std::string_view utf8, std::uint8_t major);

} // namespace id3
