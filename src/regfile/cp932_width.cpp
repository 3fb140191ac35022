#include "regfile/cp932_width.h"

namespace tallowin::regfile {
namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::size_t Cp932Width(std::u16string_view text) {
  std::size_t width = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit < 0x80 || (unit >= 0xFF61 && unit <= 0xFF9F)) {
      width += 1;
    } else if (IsHighSurrogate(unit)) {
      // A pair becomes one '?'; so does a high surrogate standing alone.
      if (i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ++i;
      width += 1;
    } else if (IsLowSurrogate(unit)) {
      width += 1;
    } else {
      width += 2;
    }
  }
  return width;
}

}  // namespace tallowin::regfile
