#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tallowin::regfile {

// Appends bytes as regedit's hex list ("25,00,53,00"), lower-case, wrapped so
// that no physical line reaches 80 code page 932 bytes: before each byte, if
// the current line's width plus 3 is 80 or more, "\" CR LF and two blanks
// start a new line of width 2. `lineWidth` is the width of what the current
// physical line already holds.
void AppendWrappedHexList(std::u16string& line, std::size_t lineWidth, const std::vector<std::uint8_t>& bytes);

}  // namespace tallowin::regfile
