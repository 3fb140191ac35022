#include "ui/status_bar.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

#include "model/texts.h"
#include "ui/main_window_layout.h"
#include "ui/resources/resource.h"
#include "ui/window_metrics.h"
#include "win32/wide_text.h"

namespace tallowin::ui {

void StatusBar::Create(HWND window) {
  window_ = window;
  bar_ = CreateChild(window, 0, STATUSCLASSNAMEW, L"", 0, IDC_STATUS_BAR);
}

void StatusBar::Layout(UINT dpi, HFONT font) {
  dpi_ = dpi;
  font_ = font;
  ::SendMessageW(bar_, WM_SIZE, 0, 0);
  // The count panel holds the longest count a list can have ("99999 項目")
  // at this DPI and font, taken from the hint panel where the design's width
  // is too narrow for it.
  countPanelWidth_ = std::max(Scale(kStatusPanel1Width, dpi_),
                              TextWidth(bar_, font_, texts::kWidestCountText) + Scale(kStatusTextMargins, dpi_));
  ApplyParts();
}

void StatusBar::ApplyParts() {
  const int filter = filterCount_.empty() ? 0 : TextWidth(bar_, font_, filterCount_) + Scale(kStatusTextMargins, dpi_);
  RECT client{};
  ::GetClientRect(window_, &client);
  const int right = static_cast<int>(client.right);
  const int hints = std::min(Scale(kStatusPanel0Width, dpi_), std::max(0, right - countPanelWidth_ - filter));
  const std::array<int, 3> edges{hints, std::max(hints, right - filter), -1};
  ::SendMessageW(bar_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  hintPanelWidth_ = hints;
}

void StatusBar::ShowHint(std::u16string_view text) {
  SetText(0, text);
  const bool wide = TextWidth(bar_, font_, text) + Scale(kStatusTextMargins, dpi_) > hintPanelWidth_;
  if (wide) SetText(SB_SIMPLEID, text);
  ::SendMessageW(bar_, SB_SIMPLE, wide ? TRUE : FALSE, 0);
}

void StatusBar::ShowCount(std::u16string_view text) { SetText(1, text); }

void StatusBar::ShowFilterCount(std::u16string_view text) {
  if (text != filterCount_) {
    filterCount_ = text;
    ApplyParts();
  }
  SetText(2, filterCount_);
}

void StatusBar::SetText(int panel, std::u16string_view text) {
  const std::u16string copy(text);
  ::SendMessageW(bar_, SB_SETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(win32::Wide(copy)));
}

}  // namespace tallowin::ui
