#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <cwchar>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "main_window_fixture.h"
#include "model/texts.h"
#include "support/modal_dialog_driver.h"
#include "support/system_clipboard_lock.h"
#include "ui/command_table.h"
#include "win32/wide_text.h"

namespace tallowin::testing {
namespace {

// The system clipboard's Unicode text; nothing when it holds none.
std::optional<std::u16string> ClipboardText() {
  if (!::OpenClipboard(nullptr)) return std::nullopt;
  std::optional<std::u16string> text;
  if (const HANDLE data = ::GetClipboardData(CF_UNICODETEXT); data != nullptr) {
    if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data)); chars != nullptr) {
      text = win32::FromWide(chars, std::wcslen(chars));
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return text;
}

void SetClipboardText(const std::wstring& text) {
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  std::memcpy(::GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  ::GlobalUnlock(memory);
  ::SetClipboardData(CF_UNICODETEXT, memory);
  ::CloseClipboard();
}

// A Path of five items, so that items move in the middle of the list.
class EditingTest : public MainWindowTest {
 protected:
  void SetUp() override {
    registry.Key(RootKey::LocalMachine, kSystemSubkey)[0].second = ExpandSz(u"C:\\1;C:\\2;C:\\3;C:\\4;C:\\5");
    Start();
  }

  std::vector<std::u16string> PathItems() const {
    std::vector<std::u16string> items;
    const HWND list = Control(IDC_PATH_LIST);
    const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      std::wstring text(static_cast<std::size_t>(::SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
      ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
      text.resize(text.size() - 1);
      items.push_back(win32::FromWide(text));
    }
    return items;
  }
  int CurrentPathItem() const { return static_cast<int>(::SendMessageW(Control(IDC_PATH_LIST), LB_GETCURSEL, 0, 0)); }
  void ClickPathItem(int index) {
    RECT item{};
    ::SendMessageW(Control(IDC_PATH_LIST), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    driver->Click(Control(IDC_PATH_LIST), POINT{item.left + 10, (item.top + item.bottom) / 2});
  }
  void SetText(int id, const wchar_t* text) { ::SetWindowTextW(Control(id), text); }
  // The enabled state the Edit menu shows when it is opened now.
  bool EditMenuItemEnabled(int id) {
    const HMENU edit = ::GetSubMenu(::GetMenu(form->Handle()), 1);
    ::SendMessageW(form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), MAKELPARAM(1, FALSE));
    return (::GetMenuState(edit, id, MF_BYCOMMAND) & MF_GRAYED) == 0;
  }
  void ClickUpDown(bool up) {
    const HWND upDown = Control(IDC_UP_DOWN);
    RECT rect{};
    ::GetClientRect(upDown, &rect);
    driver->Click(upDown, POINT{rect.right / 2, up ? 3 : rect.bottom - 3});
  }

  SystemClipboardLock clipboardLock;
};

TEST_F(EditingTest, AddAndReplaceTakeEdit2) {
  ClickPathItem(1);
  SetText(IDC_EDIT2, L"D:\\A;D:\\B");
  driver->Click(Control(IDM_EDIT_ADD_BTN));
  EXPECT_EQ(PathItems(), (std::vector<std::u16string>{u"C:\\1;", u"D:\\A;", u"D:\\B;", u"C:\\2;", u"C:\\3;",
                                                      u"C:\\4;", u"C:\\5;"}));
  EXPECT_EQ(CurrentPathItem(), 1);
  EXPECT_EQ(Text(Control(IDC_EDIT2)), u"D:\\A;");
  EXPECT_EQ(Text(Control(IDC_EDIT1)), u"C:\\1;D:\\A;D:\\B;C:\\2;C:\\3;C:\\4;C:\\5;");
  EXPECT_EQ(driver->StatusText(1), u"7 項目");

  SetText(IDC_EDIT2, L"E:\\Tools");
  driver->Click(Control(IDM_EDIT_REPLASE_BTN));
  EXPECT_EQ(PathItems()[1], u"E:\\Tools;");
  EXPECT_EQ(PathItems().size(), 7u);
  // The System list's Path entry follows.
  const MainModel& model = form->Model();
  EXPECT_EQ(model.SysList.At(model.PathEntryIndex()).Data(), u"C:\\1;E:\\Tools;D:\\B;C:\\2;C:\\3;C:\\4;C:\\5;");

  // A blank Edit2 changes nothing.
  SetText(IDC_EDIT2, L"  ");
  driver->Click(Control(IDM_EDIT_REPLASE_BTN));
  driver->Click(Control(IDM_EDIT_ADD_BTN));
  EXPECT_EQ(PathItems().size(), 7u);
  EXPECT_EQ(PathItems()[1], u"E:\\Tools;");
}

TEST_F(EditingTest, DeleteButtonByMouseDeletesTheItemByAccessKeyTheFieldText) {
  ClickPathItem(1);
  const HWND edit2 = Control(IDC_EDIT2);
  driver->Focus(edit2);
  ::SendMessageW(edit2, EM_SETSEL, 0, 2);  // "C:"
  driver->Key('D', false, true);           // Alt+D: 削除(&D)
  EXPECT_EQ(Text(edit2), u"\\2;");
  EXPECT_EQ(PathItems().size(), 5u);
  EXPECT_EQ(form->ActiveControl(), edit2);

  driver->Click(Control(IDM_EDIT_DELETE_BTN));
  EXPECT_EQ(PathItems(), (std::vector<std::u16string>{u"C:\\1;", u"C:\\3;", u"C:\\4;", u"C:\\5;"}));
  EXPECT_EQ(CurrentPathItem(), 1);  // the item that followed
  EXPECT_EQ(Text(edit2), u"C:\\3;");
}

// Ctrl+Z takes back the last change to the lists and Ctrl+Y makes it again;
// in an edit field that can undo, Ctrl+Z undoes the typing there instead.
TEST_F(EditingTest, CtrlZAndCtrlYUndoAndRedoAListEditButTypingFirst) {
  const std::vector<std::u16string> before = PathItems();
  ClickPathItem(1);
  driver->Key(VK_DELETE, true);
  ::SendMessageW(form->Handle(), WM_MENUSELECT, MAKEWPARAM(IDM_EDIT_LIST_UNDO, MF_HILITE), 0);
  EXPECT_EQ(driver->StatusText(0), u"削除を元に戻す");
  driver->Key('Z', true);
  EXPECT_EQ(PathItems(), before);
  EXPECT_EQ(CurrentPathItem(), 1);
  driver->Key('Y', true);
  EXPECT_EQ(PathItems().size(), 4u);
  driver->Focus(Control(IDC_EDIT2));
  driver->Type(u"X");
  driver->Key('Z', true);
  EXPECT_EQ(Text(Control(IDC_EDIT2)), u"C:\\3;");
  EXPECT_EQ(PathItems().size(), 4u);
}

// Each command that edits the Path list is a step that Undo names; Copy
// edits nothing and leaves the step before it to undo. Each row's step
// differs from the one before it, so a command recorded as no step shows.
TEST_F(EditingTest, UndoNamesTheStepOfEachListEdit) {
  const std::pair<int, std::u16string_view> steps[] = {
      {IDM_EDIT_ADD_BTN, texts::kStepAdd},         {IDM_EDIT_DELETE_BTN, texts::kStepDelete},
      {IDM_EDIT_REPLASE_BTN, texts::kStepReplace}, {IDM_EDIT_COPY, texts::kStepReplace},
      {IDM_EDIT_CUT, texts::kStepCut},             {IDM_EDIT_PASTE, texts::kStepPaste},
      {IDM_EDIT_DELETE, texts::kStepDelete},
  };
  ClickPathItem(1);
  for (const auto& [command, step] : steps) {
    SetText(IDC_EDIT2, L"C:\\New;");
    driver->Focus(Control(IDC_PATH_LIST));
    const ui::Shortcut keys = ui::FindCommand(command)->Keys;
    if (keys.Key != 0) driver->Key(keys.Key, true);
    if (keys.Key == 0) driver->Click(Control(command));
    ::SendMessageW(form->Handle(), WM_MENUSELECT, MAKEWPARAM(IDM_EDIT_LIST_UNDO, MF_HILITE), 0);
    EXPECT_EQ(driver->StatusText(0), std::u16string(step) + std::u16string(texts::kUndoHintTail)) << command;
  }
}

// What the window shows is what Save writes: a deleted item stays deleted,
// and keys typed after the tabs turn never reach the hidden Path page.
TEST_F(EditingTest, SaveWritesThePathTheWindowShows) {
  ClickPathItem(1);
  driver->Click(Control(IDM_EDIT_DELETE_BTN));
  ClickPathItem(0);
  driver->Focus(Control(IDC_EDIT1));
  driver->Key(VK_TAB, true);
  EXPECT_EQ(form->ActiveControl(), Control(IDC_PAGE_CONTROL));
  driver->Type(u"XY");
  EXPECT_EQ(Text(Control(IDC_EDIT1)), u"C:\\1;C:\\3;C:\\4;C:\\5;");
  dialogs.Answers = {true, false};  // write; restart later
  driver->Key('W', true);
  EXPECT_EQ(registry.Key(RootKey::LocalMachine, kSystemSubkey)[0].second, ExpandSz(u"C:\\1;C:\\3;C:\\4;C:\\5;"));
}

// Delete on a variable tab selects no other row; the fields keep what they
// showed.
TEST_F(EditingTest, DeletingARowLeavesTheFieldsAsTheyWere) {
  driver->SelectTab(2);
  ASSERT_EQ(Text(Control(IDC_USER_KEY_NAME_EDIT)), u"TEMP");
  driver->Click(Control(IDM_EDIT_DELETE_BTN));
  EXPECT_EQ(form->Model().UserList.Count(), 1);
  EXPECT_EQ(Text(Control(IDC_USER_KEY_NAME_EDIT)), u"TEMP");
  EXPECT_EQ(Text(Control(IDC_USER_KEY_DATA_EDIT)), u"%USERPROFILE%\\Temp");
  EXPECT_FALSE(ButtonsEnabled());
}

TEST_F(EditingTest, CtrlCInAnEditFieldCopiesItsSelection) {
  const HWND edit2 = Control(IDC_EDIT2);
  driver->Focus(edit2);
  ::SendMessageW(edit2, EM_SETSEL, 3, 4);  // "1"
  driver->Key('C', true);
  EXPECT_EQ(ClipboardText(), std::optional<std::u16string>(u"1"));
  EXPECT_TRUE(form->Model().PathClip.empty());
  EXPECT_EQ(PathItems().size(), 5u);
}

// A move is no cut: what the user copied elsewhere stays on the clipboard.
TEST_F(EditingTest, UpArrowMovesTheCurrentItemAndLeavesTheClipboards) {
  SetClipboardText(L"copied elsewhere");
  ClickPathItem(2);
  ClickUpDown(true);
  EXPECT_EQ(PathItems(), (std::vector<std::u16string>{u"C:\\1;", u"C:\\3;", u"C:\\2;", u"C:\\4;", u"C:\\5;"}));
  EXPECT_EQ(CurrentPathItem(), 1);
  EXPECT_TRUE(form->Model().PathClip.empty());
  EXPECT_EQ(ClipboardText(), std::optional<std::u16string>(u"copied elsewhere"));
  EXPECT_EQ(form->ActiveControl(), Control(IDC_PATH_LIST));

  ClickPathItem(0);
  ClickUpDown(true);  // the first item goes no higher
  EXPECT_EQ(PathItems()[0], u"C:\\1;");
  EXPECT_EQ(CurrentPathItem(), 0);
}

// Up and Down browse the list; Ctrl+Up and Ctrl+Down move the item, as
// the Edit menu's two moves say, which go off at the ends.
TEST_F(EditingTest, ArrowKeysMoveTheSelectionCtrlArrowsTheItem) {
  const std::vector<std::u16string> before = PathItems();
  ClickPathItem(0);
  driver->Focus(Control(IDC_PATH_LIST));
  driver->Key(VK_DOWN);
  driver->Key(VK_DOWN);
  EXPECT_EQ(PathItems(), before);
  EXPECT_EQ(CurrentPathItem(), 2);
  EXPECT_EQ(Text(Control(IDC_EDIT2)), u"C:\\3;");
  driver->Key(VK_DOWN, true);
  driver->Key(VK_DOWN, true);
  EXPECT_EQ(PathItems(), (std::vector<std::u16string>{u"C:\\1;", u"C:\\2;", u"C:\\4;", u"C:\\5;", u"C:\\3;"}));
  EXPECT_EQ(CurrentPathItem(), 4);
  EXPECT_FALSE(EditMenuItemEnabled(IDM_EDIT_MOVE_DOWN));  // the last item goes no lower
  EXPECT_TRUE(EditMenuItemEnabled(IDM_EDIT_MOVE_UP));
  driver->Key(VK_UP, true);
  EXPECT_EQ(PathItems()[3], u"C:\\3;");
  EXPECT_EQ(form->ActiveControl(), Control(IDC_PATH_LIST));
}

// A Path that ends in an empty item: the list, the field and what Save
// writes agree on one empty item, and an edit elsewhere keeps the end.
TEST_F(EditingTest, APathEndingInAnEmptyItemKeepsItsEnd) {
  form.reset();
  auto& system = registry.Key(RootKey::LocalMachine, kSystemSubkey);
  system[0].second = ExpandSz(u"C:\\windows;C:\\p\\d0002;;");
  Start();
  EXPECT_EQ(PathItems(), (std::vector<std::u16string>{u"C:\\windows;", u"C:\\p\\d0002;", u";"}));
  SetText(IDC_EDIT2, L"C:\\new");
  driver->Click(Control(IDM_EDIT_ADD_BTN));
  EXPECT_EQ(Text(Control(IDC_EDIT1)), u"C:\\new;C:\\windows;C:\\p\\d0002;;");
  dialogs.Answers = {true, false};  // write; restart later
  driver->Key('W', true);
  EXPECT_EQ(system[0].second, ExpandSz(u"C:\\new;C:\\windows;C:\\p\\d0002;;"));
}

// Alt and a button's letter run the button and leave nothing behind: the
// letters typed next go to the field, the next shortcut works, and the
// menu bar does not wait for a key when Alt is let go.
TEST_F(EditingTest, AnAccessKeyLeavesNothingForTheMenu) {
  const HWND edit2 = Control(IDC_EDIT2);
  driver->Focus(edit2);
  SetText(IDC_EDIT2, L"C:\\new1");
  constexpr LPARAM kAlt = 1 << 29;
  constexpr LPARAM kUp = static_cast<LPARAM>(0xC0000001u);
  const std::pair<UINT, std::pair<WPARAM, LPARAM>> keys[] = {
      {WM_SYSKEYDOWN, {VK_MENU, 1 | kAlt}}, {WM_SYSKEYDOWN, {'A', 1 | kAlt}}, {WM_SYSKEYUP, {'A', kUp | kAlt}},
      {WM_SYSKEYUP, {VK_MENU, kUp}},        {WM_KEYDOWN, {'F', 1}},          {WM_KEYUP, {'F', kUp}},
      {WM_KEYDOWN, {'X', 1}},               {WM_KEYUP, {'X', kUp}},
  };
  dialogs.Answers = {false, false};  // neither quit nor save, were either asked
  for (const auto& [message, key] : keys) ::PostMessageW(edit2, message, key.first, key.second);
  driver->Pump();
  ASSERT_TRUE(::IsWindow(edit2));
  EXPECT_TRUE(dialogs.Shown.empty());
  EXPECT_EQ(PathItems()[0], u"C:\\new1;");
  EXPECT_NE(Text(edit2).find(u"fx"), std::u16string::npos);
  EXPECT_EQ(form->ActiveControl(), edit2);
  driver->Key('W', true);
  ASSERT_EQ(dialogs.Shown.size(), 1u);
  EXPECT_EQ(dialogs.Shown[0].Text, texts::kSaveWarning);
}

// However the window is closed, unsaved edits are asked about first, with
// キャンセル the default; a window with nothing to save closes at once.
TEST_F(EditingTest, ClosingWithUnsavedEditsAsksFirst) {
  const HWND window = form->Handle();
  ClickPathItem(1);
  driver->Click(Control(IDM_EDIT_DELETE_BTN));
  dialogs.Answers = {false};
  driver->Key(VK_F4, false, true);  // Alt+F4
  ASSERT_TRUE(::IsWindow(window));
  ASSERT_EQ(dialogs.Shown.size(), 1u);
  EXPECT_EQ(dialogs.Shown[0].Kind, DialogKind::ConfirmCancelDefault);
  EXPECT_EQ(dialogs.Shown[0].Text, u"変更が保存されていません。終了しますか?");
  driver->Key('Z', true);  // the delete taken back: nothing left to save
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  driver->Pump();
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(dialogs.Shown.size(), 1u);
}

TEST_F(EditingTest, CopyThenPasteOverAnotherPathItem) {
  ClickPathItem(0);
  driver->Focus(Control(IDC_PATH_LIST));
  // The Edit menu last showed Paste disabled; the shortcut goes by the
  // state of the moment all the same.
  EXPECT_FALSE(EditMenuItemEnabled(IDM_EDIT_PASTE));
  driver->Key('C', true);
  ClickPathItem(3);
  driver->Focus(Control(IDC_PATH_LIST));
  driver->Key('V', true);
  EXPECT_EQ(PathItems(), (std::vector<std::u16string>{u"C:\\1;", u"C:\\2;", u"C:\\3;", u"C:\\1;", u"C:\\5;"}));
}

TEST_F(EditingTest, EditMenuFollowsWhatTheCommandsWouldActOn) {
  // Path tab, nothing cut or copied yet: Paste off, Delete on.
  driver->Focus(Control(IDC_PATH_LIST));
  EXPECT_FALSE(EditMenuItemEnabled(IDM_EDIT_PASTE));
  EXPECT_TRUE(EditMenuItemEnabled(IDM_EDIT_DELETE));

  // System tab with no selected entry: all four off.
  driver->SelectTab(1);
  const HWND view = Control(IDC_SYS_LIST_VIEW);
  RECT client{};
  ::GetClientRect(view, &client);
  driver->Click(view, POINT{client.right / 2, client.bottom - 5});
  for (int id : {IDM_EDIT_CUT, IDM_EDIT_COPY, IDM_EDIT_PASTE, IDM_EDIT_DELETE}) {
    EXPECT_FALSE(EditMenuItemEnabled(id)) << id;
  }
  // Back on the Path tab Cut and Copy keep that state; the others follow
  // the Path list.
  driver->SelectTab(0);
  driver->Focus(Control(IDC_PATH_LIST));
  EXPECT_FALSE(EditMenuItemEnabled(IDM_EDIT_CUT));
  EXPECT_FALSE(EditMenuItemEnabled(IDM_EDIT_COPY));
  EXPECT_TRUE(EditMenuItemEnabled(IDM_EDIT_DELETE));

  // An edit field with no selection: Paste exactly when the clipboard
  // holds text.
  driver->Focus(Control(IDC_EDIT2));
  ::SendMessageW(Control(IDC_EDIT2), EM_SETSEL, 0, 0);
  SetClipboardText(L"x");
  EXPECT_FALSE(EditMenuItemEnabled(IDM_EDIT_CUT));
  EXPECT_TRUE(EditMenuItemEnabled(IDM_EDIT_PASTE));
}

TEST_F(EditingTest, VariableTabsRefuseDuplicatesAndNamesWithEquals) {
  driver->SelectTab(2);  // User: TEMP selected
  driver->Focus(Control(IDC_USER_LIST_VIEW));
  driver->Key('C', true);  // copy TEMP
  const HWND view = Control(IDC_USER_LIST_VIEW);
  RECT row{};
  ListView_GetItemRect(view, 1, &row, LVIR_BOUNDS);  // Tool
  driver->Click(view, POINT{row.left + 20, (row.top + row.bottom) / 2});
  driver->Key('V', true);
  ASSERT_EQ(dialogs.Shown.size(), 1u);
  EXPECT_EQ(dialogs.Shown[0].Text, u"キー名が重複しています。");
  EXPECT_EQ(form->Model().UserList.At(1).Name, u"Tool");

  SetText(IDC_USER_KEY_NAME_EDIT, L"A=B");
  driver->Click(Control(IDM_EDIT_ADD_BTN));
  ASSERT_EQ(dialogs.Shown.size(), 2u);
  EXPECT_EQ(dialogs.Shown[1].Text, u"変数名に'='や制御文字は使用できません。");
  EXPECT_EQ(form->Model().UserList.Count(), 2);

  SetText(IDC_USER_KEY_NAME_EDIT, L"EDITOR");
  SetText(IDC_USER_KEY_DATA_EDIT, L"vim");
  driver->Click(Control(IDM_EDIT_ADD_BTN));
  EXPECT_EQ(dialogs.Shown.size(), 2u);
  EXPECT_EQ(form->Model().UserList.Count(), 3);
  EXPECT_EQ(::SendMessageW(view, LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(driver->StatusText(1), u"3 項目");
}

TEST_F(EditingTest, Edit1TakesTypingBeyondThirtyTwoThousandCharacters) {
  std::wstring longPath;
  while (longPath.size() < 40000) longPath += L"C:\\Program Files\\Tools\\bin;";
  const HWND edit1 = Control(IDC_EDIT1);
  ::SetWindowTextW(edit1, longPath.c_str());
  driver->Focus(edit1);
  ::SendMessageW(edit1, EM_SETSEL, longPath.size(), longPath.size());
  driver->Type(u"X:\\");
  EXPECT_EQ(Text(edit1).size(), longPath.size() + 3);
  EXPECT_EQ(form->Model().PathList.back(), u"X:\\;");
}

TEST_F(EditingTest, CtrlBFromAnyTabBrowsesForTheFolderOfEdit2) {
  SetText(IDC_EDIT2, L"%SystemRoot%\\system32;");
  driver->SelectTab(1);
  ModalDialogDriver browser({Click(IDOK)});
  driver->Key('B', true);
  ASSERT_EQ(browser.Seen().size(), 1u);
  // The file system compares paths without regard to case; Wine's system
  // folder is spelled in small letters, the one of Windows is not.
  const std::u16string chosen = Text(Control(IDC_EDIT2));
  const std::u16string expected = u"C:\\Windows\\System32;";
  EXPECT_EQ(::CompareStringOrdinal(win32::Wide(chosen), static_cast<int>(chosen.size()), win32::Wide(expected),
                                   static_cast<int>(expected.size()), TRUE),
            CSTR_EQUAL)
      << win32::ToWide(chosen);
  EXPECT_EQ(PathItems().size(), 5u);  // the list waits for Add or Replace
}

}  // namespace
}  // namespace tallowin::testing
