#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// The main window's status bar: panel 0 holds the hint or the last
// command's message, panel 1 the count of the list shown, and panel 2, at
// the right edge, the filter's count while a filter hides rows (no width
// otherwise).
namespace tallowin::ui {

class StatusBar {
 public:
  void Create(HWND window);
  HWND Handle() const { return bar_; }
  // Lays the panels out again for the window's width, the DPI and the font.
  void Layout(UINT dpi, HFONT font);

  // A message wider than the hint panel (the notice of another program's
  // change) takes the whole bar until the next hint, so that it reads whole.
  void ShowHint(std::u16string_view text);
  void ShowCount(std::u16string_view text);
  // Empty while no filter hides rows.
  void ShowFilterCount(std::u16string_view text);

 private:
  void ApplyParts();
  void SetText(int panel, std::u16string_view text);

  HWND window_ = nullptr;
  HWND bar_ = nullptr;
  UINT dpi_ = 96;
  HFONT font_ = nullptr;  // the window's, given again with each layout
  int hintPanelWidth_ = 0;
  int countPanelWidth_ = 0;
  std::u16string filterCount_;
};

}  // namespace tallowin::ui
