#include "model/utf16le.h"

#include <gtest/gtest.h>

namespace tallowin {
namespace {

// Registry data and files: odd lengths, zero units and characters beyond
// one byte come out unit by unit, and the writer appends after what it has.
TEST(Utf16Le, ReadsAndWritesUnitByUnit) {
  struct Case {
    std::vector<std::uint8_t> Bytes;
    std::u16string Text;
    std::u16string UpToZero;
  };
  const Case cases[] = {
      {{}, u"", u""},
      {{0x61}, u"a", u"a"},  // an odd last byte is a unit with a zero high byte
      {{0x61, 0x00, 0x62}, u"ab", u"ab"},
      {{0x42, 0x30, 0x00, 0x00, 0x3b, 0x00}, std::u16string(u"\x3042\0;", 3), u"\x3042"},
      {{0x00, 0x00, 0x41, 0x00}, std::u16string(u"\0A", 2), u""},
      {{0x3d, 0xd8, 0x00, 0xde}, u"\xd83d\xde00", u"\xd83d\xde00"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf16LeText(c.Bytes), c.Text);
    EXPECT_EQ(Utf16LeTextUpToZero(c.Bytes), c.UpToZero);
    if (c.Bytes.size() % 2 == 0) {
      std::vector<std::uint8_t> written = {0xff};
      AppendUtf16Le(written, c.Text);
      EXPECT_EQ(written, [&] {
        std::vector<std::uint8_t> expected = {0xff};
        expected.insert(expected.end(), c.Bytes.begin(), c.Bytes.end());
        return expected;
      }());
    }
  }
}

}  // namespace
}  // namespace tallowin
