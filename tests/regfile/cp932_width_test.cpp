#include "regfile/cp932_width.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

namespace tallowin::regfile {
namespace {

struct Case {
  std::u16string_view Text;
  std::size_t Width;
};

// Widths as Wine's WideCharToMultiByte(932) gives them: a character the code
// page lacks becomes one byte, its best-fit neighbour or '?'.
const Case kCases[] = {
    {u"", 0},
    {u"Path", 4},
    {u"\"\\=\x7f", 4},
    {u"パス", 4},                  // full-width katakana: double-byte
    {u"環境変数", 8},
    {u"\u4E02", 1},                // a kanji that code page 932 lacks
    {u"\uFF71\uFF72", 2},          // half-width katakana: single-byte
    {u"\uFF60\uFFA0", 2},          // just outside the half-width range, and lacking
    {u"\u00e9", 1},                // é: best fit 'e'
    {u"ma\u00f1ana", 6},           // ñ: best fit 'n'
    {u"\uD55C\uAD6D\uC5B4", 3},    // Hangul: '?' each
    {u"\u00a2\u00a3", 4},          // ¢ £: best fit to their full-width forms
    {u"\u00a5", 1},                // ¥: best fit to the single byte 0x5C
    {u"\uE000", 2},                // private use: a user-defined character
    {u"a\U0001F600b", 4},          // a surrogate pair: '?' for each half
    {u"\xD800", 1},                // unpaired high surrogate
    {u"\xDC00\xD800x", 3},         // unpaired low, then high before a non-surrogate
};

TEST(Cp932Width, CountsShiftJisBytes) {
  for (const Case& c : kCases) {
    EXPECT_EQ(Cp932Width(c.Text), c.Width) << "case " << (&c - kCases);
  }
}

#ifdef _WIN32
std::size_t SystemWidth(std::u16string_view text) {
  return static_cast<std::size_t>(::WideCharToMultiByte(932, 0, reinterpret_cast<const wchar_t*>(text.data()),
                                                        static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr));
}

TEST(Cp932Width, AgreesWithTheSystemConversion) {
  for (const Case& c : kCases) {
    EXPECT_EQ(SystemWidth(c.Text), c.Width) << "case " << (&c - kCases);
  }
}

TEST(Cp932Width, AgreesWithTheSystemConversionForEveryCodeUnit) {
  int mismatches = 0;
  for (char32_t code = 0; code <= 0xFFFF; ++code) {
    const char16_t unit = static_cast<char16_t>(code);
    const std::u16string_view text(&unit, 1);
    const std::size_t expected = SystemWidth(text);
    if (Cp932Width(text) == expected) continue;
    if (++mismatches <= 20) {
      ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(code) << ": system width " << expected;
    }
  }
  EXPECT_EQ(mismatches, 0);
}
#endif

}  // namespace
}  // namespace tallowin::regfile
