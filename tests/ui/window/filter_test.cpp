#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "main_window_fixture.h"
#include "win32/wide_text.h"

namespace tallowin::testing {
namespace {

// Four user variables: EDITOR (selected at start), JAVA_HOME, TEMP, Tool.
class FilterTest : public MainWindowTest {
 protected:
  void SetUp() override {
    auto& user = registry.Key(RootKey::CurrentUser, kUserSubkey);
    user.push_back({u"EDITOR", Sz(u"notepad++")});
    user.push_back({u"JAVA_HOME", ExpandSz(u"%NO_SUCH_ROOT%\\jdk")});
    Start();
  }
  int RowsShown() { return ListView_GetItemCount(Control(IDC_USER_LIST_VIEW)); }
};

// Ctrl+F, typing and Escape: the filter shows the matching rows, a command
// acts on the row selected among them, and Save writes the hidden rows too.
TEST_F(FilterTest, CommandsActOnTheSelectedShownRowAndSaveWritesAllRows) {
  driver->SelectTab(2);
  ::SetWindowTextW(Control(IDC_USER_KEY_NAME_EDIT), L"NEWVAR");
  ::SetWindowTextW(Control(IDC_USER_KEY_DATA_EDIT), L"x");
  driver->Key('A', false, true);  // 追加(&A): a row the filter will hide
  driver->Key('F', true);
  ASSERT_EQ(form->ActiveControl(), Control(IDC_USER_FILTER_EDIT));
  driver->Type(u"ＮＯＴＥ");  // full width: EDITOR's and Tool's data
  EXPECT_EQ(RowsShown(), 2);
  EXPECT_EQ(driver->StatusText(2), u"5件中2件を表示");
  EXPECT_EQ(driver->StatusText(1), u"5 項目");

  driver->Key(VK_TAB);   // to the list
  driver->Key(VK_DOWN);  // its second row: Tool, the list's fifth
  EXPECT_EQ(form->Model().UserList.Selected(), 4);
  EXPECT_EQ(Text(Control(IDC_USER_KEY_NAME_EDIT)), u"Tool");
  driver->Key(VK_DELETE, true);
  ASSERT_EQ(form->Model().UserList.Count(), 4);
  EXPECT_EQ(form->Model().UserList.At(3).Name, u"TEMP");
  EXPECT_EQ(driver->StatusText(2), u"4件中1件を表示");

  dialogs.Answers = {true, false};  // write; restart later
  driver->Key('W', true);
  const auto& written = registry.Key(RootKey::CurrentUser, kUserSubkey);
  EXPECT_TRUE(std::any_of(written.begin(), written.end(),
                          [](const auto& value) { return value.first == u"NEWVAR" && value.second == Sz(u"x"); }));

  driver->Key('F', true);
  driver->Key(VK_ESCAPE);
  EXPECT_EQ(Text(Control(IDC_USER_FILTER_EDIT)), u"");
  EXPECT_EQ(form->ActiveControl(), Control(IDC_USER_LIST_VIEW));
  EXPECT_EQ(RowsShown(), 4);
  EXPECT_EQ(driver->StatusText(2), u"");
}

// The line under the fields shows what the selected or typed value becomes.
TEST_F(FilterTest, LineUnderTheFieldsShowsWhatTheValueBecomes) {
  driver->SelectTab(2);
  driver->Focus(Control(IDC_USER_LIST_VIEW));
  driver->Key(VK_DOWN);  // JAVA_HOME
  EXPECT_EQ(Text(Control(IDC_USER_EXPANSION)), u"展開後: （未定義の変数があります）%NO_SUCH_ROOT%\\jdk");
  const HWND data = Control(IDC_USER_KEY_DATA_EDIT);
  driver->Focus(data);
  ::SendMessageW(data, EM_SETSEL, 0, -1);
  driver->Type(u"%EDITOR%!");
  EXPECT_EQ(Text(Control(IDC_USER_EXPANSION)), u"展開後: notepad++!");
  driver->SelectTab(0);
  EXPECT_EQ(Text(Control(IDC_PATH_EXPANSION)), u"");  // C:\A; has nothing to expand
  const HWND edit2 = Control(IDC_EDIT2);
  driver->Focus(edit2);
  ::SendMessageW(edit2, EM_SETSEL, 0, -1);
  driver->Type(u"%TEMP%\\x;");  // the user's TEMP over the system's
  wchar_t profile[MAX_PATH] = {};
  ::ExpandEnvironmentStringsW(L"%USERPROFILE%", profile, MAX_PATH);
  EXPECT_EQ(Text(Control(IDC_PATH_EXPANSION)), u"展開後: " + win32::FromWide(profile) + u"\\Temp\\x");
}

// A row the filter text does not match is not kept in sight for being
// selected: it is no longer selected, and Replace and Delete go off.
TEST_F(FilterTest, TheSelectedRowHidesLikeAnyOtherThatDoesNotMatch) {
  driver->SelectTab(2);
  ASSERT_EQ(Text(Control(IDC_USER_KEY_NAME_EDIT)), u"EDITOR");
  driver->Key('F', true);
  driver->Type(u"temp");
  EXPECT_EQ(RowsShown(), 1);
  EXPECT_EQ(driver->StatusText(2), u"4件中1件を表示");
  EXPECT_EQ(form->Model().UserList.Selected(), -1);
  EXPECT_FALSE(ButtonsEnabled());
}

// Undo and redo put a row back; the fields show it as it is again, so that
// the next 置換 writes what the user sees.
TEST_F(FilterTest, TheFieldsFollowTheRowThroughUndoAndRedo) {
  driver->SelectTab(2);
  const HWND data = Control(IDC_USER_KEY_DATA_EDIT);
  ::SetWindowTextW(data, L"two");
  driver->Key('R', false, true);  // 置換(&R)
  driver->Focus(Control(IDC_USER_LIST_VIEW));
  driver->Key('Z', true);
  EXPECT_EQ(form->Model().UserList.At(0).Data(), u"notepad++");
  EXPECT_EQ(Text(data), u"notepad++");
  driver->Key('Y', true);
  EXPECT_EQ(Text(data), u"two");
}

}  // namespace
}  // namespace tallowin::testing
