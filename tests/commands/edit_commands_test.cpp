#include "commands/edit_commands.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "editing_bench.h"

namespace tallowin {
namespace {

using Lines = std::vector<std::u16string>;
using Command = CommandOutcome (*)(MainModel&, EditorState&, const CommandPorts&);

class EditCommandsTest : public ::testing::Test, protected testing::EditingBench {
 protected:
  void FocusField(std::u16string text, std::size_t start, std::size_t end) {
    focusedEdit.Focused = true;
    focusedEdit.Text = std::move(text);
    focusedEdit.Select(start, end);
  }
};

// With an edit field focused the four commands act on its text only, on
// every tab; the Delete button reached by its accelerator key is one of
// them.
TEST_F(EditCommandsTest, FocusedFieldTakesTheCommand) {
  struct Case {
    const char* What;
    Command Run;
    std::size_t Start, End;
    std::optional<std::u16string> ClipboardBefore;
    std::u16string FieldAfter;
    std::optional<std::u16string> ClipboardAfter;
  };
  const Case cases[] = {
      {"cut", EditCutExecute, 1, 3, u"x", u"adef", u"bc"},
      {"cut, nothing selected", EditCutExecute, 2, 2, u"x", u"abcdef", u"x"},
      {"copy", EditCopyExecute, 0, 6, std::nullopt, u"abcdef", u"abcdef"},
      {"paste over the selection", EditPasteExecute, 1, 5, u"XY", u"aXYf", u"XY"},
      {"paste at the caret, first line only", EditPasteExecute, 6, 6, u"C:\\T;\r\nD:\\U;\r\n", u"abcdefC:\\T;",
       u"C:\\T;\r\nD:\\U;\r\n"},
      {"paste, no text", EditPasteExecute, 1, 2, std::nullopt, u"abcdef", std::nullopt},
      {"delete", EditDeleteExecute, 3, 6, u"x", u"abc", u"x"},
      {"delete button by its key", EditDeleteBtnExecute, 0, 1, u"x", u"bcdef", u"x"},
  };
  for (const Tab tab : {Tab::Path, Tab::System}) {
    model.ShowTab(tab);
    model.SysList.Select(0);
    for (const Case& c : cases) {
      SCOPED_TRACE(c.What);
      FocusField(u"abcdef", c.Start, c.End);
      clipboard.Text = c.ClipboardBefore;
      c.Run(model, state, ports);
      EXPECT_EQ(focusedEdit.Text, c.FieldAfter);
      EXPECT_EQ(clipboard.Text, c.ClipboardAfter);
    }
  }
  EXPECT_EQ(model.PathList, (Lines{u"C:\\A;", u"C:\\B;", u"C:\\C;"}));
  EXPECT_TRUE(model.PathClip.empty());
  EXPECT_EQ(model.SysList.Count(), 3);
  EXPECT_FALSE(state.ClipItem.IsSet);
}

// A mouse click on the Delete button has moved the focus to the button:
// the current Path item goes.
TEST_F(EditCommandsTest, DeleteButtonClickedDeletesThePathItem) {
  model.PathListClick(1);
  EditDeleteBtnExecute(model, state, ports);
  EXPECT_EQ(model.PathList, (Lines{u"C:\\A;", u"C:\\C;"}));
}

TEST_F(EditCommandsTest, HeldClipboardLeavesTheFieldAsItWas) {
  clipboard.Held = true;
  clipboard.Text = u"XY";
  FocusField(u"abcdef", 1, 3);
  EXPECT_EQ(EditCutExecute(model, state, ports).StatusText, u"クリップボードに書き込めませんでした。操作は取り消されました。");
  EXPECT_EQ(focusedEdit.Text, u"abcdef");
  EXPECT_EQ(EditPasteExecute(model, state, ports).StatusText, u"クリップボードから読み込めませんでした。");
  EXPECT_EQ(focusedEdit.Text, u"abcdef");
}

TEST_F(EditCommandsTest, PopupEnablesByFocusAndTab) {
  struct Case {
    const char* What;
    Tab On;
    bool FieldFocused;
    bool FieldSelection;
    bool ClipboardText;
    bool ListSelection;  // the variable tab's list, or the Path list not empty
    bool Copied;         // ClipItem set, or the Path clipboard holding a line
    EditActionStates Expected;
  };
  // The runs follow one another: on the Path tab Cut and Copy keep what the
  // run before left.
  const Case cases[] = {
      {"field with a selection", Tab::Path, true, true, false, true, true, {true, true, false, true}},
      {"field without, clipboard text", Tab::User, true, false, true, false, false, {false, false, true, false}},
      {"system, nothing selected", Tab::System, false, false, true, false, true, {false, false, false, false}},
      {"path after that", Tab::Path, false, false, true, true, true, {false, false, true, true}},
      {"system, selected, nothing copied", Tab::System, false, false, false, true, false, {true, true, false, true}},
      {"path, both clipboards empty", Tab::Path, false, false, false, true, false, {true, true, false, true}},
      {"path, list empty", Tab::Path, false, false, false, false, true, {true, true, true, false}},
      {"user, selected, copied", Tab::User, false, false, false, true, true, {true, true, true, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    model.ShowTab(c.On);
    focusedEdit.Focused = c.FieldFocused;
    focusedEdit.Text = u"text";
    focusedEdit.Select(0, c.FieldSelection ? 2 : 0);
    clipboard.Text = c.ClipboardText ? std::optional<std::u16string>(u"t") : std::nullopt;
    model.SysList.Select(c.ListSelection ? 0 : -1);
    model.UserList.Clear();
    if (c.ListSelection) model.UserList.Select(model.UserList.Add(VariableEntry::FromTexts(u"A", u"REG_SZ", u"")));
    model.PathList = c.ListSelection ? Lines{u"C:\\A;"} : Lines{};
    state.ClipItem.IsSet = c.Copied;
    model.PathClip = c.Copied ? Lines{u"C:\\A;"} : Lines{};
    EditPopupExecute(model, state, ports);
    EXPECT_EQ(state.EditActions, c.Expected);
  }
}

}  // namespace
}  // namespace tallowin
