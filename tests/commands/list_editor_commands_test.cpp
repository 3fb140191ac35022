#include "commands/list_editor_commands.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "commands/edit_history.h"
#include "editing_bench.h"

namespace tallowin {
namespace {

using Answers = std::vector<std::optional<FolderAnswer>>;

class ListEditorTest : public ::testing::Test, protected testing::EditingBench {
 protected:
  // The User tab with a row of this value selected, and its editor.
  ListEditor Open(std::u16string_view name, std::u16string_view value, std::uint32_t type = kRegExpandSz) {
    model.UserList.Add(VariableEntry::FromValue(std::u16string(name), TextToValue(type, value)));
    Show(Tab::User, name);
    return OpenListEditor(model).value();
  }
  std::u16string UserData(std::u16string_view name) {
    return std::u16string(model.UserList.At(model.UserList.FindIgnoringCase(name)).Data());
  }
};

// OK without a change gives back every byte; so does a change taken back.
TEST_F(ListEditorTest, AnUnchangedListGivesTheValueBack) {
  for (const std::u16string value : {u"C:\\A;;C:\\B", u"A;B\r\nC", u";C:\\A", u" A ; B", u"\"C:\\T;2\";A;", u";"}) {
    ListEditor editor = Open(u"L", value);
    MoveListItem(editor, false);
    MoveListItem(editor, true);
    EXPECT_TRUE(ApplyListEditor(model, editor, ports));
    EXPECT_EQ(model.UserList.At(model.UserList.Selected()).Data(), value);
    EXPECT_EQ(model.ValuesToWrite(model.UserList)[static_cast<std::size_t>(model.UserList.Selected())].Value,
              TextToValue(kRegExpandSz, value));
    model.UserList.Delete(model.UserList.Selected());
  }
}

TEST_F(ListEditorTest, EachCommandLeavesItsValue) {
  const struct {
    int Current;
    std::function<void(ListEditor&)> Command;
    std::u16string Value;
    int NowCurrent;
  } cases[] = {
      {1, [](ListEditor& e) { AddListItem(e, u" D "); }, u"A;D;B;\"C;2\";", 1},
      {-1, [](ListEditor& e) { AddListItem(e, u"D;E"); }, u"A;B;\"C;2\";D;E;", 4},
      {1, [](ListEditor& e) { AddListItem(e, u"  "); }, u"A;B;\"C;2\"", 1},
      {1, [](ListEditor& e) { ReplaceListItem(e, u"X\r\n"); }, u"A;X;\"C;2\";", 1},
      {3, [](ListEditor& e) { DeleteListItem(e); }, u"A;B;\"C;", 2},
      {0, [](ListEditor& e) { DeleteListItem(e); }, u"B;\"C;2\";", 0},
      {1, [](ListEditor& e) { MoveListItem(e, true); }, u"B;A;\"C;2\";", 0},
      {0, [](ListEditor& e) { MoveListItem(e, true); }, u"A;B;\"C;2\"", 0},
      {2, [](ListEditor& e) { MoveListItem(e, false); }, u"A;B;2\";\"C;", 3},
      {3, [](ListEditor& e) { MoveListItem(e, false); }, u"A;B;\"C;2\"", 3},
      {1, [](ListEditor& e) { PasteListLines(e, u"D\r\n\r\n E \nF;G\n"); }, u"A;D;E;F;G;B;\"C;2\";", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    ListEditor editor = Open(u"L", u"A;B;\"C;2\"");
    editor.Current = c.Current;
    c.Command(editor);
    EXPECT_EQ(ListEditorValue(editor), c.Value);
    EXPECT_EQ(editor.Current, c.NowCurrent);
    model.UserList.Delete(model.UserList.Selected());
  }
  EXPECT_TRUE(clipboard.Writes.empty());
}

// OK is one step of the history; the system Path's list follows; a value
// too long for a variable is refused and changes nothing.
TEST_F(ListEditorTest, OkWritesTheRowAsOneStep) {
  ListEditor editor = Open(u"Path", u"C:\\U1;C:\\U2");
  EXPECT_EQ(ListEditorCaption(editor), u"一覧で編集 - Path (ユーザー)");
  MoveListItem(editor, false);
  RunRecorded(model, state.History, EditStep::Replace, [&] { ApplyListEditor(model, editor, ports); });
  EXPECT_EQ(UserData(u"Path"), u"C:\\U2;C:\\U1;");
  EXPECT_EQ(state.History.UndoCount(), 1u);
  state.History.Undo(model);
  EXPECT_EQ(UserData(u"Path"), u"C:\\U1;C:\\U2");

  AddListItem(editor, std::u16string(32767, u'x'));
  EXPECT_FALSE(ApplyListEditor(model, editor, ports));
  ASSERT_EQ(dialogs.Shown.size(), 1u);
  EXPECT_EQ(dialogs.Shown[0].Text, u"値が長すぎます。環境変数の値は32767文字までです。");
  EXPECT_EQ(UserData(u"Path"), u"C:\\U1;C:\\U2");
  ListEditor longest = Open(u"Long", u"");
  AddListItem(longest, std::u16string(32766, u'x'));
  EXPECT_TRUE(ApplyListEditor(model, longest, ports));
  EXPECT_EQ(UserData(u"Long").size(), 32767u);

  Show(Tab::System, u"Path");
  editor = OpenListEditor(model).value();
  DeleteListItem(editor);
  ApplyListEditor(model, editor, ports);
  EXPECT_EQ(model.PathList, (std::vector<std::u16string>{u"C:\\B;", u"C:\\C;"}));
  EXPECT_EQ(PathWritten(), TextToValue(kRegExpandSz, u"C:\\B;C:\\C;"));

  Show(Tab::System, u"OS");
  EXPECT_FALSE(OpensAsList(model.SysList.At(model.SysList.Selected())));
  model.SysList.SetTypeName(model.SysList.Selected(), u"REG_DWORD");
  EXPECT_FALSE(OpenListEditor(model));
}

// The user Path's findings beside its items: a missing folder, a repeat,
// an empty item, one the system Path holds, and a quoted run checked whole
// on its first line.
TEST_F(ListEditorTest, FindingsShowBesideTheirItems) {
  ListEditor editor = Open(u"path", u"C:\\A;X:\\Gone;;x:\\gone\\;\"C:\\T;2\";C:\\Here");
  const ListCheck check = PlanListCheck(model, editor, ports);
  EXPECT_EQ(check.Plan.Folders(),
            (std::vector<std::u16string>{u"C:\\A", u"X:\\Gone", u"", u"x:\\gone\\", u"C:\\T;2", u"C:\\Here"}));
  const Answers answers{FolderAnswer::Exists,  FolderAnswer::Missing,  std::nullopt,
                        FolderAnswer::Missing, FolderAnswer::NoAnswer, std::nullopt};
  EXPECT_EQ(ListFindings(check, editor.Items.size(), answers),
            (std::vector<std::u16string>{u"システムのPathにもあります", u"フォルダが存在しません",
                                         u"空の項目です、重複しています、フォルダが存在しません",
                                         u"確認できませんでした", u"", u""}));
  EXPECT_EQ(editor.Items[2], u";x:\\gone\\;");  // a ';' carried over: an empty item, then the repeat

  // PATHEXT's items are no folders: only its repeats are found. Another
  // list is checked for folders once most of its items exist.
  editor = Open(u"PATHEXT", u".COM;.EXE;.exe", kRegSz);
  const Answers none(3, FolderAnswer::Missing);
  EXPECT_EQ(ListFindings(PlanListCheck(model, editor, ports), 3, none),
            (std::vector<std::u16string>{u"", u"", u"重複しています"}));
  editor = Open(u"TOOLS", u"C:\\A;C:\\B;C:\\Gone");
  const ListCheck tools = PlanListCheck(model, editor, ports);
  EXPECT_FALSE(ChecksFolders(tools, Answers{FolderAnswer::Exists, std::nullopt, FolderAnswer::Missing}));
  EXPECT_EQ(ListFindings(tools, 3, Answers{FolderAnswer::Exists, FolderAnswer::Exists, FolderAnswer::Missing}),
            (std::vector<std::u16string>{u"", u"", u"フォルダが存在しません"}));
}

}  // namespace
}  // namespace tallowin
