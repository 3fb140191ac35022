#include "ui/list_view.h"

#include <algorithm>
#include <string>

#include "model/collation.h"
#include "model/texts.h"
#include "ui/window_metrics.h"
#include "win32/wide_text.h"

namespace tallowin::ui {
namespace {

constexpr int kColumnWidths[] = {108, 102, 250};

}  // namespace

void ListView::Create(HWND parent, int id) {
  handle_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                                  LVS_NOSORTHEADER | LVS_OWNERDATA,
                              0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
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

void ListView::Show(const EditList& list, const std::vector<int>& rows) {
  const int count = static_cast<int>(rows.size());
  if (ListView_GetItemCount(handle_) != count) ListView_SetItemCountEx(handle_, count, LVSICF_NOSCROLL);
  const auto shownSelected = std::find(rows.begin(), rows.end(), list.Selected());
  const int selected = shownSelected == rows.end() ? -1 : static_cast<int>(shownSelected - rows.begin());
  if (Selected() != selected) {
    // Clearing first raises the change of the old row, then the new row's.
    ListView_SetItemState(handle_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (selected >= 0) {
      ListView_SetItemState(handle_, selected, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
      ListView_EnsureVisible(handle_, selected, FALSE);
    }
  }
  ::InvalidateRect(handle_, nullptr, FALSE);
}

void ListView::FillCell(NMLVDISPINFOW& request, const EditList& list, const std::vector<int>& rows,
                        const std::vector<std::u16string>& conflicts) {
  LVITEMW& item = request.item;
  if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0) return;
  const int row = item.iItem >= 0 && item.iItem < static_cast<int>(rows.size()) ? rows[static_cast<std::size_t>(item.iItem)] : -1;
  if (row < 0 || row >= list.Count()) {
    item.pszText[0] = L'\0';
    return;
  }
  const VariableEntry& entry = list.At(row);
  std::u16string name = entry.Name;
  if (std::any_of(conflicts.begin(), conflicts.end(),
                  [&name](const std::u16string& conflict) { return SameRegistryName(conflict, name); })) {
    name += u" [";
    name += texts::kConflictMark;
    name += u']';
  }
  const std::u16string_view cells[] = {name, entry.TypeName(), entry.Data()};
  const std::u16string_view cell = item.iSubItem >= 0 && item.iSubItem < 3 ? cells[item.iSubItem] : std::u16string_view();
  // The control's buffer takes as much as fits, always closed with a zero.
  const std::size_t length = std::min(cell.size(), static_cast<std::size_t>(item.cchTextMax - 1));
  std::copy_n(win32::WideData(cell), length, item.pszText);
  item.pszText[length] = L'\0';
}

int ListView::Selected() const { return ListView_GetNextItem(handle_, -1, LVNI_SELECTED); }

}  // namespace tallowin::ui
