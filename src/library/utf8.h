#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace text {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// One decoded UTF-8 sequence; a length of 0 means the bytes at that place are not UTF-8.
struct Utf8Step {
    char32_t codePoint = 0;
    std::size_t length = 0;
};

// Decodes the sequence starting at `pos`. Overlong forms, surrogates and values past U+10FFFF are
// rejected, so that text which passes is exactly what a strict decoder accepts.
[[nodiscard]] Utf8Step decodeUtf8Step(std::string_view bytes, std::size_t pos) noexcept;

void appendUtf8(std::string& out, char32_t codePoint);

[[nodiscard]] bool isAscii(std::string_view bytes) noexcept;
[[nodiscard]] bool isValidUtf8(std::string_view bytes) noexcept;

// Text that is valid UTF-8 comes back unchanged; every byte that is not part of a valid sequence is
// read as Windows-1252, the code page of files written on Windows. The result is always valid UTF-8.
[[nodiscard]] std::string repairUtf8(std::string_view bytes);

// The length of the longest prefix of `utf8` that has at most `maxBytes` bytes and ends on a
// character boundary; invalid bytes count as one character each.
[[nodiscard]] std::size_t utf8PrefixBytes(std::string_view utf8, std::size_t maxBytes) noexcept;

// The first `count` characters of `utf8` (invalid bytes count as one character each).
[[nodiscard]] std::string_view firstCharacters(std::string_view utf8, std::size_t count) noexcept;

// The text without its last `count` characters.
[[nodiscard]] std::string_view dropLastCharacters(std::string_view utf8, std::size_t count) noexcept;

// UTF-8 to a single-byte code page: `toByte` maps a code point to its byte (an optional); a character
// it has no byte for, or a byte that is not UTF-8, becomes `replacement`.
template <class ToByte>
[[nodiscard]] std::string encodeSingleByte(std::string_view utf8, char replacement, ToByte toByte) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const Utf8Step step = decodeUtf8Step(utf8, pos);
        if (step.length == 0) {
            out.push_back(replacement);
            ++pos;
            continue;
        }
        const auto byte = toByte(step.codePoint);
        out.push_back(byte ? static_cast<char>(*byte) : replacement);
        pos += step.length;
    }
    return out;
}

// True when `utf8` is valid UTF-8 and `toByte` has a byte for every character of it.
template <class ToByte> [[nodiscard]] bool fitsSingleByte(std::string_view utf8, ToByte toByte) noexcept {
    for (std::size_t pos = 0; pos < utf8.size();) {
        const Utf8Step step = decodeUtf8Step(utf8, pos);
        if (step.length == 0 || !toByte(step.codePoint))
            return false;
        pos += step.length;
    }
    return true;
}

// Removes leading and trailing blanks (0x20), the trimming every reader of a record field does.
[[nodiscard]] std::string_view trimBlanks(std::string_view s) noexcept;

} // namespace text
