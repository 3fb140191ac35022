#include "ui/list_view.h"

#include <commctrl.h>

#include <string>

#include "model/texts.h"
#include "ui/window_metrics.h"
#include "win32/wide_text.h"

namespace tallowin::ui {
namespace {

constexpr int kColumnWidths[] = {108, 102, 250};

std::wstring CellText(HWND view, int row, int column) {
  std::wstring text(256, L'\0');
  for (;;) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    const auto length = static_cast<std::size_t>(
        ::SendMessageW(view, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
    if (length + 1 < text.size()) {
      text.resize(length);
      return text;
    }
    text.resize(text.size() * 2);
  }
}

}  // namespace

void ListView::Create(HWND parent, int id) {
  handle_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                                  LVS_NOSORTHEADER,
                              0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              ::GetModuleHandleW(nullptr), nullptr);
  if (handle_ == nullptr) return;
  ListView_SetExtendedListViewStyle(handle_, LVS_EX_FULLROWSELECT | LVS_EX_FLATSB | LVS_EX_DOUBLEBUFFER);
  const std::u16string_view titles[] = {texts::kColumnName, texts::kColumnType, texts::kColumnData};
  for (int column = 0; column < 3; ++column) {
    std::wstring title = win32::ToWide(titles[column]);
    LVCOLUMNW spec{};
    spec.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    spec.pszText = title.data();
    spec.cx = kColumnWidths[column];
    spec.iSubItem = column;
    ::SendMessageW(handle_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&spec));
  }
}

void ListView::ScaleColumns(UINT dpi) {
  for (int column = 0; column < 3; ++column) ListView_SetColumnWidth(handle_, column, Scale(kColumnWidths[column], dpi));
}

void ListView::SetRowTexts(int row, const VariableEntry& entry, bool fresh) {
  const std::u16string_view cells[] = {entry.Name, entry.TypeName(), entry.Data()};
  for (int column = 0; column < 3; ++column) {
    std::wstring text = win32::ToWide(cells[column]);
    if (!fresh && CellText(handle_, row, column) == text) continue;
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text.data();
    ::SendMessageW(handle_, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  }
}

void ListView::Show(const EditList& list) {
  ::SendMessageW(handle_, WM_SETREDRAW, FALSE, 0);
  int shown = ListView_GetItemCount(handle_);
  while (shown > list.Count()) ListView_DeleteItem(handle_, --shown);
  for (int row = 0; row < list.Count(); ++row) {
    const bool fresh = row >= shown;
    if (fresh) {
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = row;
      item.pszText = const_cast<wchar_t*>(L"");
      ::SendMessageW(handle_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    SetRowTexts(row, list.At(row), fresh);
  }
  const int selected = list.Selected();
  if (Selected() != selected) {
    // Clearing first raises the change of the old row, then the new row's.
    ListView_SetItemState(handle_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (selected >= 0) {
      ListView_SetItemState(handle_, selected, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
      ListView_EnsureVisible(handle_, selected, FALSE);
    }
  }
  ::SendMessageW(handle_, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(handle_, nullptr, TRUE);
}

int ListView::Selected() const { return ListView_GetNextItem(handle_, -1, LVNI_SELECTED); }

}  // namespace tallowin::ui
