#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "commands/ports.h"

// The single-line edit field that has the focus, as the edit-field rule of
// Cut, Copy, Paste and Delete reaches it. The window tells which field that
// is: none while the focus is elsewhere or on a field of a hidden page.
namespace tallowin::ports {

class Win32FocusedEdit final : public FocusedEditPort {
 public:
  explicit Win32FocusedEdit(std::function<HWND()> focusedField) : focusedField_(std::move(focusedField)) {}

  bool IsEditFieldFocused() const override { return focusedField_() != nullptr; }
  std::u16string SelectedText() const override;
  bool HasSelection() const override;
  void ReplaceSelection(std::u16string_view text) override;

 private:
  std::function<HWND()> focusedField_;
};

}  // namespace tallowin::ports
