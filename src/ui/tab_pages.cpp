#include "ui/tab_pages.h"

#include <commctrl.h>

#include <string>
#include <string_view>

#include "model/texts.h"
#include "ui/main_window_layout.h"
#include "ui/resources/resource.h"
#include "win32/wide_text.h"

namespace tallowin::ui {

LRESULT CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_VSCROLL:
    case WM_CONTEXTMENU:
      return ::SendMessageW(::GetAncestor(page, GA_ROOT), message, wParam, lParam);
    default:
      return ::DefWindowProcW(page, message, wParam, lParam);
  }
}

void TabPages::Create(HWND window) {
  window_ = window;
  Page(Tab::Path);
  control_ = CreateChild(window, 0, WC_TABCONTROLW, L"", WS_CLIPSIBLINGS | WS_TABSTOP, IDC_PAGE_CONTROL);
  const std::u16string_view titles[] = {texts::kTabPath, texts::kTabSystem, texts::kTabUser};
  for (int index = 0; index < 3; ++index) {
    std::wstring title = win32::ToWide(titles[index]);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = title.data();
    ::SendMessageW(control_, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  }
}

HWND TabPages::Page(Tab tab) {
  const std::size_t index = static_cast<std::size_t>(tab);
  if (pages_[index] != nullptr) return pages_[index];
  const HWND page = CreateChild(window_, WS_EX_CONTROLPARENT, kPageClass, L"", WS_CLIPSIBLINGS,
                                IDC_PATH_PAGE + static_cast<int>(index));
  pages_[index] = page;
  if (index == 0) return page;
  // Hidden, beneath the pages before it and above the tab control, which
  // it covers.
  std::size_t above = index - 1;
  while (pages_[above] == nullptr) --above;
  ::SetWindowPos(page, pages_[above], 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_HIDEWINDOW | SWP_NOREDRAW);
  Fit();
  return page;
}

HWND TabPages::FindControl(int id) const {
  for (HWND page : pages_) {
    if (page == nullptr) continue;
    if (const HWND control = ::GetDlgItem(page, id); control != nullptr) return control;
  }
  return nullptr;
}

void TabPages::Fit() {
  RECT display{};
  ::GetWindowRect(control_, &display);
  ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&display), 2);
  ::SendMessageW(control_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  for (HWND page : pages_) {
    if (page == nullptr) continue;
    ::MoveWindow(page, display.left, display.top, display.right - display.left, display.bottom - display.top, FALSE);
  }
}

std::optional<Tab> TabPages::Chosen() const {
  const int index = static_cast<int>(::SendMessageW(control_, TCM_GETCURSEL, 0, 0));
  if (index < 0 || index >= static_cast<int>(pages_.size())) return std::nullopt;
  return static_cast<Tab>(index);
}

void TabPages::Turn(bool back) {
  const int count = static_cast<int>(::SendMessageW(control_, TCM_GETITEMCOUNT, 0, 0));
  const int shown = static_cast<int>(::SendMessageW(control_, TCM_GETCURSEL, 0, 0));
  ::SendMessageW(control_, TCM_SETCURSEL, static_cast<WPARAM>((shown + (back ? count - 1 : 1)) % count), 0);
}

void TabPages::Show(Tab tab) {
  for (std::size_t index = 0; index < pages_.size(); ++index) {
    if (pages_[index] == nullptr) continue;
    ::ShowWindow(pages_[index], index == static_cast<std::size_t>(tab) ? SW_SHOW : SW_HIDE);
  }
}

}  // namespace tallowin::ui
