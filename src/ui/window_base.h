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

// The base of the program's modal dialogs: the dialog procedure stores the
// object at WM_INITDIALOG (from the creation parameter), forwards every
// message to the member handler, and forgets the object at WM_NCDESTROY. No
// exception crosses the procedure either. A dialog moved to a screen of
// another DPI takes the place the system suggests and is laid out afresh
// for that DPI by the derived class's LayOut(UINT dpi).
template <typename Derived>
class DialogBase {
 public:
  HWND Handle() const { return dialog_; }

 protected:
  DialogBase() = default;
  DialogBase(const DialogBase&) = delete;
  DialogBase& operator=(const DialogBase&) = delete;
  ~DialogBase() = default;

  // Runs the dialog of the template over the owner and returns its result
  // (-1 when it could not be shown).
  INT_PTR RunModal(HINSTANCE instance, int templateId, HWND owner) {
    return ::DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), owner, DialogProc,
                             reinterpret_cast<LPARAM>(static_cast<Derived*>(this)));
  }

  HWND dialog_ = nullptr;

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
};

template <typename Derived>
INT_PTR CALLBACK DialogBase<Derived>::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  Derived* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<Derived*>(lParam);
    self->dialog_ = dialog;
    ::SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Derived*>(::GetWindowLongPtrW(dialog, DWLP_USER));
  }
  if (self == nullptr) return FALSE;
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(dialog, DWLP_USER, 0);
    self->dialog_ = nullptr;
    return FALSE;
  }
  try {
    if (message == WM_DPICHANGED) {
      const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
      ::SetWindowPos(dialog, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                     suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
      self->LayOut(HIWORD(wParam));
      return TRUE;
    }
    return self->HandleMessage(message, wParam, lParam);
  } catch (const std::exception& error) {
    ShowUncaughtException(dialog, &error);
  } catch (...) {
    ShowUncaughtException(dialog, nullptr);
  }
  return FALSE;
}

}  // namespace tallowin::ui
