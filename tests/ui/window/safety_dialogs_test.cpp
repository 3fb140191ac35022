#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "main_window_fixture.h"
#include "support/modal_dialog_driver.h"
#include "support/scratch_folder.h"
#include "ui/resources/resource.h"
#include "win32/wide_text.h"

namespace tallowin::testing {
namespace {

// The rows of a dialog's list view, each as its cells.
std::vector<std::vector<std::u16string>> ListRows(HWND list) {
  const int columns = Header_GetItemCount(ListView_GetHeader(list));
  std::vector<std::vector<std::u16string>> rows;
  for (int row = 0; row < ListView_GetItemCount(list); ++row) {
    std::vector<std::u16string>& cells = rows.emplace_back();
    for (int column = 0; column < columns; ++column) {
      wchar_t text[512] = {};
      ListView_GetItemText(list, row, column, text, 512);
      cells.push_back(win32::FromWide(text, std::wcslen(text)));
    }
  }
  return rows;
}

bool Shown(HWND dialog, int id) { return (::GetWindowLongW(::GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0; }

// Ticks the check box of a list's row, as a click on it does.
void Tick(HWND list, int row) { ListView_SetItemState(list, row, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK); }

using Rows = std::vector<std::vector<std::u16string>>;

// Ctrl+D shows what Save would change; a variable the user deleted stays in
// its key unless the review's check box asks Save to delete it.
TEST_F(MainWindowTest, ReviewShowsWhatSaveChangesAndDeletesOnlyWhatIsChecked) {
  driver->SelectTab(2);  // TEMP selected
  driver->Click(Control(IDM_EDIT_DELETE_BTN));
  Rows seen;
  Rows ticked;
  bool checkEnabled = false;
  ModalDialogDriver review({[&](HWND dialog) {
    const HWND list = ::GetDlgItem(dialog, IDC_REVIEW_LIST);
    seen = ListRows(list);
    ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
    checkEnabled = ::IsWindowEnabled(::GetDlgItem(dialog, IDC_REVIEW_DELETE)) != FALSE;
    ::SendMessageW(::GetDlgItem(dialog, IDC_REVIEW_DELETE), BM_CLICK, 0, 0);
    ticked = ListRows(list);
    ClickButton(dialog, IDOK);
  }});
  driver->Key('D', true);
  ASSERT_EQ(review.Seen().size(), 1u);
  EXPECT_EQ(review.Seen()[0].WithoutAccessKey(), std::vector<std::u16string>{});
  EXPECT_EQ(review.Seen()[0].Caption, u"変更点の確認");
  // The first column holds only the check boxes.
  EXPECT_EQ(seen, (Rows{{u"", u"ユーザー", u"TEMP", u"残ります", u"%USERPROFILE%\\Temp", u""}}));
  EXPECT_EQ(ticked, (Rows{{u"", u"ユーザー", u"TEMP", u"削除します", u"%USERPROFILE%\\Temp", u""}}));
  EXPECT_TRUE(checkEnabled);

  dialogs.Answers = {true, false};  // write; restart later
  driver->Key('W', true);
  const auto& user = registry.Key(RootKey::CurrentUser, kUserSubkey);
  ASSERT_EQ(user.size(), 1u);
  EXPECT_EQ(user[0].first, u"Tool");
}

TEST_F(MainWindowTest, ReviewFromTheFileMenuSaysWhenNothingDiffers) {
  bool listShown = true;
  bool lineShown = false;
  std::u16string line;
  ModalDialogDriver review({[&](HWND dialog) {
    listShown = Shown(dialog, IDC_REVIEW_LIST);
    lineShown = Shown(dialog, IDC_REVIEW_EMPTY);
    line = WindowText(::GetDlgItem(dialog, IDC_REVIEW_EMPTY));
    PressKey(dialog, VK_ESCAPE);
  }});
  ::PostMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(IDM_FILE_REVIEW, 0), 0);
  driver->Pump();
  ASSERT_EQ(review.Seen().size(), 1u);
  EXPECT_FALSE(listShown);
  EXPECT_TRUE(lineShown);
  EXPECT_EQ(line, u"変更はありません。");
}

// Another program changes Tool and TEMP after the window's Load and the
// user edits TEMP: Save asks, and its default keeps the other program's Tool
// and writes the user's TEMP, which the list marks.
TEST_F(MainWindowTest, SaveAsksAboutOtherProgramsChangesAndKeepsThemByDefault) {
  driver->SelectTab(2);  // TEMP selected
  ::SetWindowTextW(Control(IDC_USER_KEY_DATA_EDIT), L"D:\\Temp");
  driver->Click(Control(IDM_EDIT_REPLASE_BTN));
  auto& user = registry.Key(RootKey::CurrentUser, kUserSubkey);
  user[0].second = Sz(u"vim");
  user[1].second = ExpandSz(u"C:\\Other");
  Rows seen;
  ModalDialogDriver question({[&](HWND dialog) {
    seen = ListRows(::GetDlgItem(dialog, IDC_OUTSIDE_LIST));
    PressKey(dialog, VK_RETURN);
  }});
  dialogs.Answers = {true, false};  // write; restart later
  driver->Key('W', true);
  ASSERT_EQ(question.Seen().size(), 1u);
  EXPECT_EQ(question.Seen()[0].Caption, u"警告");
  EXPECT_EQ(question.Seen()[0].Buttons(),
            (std::vector<std::u16string>{u"他の変更を残す(&K)", u"上書きする(&O)", u"キャンセル"}));
  EXPECT_EQ(question.Seen()[0].DefaultButton, IDC_OUTSIDE_KEEP);
  EXPECT_EQ(seen, (Rows{{u"ユーザー", u"TEMP", u"変更", u"あり"}, {u"ユーザー", u"Tool", u"変更", u"なし"}}));
  EXPECT_EQ(user[0].second, Sz(u"vim"));
  EXPECT_EQ(user[1].second, ExpandSz(u"D:\\Temp"));
  EXPECT_EQ(ListRows(Control(IDC_USER_LIST_VIEW))[0][0], u"TEMP [競合]");
}

// Every change of the keys reaches the window, whoever made it; only keys
// that hold other values than the window read show the notice.
TEST_F(MainWindowTest, AChangeByAnotherProgramShowsTheNotice) {
  const auto nextChange = [this] {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    MSG message{};
    while (!::PeekMessageW(&message, form->Handle(), ui::TMainForm::kKeysChangedMessage,
                           ui::TMainForm::kKeysChangedMessage, PM_REMOVE)) {
      if (std::chrono::steady_clock::now() > until) return false;
      std::this_thread::yield();
    }
    ::DispatchMessageW(&message);
    return true;
  };
  const std::u16string loaded = driver->StatusText(0);
  // The real user key changes, the keys the window reads do not. The data
  // differs from run to run: the registry reports no change when a value is
  // written again as it was, as one left by a run cut short would be.
  const DWORD stamp = ::GetTickCount();
  ASSERT_EQ(
      ::RegSetKeyValueW(HKEY_CURRENT_USER, L"Environment", L"TallowinNoticeTest", REG_DWORD, &stamp, sizeof stamp),
      ERROR_SUCCESS);
  ASSERT_TRUE(nextChange());
  EXPECT_EQ(driver->StatusText(0), loaded);

  registry.Key(RootKey::CurrentUser, kUserSubkey).push_back({u"JAVA_HOME", Sz(u"C:\\Java")});
  ASSERT_EQ(::RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Environment", L"TallowinNoticeTest"), ERROR_SUCCESS);
  ASSERT_TRUE(nextChange());
  EXPECT_EQ(driver->StatusText(0), u"他のプログラムが環境変数を変更しました。読み込み(Ctrl+R)で最新の値を表示します。");
}

// Takes the existence checks' answers, which come from threads of their
// own, bounded, until the list shows as many rows as wanted; then its rows.
Rows RowsOnceAnswered(HWND dialog, int rows, std::chrono::seconds bound) {
  const HWND list = ::GetDlgItem(dialog, IDC_PATH_CHECK_LIST);
  const auto until = std::chrono::steady_clock::now() + bound;
  while (ListView_GetItemCount(list) < rows && std::chrono::steady_clock::now() < until) {
    MSG answer{};
    if (::PeekMessageW(&answer, dialog, WM_APP + 1, WM_APP + 1, PM_REMOVE)) {
      ::DispatchMessageW(&answer);
    } else {
      std::this_thread::yield();
    }
  }
  return ListRows(list);
}

// The Path check from the Edit menu: an empty item, a folder that does not
// exist and a second spelling of a folder are found; the checked ones go
// as one Path edit.
class PathCheckWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    registry.Key(RootKey::LocalMachine, kSystemSubkey)[0].second =
        ExpandSz(u"%SystemRoot%; ;C:\\NoSuchFolder\\Tallowin;\"C:\\WINDOWS\\\"");
    Start();
  }
};

TEST_F(PathCheckWindowTest, FindsTheItemsWithAProblemAndRemovesTheCheckedOnes) {
  const Rows expected{{u" ;", u"空の項目です"},
                      {u"C:\\NoSuchFolder\\Tallowin;", u"フォルダが存在しません"},
                      {u"\"C:\\WINDOWS\\\";", u"重複しています"}};
  Rows seen;
  ModalDialogDriver check({[&](HWND dialog) {
    seen = RowsOnceAnswered(dialog, static_cast<int>(expected.size()), std::chrono::seconds(10));
    const HWND list = ::GetDlgItem(dialog, IDC_PATH_CHECK_LIST);
    Tick(list, 0);
    Tick(list, 1);
    ClickButton(dialog, IDC_PATH_CHECK_REMOVE);
  }});
  ::PostMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(IDM_EDIT_PATH_CHECK, 0), 0);
  driver->Pump();
  ASSERT_EQ(check.Seen().size(), 1u);
  EXPECT_EQ(check.Seen()[0].WithoutAccessKey(), std::vector<std::u16string>{});
  EXPECT_EQ(check.Seen()[0].Caption, u"Pathの点検");
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(form->Model().PathList, (std::vector<std::u16string>{u"%SystemRoot%;", u"\"C:\\WINDOWS\\\";"}));
  EXPECT_EQ(Text(Control(IDC_EDIT1)), u"%SystemRoot%;\"C:\\WINDOWS\\\";");
}

// A ';' carried over from an empty item shares a line with the next folder:
// only the empty item is found and removed, the folder stays.
TEST_F(PathCheckWindowTest, AnEmptyItemIsRemovedWithoutTheFolderOnItsLine) {
  registry.Key(RootKey::LocalMachine, kSystemSubkey)[0].second = ExpandSz(u"C:\\windows;;C:\\windows\\system32");
  driver->Key('R', true);  // Load; its question is answered OK
  ASSERT_EQ(form->Model().PathList[1], u";C:\\windows\\system32;");
  Rows seen;
  ModalDialogDriver check({[&](HWND dialog) {
    seen = RowsOnceAnswered(dialog, 1, std::chrono::seconds(10));
    Tick(::GetDlgItem(dialog, IDC_PATH_CHECK_LIST), 0);
    ClickButton(dialog, IDC_PATH_CHECK_REMOVE);
  }});
  ::PostMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(IDM_EDIT_PATH_CHECK, 0), 0);
  driver->Pump();
  EXPECT_EQ(seen, (Rows{{u";", u"空の項目です"}}));
  EXPECT_EQ(Text(Control(IDC_EDIT1)), u"C:\\windows;C:\\windows\\system32;");
}

