#pragma once

#include <windows.h>

#include <algorithm>
#include <string>

// A window's whole text, however long.
namespace tallowin::win32 {

inline std::wstring WindowText(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::clamp(copied, 0, length)));
  return text;
}

}  // namespace tallowin::win32
