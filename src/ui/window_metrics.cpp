#include "ui/window_metrics.h"

#include "win32/wide_text.h"

namespace tallowin::ui {
namespace {

BOOL CALLBACK SetFontOnChild(HWND child, LPARAM font) {
  ::SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
  return TRUE;
}

}  // namespace

UINT DpiOf(HWND window) {
  // GetDpiForWindow exists from Windows 10 1607; look it up so that the
  // program still starts on older systems.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow != nullptr && window != nullptr) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi != 0) return dpi;
  }
  const win32::WindowDC screen(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : kDesignDpi;
  return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

win32::UniqueFont CreateProgramFont(int designHeight, UINT dpi, int weight, bool italic) {
  // A negative height asks for the character height, not the cell height.
  return win32::UniqueFont(::CreateFontW(-Scale(designHeight, dpi), 0, 0, 0, weight, italic ? TRUE : FALSE, FALSE,
                                         FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                         DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                         L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF"));
}

int TextLineHeight(HWND window, HFONT font) {
  const win32::WindowDC dc(window);
  if (!dc) return 0;
  const win32::SelectedObject selected(dc.get(), font);
  TEXTMETRICW metrics{};
  return ::GetTextMetricsW(dc.get(), &metrics) ? static_cast<int>(metrics.tmHeight) : 0;
}

int TextWidth(HWND window, HFONT font, std::u16string_view text) {
  const win32::WindowDC dc(window);
  if (!dc) return 0;
  const win32::SelectedObject selected(dc.get(), font);
  SIZE size{};
  return ::GetTextExtentPoint32W(dc.get(), win32::WideData(text), static_cast<int>(text.size()), &size) ? size.cx : 0;
}

void SizeToClientArea(HWND window, SIZE designClient, UINT dpi) {
  RECT frame{};
  RECT client{};
  if (!::GetWindowRect(window, &frame) || !::GetClientRect(window, &client)) return;
  const int width = (frame.right - frame.left) - client.right + Scale(designClient.cx, dpi);
  const int height = (frame.bottom - frame.top) - client.bottom + Scale(designClient.cy, dpi);
  // Moving a window costs a round of messages even when nothing changes.
  if (width == frame.right - frame.left && height == frame.bottom - frame.top) return;
  ::SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE FrameSizeForClient(SIZE designClient, DWORD style, bool hasMenu, UINT dpi) {
  RECT rect{0, 0, Scale(designClient.cx, dpi), Scale(designClient.cy, dpi)};
  if (!::AdjustWindowRectEx(&rect, style, hasMenu ? TRUE : FALSE, 0)) return SIZE{CW_USEDEFAULT, CW_USEDEFAULT};
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

void SetFontOnChildren(HWND parent, HFONT font) {
  ::EnumChildWindows(parent, SetFontOnChild, reinterpret_cast<LPARAM>(font));
}

}  // namespace tallowin::ui
