#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>

// The hints of the main window, shown in status bar panel 0 and never as
// tooltips: the hint of the control under the pointer or of the highlighted
// menu item, in its long form. Panel 0 is written only when the hint changes,
// so a message a command wrote there stays until then.
namespace tallowin::ui {

// The long form of a hint: the text after the first '|', or the whole hint.
std::u16string_view LongHint(std::u16string_view hint);

class StatusHints {
 public:
  void SetControlHint(HWND control, std::u16string_view hint) { controlHints_[control] = hint; }

  // The hint now under the pointer or highlighted; the long form to write
  // into panel 0 when it differs from the last one, nothing otherwise.
  std::optional<std::u16string> Change(std::u16string_view hint);
  // The hint of a window or of the nearest of its ancestors below the top
  // window that has one; empty when none has.
  std::u16string_view HintAt(HWND window, HWND top) const;

 private:
  std::map<HWND, std::u16string_view> controlHints_;
  std::u16string current_;
};

}  // namespace tallowin::ui
