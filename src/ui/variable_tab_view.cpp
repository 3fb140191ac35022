#include "ui/variable_tab_view.h"

#include <algorithm>
#include <string>

#include "commands/variable_tab_commands.h"
#include "model/texts.h"
#include "model/type_names.h"
#include "ui/control_text.h"
#include "ui/resources/resource.h"
#include "ui/window_metrics.h"

namespace tallowin::ui {

const VariableTab kSystemTab{.Index = Tab::System,
                             .Scope = KeyScope::System,
                             .List = &MainModel::SysList,
                             .Fields = &EditorState::SysFields,
                             .Page = Parent::SysPage,
                             .ListView = IDC_SYS_LIST_VIEW,
                             .NameEdit = IDC_SYS_KEY_NAME_EDIT,
                             .TypeCombo = IDC_SYS_KEY_TYPE_COMBO,
                             .DataEdit = IDC_SYS_KEY_DATA_EDIT,
                             .FilterEdit = IDC_SYS_FILTER_EDIT,
                             .ExpansionLine = IDC_SYS_EXPANSION,
                             .TypeHint = texts::kHintSysKeyTypeCombo};
const VariableTab kUserTab{.Index = Tab::User,
                           .Scope = KeyScope::User,
                           .List = &MainModel::UserList,
                           .Fields = &EditorState::UserFields,
                           .Page = Parent::UserPage,
                           .ListView = IDC_USER_LIST_VIEW,
                           .NameEdit = IDC_USER_KEY_NAME_EDIT,
                           .TypeCombo = IDC_USER_KEY_TYPE_COMBO,
                           .DataEdit = IDC_USER_KEY_DATA_EDIT,
                           .FilterEdit = IDC_USER_FILTER_EDIT,
                           .ExpansionLine = IDC_USER_EXPANSION,
                           .TypeHint = texts::kHintUserKeyTypeCombo};

void VariableTabView::Create(HWND page, StatusHints& hints) {
  page_ = page;
  constexpr DWORD kEdit = WS_TABSTOP | ES_AUTOHSCROLL;
  // Created in the tab order of the layout, which differs between the tabs.
  for (const ControlPlace& place : ControlPlaces()) {
    if (place.Owner != tab_.Page) continue;
    if (place.Id == tab_.ListView) {
      listView_.Create(page, place.Id);
    } else if (place.Id == tab_.FilterEdit) {
      filter_.Create(page, place.Id, hints);
    } else if (place.Id == tab_.ExpansionLine) {
      expansion_ = CreateExpansionLine(page, place.Id);
    } else if (place.Id == tab_.TypeCombo) {
      typeCombo_ = CreateChild(page, 0, WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, place.Id);
    } else {
      const HWND edit = CreateChild(page, WS_EX_CLIENTEDGE, WC_EDITW, L"", kEdit, place.Id);
      (place.Id == tab_.NameEdit ? nameEdit_ : dataEdit_) = edit;
      ::SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);  // no limit of about 32,000 characters
    }
  }
  ::SendMessageW(typeCombo_, CB_SETMINVISIBLE, 8, 0);
  for (std::u16string_view name : kTypeNames) {
    const std::u16string text(name);
    ::SendMessageW(typeCombo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Wide(text)));
  }
  // Until a row gives it a type, a new variable is a plain string.
  ::SendMessageW(typeCombo_, CB_SETCURSEL, kRegSz, 0);
  hints.SetControlHint(typeCombo_, tab_.TypeHint);
  hints.SetControlHint(nameEdit_, texts::kHintKeyNameEdit);
  hints.SetControlHint(dataEdit_, texts::kHintKeyDataEdit);
}

void VariableTabView::Layout(UINT dpi, HFONT font) {
  dpi_ = dpi;
  font_ = font;
  PlaceControls(page_, tab_.Page, dpi);
  // A combo box takes its closed height from the font; the height given is
  // the open list's.
  RECT rect{};
  ::GetWindowRect(typeCombo_, &rect);
  ::SetWindowPos(typeCombo_, nullptr, 0, 0, rect.right - rect.left, Scale(200, dpi), SWP_NOMOVE | SWP_NOZORDER);
  WidenTypeCombo();
  listView_.ScaleColumns(dpi);
}

