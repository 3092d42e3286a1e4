#include "library/windows1252.h"

#include "library/utf8.h"

#include <array>

namespace text {

namespace {
// The characters of 0x80 to 0x9F; the other bytes are the Unicode code point of the same value.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
} // namespace

char32_t windows1252ToCodePoint(std::uint8_t byte) noexcept {
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return byte;
}

std::optional<std::uint8_t> codePointToWindows1252(char32_t codePoint) noexcept {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<std::uint8_t>(codePoint);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == codePoint)
            return static_cast<std::uint8_t>(0x80 + i);
    }
    return std::nullopt;
}

std::string decodeWindows1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes)
        appendUtf8(out, windows1252ToCodePoint(static_cast<unsigned char>(c)));
    return out;
}

std::string encodeWindows1252(std::string_view utf8, char replacement) {
    return encodeSingleByte(utf8, replacement, codePointToWindows1252);
}

bool fitsWindows1252(std::string_view utf8) noexcept {
    return fitsSingleByte(utf8, codePointToWindows1252);
}

} // namespace text
