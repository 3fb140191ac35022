#include "ui/command_table.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "model/texts.h"
#include "ui/resources/resource.h"
#include "win32/unique_handle.h"

namespace tallowin::testing {
namespace {

using ui::Command;

// The shortcut as a menu item shows it after its tab.
std::wstring Label(const ui::Shortcut& keys) {
  std::wstring label = (keys.Modifiers & FCONTROL) != 0 ? L"Ctrl+" : L"";
  if (keys.Key == VK_DELETE) return label + L"Del";
  if (keys.Key == VK_UP) return label + L"Up";
  if (keys.Key == VK_DOWN) return label + L"Down";
  if (keys.Key >= VK_F1 && keys.Key <= VK_F24) return label + L"F" + std::to_wstring(keys.Key - VK_F1 + 1);
  return label + static_cast<wchar_t>(keys.Key);
}

// Every command item of a menu and its submenus, with its text.
void CollectItems(HMENU menu, std::vector<std::pair<int, std::wstring>>& items) {
  for (int position = 0; position < ::GetMenuItemCount(menu); ++position) {
    if (const HMENU sub = ::GetSubMenu(menu, position); sub != nullptr) {
      CollectItems(sub, items);
      continue;
    }
    const UINT id = ::GetMenuItemID(menu, position);
    if (id == 0) continue;  // a separator
    wchar_t text[128] = {};
    ::GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
    items.emplace_back(static_cast<int>(id), text);
  }
}

// Every menu item reaches its action, and the shortcut it shows is the one
// the table runs; every button reaches its action, and its access key is
// the letter its caption underlines; no two actions share a key; and no
// action is out of the user's reach.
TEST(CommandTable, EveryMenuItemButtonAndShortcutReachesItsAction) {
  std::set<int> reached;
  for (const int menuId : {IDR_MAINMENU, IDR_POPUPMENU}) {
    const win32::UniqueMenu menu(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(menuId)));
    ASSERT_TRUE(menu);
    std::vector<std::pair<int, std::wstring>> items;
    CollectItems(menu.get(), items);
    for (const auto& [id, text] : items) {
      SCOPED_TRACE(text);
      const Command* command = ui::FindCommand(id);
      ASSERT_NE(command, nullptr);
      const std::size_t tab = text.find(L'\t');
      const std::wstring shown = tab == std::wstring::npos ? L"" : text.substr(tab + 1);
      // Alt+F4 is the system's own key for closing the window.
      EXPECT_EQ(shown, command->Keys.Key == 0 ? (id == IDM_FILE_EXIT ? L"Alt+F4" : L"") : Label(command->Keys));
      reached.insert(id);
    }
  }
  const std::pair<int, std::u16string_view> buttons[] = {{IDM_EDIT_ADD_BTN, texts::kAddCaption},
                                                         {IDM_EDIT_REPLASE_BTN, texts::kReplaceCaption},
                                                         {IDM_EDIT_DELETE_BTN, texts::kDeleteCaption},
                                                         {IDM_FILE_BROWSE, texts::kBrowseCaption}};
  for (const auto& [id, caption] : buttons) {
    const Command* command = ui::FindCommand(id);
    ASSERT_NE(command, nullptr) << id;
    const std::size_t amp = caption.find(u'&');
    EXPECT_EQ(command->AccessKey, amp == std::u16string_view::npos ? 0 : caption[amp + 1]) << id;
    if (command->AccessKey != 0) {
      EXPECT_EQ(ui::FindAccessKey(command->AccessKey), command);
    }
    reached.insert(id);
  }
  for (const Command& command : ui::Commands()) {
    if (command.Keys.Key != 0) {
      // Ctrl+Z is the focused field's undo first, the lists' when the field
      // has nothing to undo.
      const Command* first = ui::FindShortcut(command.Keys.Key, command.Keys.Modifiers);
      if (command.Id == IDM_EDIT_LIST_UNDO) first = ui::FindShortcut(command.Keys.Key, command.Keys.Modifiers, first);
      EXPECT_EQ(first, &command) << command.Id;
      reached.insert(command.Id);
    }
    EXPECT_EQ(reached.count(command.Id), 1u) << command.Id << " has no menu item, button or shortcut";
    EXPECT_EQ(command.Rule == ui::Enabling::EditMenu, command.EditState != nullptr) << command.Id;
  }
}

}  // namespace
}  // namespace tallowin::testing
