#include "ui/main_window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <utility>

#include "main_window_fixture.h"
#include "support/modal_dialog_driver.h"
#include "support/scratch_folder.h"
#include "ui/resources/resource.h"
#include "ui/window_metrics.h"

namespace tallowin::testing {
namespace {

TEST_F(MainWindowTest, StartsOnThePathTabWithTheRegistryLoaded) {
  EXPECT_EQ(Text(form->Handle()), u"Tallowin");
  EXPECT_EQ(TabShown(), 0);
  EXPECT_EQ(form->ActiveControl(), Control(IDC_EDIT1));
  EXPECT_TRUE(dialogs.Shown.empty());  // no question at start
  EXPECT_EQ(Text(Control(IDC_EDIT1)), u"C:\\A;C:\\B;C:\\C;");
  const HWND pathList = Control(IDC_PATH_LIST);
  ASSERT_EQ(::SendMessageW(pathList, LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(::SendMessageW(pathList, LB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(Text(Control(IDC_EDIT2)), u"C:\\A;");
  EXPECT_EQ(driver->StatusText(0), u"レジストリから環境変数を読み込みました。");
  EXPECT_EQ(driver->StatusText(1), u"3 項目");
  EXPECT_TRUE(ButtonsEnabled());
  // The up-down control counts from the last item up to the first.
  int low = -1;
  int high = -1;
  ::SendMessageW(Control(IDC_UP_DOWN), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, 2);
  EXPECT_EQ(::SendMessageW(Control(IDC_UP_DOWN), UDM_GETPOS32, 0, 0), 2);
  // The type drop-downs hold the twelve type names in code order.
  EXPECT_EQ(::SendMessageW(Control(IDC_SYS_KEY_TYPE_COMBO), CB_GETCOUNT, 0, 0), 12);
  EXPECT_EQ(::SendMessageW(Control(IDC_USER_KEY_TYPE_COMBO), CB_GETCOUNT, 0, 0), 12);
}

TEST_F(MainWindowTest, LaysOutTheControlsAtTheirDesignPixels) {
  if (ui::DpiOf(form->Handle()) != 96) GTEST_SKIP() << "the design pixels hold at 96 DPI";
  RECT client{};
  ::GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.right, 492);
  EXPECT_EQ(client.bottom, 449);
  const struct {
    int Id;
    RECT Place;  // left, top, right, bottom in the parent
  } cases[] = {
      {IDC_EDIT1, {8, 8, 457, 28}},
      {IDC_PATH_FILTER_EDIT, {8, 32, 457, 52}},
      {IDC_PATH_LIST, {8, 56, 457, 305}},
      {IDC_EDIT2, {8, 312, 425, 332}},
      {IDM_FILE_BROWSE, {432, 312, 457, 332}},
      {IDC_UP_DOWN, {457, 56, 473, 305}},
      {IDC_SYS_FILTER_EDIT, {8, 8, 473, 28}},
      {IDC_SYS_LIST_VIEW, {8, 32, 473, 305}},
      {IDC_SYS_KEY_NAME_EDIT, {8, 312, 121, 332}},
      {IDC_USER_EXPANSION, {8, 338, 473, 354}},
      {IDM_EDIT_ADD_BTN, {122, 6, 197, 31}},
      {IDM_EDIT_REPLASE_BTN, {202, 6, 277, 31}},
      {IDM_EDIT_DELETE_BTN, {282, 6, 357, 31}},
      {IDC_PAGE_CONTROL, {0, 0, 492, 390}},
      {IDC_PANEL1, {0, 390, 492, 430}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Id);
    const RECT place = WindowDriver::PlaceInParent(Control(c.Id));
    EXPECT_EQ(place.left, c.Place.left);
    EXPECT_EQ(place.top, c.Place.top);
    EXPECT_EQ(place.right, c.Place.right);
    EXPECT_EQ(place.bottom, c.Place.bottom);
  }
  // The type boxes show REG_EXPAND_SZ whole; the data fields give up the
  // width, keeping the gap and their right edge.
  for (const auto [box, data] : {std::pair{IDC_SYS_KEY_TYPE_COMBO, IDC_SYS_KEY_DATA_EDIT},
                                 std::pair{IDC_USER_KEY_TYPE_COMBO, IDC_USER_KEY_DATA_EDIT}}) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(::GetComboBoxInfo(Control(box), &info));
    const auto font = reinterpret_cast<HFONT>(::SendMessageW(Control(box), WM_GETFONT, 0, 0));
    EXPECT_GT(info.rcItem.right - info.rcItem.left, ui::TextWidth(Control(box), font, u"REG_EXPAND_SZ"));
    EXPECT_EQ(WindowDriver::PlaceInParent(Control(data)).left - WindowDriver::PlaceInParent(Control(box)).right, 7);
    EXPECT_EQ(WindowDriver::PlaceInParent(Control(data)).right, 473);
  }
  // The window cannot be resized or maximised.
  const LONG style = ::GetWindowLongW(form->Handle(), GWL_STYLE);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
  EXPECT_NE(style & WS_MINIMIZEBOX, 0);
}

// A new account may have no user variables: the first one is added with
// the fields alone, as a plain string unless the user picks another type.
TEST_F(MainWindowTest, TheFirstVariableOfAnEmptyListIsAdded) {
  form.reset();
  registry.Key(RootKey::CurrentUser, kUserSubkey).clear();
  Start();
  driver->SelectTab(2);
  EXPECT_EQ(Text(Control(IDC_USER_KEY_TYPE_COMBO)), u"REG_SZ");
  EXPECT_FALSE(AddEnabled());
  EXPECT_FALSE(ButtonsEnabled());
  driver->Focus(Control(IDC_USER_KEY_NAME_EDIT));
  driver->Type(u"FIRST");
  EXPECT_TRUE(AddEnabled());
  ::SetWindowTextW(Control(IDC_USER_KEY_DATA_EDIT), L"one");
  driver->Key('A', false, true);  // 追加(&A)
  ASSERT_EQ(form->Model().UserList.Count(), 1);
  EXPECT_EQ(form->Model().UserList.At(0).Name, u"FIRST");
  EXPECT_EQ(form->Model().UserList.At(0).TypeName(), u"REG_SZ");
  EXPECT_EQ(form->Model().UserList.At(0).Data(), u"one");
}

TEST_F(MainWindowTest, SwitchingTabsShowsThatTabsCountFieldsAndButtons) {
  driver->SelectTab(1);
  ASSERT_EQ(TabShown(), 1);
  EXPECT_TRUE(::IsWindowVisible(Control(IDC_SYS_LIST_VIEW)));
  EXPECT_FALSE(::IsWindowVisible(Control(IDC_PATH_LIST)));
  EXPECT_EQ(driver->StatusText(1), u"4 項目");
  // Load selected the first row; the tab shows it.
  EXPECT_TRUE(ButtonsEnabled());
  EXPECT_EQ(Text(Control(IDC_SYS_KEY_NAME_EDIT)), u"OS");
  EXPECT_EQ(::SendMessageW(Control(IDC_SYS_KEY_TYPE_COMBO), CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(Text(Control(IDC_SYS_KEY_DATA_EDIT)), u"Windows_NT");

  // A click beside the rows only takes the selection away: the buttons go
  // off and the fields keep showing the row.
  const HWND view = Control(IDC_SYS_LIST_VIEW);
  RECT client{};
  ::GetClientRect(view, &client);
  driver->Click(view, POINT{client.right / 2, client.bottom - 5});
  EXPECT_EQ(ListView_GetNextItem(view, -1, LVNI_SELECTED), -1);
  EXPECT_EQ(form->Model().SysList.Selected(), -1);
  EXPECT_FALSE(ButtonsEnabled());
  EXPECT_TRUE(AddEnabled());  // the fields still hold a name
  EXPECT_EQ(Text(Control(IDC_SYS_KEY_NAME_EDIT)), u"OS");

  // The Path tab enables the buttons; back on the System tab without a
  // selected row they are off again and the fields are as they were.
  driver->SelectTab(0);
  EXPECT_TRUE(ButtonsEnabled());
  EXPECT_EQ(driver->StatusText(1), u"3 項目");
  driver->SelectTab(1);
  EXPECT_FALSE(ButtonsEnabled());
  EXPECT_EQ(Text(Control(IDC_SYS_KEY_NAME_EDIT)), u"OS");
  EXPECT_EQ(driver->StatusText(1), u"4 項目");
}

TEST_F(MainWindowTest, CtrlTabTurnsTheTabsOver) {
  driver->Key(VK_TAB, true);
  EXPECT_EQ(TabShown(), 1);
  EXPECT_TRUE(::IsWindowVisible(Control(IDC_SYS_LIST_VIEW)));
  EXPECT_EQ(driver->StatusText(1), u"4 項目");
  driver->Key(VK_TAB, true);
  EXPECT_EQ(TabShown(), 2);
  driver->Key(VK_TAB, true);
  EXPECT_EQ(TabShown(), 0);
  driver->Key(VK_TAB, true, false, true);  // with Shift: back
  EXPECT_EQ(TabShown(), 2);
  EXPECT_EQ(Text(Control(IDC_USER_KEY_NAME_EDIT)), u"TEMP");
}

TEST_F(MainWindowTest, LaysItselfOutAgainForTheDpiOfAnotherScreen) {
  RECT suggested{};
  ::GetWindowRect(form->Handle(), &suggested);
  ::SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  driver->Pump();
  RECT client{};
  ::GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.right, 738);  // 492 at 96 DPI
  EXPECT_EQ(client.bottom, 674);  // 449 at 96 DPI
  const RECT edit1 = WindowDriver::PlaceInParent(Control(IDC_EDIT1));
  EXPECT_EQ(edit1.left, 12);
  EXPECT_EQ(edit1.right - edit1.left, 674);  // 449 at 96 DPI
  const RECT add = WindowDriver::PlaceInParent(Control(IDM_EDIT_ADD_BTN));
  EXPECT_EQ(add.left, 183);
  EXPECT_EQ(add.bottom - add.top, 38);
  LOGFONTW font{};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(Control(IDC_EDIT1), WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_EQ(font.lfHeight, -18);  // 12 pixels at 96 DPI
  EXPECT_EQ(ListView_GetColumnWidth(Control(IDC_SYS_LIST_VIEW), 0), 162);
}

TEST_F(MainWindowTest, ClickingARowFillsTheFieldsOfItsTab) {
  driver->SelectTab(1);
  const HWND view = Control(IDC_SYS_LIST_VIEW);
  RECT row{};
  ListView_GetItemRect(view, 2, &row, LVIR_BOUNDS);  // "TEMP"
  driver->Click(view, POINT{row.left + 20, (row.top + row.bottom) / 2});
  EXPECT_EQ(form->Model().SysList.Selected(), 2);
  EXPECT_EQ(Text(Control(IDC_SYS_KEY_NAME_EDIT)), u"TEMP");
  EXPECT_EQ(::SendMessageW(Control(IDC_SYS_KEY_TYPE_COMBO), CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(Text(Control(IDC_SYS_KEY_DATA_EDIT)), u"%SystemRoot%\\TEMP");
  EXPECT_TRUE(ButtonsEnabled());
}

// The list views hold no texts of their own: every cell they show is read
// from the list when they ask, a long one whole, and the selection follows
// a row that a rename sorts elsewhere.
TEST_F(MainWindowTest, ListViewsShowTheRowsOfTheirLists) {
  const std::u16string longData(600, u'x');
  registry.Key(RootKey::CurrentUser, kUserSubkey).push_back({u"LONG", Sz(longData)});
  dialogs.Answers = {true};
  driver->Key('R', true);  // Load again
  const auto cell = [](HWND view, int row, int column) {
    std::wstring text(1024, L'\0');
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    text.resize(static_cast<std::size_t>(
        ::SendMessageW(view, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item))));
    return win32::FromWide(text);
  };
  for (const int id : {IDC_SYS_LIST_VIEW, IDC_USER_LIST_VIEW}) {
    const HWND view = Control(id);
    const EditList& list = id == IDC_SYS_LIST_VIEW ? form->Model().SysList : form->Model().UserList;
    ASSERT_EQ(ListView_GetItemCount(view), list.Count());
    for (int row = 0; row < list.Count(); ++row) {
      EXPECT_EQ(cell(view, row, 0), list.At(row).Name);
      EXPECT_EQ(cell(view, row, 1), list.At(row).TypeName());
      EXPECT_EQ(cell(view, row, 2), list.At(row).Data());
    }
  }
  EXPECT_EQ(cell(Control(IDC_USER_LIST_VIEW), 0, 2), longData);

  driver->SelectTab(2);  // LONG, TEMP, Tool: LONG selected
  ::SetWindowTextW(Control(IDC_USER_KEY_NAME_EDIT), L"ZZZ");
  driver->Click(Control(IDM_EDIT_REPLASE_BTN));
  const HWND userView = Control(IDC_USER_LIST_VIEW);
  EXPECT_EQ(cell(userView, 2, 0), u"ZZZ");
  EXPECT_EQ(ListView_GetNextItem(userView, -1, LVNI_SELECTED), 2);
  EXPECT_EQ(form->Model().UserList.Selected(), 2);
}

TEST_F(MainWindowTest, UserTabShowsItsSelectedExpandableRow) {
  driver->SelectTab(2);
  EXPECT_EQ(driver->StatusText(1), u"2 項目");
  EXPECT_EQ(Text(Control(IDC_USER_KEY_NAME_EDIT)), u"TEMP");
  EXPECT_EQ(::SendMessageW(Control(IDC_USER_KEY_TYPE_COMBO), CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(Text(Control(IDC_USER_KEY_DATA_EDIT)), u"%USERPROFILE%\\Temp");
  // The System tab's fields were never filled: its list view's changes
  // arrived while another tab was shown.
  EXPECT_EQ(Text(Control(IDC_SYS_KEY_NAME_EDIT)), u"");
}

TEST_F(MainWindowTest, AChangeInTheOtherTabsListViewLeavesTheShownTabAlone) {
  driver->SelectTab(1);
  ASSERT_EQ(Text(Control(IDC_SYS_KEY_NAME_EDIT)), u"OS");
  const HWND userView = Control(IDC_USER_LIST_VIEW);
  ListView_SetItemState(userView, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  driver->Pump();
  EXPECT_TRUE(ButtonsEnabled());
  ListView_SetItemState(userView, 1, LVIS_SELECTED, LVIS_SELECTED);
  driver->Pump();
  EXPECT_EQ(Text(Control(IDC_SYS_KEY_NAME_EDIT)), u"OS");
  EXPECT_EQ(Text(Control(IDC_USER_KEY_NAME_EDIT)), u"");
  EXPECT_TRUE(ButtonsEnabled());
  EXPECT_EQ(form->Model().UserList.Selected(), 1);
}

TEST_F(MainWindowTest, OpenTypeListIsAsWideAsItsLongestName) {
  driver->SelectTab(1);
  const HWND combo = Control(IDC_SYS_KEY_TYPE_COMBO);
  const RECT before = WindowDriver::PlaceInParent(combo);
  ::SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  driver->Pump();
  ::SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  driver->Pump();

  const HDC dc = ::GetDC(form->Handle());
  const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(combo, WM_GETFONT, 0, 0)));
  SIZE longest{};
  ::GetTextExtentPoint32W(dc, L"REG_RESOURCE_REQUIREMENTS_LIST", 30, &longest);
  ::SelectObject(dc, old);
  ::ReleaseDC(form->Handle(), dc);
  const int expected = longest.cx + ui::Scale(6, ui::DpiOf(form->Handle())) + ::GetSystemMetrics(SM_CXVSCROLL);
  EXPECT_EQ(::SendMessageW(combo, CB_GETDROPPEDWIDTH, 0, 0), expected);
  // The closed box keeps its width.
  const RECT closed = WindowDriver::PlaceInParent(combo);
  EXPECT_EQ(closed.right - closed.left, before.right - before.left);
}

TEST_F(MainWindowTest, HintsOfControlsAndMenuItemsShowInPanelZero) {
  driver->Hover(Control(IDC_EDIT1));
  EXPECT_EQ(driver->StatusText(0), u"実際に書き込まれるPathの値を直接編集する");
  driver->Hover(Control(IDC_PATH_LIST));  // no hint: the panel empties
  EXPECT_EQ(driver->StatusText(0), u"");
  driver->Hover(Control(IDM_EDIT_ADD_BTN));
  EXPECT_EQ(driver->StatusText(0), u"選択位置に値を追加する");
  driver->Hover(Control(IDM_FILE_BROWSE));
  EXPECT_EQ(driver->StatusText(0), u"追加・置換するフォルダを参照する");
  driver->SelectTab(2);
  driver->Hover(Control(IDC_USER_KEY_TYPE_COMBO));
  EXPECT_EQ(driver->StatusText(0), u"追加・置換するキーのタイプを選択する(REG_SZ、REG_EXPAND_SZのみ設定可能)");

  const HMENU menu = ::GetMenu(form->Handle());
  const HMENU file = ::GetSubMenu(menu, 0);
  const struct {
    int Id;
    std::u16string Shown;
  } items[] = {
      {IDM_FILE_LOAD, u"レジストリから読み込み(現在までの編集内容は破棄されます)"},
      {IDM_FILE_EXPORT, u"レジストリの内容をファイルに書き出す"},  // no short form
      {IDM_FILE_BUCKUP, u""},                                       // no hint
      {IDM_FILE_EXIT, u"アプリケーションを終了する"},
  };
  for (const auto& item : items) {
    ::SendMessageW(form->Handle(), WM_MENUSELECT, MAKEWPARAM(item.Id, MF_HILITE), reinterpret_cast<LPARAM>(file));
    EXPECT_EQ(driver->StatusText(0), item.Shown);
  }
  // A message a command wrote stays until the hint changes again.
  ::SendMessageW(form->Handle(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ(driver->StatusText(0), u"");
}

TEST_F(MainWindowTest, LoadShortcutAsksAndReloadsWithoutDoubling) {
  dialogs.Answers = {false};
  driver->Key('R', true);
  ASSERT_EQ(dialogs.Shown.size(), 1u);
  EXPECT_EQ(dialogs.Shown[0].Text, u"レジストリから読み込みます。\nよろしいですか？");
  EXPECT_EQ(form->Model().UserList.Count(), 2);

  registry.Key(RootKey::CurrentUser, kUserSubkey).push_back({u"Added", Sz(u"x")});
  driver->Key('R', true);  // the script has run out: OK
  EXPECT_EQ(dialogs.Shown.size(), 2u);
  EXPECT_EQ(form->Model().UserList.Count(), 3);
  EXPECT_EQ(::SendMessageW(Control(IDC_USER_LIST_VIEW), LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(driver->StatusText(0), u"レジストリから環境変数を読み込みました。");
}

TEST_F(MainWindowTest, SaveShortcutWritesAnnouncesAndOffersRestart) {
  dialogs.Answers = {true, false};  // write; restart later
  driver->Key('W', true);
  ASSERT_EQ(dialogs.Shown.size(), 3u);
  EXPECT_EQ(dialogs.Shown[0].Text, u"レジストリに書き込みます。\nよろしいですか？");
  EXPECT_EQ(dialogs.Shown[1].Text, u"レジストリへ環境変数を書き込みました。");
  EXPECT_EQ(dialogs.Shown[2].Text, u"これらの変更を適用するには再起動する必要があります。\n今すぐ再起動しますか？");
  EXPECT_EQ(broadcast.AtDialog.size(), 1u);
  EXPECT_TRUE(power.Actions.empty());
  EXPECT_EQ(driver->StatusText(0), u"レジストリへ環境変数を書き込みました。");
  // Nothing was edited: the Path goes back exactly as it was read.
  EXPECT_EQ(registry.Key(RootKey::LocalMachine, kSystemSubkey)[0].second, ExpandSz(u"C:\\A;C:\\B;C:\\C"));
}

// Export writes a real file; Import reads it back over an edit.
TEST_F(MainWindowTest, ExportThenImportThroughTheFileMenu) {
  ScratchFolder folder;
  const std::u16string file = folder.File(u"Environment.reg");
  pickers.Answers = {file};
  ::SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(IDM_FILE_EXPORT, 0), 0);
  ASSERT_EQ(dialogs.Shown.size(), 1u);
  EXPECT_EQ(dialogs.Shown[0].Text, u"編集リストをエクスポートしました。\nシステム環境変数 ： 4 項目\nユーザー環境変数 ： 2 項目\n");
  EXPECT_EQ(pickers.SaveTitles, std::vector<std::u16string>{u"レジストリキーのエクスポート"});

  const HWND edit1 = Control(IDC_EDIT1);
  driver->Focus(edit1);
  ::SendMessageW(edit1, EM_SETSEL, 0, -1);
  driver->Type(u"D:\\Other");
  ASSERT_EQ(::SendMessageW(Control(IDC_PATH_LIST), LB_GETCOUNT, 0, 0), 1);

  pickers.Answers = {file};
  ::SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(IDM_FILE_IMPORT, 0), 0);
  ASSERT_EQ(dialogs.Shown.size(), 2u);
  EXPECT_EQ(dialogs.Shown[1].Text, u"編集リストへインスポートしました。\nシステム環境変数 ： 4 項目\nユーザー環境変数 ： 2 項目\n");
  EXPECT_EQ(::SendMessageW(Control(IDC_PATH_LIST), LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(Text(Control(IDC_EDIT2)), u"C:\\A;");
  EXPECT_EQ(driver->StatusText(1), u"3 項目");
  EXPECT_EQ(::SendMessageW(Control(IDC_SYS_LIST_VIEW), LVM_GETITEMCOUNT, 0, 0), 4);
}

TEST_F(MainWindowTest, TypingInEdit1ResplitsThePathList) {
  const HWND edit1 = Control(IDC_EDIT1);
  driver->Focus(edit1);
  ::SendMessageW(edit1, EM_SETSEL, 0, -1);
  driver->Type(u"D:\\X;D:\\Y");
  EXPECT_EQ(Text(edit1), u"D:\\X;D:\\Y");  // the user's text stays as typed
  const HWND pathList = Control(IDC_PATH_LIST);
  EXPECT_EQ(::SendMessageW(pathList, LB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(Text(Control(IDC_EDIT2)), u"D:\\X;");
  const int pathRow = form->Model().PathEntryIndex();
  ASSERT_GE(pathRow, 0);
  EXPECT_EQ(form->Model().SysList.At(pathRow).Data(), u"D:\\X;D:\\Y");
}

TEST_F(MainWindowTest, ClickingAPathItemMakesItCurrent) {
  const HWND pathList = Control(IDC_PATH_LIST);
  RECT item{};
  ::SendMessageW(pathList, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
  driver->Click(pathList, POINT{item.left + 10, (item.top + item.bottom) / 2});
  EXPECT_EQ(::SendMessageW(pathList, LB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(form->Model().PathIndex, 2);
  EXPECT_EQ(Text(Control(IDC_EDIT2)), u"C:\\C;");
  EXPECT_EQ(::SendMessageW(Control(IDC_UP_DOWN), UDM_GETPOS32, 0, 0), 0);
}

TEST_F(MainWindowTest, CtrlZUndoesTypingInTheFocusedField) {
  const HWND edit2 = Control(IDC_EDIT2);
  driver->Focus(edit2);
  ::SendMessageW(edit2, EM_SETSEL, 5, 5);
  driver->Type(u"X");
  ASSERT_EQ(Text(edit2), u"C:\\A;X");
  driver->Key('Z', true);
  EXPECT_EQ(Text(edit2), u"C:\\A;");
}

TEST_F(MainWindowTest, F12AndTheHelpMenuOpenTheAboutBox) {
  {
    ModalDialogDriver about({Click(IDOK)});
    driver->Key(VK_F12);
    ASSERT_EQ(about.Seen().size(), 1u);
    EXPECT_EQ(about.Dialog(0).Caption, u"バージョン情報");
    EXPECT_EQ(about.Dialog(0).Owner, form->Handle());
  }
  {
    ModalDialogDriver about({Press(VK_ESCAPE)});
    ::SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(IDM_HELP_ABOUT, 0), 0);
    ASSERT_EQ(about.Seen().size(), 1u);
    EXPECT_EQ(about.Dialog(0).Caption, u"バージョン情報");
  }
  EXPECT_TRUE(::IsWindowEnabled(form->Handle()));
}

TEST_F(MainWindowTest, AltF4ClosesTheWindow) {
  driver->Key(VK_F4, false, true);
  EXPECT_FALSE(::IsWindow(form->Handle()));
  EXPECT_TRUE(driver->QuitPosted());
  EXPECT_TRUE(dialogs.Shown.empty());  // nothing is saved or asked on exit
}

}  // namespace
}  // namespace tallowin::testing
