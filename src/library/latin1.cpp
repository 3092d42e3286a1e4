#include "library/latin1.h"

#include "library/utf8.h"

#include <cstdint>
#include <optional>

namespace text {

std::string decodeLatin1(std::string_view bytes) {
    if (isAscii(bytes))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes)
        appendUtf8(out, static_cast<unsigned char>(c));
    return out;
}

namespace {
std::optional<std::uint8_t> latin1Byte(char32_t c) noexcept {
    return c <= 0xFF ? std::optional<std::uint8_t>(static_cast<std::uint8_t>(c)) : std::nullopt;
}
} // namespace

std::string encodeLatin1(std::string_view utf8, char replacement) {
    return encodeSingleByte(utf8, replacement, latin1Byte);
}

bool fitsLatin1(std::string_view utf8) noexcept {
    return fitsSingleByte(utf8, latin1Byte);
}

} // namespace text
