#include "model/type_names.h"

#include <gtest/gtest.h>

namespace tallowin {
namespace {

TEST(TypeNames, TableAndLookups) {
  ASSERT_EQ(kTypeNames.size(), 12u);
  EXPECT_EQ(TypeNameOf(0), u"REG_NONE");
  EXPECT_EQ(TypeNameOf(2), u"REG_EXPAND_SZ");
  EXPECT_EQ(TypeNameOf(11), u"REG_QWORD");
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
