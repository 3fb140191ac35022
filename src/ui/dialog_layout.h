#pragma once

#include <windows.h>

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "win32/unique_handle.h"

// What the program's dialogs share: controls placed at design pixels for
// the screen's DPI, a place centred over the owner, and report-style lists.
namespace tallowin::ui {

// A control of a dialog at 96 DPI: left, top, width, height.
struct DialogPlace {
  int Id;
  int Left;
  int Top;
  int Width;
  int Height;
};

// Places the controls at their design pixels for the DPI, gives them the
// font, and sizes the dialog so that its client area has the design size.
void LayOutDialog(HWND dialog, std::span<const DialogPlace> places, SIZE clientSize, UINT dpi, HFONT font);

// The same with the program's dialog font for the DPI, which the dialog
// itself also gets; the font, for the dialog to keep while it is shown.
win32::UniqueFont LayOutDialogInProgramFont(HWND dialog, std::span<const DialogPlace> places, SIZE clientSize,
                                            UINT dpi);

// Centres the dialog over its owner, kept on the owner's screen when the
// owner hangs over its edge (over the work area without an owner).
void CentreOverOwner(HWND dialog, HWND owner);

// Sets the text of a dialog's control, or with id 0 the dialog's caption.
void SetDialogText(HWND dialog, int id, std::u16string_view text);

// A column of a report-style list: its title and its width at 96 DPI.
struct ListColumn {
  std::u16string_view Title;
  int Width;
};

// Makes a list view of the dialog a report of whole-row selections with
// these columns, check boxes when asked for.
void SetUpReportList(HWND list, std::span<const ListColumn> columns, UINT dpi, bool checkBoxes);
// Appends a row of cell texts, or inserts it before the row at `at`;
// returns its index.
int AppendReportRow(HWND list, std::span<const std::u16string> cells);
int InsertReportRow(HWND list, int at, std::span<const std::u16string> cells);
// Makes a column of a report list as wide as the widest of the texts at the
// list's font (never narrower than it is), with the list's own margins.
void FitColumnToTexts(HWND list, int column, std::initializer_list<std::u16string_view> texts, UINT dpi);
// The width of a column that holds only the rows' check boxes.
int CheckBoxColumnWidth(HWND list, UINT dpi);
// Sets the text of one cell of a row.
void SetReportCell(HWND list, int row, int column, const std::u16string& text);

}  // namespace tallowin::ui
