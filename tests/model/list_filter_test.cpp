#include "model/list_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The same cases run in the host build (its own folding) and under Wine
// (the system's mapping).
namespace tallowin {
namespace {

TEST(ListFilter, FindsTheTextIgnoringCaseAndWidth) {
  const struct {
    std::u16string_view Text;
    std::u16string_view Filter;
    bool Matches;
  } cases[] = {
      {u"JAVA_HOME", u"java", true},   {u"ＪＡＶＡ＿ＨＯＭＥ", u"a_h", true}, {u"java", u"ＪＡＶＡ", true},
      {u"ｶﾞｲﾄﾞ", u"ガイ", true},       {u"ガイド", u"ｶﾞｲ", true},          {u"ﾊﾟｽ", u"パス", true},
      {u"C:\\Program Files", u"program f", true}, {u"Path", u"", true},
      {u"がいど", u"ガイ", false},     {u"ガイド", u"ｶｲ", false},          {u"TEMP", u"temp2", false},
      {u"", u"a", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchesFilter(c.Text, c.Filter), c.Matches)
        << ::testing::PrintToString(std::u16string(c.Text)) << " / " << ::testing::PrintToString(std::u16string(c.Filter));
  }
  EXPECT_EQ(FilterCountText(3, 120), u"120件中3件を表示");
}

// A row stays shown while it matches, once shown until the text changes,
// and while it is the current row.
TEST(ListFilter, ARowShownStaysUntilTheTextChanges) {
  struct Step {
    std::u16string_view Text;
    std::vector<FilterRow> Rows;
    int Current;
    std::vector<int> Shown;
  };
  const FilterRow java{1, u"JAVA_HOME", u"C:\\jdk"};
  const FilterRow temp{2, u"TEMP", u"%USERPROFILE%\\Temp"};
  const FilterRow tool{3, u"Tool", u"notepad"};
  const FilterRow renamed{2, u"TMPDIR", u"C:\\tmp"};
  const FilterRow added{4, u"Temp2", u""};
  const FilterRow other{5, u"EDITOR", u"vi"};
  const Step steps[] = {
      {u"", {java, temp, tool}, 0, {0, 1, 2}},
      {u"tem", {java, temp, tool}, -1, {1}},
      {u"tem", {java, renamed, tool}, -1, {1}},          // an edit made it stop matching
      {u"tem", {java, renamed, tool, added}, -1, {1, 3}},
      {u"tem", {java, renamed, other, added}, 2, {1, 2, 3}},  // the current row
      {u"temp", {java, renamed, other, added}, -1, {3}},  // a new text forgets them
      {u"", {java, renamed, other, added}, -1, {0, 1, 2, 3}},
      {u"JDK", {java, renamed, other, added}, -1, {0}},  // by its data alone
  };
  ListFilter filter;
  for (const Step& step : steps) {
    filter.SetText(step.Text);
    EXPECT_EQ(filter.Apply(step.Rows, step.Current), step.Shown) << ::testing::PrintToString(std::u16string(step.Text));
  }
}

// Items of the Path list keep their keys through the edits of the Path tab.
TEST(ListFilter, PathItemsKeepTheirKeysThroughEdits) {
  const struct {
    std::vector<std::u16string> Items;
    std::vector<RowKey> Keys;
  } steps[] = {
      {{u"A;", u"B;", u"C;"}, {1, 2, 3}},
      {{u"A;", u"X;", u"C;"}, {1, 2, 3}},              // Replace
      {{u"A;", u"C;", u"X;"}, {1, 3, 2}},              // the move up
      {{u"A;", u"Y;", u"C;", u"X;"}, {1, 4, 3, 2}},    // Add
      {{u"Y;", u"C;", u"X;"}, {4, 3, 2}},              // Delete
      {{u"Y;", u"C;", u"X;", u"C;"}, {4, 3, 2, 5}},    // a second copy
      {{u"C;", u"X;", u"Y;", u"C;"}, {3, 2, 4, 5}},
  };
  PathItemKeys keys;
  for (const auto& step : steps) EXPECT_EQ(keys.Follow(step.Items), step.Keys);
}

}  // namespace
}  // namespace tallowin
