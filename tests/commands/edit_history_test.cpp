// The history's rules, one row each: steps, hints, Load and Save. What undo
// and redo give back is the property test's (support/command_sequence.h).
#include "commands/edit_history.h"

#include <gtest/gtest.h>

#include <functional>

#include "commands/edit_commands.h"
#include "commands/load_save_commands.h"
#include "commands/review_commands.h"
#include "support/fake_editing_ports.h"
#include "support/fake_ports.h"
#include "support/scripted_dialogs.h"

namespace tallowin::testing {
namespace {

RegistryValue Sz(std::u16string_view text) { return TextToValue(kRegSz, text); }

struct Window {
  Window() {
    registry.Key(RootKey::LocalMachine, kSystemSubkey) = {{u"Path", Sz(Path)}};
    registry.Key(RootKey::CurrentUser, kUserSubkey) = {{u"TEMP", Sz(u"C:\\T")}};
    environment.Expansions[u"%LOCALAPPDATA%"] = u"C:\\L";
    model.Loading = true;
    FileLoadExecute(model, ports);
    model.Loading = false;
  }
  void Run(EditStep step, auto command) { RunRecorded(model, editor.History, step, [&] { command(model, editor, ports); }); }
  void Delete() { Run(EditStep::Delete, EditDeleteExecute); }
  // Typing into Edit1, which has the focus.
  void Type(std::u16string_view text) {
    Run(EditStep::PathTyping, [text](MainModel& m, auto&, auto&) { m.Edit1Change(text); });
  }
  // The user TEMP row deleted, and its value ticked for deletion by Save.
  void DeleteAndTickTemp() {
    model.ShowTab(Tab::User), model.UserList.Select(0), Delete();
    Run(EditStep::DeleteMarks, [](MainModel& m, auto&, auto&) {
      SetDeleteOnSave(m, ReviewRow{KeyScope::User, u"TEMP", ReviewKind::Remains, false, {}, {}, true}, true);
    });
  }
  void LoadOrSave(bool load, bool ok) {
    dialogs.Answers = {ok, false};  // no restart
    Run(load ? EditStep::Load : EditStep::NotAnEdit,
        [&](MainModel& m, auto&, auto& p) { load ? FileLoadExecute(m, p) : FileSaveExecute(m, p); });
  }

  const std::u16string_view Path = u"C:\\A;C:\\B;C:\\C";
  FixedWindow window{ScreenRect{0, 0, 500, 500}};
  ScriptedDialogs dialogs;
  FakeSystem system;
  FakeRegistry registry;
  RecordingPower power;
  RecordingBroadcast broadcast;
  MemoryFiles files;
  FakeEnvironment environment;
  ScriptedClipboard clipboard;
  FakeFocusedEdit focused;
  CommandPorts ports{&dialogs, &window, &registry, &system, &power, &broadcast, nullptr, &files, &clipboard,
                     nullptr, &environment, &focused};
  MainModel model;
  EditorState editor;
  EditHistory& history = editor.History;
};

const struct {
  const char* What;
  std::function<void(Window&)> Commands;
  std::size_t Steps;  // that undo can take back afterwards
  std::u16string_view UndoHint;
  std::function<bool(Window&)> Holds = [](Window&) { return true; };
} kRules[] = {
    {"a Delete is one step", [](Window& w) { w.Delete(); }, 1, u"元に戻す|削除を元に戻す"},
    {"a Load the user cancels keeps the history", [](Window& w) { w.Delete(), w.LoadOrSave(true, false); }, 1,
     u"元に戻す|削除を元に戻す"},
    {"a Load starts it again", [](Window& w) { w.Delete(), w.LoadOrSave(true, true); }, 0, u"元に戻す|直前の変更を元に戻す"},
    {"the oldest go beyond a hundred",
     [](Window& w) { for (int i = 0; i < 105; ++i) w.Run(EditStep::Add, EditAddBtnExecute); }, 100, u"元に戻す|追加を元に戻す"},
    {"Save keeps the history, and what is undone after it is saved again",
     [](Window& w) { w.Delete(), w.LoadOrSave(false, true), w.history.Undo(w.model), w.LoadOrSave(false, true); }, 0,
     u"元に戻す|直前の変更を元に戻す",
     [](Window& w) { return w.registry.Key(RootKey::LocalMachine, kSystemSubkey)[0].second == Sz(w.Path); }},
    {"a deletion Save carried out does not come back with a redo",
     [](Window& w) {
       w.DeleteAndTickTemp(), w.LoadOrSave(false, true), w.history.Undo(w.model), w.history.Redo(w.model);
     },
     2, u"元に戻す|削除の指定を元に戻す",
     [](Window& w) { return w.model.DeleteOnSave.empty() && w.registry.Key(RootKey::CurrentUser, kUserSubkey).empty(); }},
    {"an undone tick keeps the value on Save",
     [](Window& w) { w.DeleteAndTickTemp(), w.history.Undo(w.model), w.LoadOrSave(false, true); }, 1,
     u"元に戻す|削除を元に戻す",
     [](Window& w) { return w.registry.Key(RootKey::CurrentUser, kUserSubkey).size() == 1; }},
    {"typing goes on in one step", [](Window& w) { w.Type(u"C:\\A"), w.Type(u"C:\\A;D:\\"); }, 1,
     u"元に戻す|Pathの入力を元に戻す"},
    {"typing after the field lost the focus is a new step",
     [](Window& w) { w.Type(u"C:\\A"), w.history.EndTyping(), w.Type(u"C:\\A;D:\\"); }, 2,
     u"元に戻す|Pathの入力を元に戻す"},
};

TEST(EditHistory, Rules) {
  for (const auto& rule : kRules) {
    SCOPED_TRACE(rule.What);
    Window window;
    rule.Commands(window);
    EXPECT_EQ(window.history.UndoCount(), rule.Steps);
    EXPECT_EQ(window.history.UndoHint(), rule.UndoHint);
    EXPECT_TRUE(rule.Holds(window));
  }
}

}  // namespace
}  // namespace tallowin::testing
