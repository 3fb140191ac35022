#pragma once

#include <cstddef>
#include <string_view>

namespace tallowin::regfile {

// The number of bytes a text takes in code page 932 (Shift-JIS), computed
// without converting it: 1 for ASCII and for half-width katakana
// (U+FF61..U+FF9F), 2 for every other character of the Basic Multilingual
// Plane. A character outside that plane (a surrogate pair) and an unpaired
// surrogate have no code page 932 form; a conversion writes the default
// character '?' in their place, so each counts 1.
std::size_t Cp932Width(std::u16string_view text);

}  // namespace tallowin::regfile
