#include "model/main_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/value_text.h"

namespace tallowin {
namespace {

using Lines = std::vector<std::u16string>;

// A model whose System list holds a Path entry (linked) and one more row.
MainModel WithPathEntry(std::u16string data) {
  MainModel model;
  model.SysList.Add(VariableEntry::FromTexts(u"OS", u"REG_SZ", u"Windows_NT"));
  const int row = model.SysList.Add(VariableEntry::FromTexts(u"Path", u"REG_EXPAND_SZ", std::move(data)));
  model.LinkPathEntry(row);
  model.RefreshPathView();
  return model;
}

std::u16string PathEntryData(const MainModel& model) {
  return std::u16string(model.SysList.At(model.PathEntryIndex()).Data());
}

TEST(PathView, TypingRebuildsTheListAndMirrorsTheTypedText) {
  MainModel model = WithPathEntry(u"");
  model.Edit1Change(u"C:\\A;C:\\B");
  EXPECT_EQ(model.PathList, (Lines{u"C:\\A;", u"C:\\B;"}));
  EXPECT_EQ(model.Edit1, u"C:\\A;C:\\B");
  EXPECT_EQ(PathEntryData(model), u"C:\\A;C:\\B");
  // The count is not touched while typing.
  EXPECT_EQ(model.CountText, u"0 項目");

  model.PathListClick(1);
  EXPECT_EQ(model.Edit1, u"C:\\A;C:\\B;");
  EXPECT_EQ(PathEntryData(model), u"C:\\A;C:\\B;");
  EXPECT_EQ(model.Edit2, u"C:\\B;");
  EXPECT_EQ(model.CountText, u"2 項目");
}

TEST(PathView, ShrinkingListPullsTheIndexDown) {
  MainModel model = WithPathEntry(u"C:\\A;C:\\B;C:\\C;");
  model.PathListClick(2);
  model.Edit1Change(u"C:\\A");
  EXPECT_EQ(model.PathIndex, 0);
  EXPECT_EQ(model.PathListSelection, 0);
  EXPECT_EQ(model.Edit2, u"C:\\A;");
  EXPECT_EQ(model.UpDownMax, 0);
  EXPECT_EQ(model.UpDownPosition, 0);

  // An empty value: no item, no selection, index -1, and the entry mirrors it.
  model.Edit1Change(u"");
  EXPECT_TRUE(model.PathList.empty());
  EXPECT_EQ(model.PathLastIndex, -1);
  EXPECT_EQ(model.PathIndex, -1);
  EXPECT_EQ(model.PathListSelection, -1);
  EXPECT_EQ(model.Edit2, u"");
  EXPECT_EQ(model.UpDownMax, -1);
  EXPECT_EQ(model.UpDownPosition, 0);
  EXPECT_EQ(PathEntryData(model), u"");

  // A longer list again does not raise an index below 0.
  model.Edit1Change(u"C:\\A;C:\\B");
  EXPECT_EQ(model.PathIndex, -1);
  EXPECT_EQ(model.PathListSelection, -1);
  EXPECT_EQ(model.UpDownPosition, 2);
}

TEST(PathView, UpDownCountsFromTheBottom) {
  MainModel model = WithPathEntry(u"a;b;c;d;");
  model.PathListClick(0);
  EXPECT_EQ(model.UpDownMax, 3);
  EXPECT_EQ(model.UpDownPosition, 3);
  model.PathListClick(3);
  EXPECT_EQ(model.UpDownMax, 3);
  EXPECT_EQ(model.UpDownPosition, 0);
}

TEST(PathView, LoadedValueGetsOneClosingSemicolon) {
  MainModel model = WithPathEntry(u"C:\\A;;C:\\B");
  EXPECT_EQ(model.PathList, (Lines{u"C:\\A;", u";C:\\B;"}));
  EXPECT_EQ(model.Edit1, u"C:\\A;;C:\\B;");
  EXPECT_EQ(PathEntryData(model), u"C:\\A;;C:\\B;");
  EXPECT_EQ(model.PathIndex, 0);
  EXPECT_EQ(model.Edit2, u"C:\\A;");
}

TEST(PathView, CountTextFollowsTheTabShown) {
  MainModel model = WithPathEntry(u"a;b;c;");
  EXPECT_EQ(model.CountText, u"3 項目");
  model.ShowTab(Tab::System);
  EXPECT_EQ(model.CountText, u"2 項目");
  model.RefreshPathView();
  EXPECT_EQ(model.CountText, u"2 項目");
  model.UserList.Add(VariableEntry::FromTexts(u"TEMP", u"REG_SZ", u""));
  model.ShowTab(Tab::User);
  model.RefreshPathView();
  EXPECT_EQ(model.CountText, u"1 項目");
}

TEST(PathView, WithoutPathEntryNothingIsMirrored) {
  MainModel model;
  model.SysList.Add(VariableEntry::FromTexts(u"OS", u"REG_SZ", u"Windows_NT"));
  model.Edit1Change(u"C:\\A;C:\\B");
  model.RefreshPathView();
  EXPECT_EQ(model.PathList.size(), 2u);
  ASSERT_EQ(model.SysList.Count(), 1);
  EXPECT_EQ(model.SysList.At(0).Data(), u"Windows_NT");

  // A PATH row found ignoring case, once deleted, leaves the link empty.
  const int row = model.SysList.Add(VariableEntry::FromTexts(u"PATH", u"REG_EXPAND_SZ", u"X;"));
  model.LinkPathEntry(row);
  model.SysList.Delete(model.PathEntryIndex());
  EXPECT_EQ(model.PathEntryIndex(), -1);
  model.Edit1Change(u"Y;");
  EXPECT_EQ(model.SysList.Count(), 1);
}

TEST(PathView, JoinedPathKeepsTheStoredBytes) {
  MainModel model;
  const RegistryValue stored = TextToValue(2, u"C:\\A;C:\\B");
  const int row = model.SysList.Add(VariableEntry::FromValue(u"Path", stored));
  model.LinkPathEntry(row);
  model.RefreshPathView();
  model.AcceptJoinedPathAsStored();
  const VariableEntry& entry = model.SysList.At(model.PathEntryIndex());
  EXPECT_EQ(entry.Data(), u"C:\\A;C:\\B;");
  EXPECT_EQ(ValueToWrite(entry), stored);

  // A real edit is written from the text.
  model.Edit1Change(u"C:\\A");
  model.RefreshPathView();
  EXPECT_EQ(ValueToWrite(model.SysList.At(model.PathEntryIndex())), TextToValue(2, u"C:\\A;"));
}

}  // namespace
}  // namespace tallowin
