#include "model/main_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/clip_item.h"
#include "model/odd_path_values.h"
#include "model/type_names.h"
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
  EXPECT_EQ(model.PathListSelection(), 0);
  EXPECT_EQ(model.Edit2, u"C:\\A;");
  EXPECT_EQ(model.UpDownMax(), 0);
  EXPECT_EQ(model.UpDownPosition(), 0);

  // An empty value: no item, no selection, index -1, and the entry mirrors it.
  model.Edit1Change(u"");
  EXPECT_TRUE(model.PathList.empty());
  EXPECT_EQ(model.PathLastIndex(), -1);
  EXPECT_EQ(model.PathIndex, -1);
  EXPECT_EQ(model.PathListSelection(), -1);
  EXPECT_EQ(model.Edit2, u"");
  EXPECT_EQ(model.UpDownMax(), -1);
  EXPECT_EQ(model.UpDownPosition(), 0);
  EXPECT_EQ(PathEntryData(model), u"");

  // A longer list again does not raise an index below 0.
  model.Edit1Change(u"C:\\A;C:\\B");
  EXPECT_EQ(model.PathIndex, -1);
  EXPECT_EQ(model.PathListSelection(), -1);
  EXPECT_EQ(model.UpDownPosition(), 2);
}

TEST(PathView, UpDownCountsFromTheBottom) {
  MainModel model = WithPathEntry(u"a;b;c;d;");
  model.PathListClick(0);
  EXPECT_EQ(model.UpDownMax(), 3);
  EXPECT_EQ(model.UpDownPosition(), 3);
  model.PathListClick(3);
  EXPECT_EQ(model.UpDownMax(), 3);
  EXPECT_EQ(model.UpDownPosition(), 0);
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

// A model whose Path entry was read with the given value and is shown on
// the Path tab as Load and Import show it.
MainModel WithReadPath(const RegistryValue& value) {
  MainModel model;
  model.SysList.Add(VariableEntry::FromValue(u"OS", TextToValue(kRegSz, u"Windows_NT")));
  model.LinkPathEntry(model.SysList.Add(VariableEntry::FromValue(u"Path", value)));
  model.RefreshPathView();
  return model;
}

const VariableEntry& PathEntryOf(const MainModel& model) { return model.SysList.At(model.PathEntryIndex()); }

// What Save writes for the Path entry.
RegistryValue PathWritten(const MainModel& model) {
  return model.ValuesToWrite(model.SysList).at(static_cast<std::size_t>(model.PathEntryIndex())).Value;
}

TEST(PathEntryValue, ShowingThePathWritesTheValueReadWhateverItHolds) {
  for (const testing::OddPathValue& c : testing::OddPathValues()) {
    SCOPED_TRACE(c.Name);
    MainModel model = WithReadPath(c.Value);
    // Looking at the value in every way the window can: selecting items,
    // switching tabs, and Edit1 reporting back the text it was given.
    model.PathListClick(model.PathLastIndex());
    model.ShowTab(Tab::System);
    model.ShowTab(Tab::Path);
    model.Edit1Change(std::u16string(model.Edit1));
    model.RefreshPathView();
    EXPECT_EQ(PathWritten(model), c.Value);
    // The entry still shows what Edit1 shows.
    EXPECT_EQ(PathEntryOf(model).Data(), model.Edit1);
  }
}

TEST(PathEntryValue, AnEditWritesTheEditedText) {
  for (const testing::OddPathValue& c : testing::OddPathValues()) {
    SCOPED_TRACE(c.Name);
    const std::u16string typeName(TypeNameOf(c.Value.TypeCode));

    // Typing into Edit1: the typed text, without a ';' added.
    MainModel typed = WithReadPath(c.Value);
    const std::u16string shown = typed.Edit1;
    typed.Edit1Change(shown + u"C:\\New");
    EXPECT_EQ(PathWritten(typed), TextToValue(c.Value.TypeCode, shown + u"C:\\New"));
    // Typed back to what was shown, the window shows what it was read as.
    typed.Edit1Change(shown);
    typed.RefreshPathView();
    EXPECT_EQ(PathWritten(typed), c.Value);

    // A command that rebuilds the Path list into the items it holds already
    // changed nothing: the value as read. Into other items: the joined text,
    // in which a line break no longer separates anything.
    MainModel rebuilt = WithReadPath(c.Value);
    rebuilt.SetPathValue(rebuilt.PathItemText());
    rebuilt.RefreshPathView();
    EXPECT_EQ(PathWritten(rebuilt), c.Value);
    rebuilt.SetPathValue(rebuilt.PathItemText() + u"C:\\New;\r\n");
    rebuilt.RefreshPathView();
    EXPECT_EQ(PathEntryOf(rebuilt).TypeName(), typeName);
    EXPECT_EQ(PathWritten(rebuilt), TextToValue(c.Value.TypeCode, rebuilt.Edit1));
  }
}

// A line break inside a Path value separates two directories as a ';' does,
// and goes on doing so when the list is edited: an edit never runs them
// into one.
TEST(PathEntryValue, ALineBreakInTheValueKeepsItsDirectoriesApart) {
  for (const std::u16string value : {u"C:\\A\rC:\\B", u"C:\\A\nC:\\B", u"C:\\A\r\nC:\\B", u"C:\\A\r\n\r\nC:\\B;\r\n"}) {
    MainModel model = WithReadPath(TextToValue(kRegExpandSz, value));
    EXPECT_EQ(model.PathList, (std::vector<std::u16string>{u"C:\\A;", u"C:\\B;"}));
    EXPECT_EQ(model.Edit1, u"C:\\A;C:\\B;");
    model.SetPathValue(model.PathItemText() + u"C:\\C;\r\n");
    model.RefreshPathView();
    EXPECT_EQ(PathWritten(model), TextToValue(kRegExpandSz, u"C:\\A;C:\\B;C:\\C;"));
  }
}

// Pasted over on the System tab (a row named PATH has no guard), the Path
// entry holds another entry's value, which is not what the Path tab shows.
TEST(PathEntryValue, APastedOverPathEntryWritesItsText) {
  MainModel pasted = WithReadPath(TextToValue(kRegExpandSz, u"C:\\A\r\nC:\\B"));
  const VariableEntry windir = VariableEntry::FromValue(u"windir", TextToValue(kRegExpandSz, u"%SystemRoot%"));
  CClipItem clip;
  clip.LoadFromItem(windir, CI_TYPE | CI_DATA);
  ASSERT_TRUE(clip.StoreToItem(pasted.SysList, pasted.PathEntryIndex(), CI_TYPE | CI_DATA));
  pasted.RefreshPathView();
  EXPECT_EQ(PathWritten(pasted), TextToValue(kRegExpandSz, pasted.Edit1));
}

}  // namespace
}  // namespace tallowin