// The user's Path in the list editor, by keys: Ctrl+L, a folder added
// (Alt+A), moved down (Ctrl+Down), OK (Enter); one undo step; Save writes it.
// A double click opens it too, and Escape leaves it as it was.
class ListEditorWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    registry.Key(RootKey::CurrentUser, kUserSubkey).push_back({u"Path", ExpandSz(u"C:\\U1;C:\\U2")});
    Start();
  }
};

TEST_F(ListEditorWindowTest, AddMoveOkAndSave) {
  driver->SelectTab(2);
  ASSERT_EQ(Text(Control(IDC_USER_KEY_NAME_EDIT)), u"Path");
  driver->Focus(Control(IDC_USER_LIST_VIEW));
  // A double click on the row opens it as well; Escape changes nothing.
  {
    ModalDialogDriver escaped({Press(VK_ESCAPE)});
    RECT row{};
    ListView_GetItemRect(Control(IDC_USER_LIST_VIEW), 0, &row, LVIR_LABEL);
    ::SendMessageW(Control(IDC_USER_LIST_VIEW), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(row.left + 4, row.top + 4));
    driver->Pump();
    EXPECT_EQ(escaped.Seen().size(), 1u);
    EXPECT_EQ(std::u16string(form->Model().UserList.At(0).Data()), u"C:\\U1;C:\\U2");
  }
  Rows seen;
  const auto list = [](HWND dialog) { return ::GetDlgItem(dialog, IDC_LIST_EDITOR_LIST); };
  // Ctrl stays held from Ctrl+L while the dialog runs.
  ModalDialogDriver editor({[&](HWND dialog) {
                              SetControlText(dialog, IDC_LIST_EDITOR_ITEM, u"C:\\U0");
                              ::PostMessageW(list(dialog), WM_SYSCHAR, 'a', 1 << 29);
                            },
                            OnSameDialog([&](HWND dialog) { ::PostMessageW(list(dialog), WM_KEYDOWN, VK_DOWN, 1); }),
                            OnSameDialog([&](HWND dialog) {
                              seen = ListRows(list(dialog));
                              PressKey(dialog, VK_RETURN);
                            })});
  driver->Key('L', true);
  ASSERT_EQ(editor.Seen().size(), 3u);  // one look per step
  EXPECT_EQ(editor.Seen()[0].Caption, u"一覧で編集 - Path (ユーザー)");
  EXPECT_EQ(editor.Seen()[0].WithoutAccessKey(), std::vector<std::u16string>{});
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ((std::vector<std::u16string>{seen[0][0], seen[1][0], seen[2][0]}),
            (std::vector<std::u16string>{u"C:\\U1;", u"C:\\U0;", u"C:\\U2;"}));
  const auto userPath = [&] { return std::u16string(form->Model().UserList.At(0).Data()); };
  EXPECT_EQ(userPath(), u"C:\\U1;C:\\U0;C:\\U2;");
  EXPECT_EQ(form->Model().PathList.size(), 3u);  // the system Path is not touched
  driver->Key('Z', true);
  EXPECT_EQ(userPath(), u"C:\\U1;C:\\U2");
  driver->Key('Y', true);
  dialogs.Answers = {true, false};  // write; restart later
  driver->Key('W', true);
  EXPECT_EQ(registry.Key(RootKey::CurrentUser, kUserSubkey).back().second, ExpandSz(u"C:\\U1;C:\\U0;C:\\U2;"));
}

