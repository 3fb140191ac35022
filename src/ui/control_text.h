#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "win32/wide_text.h"
#include "win32/window_text.h"

// Texts of the window's controls as the model holds them.
namespace tallowin::ui {

inline std::u16string TextOf(HWND window) { return win32::FromWide(win32::WindowText(window)); }

// Leaves the control alone when it shows the text already, so that its
// caret, selection and undo stay as they are and no change is reported.
inline void SetTextIfDifferent(HWND window, std::u16string_view text) {
  if (TextOf(window) == text) return;
  const std::u16string copy(text);
  ::SetWindowTextW(window, win32::Wide(copy));
}

}  // namespace tallowin::ui
