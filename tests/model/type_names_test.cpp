#include "model/type_names.h"

#include <gtest/gtest.h>

#include <iterator>

namespace tallowin {
namespace {

TEST(TypeNames, TheTwelveNamesByCode) {
  const std::u16string_view names[] = {
      u"REG_NONE",
      u"REG_SZ",
      u"REG_EXPAND_SZ",
      u"REG_BINARY",
      u"REG_DWORD",
      u"REG_DWORD_BIG_ENDIAN",
      u"REG_LINK",
      u"REG_MULTI_SZ",
      u"REG_RESOURCE_LIST",
      u"REG_FULL_RESOURCE_DESCRIPTOR",
      u"REG_RESOURCE_REQUIREMENTS_LIST",
      u"REG_QWORD",
  };
  ASSERT_EQ(kTypeNames.size(), std::size(names));
  for (std::uint32_t code = 0; code < std::size(names); ++code) {
    EXPECT_EQ(kTypeNames[code], names[code]) << code;
    EXPECT_EQ(TypeNameOf(code), names[code]) << code;
    EXPECT_EQ(TypeIndexOf(names[code]), static_cast<int>(code));
  }
}

TEST(TypeNames, Lookups) {
  EXPECT_EQ(TypeNameOf(12), u"");
  EXPECT_EQ(TypeNameOf(0xffffffffu), u"");

  EXPECT_EQ(TypeIndexOf(u"reg_sz"), 1);
  EXPECT_EQ(TypeIndexOf(u"REG_EXPAND_SZ"), 2);
  EXPECT_EQ(TypeIndexOf(u"Reg_Qword"), 11);
  EXPECT_EQ(TypeIndexOf(u""), 12);
  EXPECT_EQ(TypeIndexOf(u"REG_SZ "), 12);
  EXPECT_EQ(TypeIndexOf(u"REG_DWORD_BIG"), 12);

  EXPECT_EQ(TypeCodeForWriting(u"reg_expand_sz"), 2u);
  EXPECT_EQ(TypeCodeForWriting(u"REG_FULL_RESOURCE_DESCRIPTOR"), 9u);
  EXPECT_EQ(TypeCodeForWriting(u"nonsense"), 0u);
  EXPECT_EQ(TypeCodeForWriting(u""), 0u);
}

}  // namespace
}  // namespace tallowin
