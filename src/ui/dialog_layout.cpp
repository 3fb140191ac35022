#include "ui/dialog_layout.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "ui/window_metrics.h"
#include "win32/wide_text.h"

namespace tallowin::ui {

void LayOutDialog(HWND dialog, std::span<const DialogPlace> places, SIZE clientSize, UINT dpi, HFONT font) {
  for (const DialogPlace& place : places) {
    const HWND control = ::GetDlgItem(dialog, place.Id);
    if (control == nullptr) continue;
    ::SetWindowPos(control, nullptr, Scale(place.Left, dpi), Scale(place.Top, dpi), Scale(place.Width, dpi),
                   Scale(place.Height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
    if (font != nullptr) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  SizeToClientArea(dialog, clientSize, dpi);
}

win32::UniqueFont LayOutDialogInProgramFont(HWND dialog, std::span<const DialogPlace> places, SIZE clientSize,
                                            UINT dpi) {
  win32::UniqueFont font = CreateProgramFont(12, dpi);
  if (font) ::SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
  LayOutDialog(dialog, places, clientSize, dpi, font.get());
  return font;
}

void CentreOverOwner(HWND dialog, HWND owner) {
  RECT box{};
  if (!::GetWindowRect(dialog, &box)) return;
  RECT over{};
  const bool hasOwner = owner != nullptr && ::GetWindowRect(owner, &over);
  const HMONITOR monitor =
      hasOwner ? ::MonitorFromRect(&over, MONITOR_DEFAULTTONEAREST) : ::MonitorFromWindow(dialog, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO screen{};
  screen.cbSize = sizeof screen;
  if (!::GetMonitorInfoW(monitor, &screen)) return;
  if (!hasOwner) over = screen.rcWork;
  const int width = box.right - box.left;
  const int height = box.bottom - box.top;
  const RECT& work = screen.rcWork;
  const int left = std::clamp(over.left + (over.right - over.left - width) / 2, work.left,
                              std::max(work.left, work.right - width));
  const int top = std::clamp(over.top + (over.bottom - over.top - height) / 2, work.top,
                             std::max(work.top, work.bottom - height));
  ::SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetDialogText(HWND dialog, int id, std::u16string_view text) {
  const std::wstring wide = win32::ToWide(text);
  if (id == 0) {
    ::SetWindowTextW(dialog, wide.c_str());
  } else {
    ::SetDlgItemTextW(dialog, id, wide.c_str());
  }
}

void SetUpReportList(HWND list, std::span<const ListColumn> columns, UINT dpi, bool checkBoxes) {
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | (checkBoxes ? LVS_EX_CHECKBOXES : 0));
  for (std::size_t index = 0; index < columns.size(); ++index) {
    std::wstring title = win32::ToWide(columns[index].Title);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = title.data();
    column.cx = Scale(columns[index].Width, dpi);
    column.iSubItem = static_cast<int>(index);
    ::SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
  }
}

int InsertReportRow(HWND list, int at, std::span<const std::u16string> cells) {
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = at;
  item.pszText = const_cast<wchar_t*>(cells.empty() ? L"" : win32::Wide(cells[0]));
  const int row = static_cast<int>(::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (row < 0) return row;
  for (std::size_t column = 1; column < cells.size(); ++column) {
    SetReportCell(list, row, static_cast<int>(column), cells[column]);
  }
  return row;
}

int AppendReportRow(HWND list, std::span<const std::u16string> cells) {
  return InsertReportRow(list, ListView_GetItemCount(list), cells);
}

void FitColumnToTexts(HWND list, int column, std::initializer_list<std::u16string_view> texts, UINT dpi) {
  // The list view keeps this much space around a cell's text, at 96 DPI.
  constexpr int kCellMargins = 16;
  int width = ListView_GetColumnWidth(list, column);
  for (const std::u16string_view text : texts) {
    const std::wstring wide = win32::ToWide(text);
    width = std::max(width, ListView_GetStringWidth(list, wide.c_str()) + Scale(kCellMargins, dpi));
  }
  ListView_SetColumnWidth(list, column, width);
}

int CheckBoxColumnWidth(HWND list, UINT dpi) {
  int width = Scale(16, dpi);
  int height = 0;
  if (const HIMAGELIST images = ListView_GetImageList(list, LVSIL_STATE); images != nullptr) {
    ImageList_GetIconSize(images, &width, &height);
  }
  return width + Scale(8, dpi);
}

void SetReportCell(HWND list, int row, int column, const std::u16string& text) {
  LVITEMW cell{};
  cell.iSubItem = column;
  cell.pszText = const_cast<wchar_t*>(win32::Wide(text));
  ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
}

}  // namespace tallowin::ui
