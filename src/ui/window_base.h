#pragma once

#include <windows.h>

#include <exception>

// The base of the program's windows: the static window procedure stores the
// object at WM_NCCREATE, forwards every message to the member handler, and
// forgets the object at WM_NCDESTROY. No exception crosses the procedure:
// it is shown in the program's error box and the program goes on.
namespace tallowin::ui {

// The box that shows an exception no handler caught.
void ShowUncaughtException(HWND owner, const std::exception* error) noexcept;

template <typename Derived>
class WindowBase {
 public:
  HWND Handle() const { return window_; }

  // The window procedure to register for the derived class.
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  WindowBase() = default;
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;
  ~WindowBase() = default;

  HWND window_ = nullptr;
};

template <typename Derived>
LRESULT CALLBACK WindowBase<Derived>::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Derived* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Derived*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (const std::exception& error) {
    ShowUncaughtException(window, &error);
  } catch (...) {
    ShowUncaughtException(window, nullptr);
  }
  return 0;
}

}  // namespace tallowin::ui
