#pragma once

#include <windows.h>

#include <string_view>

#include "commands/ports.h"

// The three message dialogs (confirmation, warning, plain message) as
// system message boxes, placed with their top-left corner at a screen point
// and with buttons labelled "OK" and "キャンセル" whatever the system's
// language.
namespace tallowin::ports {

class Win32MessageDialogs final : public DialogPort {
 public:
  // The owner window may be null (a dialog without an owner).
  explicit Win32MessageDialogs(HWND owner) : owner_(owner) {}

  bool Confirm(std::u16string_view text, ScreenPoint topLeft) override;
  bool Warn(std::u16string_view text, ScreenPoint topLeft) override;
  void Inform(std::u16string_view text, ScreenPoint topLeft) override;
  void Beep(SystemSound sound) override;
  bool WarnCancelDefault(std::u16string_view text, ScreenPoint topLeft) override;
  bool ConfirmCancelDefault(std::u16string_view text, ScreenPoint topLeft) override;

 private:
  HWND owner_;
};

}  // namespace tallowin::ports