void VariableTabView::WidenTypeCombo() {
  // The closed box shows the longer of the two types a variable can be
  // given whole, in the window's font at this DPI: the data field gives up
  // what the box needs beyond its laid-out width.
  const int text = TextWidth(page_, font_, kTypeNames[kRegExpandSz]);
  if (text <= 0) return;
  const int needed = text + ::GetSystemMetrics(SM_CXVSCROLL) + Scale(12, dpi_);
  RECT combo{};
  RECT data{};
  ::GetWindowRect(typeCombo_, &combo);
  ::GetWindowRect(dataEdit_, &data);
  ::MapWindowPoints(nullptr, page_, reinterpret_cast<POINT*>(&combo), 2);
  ::MapWindowPoints(nullptr, page_, reinterpret_cast<POINT*>(&data), 2);
  const int grow = needed - (combo.right - combo.left);
  if (grow <= 0) return;
  ::SetWindowPos(typeCombo_, nullptr, 0, 0, needed, Scale(200, dpi_), SWP_NOMOVE | SWP_NOZORDER);
  ::SetWindowPos(dataEdit_, nullptr, data.left + grow, data.top, data.right - data.left - grow, data.bottom - data.top,
                 SWP_NOZORDER);
}

void VariableTabView::Mirror(const MainModel& model) {
  if (!Created()) return;
  conflicts_.clear();
  for (const ScopedName& conflict : model.Conflicts) {
    if (conflict.Scope == tab_.Scope) conflicts_.push_back(conflict.Name);
  }
  const EditList& list = model.*tab_.List;
  std::vector<FilterRow> rows;
  rows.reserve(static_cast<std::size_t>(list.Count()));
  for (int row = 0; row < list.Count(); ++row) rows.push_back({list.IdAt(row), list.At(row).Name, list.At(row).Data()});
  shownRows_ = filter_.Apply(rows, list.Selected());
  mirroring_ = true;
  listView_.Show(list, shownRows_);
  mirroring_ = false;
  ShowExpansion(model);
}

void VariableTabView::ShowExpansion(const MainModel& model) {
  if (!Created()) return;
  const VariableFields fields = Fields();
  SetTextIfDifferent(expansion_,
                     VariableExpansionLine(fields.TypeName, fields.Data, model.SysList, model.UserList, programVariable_,
                                           fields.Name));
}

void VariableTabView::ReadFields(MainModel&, EditorState& editor) const {
  if (Created()) editor.*tab_.Fields = Fields();
}

VariableFields VariableTabView::Fields() const {
  VariableFields fields;
  fields.Name = TextOf(nameEdit_);
  fields.TypeName = TextOf(typeCombo_);
  fields.Data = TextOf(dataEdit_);
  return fields;
}

bool VariableTabView::OnNotify(const NMHDR& header, MainModel& model) {
  if (!Created() || header.hwndFrom != listView_.Handle()) return false;
  EditList& list = model.*tab_.List;
  if (header.code == LVN_GETDISPINFOW) {
    ListView::FillCell(*reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header)), list, shownRows_, conflicts_);
  } else if (header.code == LVN_ITEMCHANGED) {
    return ListViewChange(reinterpret_cast<const NMLISTVIEW&>(header), list, model.ShownTab == tab_.Index);
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

// A new filter text shows the rows that match it: the selected row is not
// kept in sight for being selected. A row out of sight is no longer
// selected, so that Replace and Delete never act on a row the user cannot
// see; the fields keep showing it, as after a click beside the rows.
void VariableTabView::DropHiddenSelection(EditList& list) const {
  const int selected = list.Selected();
  if (selected >= 0 && filter_.Hides(list.At(selected).Name, list.At(selected).Data())) list.Select(-1);
}

void VariableTabView::Shown(const MainModel& model) {
  const EditList& list = model.*tab_.List;
  FillFieldsFromRow(list, list.Selected());
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

ViewHandled VariableTabView::OnCommand(MainModel& model, EditHistory&, HWND control, int code) {
  if (!Created() || control == nullptr) return ViewHandled::NotMine;
  if (const ViewHandled filter = filter_.OnCommand(control, code); filter != ViewHandled::NotMine) {
    if (filter == ViewHandled::FilterChanged) DropHiddenSelection(model.*tab_.List);
    return filter;
  }
  if (control != typeCombo_ && control != nameEdit_ && control != dataEdit_) return ViewHandled::NotMine;
  if (control == typeCombo_ && code == CBN_DROPDOWN) ComboBoxOnDropDownActionExecute();
  return code == EN_CHANGE || code == CBN_SELCHANGE ? ViewHandled::FieldsChanged : ViewHandled::Mine;
}

void VariableTabView::ComboBoxOnDropDownActionExecute() {
  // The open list is as wide as its longest name.
  const win32::WindowDC dc(page_);
  if (!dc) return;
  const win32::SelectedObject selectedFont(dc.get(), font_);
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
  int width = widest + Scale(6, dpi_);
  const int visibleRows = static_cast<int>(::SendMessageW(typeCombo_, CB_GETMINVISIBLE, 0, 0));
  if (count > visibleRows) width += ::GetSystemMetrics(SM_CXVSCROLL);
  ::SendMessageW(typeCombo_, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(width), 0);
}

}  // namespace tallowin::ui
