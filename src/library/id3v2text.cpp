#include "library/id3v2text.h"

#include "library/genres.h"
#include "library/latin1.h"
#include "library/utf8.h"

#include <algorithm>
#include <cstring>

namespace id3 {

namespace {
std::string_view asChars(std::span<const std::uint8_t> bytes) noexcept {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

std::string decodeUtf16(std::span<const std::uint8_t> bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size());
    const auto unit = [&](std::size_t i) -> char32_t {
        return bigEndian ? char32_t(bytes[i] << 8 | bytes[i + 1]) : char32_t(bytes[i + 1] << 8 | bytes[i]);
    };
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                text::appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        text::appendUtf8(out, (u >= 0xD800 && u <= 0xDFFF) ? text::kReplacementCharacter : u);
    }
    return out;
}

void appendUtf16Le(std::vector<std::uint8_t>& out, std::string_view utf8) {
    const auto put = [&](char32_t u) {
        out.push_back(static_cast<std::uint8_t>(u & 0xFF));
        out.push_back(static_cast<std::uint8_t>(u >> 8));
    };
    for (std::size_t pos = 0; pos < utf8.size();) {
        const text::Utf8Step step = text::decodeUtf8Step(utf8, pos);
        const char32_t cp = step.length == 0 ? text::kReplacementCharacter : step.codePoint;
        pos += step.length == 0 ? 1 : step.length;
        if (cp >= 0x10000) {
            put(0xD800 + ((cp - 0x10000) >> 10));
            put(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            put(cp);
        }
    }
}

// Encoding byte and terminator of a string of the version's best encoding for `utf8`.
std::uint8_t encodingFor(std::string_view utf8, std::uint8_t major) noexcept {
    if (text::fitsLatin1(utf8))
        return kLatin1;
    return major >= 4 ? kUtf8 : kUtf16;
}

void appendString(std::vector<std::uint8_t>& out, std::uint8_t encoding, std::string_view utf8) {
    if (encoding == kLatin1) {
        const std::string bytes = text::encodeLatin1(utf8);
        out.insert(out.end(), bytes.begin(), bytes.end());
    } else if (encoding == kUtf8) {
        out.insert(out.end(), utf8.begin(), utf8.end());
    } else {
        out.push_back(0xFF);
        out.push_back(0xFE);
        appendUtf16Le(out, utf8);
    }
}
} // namespace

DecodedString decodeString(std::uint8_t encoding, std::span<const std::uint8_t> bytes) {
    DecodedString result;
    if (encoding == kUtf16 || encoding == kUtf16Be) {
        std::size_t end = 0;
        while (end + 1 < bytes.size() && !(bytes[end] == 0 && bytes[end + 1] == 0))
            end += 2;
        result.terminated = end + 1 < bytes.size();
        std::span<const std::uint8_t> units = bytes.first(std::min(end, bytes.size()));
        bool bigEndian = encoding == kUtf16Be;
        if (encoding == kUtf16 && units.size() >= 2 &&
            ((units[0] == 0xFF && units[1] == 0xFE) || (units[0] == 0xFE && units[1] == 0xFF))) {
            bigEndian = units[0] == 0xFE;
            units = units.subspan(2);
        }
        result.text = decodeUtf16(units, bigEndian);
        result.rest = result.terminated ? bytes.subspan(end + 2) : std::span<const std::uint8_t>{};
        return result;
    }
    const auto* nul = static_cast<const std::uint8_t*>(std::memchr(bytes.data(), 0, bytes.size()));
    const std::size_t end = nul ? static_cast<std::size_t>(nul - bytes.data()) : bytes.size();
    result.terminated = nul != nullptr;
    const std::string_view chars = asChars(bytes.first(end));
    result.text = encoding == kUtf8 ? text::repairUtf8(chars) : text::decodeLatin1(chars);
    result.rest = result.terminated ? bytes.subspan(end + 1) : std::span<const std::uint8_t>{};
    return result;
}

std::optional<std::string> decodeTextFrame(std::span<const std::uint8_t> content) {
    if (content.empty() || content[0] > kUtf8)
        return std::nullopt;
    return decodeString(content[0], content.subspan(1)).text;
}

std::optional<Comment> decodeCommentFrame(std::span<const std::uint8_t> content) {
    if (content.empty() || content[0] > kUtf8)
        return std::nullopt;
    const std::uint8_t encoding = content[0];
    if (content.size() >= 4) {
        DecodedString description = decodeString(encoding, content.subspan(4));
        if (description.terminated) {
            Comment comment;
            comment.language = text::repairUtf8(asChars(content.subspan(1, 3)));
            comment.language.erase(std::find(comment.language.begin(), comment.language.end(), '\0'),
                                   comment.language.end());
            comment.description = std::move(description.text);
            comment.text = decodeString(encoding, description.rest).text;
            return comment;
        }
    }
    Comment bare;
    bare.text = decodeString(encoding, content.subspan(1)).text;
    return bare;
}

std::string resolveGenre(std::string_view value) {
    const auto isNumber = [](std::string_view s) {
        return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    // The name of one reference; empty for a number the genre table does not name.
    const auto named = [&](std::string_view ref) -> std::optional<std::string_view> {
        if (isNumber(ref))
            return ref.size() <= 3 ? library::genreName(std::stoi(std::string(ref))).value_or("") : "";
        if (ref == "RX")
            return "Remix";
        if (ref == "CR")
            return "Cover";
        return std::nullopt;
    };
    if (const auto whole = named(value))
        return std::string(*whole);
    std::string_view first;
    std::string_view rest = value;
    while (rest.size() >= 3 && rest[0] == '(' && rest[1] != '(') {
        const std::size_t close = rest.find(')');
        const auto ref = close == std::string_view::npos ? std::nullopt : named(rest.substr(1, close - 1));
        if (!ref)
            break;
        if (first.empty())
            first = *ref;
        rest.remove_prefix(close + 1);
    }
    if (!first.empty())
        return std::string(first);
    if (rest.substr(0, 2) == "((")
        rest.remove_prefix(1);
    return std::string(rest);
}

std::vector<std::uint8_t> encodeTextFrame(std::string_view utf8, std::uint8_t major) {
    const std::uint8_t encoding = encodingFor(utf8, major);
    std::vector<std::uint8_t> out{encoding};
    appendString(out, encoding, utf8);
    return out;
}

std::vector<std::uint8_t> encodeCommentFrame(std::string_view utf8, std::uint8_t major) {
    const std::uint8_t encoding = encodingFor(utf8, major);
    std::vector<std::uint8_t> out{encoding, 'e', 'n', 'g'};
    appendString(out, encoding, "");
    out.push_back(0);
    if (encoding == kUtf16)
        out.push_back(0);
    appendString(out, encoding, utf8);
    return out;
}

} // namespace id3