// A long Path: 2,000 folders, every other one there, checked to the end
// (the check once ended the program at a few hundred), each missing one
// found as missing, none left unanswered.
class LongPathCheckWindowTest : public MainWindowTest {
 protected:
  static constexpr int kItems = 2000;

  void SetUp() override {
    std::u16string path;
    for (int i = 1; i <= kItems; ++i) {
      const std::u16string folder = scratch.File(u"d" + win32::FromWide(std::to_wstring(i)));
      if (i % 2 == 0) {
        ASSERT_TRUE(::CreateDirectoryW(win32::Wide(folder), nullptr));
      }
      path += folder + u";";
    }
    registry.Key(RootKey::LocalMachine, kSystemSubkey)[0].second = ExpandSz(path);
    Start();
  }

  ScratchFolder scratch;
};

TEST_F(LongPathCheckWindowTest, EveryFolderIsAnsweredAndOnlyTheMissingOnesShow) {
  Rows seen;
  ModalDialogDriver check({[&](HWND dialog) {
    seen = RowsOnceAnswered(dialog, kItems / 2, std::chrono::seconds(120));
    PressKey(dialog, VK_ESCAPE);
  }});
  ::PostMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(IDM_EDIT_PATH_CHECK, 0), 0);
  driver->Pump();
  ASSERT_EQ(seen.size(), static_cast<std::size_t>(kItems / 2));
  for (std::size_t row = 0; row < seen.size(); ++row) {
    EXPECT_EQ(seen[row][0], scratch.File(u"d" + win32::FromWide(std::to_wstring(2 * row + 1))) + u";");
    EXPECT_EQ(seen[row][1], u"フォルダが存在しません");
  }
}

class RestoreWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(::SetEnvironmentVariableW(L"LOCALAPPDATA", win32::Wide(localAppData.Path())));
    Start();
  }
  void OpenRestore() {
    ::PostMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(IDM_FILE_RESTORE, 0), 0);
    driver->Pump();
  }
  ScratchFolder localAppData;
};

// No backup yet: the dialog says so. After a Save the backup it wrote is
// listed; Enter restores it and the review shows what the keys gained since,
// with a check box to delete it.
TEST_F(RestoreWindowTest, EnterRestoresTheNewestBackupAndOpensTheReview) {
  std::u16string emptyLine;
  {
    ModalDialogDriver none({[&](HWND dialog) {
      emptyLine = Shown(dialog, IDC_RESTORE_LIST) ? u"" : WindowText(::GetDlgItem(dialog, IDC_RESTORE_EMPTY));
      PressKey(dialog, VK_ESCAPE);
    }});
    OpenRestore();
  }
  EXPECT_EQ(emptyLine, u"自動バックアップはありません。");

  dialogs.Answers = {true, false};  // write; restart later
  driver->Key('W', true);
  registry.Key(RootKey::CurrentUser, kUserSubkey) = {{u"Tool", Sz(u"vim")}, {u"LATER", Sz(u"l")}};
  driver->Key('R', true);  // Load what the keys hold now
  ASSERT_EQ(form->Model().UserList.Count(), 2);

  Rows listed;
  Rows reviewed;
  UINT laterBox = 0;
  ModalDialogDriver restore(
      {[&](HWND dialog) { listed = ListRows(::GetDlgItem(dialog, IDC_RESTORE_LIST)); PressKey(dialog, VK_RETURN); },
       [&](HWND dialog) {
         reviewed = ListRows(::GetDlgItem(dialog, IDC_REVIEW_LIST));
         laterBox = ListView_GetItemState(::GetDlgItem(dialog, IDC_REVIEW_LIST), 2, LVIS_STATEIMAGEMASK);
         PressKey(dialog, VK_ESCAPE);
       }});
  OpenRestore();
  ASSERT_EQ(restore.Seen().size(), 2u);
  EXPECT_EQ(restore.Seen()[0].WithoutAccessKey(), std::vector<std::u16string>{});
  EXPECT_EQ(restore.Seen()[0].Caption, u"自動バックアップから復元");
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_TRUE(listed[0][1].ends_with(u" バイト") && listed[0][2].starts_with(u"env-"));
  EXPECT_EQ(reviewed, (Rows{{u"", u"ユーザー", u"TEMP", u"追加", u"", u"%USERPROFILE%\\Temp"},
                            {u"", u"ユーザー", u"Tool", u"変更", u"vim", u"notepad"},
                            {u"", u"ユーザー", u"LATER", u"残ります", u"l", u""}}));
  EXPECT_EQ(laterBox, INDEXTOSTATEIMAGEMASK(1u)) << "an unticked check box";
  EXPECT_EQ(form->Model().UserList.At(1).SubItems[1], u"notepad") << "the lists as the backup holds them";
}

}  // namespace
}  // namespace tallowin::testing
