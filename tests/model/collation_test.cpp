#include "model/collation.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <iterator>
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

int Sign(int value) { return (value > 0) - (value < 0); }

// Lists sort by prepared keys: they must put names in word-sort order.
TEST(NameOrder, KeysOrderNamesAsTheWordSortDoes) {
  // Ascending, each name strictly before the next.
  const std::u16string ordered[] = {
      u"", u"_", u"_A", u"1A", u"9", u"A_", u"A1", u"ab", u"aB", u"Ab", u"AB", u"can_t", u"cant", u"can't",
      u"cat", u"co_op", u"coop", u"co-op", u"cop", u"path", u"Path", u"PATH", u"pathA", u"PATHEXT", u"TEMP",
      u"tmp", u"windir",
  };
  const std::size_t count = std::size(ordered);
  for (std::size_t i = 0; i < count; ++i) {
    for (std::size_t j = 0; j < count; ++j) {
      EXPECT_EQ(CompareCollationKeys(MakeCollationKey(ordered[i]), MakeCollationKey(ordered[j])),
                Sign(static_cast<int>(i) - static_cast<int>(j)))
          << ::testing::PrintToString(ordered[i]) << " vs " << ::testing::PrintToString(ordered[j]);
    }
  }
}

#ifdef _WIN32
// The keys are the platform's sort keys: they order every pair of names as
// the platform's own comparison does, names beyond ASCII included.
TEST(NameOrder, KeysOrderAsThePlatformCompares) {
  const std::u16string names[] = {u"", u"Path", u"PATH", u"co-op", u"coop", u"co_op", u"A1", u"_A",
                                  u"ÄRGER", u"arger", u"環境", u"ｶﾅ", u"カナ", u"a b", u"ab", u"\U0001F600"};
  for (const auto& a : names) {
    for (const auto& b : names) {
      const int platform = ::CompareStringEx(
          LOCALE_NAME_USER_DEFAULT, 0, reinterpret_cast<const wchar_t*>(a.data()), static_cast<int>(a.size()),
          reinterpret_cast<const wchar_t*>(b.data()), static_cast<int>(b.size()), nullptr, nullptr, 0);
      ASSERT_NE(platform, 0);
      EXPECT_EQ(CompareCollationKeys(MakeCollationKey(a), MakeCollationKey(b)), platform - CSTR_EQUAL)
          << ::testing::PrintToString(a) << " vs " << ::testing::PrintToString(b);
    }
  }
}
#endif

TEST(NameComparison, EqualityAndCaseFolding) {
  EXPECT_TRUE(NamesEqual(u"Path", u"Path"));
  EXPECT_FALSE(NamesEqual(u"PATH", u"Path"));
  EXPECT_FALSE(NamesEqual(u"Path", u"Path "));
  EXPECT_TRUE(EqualsIgnoringCase(u"PATH", u"path"));
  EXPECT_TRUE(EqualsIgnoringCase(u"reg_expand_sz", u"REG_EXPAND_SZ"));
  EXPECT_FALSE(EqualsIgnoringCase(u"REG_SZ ", u"REG_SZ"));
  EXPECT_FALSE(EqualsIgnoringCase(u"Paths", u"Path"));
  EXPECT_TRUE(SameRegistryName(u"JAVA_HOME", u"java_Home"));
  EXPECT_FALSE(SameRegistryName(u"co-op", u"coop"));
  // The word sort takes a decomposed accent for the precomposed one; the
  // registry keeps them apart.
  EXPECT_FALSE(SameRegistryName(u"\u00e9", u"e\u0301"));
#if defined(_WIN32)
  EXPECT_TRUE(SameRegistryName(u"\u00e4\u0414", u"\u00c4\u0434"));
#endif
}

// The keys that tell thousands of folders apart agree with the comparison
// itself, pair by pair.
TEST(Collation, CaseBlindKeysAreEqualExactlyWhenTheTextsAre) {
  const std::u16string_view texts[] = {u"C:\\Windows", u"c:\\WINDOWS", u"C:\\Windows\\", u"C:\\Windöws",
                                       u"C:\\WINDÖWS",  u"co-op",         u"coop",            u"ＡＢＣ",
                                       u"abc",            u"",              u"%SystemRoot%",    u"%SYSTEMROOT%"};
  for (const std::u16string_view a : texts) {
    for (const std::u16string_view b : texts) {
      EXPECT_EQ(MakeCaseBlindKey(a) == MakeCaseBlindKey(b), EqualsIgnoringCase(a, b))
          << std::string(a.begin(), a.end()) << " / " << std::string(b.begin(), b.end());
    }
  }
}

}  // namespace
}  // namespace tallowin
