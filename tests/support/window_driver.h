#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <string_view>

#include "ui/main_window.h"
#include "ui/resources/resource.h"
#include "win32/wide_text.h"

// Drives the main window in the test's own thread as a user's input would:
// every message goes through the window's own first look (shortcuts, hints,
// keyboard navigation) and then to the control, as in the program's loop.
namespace tallowin::testing {

class WindowDriver {
 public:
  explicit WindowDriver(ui::TMainForm& form) : form_(form) {}

  // Handles every message that is waiting, as the program's loop does.
  void Pump() {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        quit_ = true;
        continue;
      }
      if (form_.PreTranslateMessage(message)) continue;
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
  bool QuitPosted() const { return quit_; }

  // A left click at a point of a control's client area (its middle when
  // none is given).
  void Click(HWND control, POINT at = {-1, -1}) {
    if (at.x < 0) {
      RECT rect{};
      ::GetClientRect(control, &rect);
      at = POINT{(rect.right - rect.left) / 2, (rect.bottom - rect.top) / 2};
    }
    const LPARAM where = MAKELPARAM(at.x, at.y);
    ::PostMessageW(control, WM_MOUSEMOVE, 0, where);
    ::PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, where);
    ::PostMessageW(control, WM_LBUTTONUP, 0, where);
    Pump();
  }

  // The pointer comes to rest over a control.
  void Hover(HWND control) {
    ::PostMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    Pump();
  }

  // A click on a tab's header.
  void SelectTab(int index) {
    const HWND tabs = form_.Control(IDC_PAGE_CONTROL);
    RECT rect{};
    TabCtrl_GetItemRect(tabs, index, &rect);
    Click(tabs, POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
  }

  // A key pressed and released at the control that has the focus, with the
  // given modifiers held.
  void Key(WPARAM key, bool control = false, bool alt = false, bool shift = false) {
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    const auto hold = [&state](int vk, bool down) { state[vk] = down ? 0x80 : 0; };
    hold(VK_CONTROL, control);
    hold(VK_LCONTROL, control);
    hold(VK_MENU, alt);
    hold(VK_LMENU, alt);
    hold(VK_SHIFT, shift);
    hold(VK_LSHIFT, shift);
    ::SetKeyboardState(state);
    const HWND target = form_.ActiveControl() != nullptr ? form_.ActiveControl() : form_.Handle();
    const UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    const UINT up = alt ? WM_SYSKEYUP : WM_KEYUP;
    const LPARAM altBit = alt ? (1 << 29) : 0;
    ::PostMessageW(target, down, key, 1 | altBit);
    ::PostMessageW(target, up, key, static_cast<LPARAM>(0xC0000001u) | altBit);
    Pump();
    hold(VK_CONTROL, false);
    hold(VK_LCONTROL, false);
    hold(VK_MENU, false);
    hold(VK_LMENU, false);
    hold(VK_SHIFT, false);
    hold(VK_LSHIFT, false);
    ::SetKeyboardState(state);
  }

  // Text typed into the control that has the focus.
  void Type(std::u16string_view text) {
    const HWND target = form_.ActiveControl();
    for (const char16_t c : text) ::PostMessageW(target, WM_CHAR, c, 1);
    Pump();
  }

  void Focus(HWND control) {
    ::SetFocus(control);
    Pump();
  }

  std::u16string StatusText(int panel) const {
    const HWND bar = form_.Control(IDC_STATUS_BAR);
    const auto length = LOWORD(::SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(panel), 0));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return win32::FromWide(text);
  }

  static std::u16string Text(HWND control) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
    const int length = ::GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return win32::FromWide(text);
  }

  // The control's rectangle in its parent's client coordinates.
  static RECT PlaceInParent(HWND control) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }

 private:
  ui::TMainForm& form_;
  bool quit_ = false;
};

}  // namespace tallowin::testing
