// The history's rules, one row each: which commands make a step, what the
// hint names, and what Load and Save do to the history. What undo and redo
// give back after each kind of step is the property test's.
#include "commands/edit_history.h"

#include <gtest/gtest.h>

#include <functional>

#include "commands/edit_commands.h"
#include "commands/load_save_commands.h"
#include "commands/review_commands.h"
#include "support/fake_editing_ports.h"
#include "support/fake_ports.h"
#include "support/scripted_dialogs.h"

namespace tallowin {
namespace {

RegistryValue Sz(std::u16string_view text) { return TextToValue(kRegSz, text); }

struct Window {
  Window() {
    registry.Key(RootKey::LocalMachine, kSystemSubkey) = {{u"Path", Sz(u"C:\\A;C:\\B;C:\\C")}, {u"OS", Sz(u"NT")}};
    registry.Key(RootKey::CurrentUser, kUserSubkey) = {{u"TEMP", Sz(u"C:\\T")}};
    environment.Expansions[u"%LOCALAPPDATA%"] = u"C:\\Users\\me\\AppData\\Local";
    model.Loading = true;
    FileLoadExecute(model, ports);
    model.Loading = false;
  }
  template <typename Change>
  void Run(EditStep step, Change change) {
    RunRecorded(model, editor.History, step, change);
  }
  void Delete() { Run(EditStep::Delete, [&] { EditDeleteExecute(model, editor, ports); }); }
  void Type(std::u16string_view text) { Run(EditStep::PathTyping, [&] { model.Edit1Change(text); }); }
  void Save() {
    dialogs.Answers = {true, false};  // write, no restart
    Run(EditStep::NotAnEdit, [&] { FileSaveExecute(model, ports); });
  }
  RegistryValue Held(RootKey root, std::u16string_view subkey, std::u16string_view name) {
    for (const auto& [held, value] : registry.Key(root, subkey)) {
      if (held == name) return value;
    }
    return {};
  }

  testing::FixedWindow window{ScreenRect{0, 0, 500, 500}};
  testing::ScriptedDialogs dialogs;
  testing::FakeSystem system;
  testing::FakeRegistry registry;
  testing::RecordingPower power;
  testing::RecordingBroadcast broadcast;
  testing::MemoryFiles files;
  testing::FakeEnvironment environment;
  testing::ScriptedClipboard clipboard;
  testing::FakeFocusedEdit focusedEdit;
  CommandPorts ports{.Dialogs = &dialogs, .Window = &window, .Registry = &registry, .System = &system,
                     .Power = &power, .Broadcast = &broadcast, .Files = &files, .Clipboard = &clipboard,
                     .Environment = &environment, .FocusedEdit = &focusedEdit};
  MainModel model;
  EditorState editor;
};

struct Rule {
  const char* What;
  std::function<void(Window&)> Commands;
  std::size_t Steps;  // that undo can take back afterwards
  std::u16string_view UndoHint;
  std::function<void(Window&)> Then = nullptr;
};

const Rule kRules[] = {
    {"a Delete is one step, named in the hint", [](Window& w) { w.Delete(); }, 1, u"元に戻す|削除を元に戻す"},
    {"Copy, and a Replace that changes nothing, are none",
     [](Window& w) {
       w.Run(EditStep::NotAnEdit, [&] { EditCopyExecute(w.model, w.editor, w.ports); });
       w.Run(EditStep::Replace, [&] { EditReplaseBtnExecute(w.model, w.editor, w.ports); });
     },
     0, u"元に戻す|直前の変更を元に戻す"},
    {"typing into Edit1 is one step until the field takes the focus again",
     [](Window& w) {
       w.Type(u"C:\\A;C:\\B");
       w.Type(u"C:\\A;C:\\");
       w.editor.History.EndTyping();
       w.Type(u"C:\\A");
     },
     2, u"元に戻す|Pathの入力を元に戻す"},
    {"typing back what the field held leaves no step",
     [](Window& w) {
       w.Type(u"C:\\A;C:\\B;");
       w.Type(u"C:\\A;C:\\B;C:\\C;");
     },
     0, u"元に戻す|直前の変更を元に戻す"},
    {"a Load the user cancels keeps the history",
     [](Window& w) {
       w.Delete();
       w.dialogs.Answers = {false};
       w.Run(EditStep::Load, [&] { FileLoadExecute(w.model, w.ports); });
     },
     1, u"元に戻す|削除を元に戻す"},
    {"a Load starts it again",
     [](Window& w) {
       w.Delete();
       w.Run(EditStep::Load, [&] { FileLoadExecute(w.model, w.ports); });
     },
     0, u"元に戻す|直前の変更を元に戻す"},
    {"a new step drops what could be done again",
     [](Window& w) {
       w.Delete();
       w.Delete();
       w.editor.History.Undo(w.model);
       w.Run(EditStep::Add, [&] { EditAddBtnExecute(w.model, w.editor, w.ports); });
     },
     2, u"元に戻す|追加を元に戻す", [](Window& w) { EXPECT_FALSE(w.editor.History.CanRedo()); }},
    {"the oldest steps go beyond a hundred",
     [](Window& w) {
       for (int i = 0; i < 105; ++i) w.Run(EditStep::Add, [&] { EditAddBtnExecute(w.model, w.editor, w.ports); });
     },
     100, u"元に戻す|追加を元に戻す"},
    {"Save keeps the history, and an edit undone after it is saved again",
     [](Window& w) {
       w.Delete();  // C:\A
       w.Save();
       w.editor.History.Undo(w.model);
       w.Save();
     },
     0, u"元に戻す|直前の変更を元に戻す",
     [](Window& w) {
       EXPECT_EQ(w.Held(RootKey::LocalMachine, kSystemSubkey, u"Path"), Sz(u"C:\\A;C:\\B;C:\\C"));
       EXPECT_EQ(w.editor.History.RedoHint(), u"やり直し|削除をやり直す");
     }},
    {"a deletion Save carried out does not come back with a redo",
     [](Window& w) {
       w.model.ShowTab(Tab::User);
       w.model.UserList.Select(0);
       w.Delete();  // TEMP
       w.Run(EditStep::DeleteMarks, [&] {
         SetDeleteOnSave(w.model, ReviewRow{KeyScope::User, u"TEMP", ReviewKind::Remains, false, {}, {}, true}, true);
       });
       w.Save();
       w.editor.History.Undo(w.model);
       w.editor.History.Redo(w.model);
     },
     2, u"元に戻す|削除の指定を元に戻す",
     [](Window& w) {
       EXPECT_TRUE(w.model.DeleteOnSave.empty());
       EXPECT_TRUE(w.registry.Key(RootKey::CurrentUser, kUserSubkey).empty());
     }},
};

TEST(EditHistory, Rules) {
  for (const Rule& rule : kRules) {
    SCOPED_TRACE(rule.What);
    Window window;
    rule.Commands(window);
    EXPECT_EQ(window.editor.History.UndoCount(), rule.Steps);
    EXPECT_EQ(window.editor.History.UndoHint(), rule.UndoHint);
    if (rule.Then) rule.Then(window);
  }
}

}  // namespace
}  // namespace tallowin
