#include <windows.h>

#include <gtest/gtest.h>

#include "commands/edit_commands.h"
#include "commands/path_tab_commands.h"
#include "faults/fault_bench.h"
#include "support/system_clipboard_lock.h"
#include "ui/ports/focused_edit_port.h"

// Every Cut, Copy and Paste (and the up-down move, which writes the
// clipboard too) while another process holds the clipboard open: in an
// edit field, on the Path tab and on both variable tabs.
namespace tallowin::testing {
namespace {

// A single-line edit field's text and selection.
struct FieldState {
  std::u16string Text;
  DWORD Start = 0;
  DWORD End = 0;
  bool operator==(const FieldState&) const = default;
};

FieldState StateOf(HWND edit) {
  FieldState state;
  state.Text = WindowText(edit);
  ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&state.Start), reinterpret_cast<LPARAM>(&state.End));
  return state;
}

class ClipboardFaults : public FaultTest {
 protected:
  std::u16string ClipboardNow() {
    const tallowin::ClipboardText read = clipboard.ReadText();
    EXPECT_TRUE(read.Result.Succeeded);
    return read.Text.value_or(u"(none)");
  }

  SystemClipboardLock lock;
  win32::UniqueWindow edit{
      ::CreateWindowExW(0, L"EDIT", L"", WS_POPUP | ES_AUTOHSCROLL, 0, 0, 200, 20, nullptr, nullptr, nullptr, nullptr)};
  bool fieldFocused = false;
  ports::Win32FocusedEdit focusedEdit{[this] { return fieldFocused ? edit.get() : nullptr; }};
  EditorState state;
};

TEST_F(ClipboardFaults, AHeldClipboardChangesNothingAndSaysSo) {
  ASSERT_TRUE(edit);
  ports.FocusedEdit = &focusedEdit;
  // On the User tab TEMP goes to the entry buffer; the System tab selects
  // OS, the User tab TEMP; the Path clipboard holds one item.
  model.ShowTab(Tab::User);
  model.UserList.Select(model.UserList.FindIgnoringCase(u"TEMP"));
  EditCopyExecute(model, state, ports);
  ASSERT_TRUE(state.ClipItem.IsSet);
  model.SysList.Select(model.SysList.FindIgnoringCase(u"OS"));
  model.PathClip = {u"E:\\Clip;"};
  const MainModel originalModel = model;
  const EditorState originalState = state;
  constexpr std::u16string_view kWriteFailed = u"クリップボードに書き込めませんでした。操作は取り消されました。";
  constexpr std::u16string_view kReadFailed = u"クリップボードから読み込めませんでした。";

  using Command = CommandOutcome (*)(MainModel&, EditorState&, const CommandPorts&);
  const auto up = [](MainModel& m, EditorState&, const CommandPorts&) {
    UpDownClick(m, UpDownButton::Up);
    return CommandOutcome{};
  };
  const struct {
    const char* Operation;
    Tab Where;
    bool InField;
    Command Run;
    // Held: the status text; empty for a command that needs no clipboard.
    std::u16string_view Status;
    // Free: what the clipboard holds afterwards, and the field's text.
    std::u16string_view Clipboard;
    std::u16string_view Field;
  } cases[] = {
      {"Cut", Tab::Path, true, EditCutExecute, kWriteFailed, u"C:\\Tools;", u"D:\\Bin;"},
      {"Copy", Tab::System, true, EditCopyExecute, kWriteFailed, u"C:\\Tools;", u"C:\\Tools;D:\\Bin;"},
      {"Paste", Tab::User, true, EditPasteExecute, kReadFailed, u"before", u"beforeD:\\Bin;"},
      {"Cut", Tab::Path, false, EditCutExecute, kWriteFailed, u"D:\\Added;\r\n", u"C:\\Tools;D:\\Bin;"},
      {"Copy", Tab::Path, false, EditCopyExecute, kWriteFailed, u"D:\\Added;\r\n", u"C:\\Tools;D:\\Bin;"},
      {"Paste", Tab::Path, false, EditPasteExecute, u"", u"before", u"C:\\Tools;D:\\Bin;"},
      {"Move", Tab::Path, false, up, u"", u"before", u"C:\\Tools;D:\\Bin;"},
      {"Cut", Tab::System, false, EditCutExecute, u"", u"before", u"C:\\Tools;D:\\Bin;"},
      {"Copy", Tab::System, false, EditCopyExecute, u"", u"before", u"C:\\Tools;D:\\Bin;"},
      {"Paste", Tab::System, false, EditPasteExecute, u"", u"before", u"C:\\Tools;D:\\Bin;"},
      {"Cut", Tab::User, false, EditCutExecute, u"", u"before", u"C:\\Tools;D:\\Bin;"},
      {"Copy", Tab::User, false, EditCopyExecute, u"", u"before", u"C:\\Tools;D:\\Bin;"},
      {"Paste", Tab::User, false, EditPasteExecute, u"", u"before", u"C:\\Tools;D:\\Bin;"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.Operation) + (c.InField ? " in a field" : " in a list") + " on tab " +
                 std::to_string(static_cast<int>(c.Where)));
    const auto reset = [&] {
      model = originalModel;
      model.ShowTab(c.Where);
      state = originalState;
      fieldFocused = c.InField;
      ::SetWindowTextW(edit.get(), L"C:\\Tools;D:\\Bin;");
      ::SendMessageW(edit.get(), EM_SETSEL, 0, 9);
      ASSERT_TRUE(clipboard.WriteText(u"before").Succeeded);
    };
    // What the command does with the clipboard free, for those that do
    // not need it: the held clipboard must not change that.
    reset();
    c.Run(model, state, ports);
    const ModelView unhindered = ViewOf(model);
    reset();
    const ModelView before = ViewOf(model);
    const FieldState fieldBefore = StateOf(edit.get());

    const Shown expected{{}, std::u16string(c.Status)};
    Shown shown;
    {
      Holder holder(L"clipboard");
      shown = RunCommand(expected, [&] { return c.Run(model, state, ports); });
    }
    bool kept = Same(ViewOf(model), c.Status.empty() ? unhindered : before, "the model");
    kept = Same(StateOf(edit.get()), fieldBefore, "the field") && kept;
    kept = Same(ClipboardNow(), std::u16string(u"before"), "the clipboard") && kept;

    // The next command: the same one again, with the clipboard free.
    const Shown again = RunCommand(Shown{}, [&] { return c.Run(model, state, ports); });
    bool goesOn = Same(again, Shown{}, "the next command's message");
    goesOn = Same(ClipboardNow(), std::u16string(c.Clipboard), "the clipboard afterwards") && goesOn;
    goesOn = Same(StateOf(edit.get()).Text, std::u16string(c.Field), "the field afterwards") && goesOn;
    Judge("clipboard held by another process", c.Operation, shown, expected, kept, goesOn);
  }
}

}  // namespace
}  // namespace tallowin::testing
