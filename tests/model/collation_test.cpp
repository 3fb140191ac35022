#include "model/collation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/edit_list.h"

namespace tallowin {
namespace {

std::vector<std::u16string> SortedByEditList(const std::vector<std::u16string>& names) {
  EditList list;
  for (const auto& name : names) list.Add(VariableEntry::FromTexts(name, u"REG_SZ", u""));
  std::vector<std::u16string> order;
  for (int i = 0; i < list.Count(); ++i) order.push_back(list.At(i).Name);
  return order;
}

// The same cases run in the host build (portable word sort) and under Wine
// (the platform's word sort).
TEST(NameOrder, FollowsWordSortRules) {
  struct Case {
    std::vector<std::u16string> Input;
    std::vector<std::u16string> Expected;
  };
  const Case cases[] = {
      // Letters without regard to case.
      {{u"tmp", u"TEMP", u"Path"}, {u"Path", u"TEMP", u"tmp"}},
      {{u"windir", u"TEMP", u"tmp", u"OS", u"Path", u"ComSpec"},
       {u"ComSpec", u"OS", u"Path", u"TEMP", u"tmp", u"windir"}},
      // Symbols and punctuation before digits before letters.
      {{u"A1", u"1A", u"_A", u"A_"}, {u"_A", u"1A", u"A_", u"A1"}},
      {{u"Z", u"9", u"_"}, {u"_", u"9", u"Z"}},
      // A prefix sorts before the longer name.
      {{u"PATHEXT", u"Path"}, {u"Path", u"PATHEXT"}},
      // coop and co-op stand together; co_op (a symbol, weighed) does not.
      {{u"cop", u"co-op", u"co_op", u"coop"}, {u"co_op", u"coop", u"co-op", u"cop"}},
      {{u"cant", u"can't", u"can_t", u"cat"}, {u"can_t", u"cant", u"can't", u"cat"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SortedByEditList(c.Input), c.Expected);
  }
}

TEST(NameOrder, LowerCaseFirstOnlyOnATie) {
  EXPECT_LT(CompareNames(u"path", u"Path"), 0);
  EXPECT_LT(CompareNames(u"Path", u"PATH"), 0);
  // Case decides only when nothing else does: "PATH" < "pathA".
  EXPECT_LT(CompareNames(u"PATH", u"pathA"), 0);
  EXPECT_LT(CompareNames(u"aB", u"Ab"), 0);
  EXPECT_EQ(CompareNames(u"Path", u"Path"), 0);
  EXPECT_EQ(CompareNames(u"", u""), 0);
  EXPECT_LT(CompareNames(u"", u"_"), 0);
}

// Lists sort by prepared keys; the keys must order every pair of names as
// comparing the names does (on Windows these are two platform services).
TEST(NameOrder, KeysOrderAsNamesCompare) {
  const std::u16string names[] = {u"",      u"Path",  u"PATH", u"path",   u"PATHEXT", u"co-op", u"coop",
                                  u"co_op", u"can't", u"A1",   u"A_",     u"_A",      u"9",     u"ÄRGER",
                                  u"arger", u"環境",  u"ｶﾅ",   u"TEMP",   u"tmp",     u"a b",   u"ab"};
  for (const auto& a : names) {
    for (const auto& b : names) {
      const int byNames = CompareNames(a, b);
      const int byKeys = CompareCollationKeys(MakeCollationKey(a), MakeCollationKey(b));
      EXPECT_EQ((byNames > 0) - (byNames < 0), byKeys) << ::testing::PrintToString(a) << " vs "
                                                       << ::testing::PrintToString(b);
    }
  }
}

TEST(NameComparison, EqualityAndCaseFolding) {
  EXPECT_TRUE(NamesEqual(u"Path", u"Path"));
  EXPECT_FALSE(NamesEqual(u"PATH", u"Path"));
  EXPECT_FALSE(NamesEqual(u"Path", u"Path "));
  EXPECT_TRUE(EqualsIgnoringCase(u"PATH", u"path"));
  EXPECT_TRUE(EqualsIgnoringCase(u"reg_expand_sz", u"REG_EXPAND_SZ"));
  EXPECT_FALSE(EqualsIgnoringCase(u"REG_SZ ", u"REG_SZ"));
  EXPECT_FALSE(EqualsIgnoringCase(u"Paths", u"Path"));
}

}  // namespace
}  // namespace tallowin
