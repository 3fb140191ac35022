#pragma once

#include <windows.h>

#include <string_view>

#include "win32/unique_handle.h"

// Pixel layouts designed at 96 DPI, scaled to the DPI of the screen the
// window is on, and the font every window of the program uses.
namespace tallowin::ui {

inline constexpr int kDesignDpi = 96;

// A design length at the given DPI.
inline int Scale(int designPixels, UINT dpi) { return ::MulDiv(designPixels, static_cast<int>(dpi), kDesignDpi); }

// The DPI of the screen a window is on (the system DPI before Windows 10).
UINT DpiOf(HWND window);

// "ＭＳ Ｐゴシック" with the Shift-JIS character set, regular, the given
// character height in design pixels at the DPI. Where the face is missing
// the system's font mapper picks the nearest Shift-JIS face.
win32::UniqueFont CreateProgramFont(int designHeight, UINT dpi, int weight = FW_NORMAL, bool italic = false);

// The height of a line of text in a font: the program's face fills its
// design height exactly, a face the system substitutes for it may need more.
// 0 when it cannot be measured.
int TextLineHeight(HWND window, HFONT font);

// The width of a one-line text in a font; 0 when it cannot be measured.
int TextWidth(HWND window, HFONT font, std::u16string_view text);

// Sizes a window so that its client area has the design size at the DPI.
// The frame around it (border, caption, menu bar) is whatever the window has
// now, at this DPI.
void SizeToClientArea(HWND window, SIZE designClient, UINT dpi);

// The window size whose client area has the design size at the DPI, for a
// window not made yet, so that it is made at its size; SizeToClientArea
// corrects it where the frame turns out otherwise (a menu bar of two lines).
SIZE FrameSizeForClient(SIZE designClient, DWORD style, bool hasMenu, UINT dpi);

// Sets a font on a window and every child window it has.
void SetFontOnChildren(HWND parent, HFONT font);

}  // namespace tallowin::ui
