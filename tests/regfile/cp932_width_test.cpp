#include "regfile/cp932_width.h"

#include <gtest/gtest.h>

namespace tallowin::regfile {
namespace {

TEST(Cp932Width, CountsShiftJisBytes) {
  struct Case {
    std::u16string_view Text;
    std::size_t Width;
  };
  const Case cases[] = {
      {u"", 0},
      {u"Path", 4},
      {u"\"\\=\x7f", 4},
      {u"パス", 4},                 // full-width katakana: double-byte
      {u"環境変数", 8},
      {u"\uFF71\uFF72", 2},         // half-width katakana: single-byte
      {u"\uFF60\uFFA0", 4},         // just outside the half-width range
      {u"\u00e9", 2},
      {u"a\U0001F600b", 3},         // a surrogate pair becomes one '?'
      {u"\xD800", 1},               // unpaired high surrogate
      {u"\xDC00\xD800x", 3},        // unpaired low, then high before a non-surrogate
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Cp932Width(c.Text), c.Width) << "case " << (&c - cases);
  }
}

}  // namespace
}  // namespace tallowin::regfile
