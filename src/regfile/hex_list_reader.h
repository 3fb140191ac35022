#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tallowin::regfile {

// Reads a hex list ("25,00, 53 ,00") given in pieces, as if the pieces were
// one text: the segments of a value's first line and its continuation lines.
// Each byte is one or two hexadecimal digits (either case); commas separate
// bytes, with optional blanks or tabs around them; one comma may end the
// list (a value cut short after its line's backslash). Anything else makes
// the list malformed: a third digit (a number above ff), two bytes without a
// comma, an empty element, any other character.
class HexListReader {
 public:
  // False once the list is malformed.
  bool Feed(std::u16string_view segment);
  // The bytes, or nothing when the list is malformed.
  std::optional<std::vector<std::uint8_t>> Finish();

 private:
  // One unit of the text; its digit value, or -1.
  void Step(char16_t unit, int digit);
  void StepInByte(char16_t unit, int digit);

  enum class State { ExpectByte, InByte, AfterByte, Malformed };

  State state_ = State::ExpectByte;
  int digits_ = 0;
  unsigned byte_ = 0;
  std::vector<std::uint8_t> bytes_;
};

}  // namespace tallowin::regfile
