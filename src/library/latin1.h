#pragma once

#include <string>
#include <string_view>

namespace text {

// ISO-8859-1, the single-byte encoding of ID3 tags: every byte is the code point of the same value.
[[nodiscard]] std::string decodeLatin1(std::string_view bytes);

// UTF-8 to ISO-8859-1; a character past U+00FF, or a byte that is not UTF-8, becomes `replacement`.
[[nodiscard]] std::string encodeLatin1(std::string_view utf8, char replacement = '?');

// True when `utf8` is valid UTF-8 and holds no character past U+00FF.
[[nodiscard]] bool fitsLatin1(std::string_view utf8) noexcept;

} // namespace text
