#include "library/latin1.h"

#include "library/utf8.h"

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

std::string encodeLatin1(std::string_view utf8, char replacement) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const Utf8Step step = decodeUtf8Step(utf8, pos);
        if (step.length == 0) {
            out.push_back(replacement);
            ++pos;
            continue;
        }
        out.push_back(step.codePoint <= 0xFF ? static_cast<char>(step.codePoint) : replacement);
        pos += step.length;
    }
    return out;
}

bool fitsLatin1(std::string_view utf8) noexcept {
    for (std::size_t pos = 0; pos < utf8.size();) {
        const Utf8Step step = decodeUtf8Step(utf8, pos);
        if (step.length == 0 || step.codePoint > 0xFF)
            return false;
        pos += step.length;
    }
    return true;
}

} // namespace text
