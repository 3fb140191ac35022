#pragma once

#include <windows.h>

#include <span>
#include <string_view>

// Where the main window's controls stand, in pixels at 96 DPI: the window's
// client area, the bars, and every control relative to its parent (the
// window, a tab page or the panel), in tab order within each parent.
namespace tallowin::ui {

inline constexpr SIZE kClientSize{492, 449};
inline constexpr int kStatusPanel0Width = 420;
inline constexpr int kStatusPanel1Width = 50;
// The space a status bar panel keeps around its text.
inline constexpr int kStatusTextMargins = 12;
inline constexpr int kPathListItemHeight = 12;
inline constexpr int kFontHeight = 12;

enum class Parent { PathPage, SysPage, UserPage, Panel, Window };

struct ControlPlace {
  int Id;
  Parent Owner;
  int Left;
  int Top;
  int Width;
  int Height;
};

std::span<const ControlPlace> ControlPlaces();
const ControlPlace* FindControlPlace(int id);

// Places the controls of one parent at their design rectangles for the DPI.
void PlaceControls(HWND parent, Parent owner, UINT dpi);

// A child control of the main window, created visible where the layout
// places it at the parent's DPI, so that it need not be moved there; a
// control the layout has no place for is made at no size and placed by
// its owner.
HWND CreateChild(HWND parent, DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, int id);

}  // namespace tallowin::ui
