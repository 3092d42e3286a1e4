#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace text {

// Where one fixed-width field sits in a record.
struct Field {
    std::size_t offset;
    std::size_t width;

    [[nodiscard]] constexpr std::size_t end() const noexcept { return offset + width; }
};

// Fixed-width text fields of the record files. Text is stored as UTF-8, cut after the last whole
// character that fits the width and padded with blanks, so plain ASCII gives exactly the bytes the
// older single-byte files held.
void writeTextField(std::span<std::uint8_t> field, std::string_view utf8) noexcept;

// Reads a text field: the bytes up to the first NUL, without leading and trailing blanks, as UTF-8;
// bytes that are not UTF-8 (files written on Windows) are read as Windows-1252.
[[nodiscard]] std::string readTextField(std::span<const std::uint8_t> field);

// The same without a copy when the field holds UTF-8 already (as every field the station writes
// does): a view of the field's bytes, or of `scratch` holding the repaired text.
[[nodiscard]] std::string_view readTextField(std::span<const std::uint8_t> field, std::string& scratch);

// File paths are stored as the file name's own bytes, never transcoded and never cut: a cut path
// names another file. A path that does not fit, or that starts or ends in a blank (the reader could
// not tell those blanks from the padding), cannot be stored.
[[nodiscard]] bool pathFits(std::string_view path, std::size_t width) noexcept;

// Writes the path and returns true, or returns false and leaves the field untouched.
[[nodiscard]] bool writePathField(std::span<std::uint8_t> field, std::string_view path) noexcept;

// Reads a path field: the bytes up to the first NUL, without leading and trailing blanks, unchanged.
[[nodiscard]] std::string readPathField(std::span<const std::uint8_t> field);
// The same as a view of the field's bytes.
[[nodiscard]] std::string_view pathFieldView(std::span<const std::uint8_t> field) noexcept;

template <class Bytes> [[nodiscard]] constexpr auto fieldOf(Bytes& record, Field where) noexcept {
    return std::span(record).subspan(where.offset, where.width);
}

} // namespace text

namespace text {

// The 16-bit number field of every record: little-endian, two's complement.
constexpr void writeNumberField(std::span<std::uint8_t> field, std::uint16_t value) noexcept {
    field[0] = static_cast<std::uint8_t>(value & 0xFF);
    field[1] = static_cast<std::uint8_t>(value >> 8);
}

[[nodiscard]] constexpr std::int16_t readNumberField(std::span<const std::uint8_t> field) noexcept {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(field[0] | (field[1] << 8)));
}

} // namespace text
