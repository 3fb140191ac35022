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

// A child control of the main window, created visible at no size: the
// layout places it.
inline HWND CreateChild(HWND parent, DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, int id) {
  return ::CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
}

}  // namespace tallowin::ui
