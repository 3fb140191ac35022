#include "model/edit_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tallowin {
namespace {

std::vector<std::u16string> Names(const EditList& list) {
  std::vector<std::u16string> names;
  for (int i = 0; i < list.Count(); ++i) names.push_back(list.At(i).Name);
  return names;
}

VariableEntry Entry(std::u16string name) { return VariableEntry::FromTexts(std::move(name), u"REG_SZ", u"x"); }

TEST(EditList, InsertedRowMovesToItsPlaceWhenNamed) {
  EditList list;
  list.Add(Entry(u"tmp"));
  list.Add(Entry(u"TEMP"));
  list.Add(Entry(u"Path"));
  ASSERT_EQ(Names(list), (std::vector<std::u16string>{u"Path", u"TEMP", u"tmp"}));

  // Inserted before index 0 without a name, it stays there until named.
  const int at = list.Insert(0, VariableEntry{});
  EXPECT_EQ(at, 0);
  EXPECT_EQ(list.At(0).Name, u"");
  const int named = list.SetName(0, u"windir");
  EXPECT_EQ(named, 3);
  EXPECT_EQ(Names(list), (std::vector<std::u16string>{u"Path", u"TEMP", u"tmp", u"windir"}));
}

TEST(EditList, UnnamedRowKeepsItsPlaceUntilTheNextSort) {
  EditList list;
  list.Add(Entry(u"B"));
  list.Add(Entry(u"D"));
  // An empty name is no change of name: the row stays at the end...
  EXPECT_EQ(list.Add(Entry(u"")), 2);
  EXPECT_EQ(Names(list), (std::vector<std::u16string>{u"B", u"D", u""}));
  // ...until another row is named and the whole list sorts itself.
  list.Add(Entry(u"C"));
  EXPECT_EQ(Names(list), (std::vector<std::u16string>{u"", u"B", u"C", u"D"}));
}

TEST(EditList, RenamingKeepsSelectionAndEqualNamesKeepTheirOrder) {
  EditList list;
  list.Add(Entry(u"A"));
  list.Add(Entry(u"B"));
  list.Add(Entry(u"C"));
  list.Select(1);
  EXPECT_EQ(list.SetName(1, u"B"), 1);
  EXPECT_EQ(list.Selected(), 1);

  // The selection follows its row to the new place.
  EXPECT_EQ(list.SetName(1, u"Z"), 2);
  EXPECT_EQ(list.Selected(), 2);
  EXPECT_EQ(list.At(2).Name, u"Z");

  // Two rows of one name: a renamed row lands after an equal name that stood
  // above it and before one that stood below it.
  EditList twins;
  twins.Add(VariableEntry::FromTexts(u"X", u"REG_SZ", u"first"));
  twins.Add(VariableEntry::FromTexts(u"X", u"REG_SZ", u"second"));
  twins.Add(VariableEntry::FromTexts(u"A", u"REG_SZ", u"third"));
  ASSERT_EQ(twins.At(0).Data(), u"third");
  EXPECT_EQ(twins.SetName(0, u"X"), 0);
  EXPECT_EQ(twins.At(0).Data(), u"third");
  EXPECT_EQ(twins.At(1).Data(), u"first");
}

// What a list holds, row by row: id, name and data.
std::vector<std::u16string> Rows(const EditList& list) {
  std::vector<std::u16string> rows;
  for (int i = 0; i < list.Count(); ++i) {
    rows.push_back(std::u16string(1, static_cast<char16_t>(u'0' + list.IdAt(i))) + u" " + list.At(i).Name + u"=" +
                   std::u16string(list.At(i).Data()));
  }
  return rows;
}

TEST(EditList, AddAllOrdersAsAddingOneByOne) {
  const auto named = [](std::u16string name, std::u16string data) {
    return VariableEntry::FromTexts(std::move(name), u"REG_SZ", std::move(data));
  };
  struct Case {
    const char* What;
    std::vector<VariableEntry> Before;
    std::vector<VariableEntry> Added;
  };
  const Case cases[] = {
      {"equal names keep the order they came in", {},
       {named(u"X", u"1"), named(u"path", u"2"), named(u"X", u"3"), named(u"PATH", u"4"), named(u"A", u"5"),
        named(u"path", u"6")}},
      {"added after the rows of an equal name already there", {named(u"X", u"old"), named(u"B", u"old")},
       {named(u"X", u"new"), named(u"A", u"new"), named(u"B", u"new")}},
      {"a list put out of order by an unnamed row sorts whole", {named(u"B", u"1"), named(u"D", u"2"), named(u"", u"3")},
       {named(u"C", u"4"), named(u"A", u"5")}},
      {"an unnamed row added keeps the place Add gives it", {named(u"B", u"1")},
       {named(u"C", u"2"), named(u"", u"3")}},
      {"nothing added", {named(u"B", u"1"), named(u"A", u"2")}, {}},
  };
  for (const Case& c : cases) {
    EditList oneByOne;
    EditList all;
    for (const VariableEntry& entry : c.Before) {
      oneByOne.Add(entry);
      all.Add(entry);
    }
    if (!c.Before.empty()) {
      oneByOne.Select(0);
      all.Select(0);
    }
    for (const VariableEntry& entry : c.Added) oneByOne.Add(entry);
    all.AddAll(c.Added);
    EXPECT_EQ(Rows(all), Rows(oneByOne)) << c.What;
    EXPECT_EQ(all.Selected(), oneByOne.Selected()) << c.What;
    EXPECT_TRUE(all.SameAs(oneByOne)) << c.What;
    // Both go on sorting a renamed row in the same way.
    if (all.Count() > 1) {
      EXPECT_EQ(all.SetName(all.Count() - 1, u"M"), oneByOne.SetName(oneByOne.Count() - 1, u"M")) << c.What;
      EXPECT_EQ(Rows(all), Rows(oneByOne)) << c.What;
    }
  }
}

TEST(EditList, DeleteClearFindAndIds) {
  EditList list;
  list.Add(Entry(u"PATH"));
  list.Add(Entry(u"TEMP"));
  list.Add(Entry(u"Path"));
  EXPECT_EQ(list.FindIgnoringCase(u"path"), 0);  // the first of PATH and Path
  EXPECT_EQ(list.FindIgnoringCase(u"Pat"), -1);  // no partial matches
  EXPECT_EQ(list.FindIgnoringCase(u"temp"), 2);

  const EntryId temp = list.IdAt(2);
  list.Select(2);
  list.Delete(0);
  EXPECT_EQ(list.IndexOf(temp), 1);
  EXPECT_EQ(list.Selected(), 1);
  list.Delete(1);
  EXPECT_EQ(list.IndexOf(temp), -1);
  EXPECT_EQ(list.Selected(), -1);

  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.CountText(), u"0 項目");
  // A row added after Clear never takes an old row's identity.
  list.Add(Entry(u"TEMP"));
  EXPECT_NE(list.IdAt(0), temp);
}

TEST(EditList, SubItemsAreFilledInOrder) {
  EditList list;
  list.Add(VariableEntry{u"A", {}, std::nullopt});
  list.SetData(0, u"data");  // sub-item 1: sub-item 0 is made empty first
  ASSERT_EQ(list.At(0).SubItems.size(), 2u);
  EXPECT_EQ(list.At(0).TypeName(), u"");
  EXPECT_EQ(list.At(0).Data(), u"data");
}

TEST(ItemCountText, Formats) {
  EXPECT_EQ(ItemCountText(0), u"0 項目");
  EXPECT_EQ(ItemCountText(12), u"12 項目");
  EXPECT_EQ(ItemCountText(10000), u"10000 項目");
}

}  // namespace
}  // namespace tallowin
