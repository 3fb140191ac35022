#pragma once

#include <gtest/gtest.h>
#include <windows.h>

// A top-level window for a dialog to open over, at a place of its own:
// 100, 80, 500 × 400.
namespace tallowin::ui {

class OwnerWindow {
 public:
  OwnerWindow()
      : window_(::CreateWindowExW(0, L"Static", L"owner", WS_OVERLAPPED | WS_CAPTION, 100, 80, 500, 400, nullptr,
                                  nullptr, ::GetModuleHandleW(nullptr), nullptr)) {
    EXPECT_NE(window_, nullptr) << ::GetLastError();
  }
  OwnerWindow(const OwnerWindow&) = delete;
  OwnerWindow& operator=(const OwnerWindow&) = delete;
  ~OwnerWindow() { ::DestroyWindow(window_); }
  HWND Get() const { return window_; }

 private:
  HWND window_;
};

}  // namespace tallowin::ui
