#include "library/utf8.h"

#include "library/windows1252.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace text {

Utf8Step decodeUtf8Step(std::string_view bytes, std::size_t pos) noexcept {
    const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byteAt(pos);
    if (lead < 0x80)
        return {lead, 1};
    std::size_t length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
        minimum = 0x10000;
    } else {
        return {};
    }
    if (bytes.size() - pos < length)
        return {};
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char c = byteAt(pos + i);
        if ((c & 0xC0) != 0x80)
            return {};
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return {};
    return {cp, length};
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = kReplacementCharacter;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

bool isAscii(std::string_view bytes) noexcept {
    unsigned char any = 0;
    for (const char c : bytes)
        any |= static_cast<unsigned char>(c);
    return any < 0x80;
}

bool isValidUtf8(std::string_view bytes) noexcept {
    for (std::size_t pos = 0; pos < bytes.size();) {
        const Utf8Step step = decodeUtf8Step(bytes, pos);
        if (step.length == 0)
            return false;
        pos += step.length;
    }
    return true;
}

std::string repairUtf8(std::string_view bytes) {
    if (isAscii(bytes))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (std::size_t pos = 0; pos < bytes.size();) {
        const Utf8Step step = decodeUtf8Step(bytes, pos);
        if (step.length == 0) {
            appendUtf8(out, windows1252ToCodePoint(static_cast<unsigned char>(bytes[pos])));
            ++pos;
        } else {
            out.append(bytes.substr(pos, step.length));
            pos += step.length;
        }
    }
    return out;
}

namespace {
std::size_t characterLength(std::string_view utf8, std::size_t pos) noexcept {
    const std::size_t length = decodeUtf8Step(utf8, pos).length;
    return length == 0 ? 1 : length;
}
} // namespace

std::size_t utf8PrefixBytes(std::string_view utf8, std::size_t maxBytes) noexcept {
    if (utf8.size() <= maxBytes)
        return utf8.size();
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t next = pos + characterLength(utf8, pos);
        if (next > maxBytes)
            break;
        pos = next;
    }
    return pos;
}

std::string_view firstCharacters(std::string_view utf8, std::size_t count) noexcept {
    std::size_t pos = 0;
    for (std::size_t n = 0; n < count && pos < utf8.size(); ++n)
        pos += characterLength(utf8, pos);
    return utf8.substr(0, pos);
}

std::string_view dropLastCharacters(std::string_view utf8, std::size_t count) noexcept {
    std::size_t characters = 0;
    for (std::size_t pos = 0; pos < utf8.size(); pos += characterLength(utf8, pos))
        ++characters;
    return characters <= count ? std::string_view{} : firstCharacters(utf8, characters - count);
}

std::string_view trimBlanks(std::string_view s) noexcept {
    // A word at a time, four words a step over the trailing blanks, and the blanks inside the last
    // word counted from its bits: record fields are mostly padding, and every field of every record
    // loaded passes here.
    constexpr std::uint64_t kEightBlanks = 0x2020202020202020ULL;
    constexpr bool kLittle = std::endian::native == std::endian::little;
    // The word's bytes that are not blanks, as bits; the text's first byte is the word's low byte.
    const auto offBlanks = [](const char* p) {
        std::uint64_t word = 0;
        std::memcpy(&word, p, sizeof word);
        return word ^ kEightBlanks;
    };
    const char* begin = s.data();
    const char* end = begin + s.size();
    while (end - begin >= 32 &&
           (offBlanks(end - 32) | offBlanks(end - 24) | offBlanks(end - 16) | offBlanks(end - 8)) == 0)
        end -= 32;
    while (end - begin >= 8 && offBlanks(end - 8) == 0)
        end -= 8;
    if (end - begin >= 8) {
        const std::uint64_t off = offBlanks(end - 8);
        end -= (kLittle ? std::countl_zero(off) : std::countr_zero(off)) / 8;
    } else {
        while (end > begin && end[-1] == ' ')
            --end;
    }
    while (end - begin >= 8 && offBlanks(begin) == 0)
        begin += 8;
    if (end - begin >= 8) {
        const std::uint64_t off = offBlanks(begin);
        begin += (kLittle ? std::countr_zero(off) : std::countl_zero(off)) / 8;
    } else {
        while (begin < end && *begin == ' ')
            ++begin;
    }
    return {begin, static_cast<std::size_t>(end - begin)};
}

} // namespace text
