#pragma once

#include <windows.h>

#include <map>
#include <string_view>

// The actions of the main window by their command IDs: one enabled state
// each, shared by the action's menu item, button and shortcut, and the hint
// shown while its menu item is highlighted or the pointer rests on its
// button.
namespace tallowin::ui {

class ActionState {
 public:
  ActionState();

  bool IsEnabled(int commandId) const;
  void SetEnabled(int commandId, bool enabled);
  // The action's hint as written ('short|long' or a single part); empty for
  // an action without one and for IDs that are no action.
  std::u16string_view Hint(int commandId) const;

  // Brings the items of a menu that is about to open in line with the states.
  void ApplyToMenu(HMENU menu) const;

 private:
  struct Action {
    bool Enabled = true;
    std::u16string_view Hint;
  };
  std::map<int, Action> actions_;
};

}  // namespace tallowin::ui
