#include "ui/variable_tab_view.h"

#include <algorithm>
#include <string>
#include <utility>

#include "commands/variable_tab_commands.h"
#include "model/texts.h"
#include "model/type_names.h"
#include "ui/control_text.h"
#include "ui/window_metrics.h"

namespace tallowin::ui {

void VariableTabView::Create(HWND page, StatusHints& hints) {
  page_ = page;
  constexpr DWORD kEdit = WS_TABSTOP | ES_AUTOHSCROLL;
  // Created in the tab order of the layout, which differs between the tabs.
  for (const ControlPlace& place : ControlPlaces()) {
    if (place.Owner != ids_.Page) continue;
    if (place.Id == ids_.ListView) {
      listView_.Create(page, place.Id);
    } else if (place.Id == ids_.FilterEdit) {
      filter_.Create(page, place.Id, hints);
    } else if (place.Id == ids_.ExpansionLine) {
      expansion_ = CreateExpansionLine(page, place.Id);
    } else if (place.Id == ids_.TypeCombo) {
      typeCombo_ = CreateChild(page, 0, WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, place.Id);
    } else {
      const HWND edit = CreateChild(page, WS_EX_CLIENTEDGE, WC_EDITW, L"", kEdit, place.Id);
      (place.Id == ids_.NameEdit ? nameEdit_ : dataEdit_) = edit;
      ::SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);  // no limit of about 32,000 characters
    }
  }
  ::SendMessageW(typeCombo_, CB_SETMINVISIBLE, 8, 0);
  for (std::u16string_view name : kTypeNames) {
    const std::u16string text(name);
    ::SendMessageW(typeCombo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Wide(text)));
  }
  hints.SetControlHint(typeCombo_, ids_.TypeHint);
  hints.SetControlHint(nameEdit_, texts::kHintKeyNameEdit);
  hints.SetControlHint(dataEdit_, texts::kHintKeyDataEdit);
}

void VariableTabView::Layout(UINT dpi) {
  PlaceControls(page_, ids_.Page, dpi);
  // A combo box takes its closed height from the font; the height given is
  // the open list's.
  RECT rect{};
  ::GetWindowRect(typeCombo_, &rect);
  ::SetWindowPos(typeCombo_, nullptr, 0, 0, rect.right - rect.left, Scale(200, dpi), SWP_NOMOVE | SWP_NOZORDER);
  listView_.ScaleColumns(dpi);
}

void VariableTabView::Mirror(const EditList& list, std::vector<std::u16string> conflicts) {
  if (!Created()) return;
  conflicts_ = std::move(conflicts);
  std::vector<FilterRow> rows;
  rows.reserve(static_cast<std::size_t>(list.Count()));
  for (int row = 0; row < list.Count(); ++row) rows.push_back({list.IdAt(row), list.At(row).Name, list.At(row).Data()});
  shownRows_ = filter_.Apply(rows, list.Selected());
  mirroring_ = true;
  listView_.Show(list, shownRows_);
  mirroring_ = false;
}

void VariableTabView::ShowExpansion(std::u16string_view line) {
  if (expansion_ != nullptr) SetTextIfDifferent(expansion_, line);
}

void VariableTabView::ReadFields(VariableFields& fields) const {
  if (!Created()) return;
  fields.Name = TextOf(nameEdit_);
  fields.TypeName = TextOf(typeCombo_);
  fields.Data = TextOf(dataEdit_);
}

bool VariableTabView::OnNotify(const NMHDR& header, EditList& list, bool shown) {
  if (header.hwndFrom != listView_.Handle()) return false;
  if (header.code == LVN_GETDISPINFOW) {
    ListView::FillCell(*reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header)), list, shownRows_, conflicts_);
  } else if (header.code == LVN_ITEMCHANGED) {
    return ListViewChange(reinterpret_cast<const NMLISTVIEW&>(header), list, shown);
  }
  return false;
}

bool VariableTabView::ListViewChange(const NMLISTVIEW& change, EditList& list, bool shown) {
  if ((change.uChanged & LVIF_STATE) == 0) return false;
  if (((change.uOldState ^ change.uNewState) & (LVIS_SELECTED | LVIS_FOCUSED)) == 0) return false;
  const bool selected = (change.uNewState & LVIS_SELECTED) != 0;
  // The control counts the rows it shows; the list's row is the one shown
  // there. Row -1 stands for every row at once, as a list without texts of
  // its own reports a cleared selection.
  const int row = change.iItem >= 0 && change.iItem < static_cast<int>(shownRows_.size())
                      ? shownRows_[static_cast<std::size_t>(change.iItem)]
                      : -1;
  if (!mirroring_) {
    if (selected && row >= 0) {
      list.Select(row);
    } else if (row < 0 || list.Selected() == row) {
      list.Select(-1);
    }
  }
  // A change in the list view of the tab not shown leaves the fields of the
  // tab shown alone. When a command has removed the selected row, the row
  // that took its place is not the user's choice: the fields keep what they
  // showed.
  if (shown && row >= 0 && (selected || !mirroring_)) FillFieldsFromRow(list, row);
  return !mirroring_;
}

void VariableTabView::FillFieldsFromRow(const EditList& list, int row) {
  if (!Created() || row < 0 || row >= list.Count()) return;
  // The fields as a row fills them: a type name that is none of the twelve
  // keeps the drop-down's previous selection.
  VariableFields fields;
  fields.TypeName = TextOf(typeCombo_);
  FillFieldsFromEntry(fields, list.At(row));
  SetTextIfDifferent(nameEdit_, fields.Name);
  const auto type = std::find(kTypeNames.begin(), kTypeNames.end(), fields.TypeName);
  if (type != kTypeNames.end()) {
    ::SendMessageW(typeCombo_, CB_SETCURSEL, static_cast<WPARAM>(type - kTypeNames.begin()), 0);
  }
  SetTextIfDifferent(dataEdit_, fields.Data);
}

ViewHandled VariableTabView::OnCommand(HWND control, int code, HFONT font, UINT dpi) {
  if (!Created() || control == nullptr) return ViewHandled::NotMine;
  if (const ViewHandled filter = filter_.OnCommand(control, code); filter != ViewHandled::NotMine) return filter;
  if (control != typeCombo_ && control != nameEdit_ && control != dataEdit_) return ViewHandled::NotMine;
  if (control == typeCombo_ && code == CBN_DROPDOWN) ComboBoxOnDropDownActionExecute(font, dpi);
  return ViewHandled::Mine;
}

void VariableTabView::ComboBoxOnDropDownActionExecute(HFONT font, UINT dpi) {
  // The open list is as wide as its longest name.
  const win32::WindowDC dc(page_);
  if (!dc) return;
  const win32::SelectedObject selectedFont(dc.get(), font);
  const int count = static_cast<int>(::SendMessageW(typeCombo_, CB_GETCOUNT, 0, 0));
  int widest = 0;
  for (int index = 0; index < count; ++index) {
    const LRESULT length = ::SendMessageW(typeCombo_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::SendMessageW(typeCombo_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    SIZE size{};
    if (!::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(length), &size)) return;
    widest = std::max(widest, static_cast<int>(size.cx));
  }
  int width = widest + Scale(6, dpi);
  const int visibleRows = static_cast<int>(::SendMessageW(typeCombo_, CB_GETMINVISIBLE, 0, 0));
  if (count > visibleRows) width += ::GetSystemMetrics(SM_CXVSCROLL);
  ::SendMessageW(typeCombo_, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(width), 0);
}

}  // namespace tallowin::ui
