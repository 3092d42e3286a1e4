#pragma once

#include <string>
#include <string_view>

namespace tk {

// Compares two UTF-8 texts ignoring letter case: <0, 0 or >0. The order is that of the texts' code
// points after Unicode simple case folding (so "abc" == "ABC", "Émile" == "émile", and "_" sorts
// before letters), which gives every sort of the lists one consistent total order. Plain ASCII runs are
// compared byte by byte without decoding; a byte that is not valid UTF-8 sorts after every character,
// by its value.
[[nodiscard]] int compareIgnoringCase(std::string_view a, std::string_view b) noexcept;

// Appends `utf8` in lower case to `out`: every character by the Unicode simple lower-case mapping
// ("É" becomes "é"), bytes that are not UTF-8 as they are.
void appendLowerCase(std::string& out, std::string_view utf8);

} // namespace tk
