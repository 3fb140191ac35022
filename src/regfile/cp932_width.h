#pragma once

#include <cstddef>
#include <string_view>

namespace tallowin::regfile {

// The number of bytes a text takes in code page 932 (Shift-JIS), computed
// without converting it: 2 for each character the code page writes in two
// bytes, 1 for everything else. A character the code page lacks becomes a
// single byte, its best fit ('e' for 'é') or the default character '?', and
// so does each half of a surrogate pair and an unpaired surrogate.
std::size_t Cp932Width(std::u16string_view text);

}  // namespace tallowin::regfile
