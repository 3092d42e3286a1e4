#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace text {

// Windows-1252, the single-byte code page of the station's older files and of text typed for them.
// The five bytes the code page leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1
// controls of the same value, as Windows maps them, so that every byte decodes and encodes back to
// itself.
[[nodiscard]] char32_t windows1252ToCodePoint(std::uint8_t byte) noexcept;
[[nodiscard]] std::optional<std::uint8_t> codePointToWindows1252(char32_t codePoint) noexcept;

// Bytes in Windows-1252 to UTF-8.
[[nodiscard]] std::string decodeWindows1252(std::string_view bytes);

// UTF-8 to Windows-1252; a character the code page lacks, or a byte that is not UTF-8, becomes
// `replacement`.
[[nodiscard]] std::string encodeWindows1252(std::string_view utf8, char replacement = '?');

// True when `utf8` is valid UTF-8 and every character of it has a Windows-1252 byte.
[[nodiscard]] bool fitsWindows1252(std::string_view utf8) noexcept;

} // namespace text
