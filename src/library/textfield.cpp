#include "library/textfield.h"

#include "library/utf8.h"

#include <algorithm>
#include <cstring>

namespace text {

namespace {
std::string_view contentOf(std::span<const std::uint8_t> field) noexcept {
    // Trimmed first, so that the search for a NUL covers the text and not the padding; a NUL is not
    // a blank, so trimming never passes one.
    const std::string_view trimmed =
        trimBlanks(std::string_view(reinterpret_cast<const char*>(field.data()), field.size()));
    const std::size_t nul = trimmed.find('\0');
    return nul == std::string_view::npos ? trimmed : trimBlanks(trimmed.substr(0, nul));
}
} // namespace

void writeTextField(std::span<std::uint8_t> field, std::string_view utf8) noexcept {
    const std::size_t length = utf8PrefixBytes(utf8, field.size());
    std::memcpy(field.data(), utf8.data(), length);
    std::fill(field.begin() + static_cast<std::ptrdiff_t>(length), field.end(), std::uint8_t{' '});
}

std::string readTextField(std::span<const std::uint8_t> field) {
    return repairUtf8(contentOf(field));
}

std::string_view readTextField(std::span<const std::uint8_t> field, std::string& scratch) {
    const std::string_view content = contentOf(field);
    if (isAscii(content) || isValidUtf8(content))
        return content;
    scratch = repairUtf8(content);
    return scratch;
}

bool pathFits(std::string_view path, std::size_t width) noexcept {
    if (path.size() > width || path.find('\0') != std::string_view::npos)
        return false;
    return path.empty() || (path.front() != ' ' && path.back() != ' ');
}

bool writePathField(std::span<std::uint8_t> field, std::string_view path) noexcept {
    if (!pathFits(path, field.size()))
        return false;
    std::memcpy(field.data(), path.data(), path.size());
    std::fill(field.begin() + static_cast<std::ptrdiff_t>(path.size()), field.end(), std::uint8_t{' '});
    return true;
}

std::string readPathField(std::span<const std::uint8_t> field) {
    return std::string(contentOf(field));
}

std::string_view pathFieldView(std::span<const std::uint8_t> field) noexcept {
    return contentOf(field);
}

} // namespace text
