#include "ui/window_base.h"

#include <string>

#include "model/texts.h"
#include "win32/wide_text.h"

namespace tallowin::ui {

void ShowUncaughtException(HWND owner, const std::exception* error) noexcept {
  try {
    // Messages of the standard library's exceptions are plain ASCII.
    std::wstring text;
    if (error != nullptr) {
      for (const char* c = error->what(); *c != '\0'; ++c) text.push_back(static_cast<unsigned char>(*c));
    }
    if (dynamic_cast<const std::bad_alloc*>(error) != nullptr) text = win32::ToWide(texts::kOutOfMemory);
    const std::wstring caption = win32::ToWide(texts::kAppTitle);
    ::MessageBeep(MB_ICONHAND);
    ::MessageBoxW(owner, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
  } catch (...) {
    // Nothing is left to report with.
  }
}

}  // namespace tallowin::ui
