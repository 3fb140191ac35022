#pragma once

#include <windows.h>

#include <array>
#include <optional>

#include "model/main_model.h"

// The main window's tab control and the page of each tab over its display
// area. The Path page is made first, so that it lies above the control; a
// variable tab's page is made hidden when its view is first needed. Only
// the page of the tab shown is visible.
namespace tallowin::ui {

// The window class of the pages and of the panel, registered with the
// main window's: a plain parent that passes what its controls report on to
// the main window, which routes it.
inline constexpr wchar_t kPageClass[] = L"TallowinPage";
LRESULT CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

class TabPages {
 public:
  void Create(HWND window);
  HWND Control() const { return control_; }
  // The page of a tab, made the first time it is asked for.
  HWND Page(Tab tab);
  // A control on one of the pages made so far; null when none has it.
  HWND FindControl(int id) const;
  // The pages fill the tab control's display area.
  void Fit();

  // The tab the control has chosen; nothing while none is.
  std::optional<Tab> Chosen() const;
  // Chooses the next tab, or the one before, going round.
  void Turn(bool back);
  // Shows the tab's page and hides the others.
  void Show(Tab tab);

 private:
  HWND window_ = nullptr;
  HWND control_ = nullptr;
  std::array<HWND, 3> pages_{};
};

}  // namespace tallowin::ui
