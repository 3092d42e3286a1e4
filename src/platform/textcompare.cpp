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

} // namespace tk
