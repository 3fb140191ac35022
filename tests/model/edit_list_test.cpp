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
