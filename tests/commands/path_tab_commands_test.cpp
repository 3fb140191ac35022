#include "commands/path_tab_commands.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "editing_bench.h"

namespace tallowin {
namespace {

using testing::ScriptedClipboard;
using Lines = std::vector<std::u16string>;

const std::u16string kClipboardFailedText = u"クリップボードに書き込めませんでした。操作は取り消されました。";

class PathTabTest : public ::testing::Test, protected testing::EditingBench {
 protected:
  // Everything a Path command may change.
  struct Seen {
    Lines PathList;
    int PathIndex;
    Lines PathClip;
    std::u16string Edit1;
    std::u16string Edit2;
    std::u16string EntryData;
    bool operator==(const Seen&) const = default;
  };
  Seen Look() const {
    return {model.PathList, model.PathIndex, model.PathClip, model.Edit1, model.Edit2, PathEntryData()};
  }
};

// Replace or Paste that puts back the very items the list holds is no edit:
// Save still writes the Path exactly as it was read.
TEST_F(PathTabTest, PuttingTheSameItemsBackKeepsThePathAsRead) {
  const std::u16string read = u"C:\\A;C:\\B\r\nC:\\C";
  for (const char* what : {"replace", "paste"}) {
    SCOPED_TRACE(what);
    ShowPath(read, 1);
    if (std::string(what) == "replace") {
      EditReplaseBtnExecute(model, state, ports);
    } else {
      model.PathClip = {u"C:\\B;"};
      EditPasteExecute(model, state, ports);
    }
    EXPECT_EQ(PathWritten(), TextToValue(kRegExpandSz, read));
    EXPECT_EQ(model.PathList, (Lines{u"C:\\A;", u"C:\\B;", u"C:\\C;"}));
  }
  // A real change writes the edited text.
  model.Edit2 = u"D:\\B;";
  EditReplaseBtnExecute(model, state, ports);
  EXPECT_EQ(PathWritten(), TextToValue(kRegExpandSz, u"C:\\A;D:\\B;C:\\C;"));
}

// A removed item stays removed in what Save writes, however it was removed
// and whatever refresh follows.
TEST_F(PathTabTest, RemovingAnItemWritesTheListShown) {
  for (const char* what : {"delete", "cut"}) {
    SCOPED_TRACE(what);
    ShowPath(u"C:\\A;C:\\B;C:\\C", 1);
    if (std::string(what) == "delete") {
      EditDeleteExecute(model, state, ports);
    } else {
      EditCutExecute(model, state, ports);
    }
    model.PathListClick(0);
    EXPECT_EQ(PathWritten(), TextToValue(kRegExpandSz, u"C:\\A;C:\\C;"));
  }
}

TEST_F(PathTabTest, AddAndReplaceFromEdit2) {
  enum Op { Add, Replace };
  struct Case {
    const char* What;
    Op Command;
    int Current;
    std::u16string Edit2;
    Lines Items;
    int Index;
  };
  const Case cases[] = {
      {"copy of the current item", Add, 1, u"C:\\B;", {u"C:\\A;", u"C:\\B;", u"C:\\B;", u"C:\\C;"}, 1},
      {"two directories", Add, 1, u"D:\\A;D:\\B", {u"C:\\A;", u"D:\\A;", u"D:\\B;", u"C:\\B;", u"C:\\C;"}, 1},
      {"lone ';' joins the current item", Add, 1, u";", {u"C:\\A;", u";C:\\B;", u"C:\\C;"}, 1},
      {"blanks trimmed", Add, 3, u"  D:\\T ", {u"C:\\A;", u"C:\\B;", u"C:\\C;", u"D:\\T;"}, 3},
      {"no current item: at the start", Add, -1, u"D:\\T", {u"D:\\T;", u"C:\\A;", u"C:\\B;", u"C:\\C;"}, 0},
      {"empty Edit2 adds nothing", Add, 1, u"", {u"C:\\A;", u"C:\\B;", u"C:\\C;"}, 1},
      {"blank Edit2 adds nothing", Add, 1, u" \t ", {u"C:\\A;", u"C:\\B;", u"C:\\C;"}, 1},
      {"unchanged", Replace, 1, u"C:\\B;", {u"C:\\A;", u"C:\\B;", u"C:\\C;"}, 1},
      {"one item by two", Replace, 2, u"D:\\A;D:\\B", {u"C:\\A;", u"C:\\B;", u"D:\\A;", u"D:\\B;"}, 2},
      {"empty Edit2 deletes nothing", Replace, 1, u"", {u"C:\\A;", u"C:\\B;", u"C:\\C;"}, 1},
      {"blank Edit2 deletes nothing", Replace, 0, u"   ", {u"C:\\A;", u"C:\\B;", u"C:\\C;"}, 0},
      {"no current item", Replace, -1, u"D:\\T", {u"C:\\A;", u"C:\\B;", u"C:\\C;"}, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    ShowPath(u"C:\\A;C:\\B;C:\\C", c.Current);
    model.Edit2 = c.Edit2;
    if (c.Command == Add) {
      EditAddBtnExecute(model, state, ports);
    } else {
      EditReplaseBtnExecute(model, state, ports);
    }
    EXPECT_EQ(model.PathList, c.Items);
    EXPECT_EQ(model.PathIndex, c.Index);
  }
  EXPECT_TRUE(dialogs.Shown.empty());
}

TEST_F(PathTabTest, ChangeShowsTheNewValueEverywhere) {
  ShowPath(u"C:\\A;C:\\B", 1);
  model.Edit2 = u"D:\\N";
  EditAddBtnExecute(model, state, ports);
  EXPECT_EQ(model.Edit1, u"C:\\A;D:\\N;C:\\B;");
  EXPECT_EQ(PathEntryData(), u"C:\\A;D:\\N;C:\\B;");
  EXPECT_EQ(model.Edit2, u"D:\\N;");
  EXPECT_EQ(model.PathListSelection(), 1);
  EXPECT_EQ(model.UpDownMax(), 2);
  EXPECT_EQ(model.UpDownPosition(), 1);
  EXPECT_EQ(model.CountText, u"3 項目");
}

// An empty Path list: Add puts the item first; the others have nothing to
// act on.
TEST_F(PathTabTest, EmptyListTakesOnlyAnAdd) {
  ShowPath(u"", 0);
  model.Edit2 = u"C:\\N";
  EditReplaseBtnExecute(model, state, ports);
  EditDeleteExecute(model, state, ports);
  model.PathClip = {u"C:\\P;"};
  EditPasteExecute(model, state, ports);
  EXPECT_TRUE(model.PathList.empty());

  EditAddBtnExecute(model, state, ports);
  EXPECT_EQ(model.PathList, Lines{u"C:\\N;"});
  EXPECT_EQ(model.PathIndex, 0);
  EXPECT_EQ(model.Edit2, u"C:\\N;");
}

TEST_F(PathTabTest, DeleteMakesTheFollowingItemCurrent) {
  struct Case {
    std::u16string Value;
    int Current;
    Lines Items;
    int Index;
  };
  const Case cases[] = {
      {u"a;b;c;d;e;", 1, {u"a;", u"c;", u"d;", u"e;"}, 1},
      {u"a;b;c;d;e;", 4, {u"a;", u"b;", u"c;", u"d;"}, 3},
      {u"a;", 0, {}, -1},
      {u"a;b;", -1, {u"a;", u"b;"}, -1},  // nothing selected
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "current " << c.Current);
    ShowPath(c.Value, c.Current);
    EditDeleteBtnExecute(model, state, ports);
    EXPECT_EQ(model.PathList, c.Items);
    EXPECT_EQ(model.PathIndex, c.Index);
    EXPECT_EQ(model.PathListSelection(), c.Index);
  }
}

TEST_F(PathTabTest, CutCopyAndPasteUseBothClipboards) {
  ShowPath(u"C:\\A;C:\\B;C:\\C;C:\\D;", 0);
  EditCopyExecute(model, state, ports);
  EXPECT_EQ(model.PathClip, Lines{u"C:\\A;"});
  EXPECT_EQ(clipboard.Text, u"C:\\A;\r\n");

  model.PathListClick(3);
  EditPasteExecute(model, state, ports);
  EXPECT_EQ(model.PathList, (Lines{u"C:\\A;", u"C:\\B;", u"C:\\C;", u"C:\\A;"}));
  EXPECT_EQ(model.PathIndex, 3);

  model.PathListClick(1);
  EditCutExecute(model, state, ports);
  EXPECT_EQ(model.PathList, (Lines{u"C:\\A;", u"C:\\C;", u"C:\\A;"}));
  EXPECT_EQ(model.PathClip, Lines{u"C:\\B;"});
  EXPECT_EQ(clipboard.Text, u"C:\\B;\r\n");
  EXPECT_EQ(model.Edit2, u"C:\\C;");
  // The system clipboard is written, never read, on the Path tab.
  clipboard.Text = u"X;\r\n";
  EditPasteExecute(model, state, ports);
  EXPECT_EQ(model.PathList, (Lines{u"C:\\A;", u"C:\\B;", u"C:\\A;"}));
}

TEST_F(PathTabTest, CutAndCopyWithoutSelectionEmptyTheClipboards) {
  ShowPath(u"C:\\A;", 0);
  model.PathListClick(-1);
  model.PathClip = {u"OLD;"};
  EditCutExecute(model, state, ports);
  EXPECT_TRUE(model.PathClip.empty());
  EXPECT_EQ(clipboard.Text, u"");
  EXPECT_EQ(model.PathList, Lines{u"C:\\A;"});

  // Pasting an empty Path clipboard would delete the current item.
  model.PathListClick(0);
  EditPasteExecute(model, state, ports);
  EXPECT_EQ(model.PathList, Lines{u"C:\\A;"});
}

TEST_F(PathTabTest, MoveKeepsTheItemCurrent) {
  using enum UpDownButton;
  struct Case {
    const char* What;
    std::u16string Value;
    int Current;
    std::vector<UpDownButton> Presses;
    Lines Items;
    int Index;
  };
  const Case cases[] = {
      {"up from 3 of 5", u"a;b;c;d;e;", 2, {Up}, {u"a;", u"c;", u"b;", u"d;", u"e;"}, 1},
      {"down twice from 1 of 4", u"a;b;c;d;", 0, {Down, Down}, {u"b;", u"c;", u"a;", u"d;"}, 2},
      {"up on the first", u"a;b;", 0, {Up}, {u"a;", u"b;"}, 0},
      {"down on the last", u"a;b;", 1, {Down}, {u"a;", u"b;"}, 1},
      {"no current item", u"a;b;", -1, {Up, Down}, {u"a;", u"b;"}, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    clipboard = ScriptedClipboard();
    ShowPath(c.Value, c.Current);
    model.PathClip = {u"OLD;"};
    for (const UpDownButton button : c.Presses) UpDownClick(model, button);
    EXPECT_EQ(model.PathList, c.Items);
    EXPECT_EQ(model.PathIndex, c.Index);
    EXPECT_EQ(model.PathListSelection(), c.Index);
    // A move is no cut: both clipboards keep what the user put there.
    EXPECT_EQ(model.PathClip, Lines{u"OLD;"});
    EXPECT_TRUE(clipboard.Writes.empty());
  }
}

// Another program holding the clipboard: the command is taken back whole
// and the status bar says why.
TEST_F(PathTabTest, HeldClipboardTakesTheCommandBack) {
  ShowPath(u"a;b;c;", 1);
  model.PathClip = {u"OLD;"};
  const Seen before = Look();
  clipboard.Held = true;

  EXPECT_EQ(EditCutExecute(model, state, ports).StatusText, kClipboardFailedText);
  EXPECT_EQ(Look(), before);
  EXPECT_EQ(EditCopyExecute(model, state, ports).StatusText, kClipboardFailedText);
  EXPECT_EQ(Look(), before);
  // A move needs no clipboard.
  UpDownClick(model, UpDownButton::Up);
  EXPECT_EQ(model.PathList, (Lines{u"b;", u"a;", u"c;"}));
}

TEST_F(PathTabTest, BrowseStartsAtTheExpandedDirectoryOrTheLastOne) {
  environment.Expansions = {{u"%SystemRoot%\\system32", u"C:\\windows\\system32"}};
  environment.Directories = {u"C:\\windows\\system32", u"C:\\Tools"};
  struct Case {
    std::u16string Edit2;
    std::optional<std::u16string> Answer;
    std::u16string OpenedAt;
    std::u16string Edit2After;
  };
  // One browse after another: each opens where the one before left it when
  // Edit2 names no existing directory.
  const Case cases[] = {
      {u"C:\\Missing;", std::nullopt, u"", u"C:\\Missing;"},
      {u"%SystemRoot%\\system32;", u"C:\\Tools", u"C:\\windows\\system32", u"C:\\Tools;"},
      {u"C:\\Missing;", u"D:\\x;", u"C:\\windows\\system32", u"D:\\x;"},
      {u"C:\\Tools;;", std::nullopt, u"C:\\windows\\system32", u"C:\\Tools;;"},  // one ';' dropped
      {u"C:\\Tools", std::nullopt, u"C:\\Tools", u"C:\\Tools"},
      {u"", u"  E:\\Sp ace ", u"C:\\Tools", u"E:\\Sp ace;"},
  };
  ShowPath(u"a;b;", 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << folders.StartFolders.size());
    model.Edit2 = c.Edit2;
    folders.Answers = {c.Answer};
    FileBrowseExecute(model, state, ports);
    EXPECT_EQ(folders.StartFolders.back(), c.OpenedAt);
    EXPECT_EQ(model.Edit2, c.Edit2After);
  }
  EXPECT_EQ(model.PathList, (Lines{u"a;", u"b;"}));
  EXPECT_EQ(model.Edit1, u"a;b;");
}

}  // namespace
}  // namespace tallowin
