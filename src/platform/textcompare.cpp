#include "platform/textcompare.h"

#include <QChar>

#include <cstddef>

namespace tk {

namespace {

constexpr unsigned char foldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c | 0x20) : c;
}

// Beyond the last code point, so stray bytes sort after every character and stay distinct.
constexpr char32_t kStrayByteBase = 0x110000;

// Decodes one code point at `i` and advances past it; a malformed sequence yields its first byte as a
// stray byte.
char32_t decode(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((b0 & 0xE0) == 0xC0) {
        length = 2;
        cp = b0 & 0x1F;
        minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3;
        cp = b0 & 0x0F;
        minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4;
        cp = b0 & 0x07;
        minimum = 0x10000;
    } else {
        ++i;
        return kStrayByteBase + b0;
    }
    if (i + static_cast<std::size_t>(length) > s.size()) {
        ++i;
        return kStrayByteBase + b0;
    }
    for (int k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return kStrayByteBase + b0;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return kStrayByteBase + b0;
    }
    i += static_cast<std::size_t>(length);
    return cp;
}

char32_t fold(char32_t cp) {
    return cp < kStrayByteBase ? QChar::toCaseFolded(cp) : cp;
}

int compareFolded(std::string_view a, std::string_view b, std::size_t i) {
    std::size_t j = i;
    while (i < a.size() && j < b.size()) {
        const char32_t ca = fold(decode(a, i));
        const char32_t cb = fold(decode(b, j));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    if (i < a.size()) {
        return 1;
    }
    return j < b.size() ? -1 : 0;
}

} // namespace

int compareIgnoringCase(std::string_view a, std::string_view b) noexcept {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if ((ca | cb) >= 0x80) {
            // Both prefixes are equal so far, and ASCII folds the same way in both paths.
            return compareFolded(a, b, i);
        }
        if (ca != cb) {
            const unsigned char fa = foldAscii(ca);
            const unsigned char fb = foldAscii(cb);
            if (fa != fb) {
                return fa < fb ? -1 : 1;
            }
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

void appendLowerCase(std::string& out, std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            out.push_back(static_cast<char>((b >= 'A' && b <= 'Z') ? (b | 0x20) : b));
            ++i;
            continue;
        }
        const std::size_t at = i;
        const char32_t cp = decode(utf8, i);
        if (cp >= kStrayByteBase) {
            out.push_back(utf8[at]);
            continue;
        }
        const char32_t lower = QChar::toLower(cp);
        if (lower == cp) {
            out.append(utf8.substr(at, i - at));
            continue;
        }
        // UTF-8 of the lower-case code point (a few letters lower to ASCII: the Kelvin sign to "k").
        if (lower < 0x80) {
            out.push_back(static_cast<char>(lower));
            continue;
        }
        if (lower < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (lower >> 6)));
        } else if (lower < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (lower >> 12)));
            out.push_back(static_cast<char>(0x80 | ((lower >> 6) & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (lower >> 18)));
            out.push_back(static_cast<char>(0x80 | ((lower >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((lower >> 6) & 0x3F)));
        }
        out.push_back(static_cast<char>(0x80 | (lower & 0x3F)));
    }
}

} // namespace tk
