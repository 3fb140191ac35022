#include "ui/path_tab_view.h"

#include <commctrl.h>

#include <algorithm>

#include "model/texts.h"
#include "ui/command_table.h"
#include "ui/control_text.h"
#include "ui/main_window_layout.h"
#include "ui/resources/resource.h"
#include "ui/window_metrics.h"

namespace tallowin::ui {

void PathTabView::Create(HWND page, StatusHints& hints) {
  constexpr DWORD kEdit = WS_TABSTOP | ES_AUTOHSCROLL;
  page_ = page;
  edit1_ = CreateChild(page, WS_EX_CLIENTEDGE, WC_EDITW, L"", kEdit, IDC_EDIT1);
  filter_.Create(page, IDC_PATH_FILTER_EDIT, hints);
  pathList_ = CreateChild(page, WS_EX_CLIENTEDGE, WC_LISTBOXW, L"",
                          WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, IDC_PATH_LIST);
  edit2_ = CreateChild(page, WS_EX_CLIENTEDGE, WC_EDITW, L"", kEdit, IDC_EDIT2);
  const std::wstring browse = win32::ToWide(texts::kBrowseCaption);
  const HWND browseButton = CreateChild(page, 0, WC_BUTTONW, browse.c_str(), WS_TABSTOP | BS_PUSHBUTTON, IDM_FILE_BROWSE);
  // Its arrows move the current item; Up and Down stay the list's own,
  // which move the selection (Ctrl+Up and Ctrl+Down move the item).
  upDown_ = CreateChild(page, 0, UPDOWN_CLASSW, L"", 0, IDC_UP_DOWN);
  ::SendMessageW(upDown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(pathList_), 0);
  expansion_ = CreateExpansionLine(page, IDC_PATH_EXPANSION);
  // A Path of a few thousand items outgrows an edit field's default limit
  // of about 32,000 characters; the user must be able to type into it.
  for (HWND edit : {edit1_, edit2_}) ::SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);

  hints.SetControlHint(edit1_, texts::kHintEdit1);
  hints.SetControlHint(edit2_, texts::kHintEdit2);
  hints.SetControlHint(upDown_, texts::kHintUpDown);
  hints.SetControlHint(browseButton, FindCommand(IDM_FILE_BROWSE)->Hint);
}

void PathTabView::Layout(UINT dpi, HFONT font) {
  PlaceControls(page_, Parent::PathPage, dpi);
  // A line of 12 pixels fits the program's own face; a face the system
  // substitutes for it may be taller, and its lines must not be clipped.
  const int itemHeight = std::max(Scale(kPathListItemHeight, dpi), TextLineHeight(pathList_, font));
  ::SendMessageW(pathList_, LB_SETITEMHEIGHT, 0, itemHeight);
}

void PathTabView::Mirror(const MainModel& model) {
  mirroring_ = true;
  SetTextIfDifferent(edit1_, model.Edit1);
  const std::vector<RowKey>& keys = keys_.Follow(model.PathList);
  std::vector<FilterRow> rows;
  rows.reserve(model.PathList.size());
  for (std::size_t i = 0; i < model.PathList.size(); ++i) rows.push_back({keys[i], model.PathList[i], {}});
  shownRows_ = filter_.Apply(rows, model.PathListSelection());
  std::vector<std::u16string> wanted;
  wanted.reserve(shownRows_.size());
  for (const int row : shownRows_) wanted.push_back(model.PathList[static_cast<std::size_t>(row)]);
  if (shownItems_ != wanted) MirrorItems(wanted);
  const auto current = std::find(shownRows_.begin(), shownRows_.end(), model.PathListSelection());
  const int selection = current == shownRows_.end() ? -1 : static_cast<int>(current - shownRows_.begin());
  if (::SendMessageW(pathList_, LB_GETCURSEL, 0, 0) != selection) {
    ::SendMessageW(pathList_, LB_SETCURSEL, static_cast<WPARAM>(selection), 0);
  }
  SetTextIfDifferent(edit2_, model.Edit2);
  ::SendMessageW(upDown_, UDM_SETRANGE32, 0, std::max(model.UpDownMax(), 0));
  ::SendMessageW(upDown_, UDM_SETPOS32, 0, model.UpDownPosition());
  mirroring_ = false;
  ShowExpansion(model);
}

void PathTabView::ShowExpansion(const MainModel& model) {
  SetTextIfDifferent(expansion_, PathItemExpansionLine(model.Edit2, model.SysList, model.UserList, programVariable_));
}

void PathTabView::MirrorItems(const std::vector<std::u16string>& wanted) {
  // Only the items between the unchanged start and the unchanged end are
  // replaced: an edit of one item of a long Path touches one line.
  const std::vector<std::u16string>& shown = shownItems_;
  std::size_t head = 0;
  while (head < shown.size() && head < wanted.size() && shown[head] == wanted[head]) ++head;
  std::size_t tail = 0;
  while (tail < shown.size() - head && tail < wanted.size() - head &&
         shown[shown.size() - 1 - tail] == wanted[wanted.size() - 1 - tail]) {
    ++tail;
  }
  ::SendMessageW(pathList_, WM_SETREDRAW, FALSE, 0);
  for (std::size_t i = head; i < shown.size() - tail; ++i) {
    ::SendMessageW(pathList_, LB_DELETESTRING, static_cast<WPARAM>(head), 0);
  }
  for (std::size_t i = head; i < wanted.size() - tail; ++i) {
    ::SendMessageW(pathList_, LB_INSERTSTRING, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(win32::Wide(wanted[i])));
  }
  ::SendMessageW(pathList_, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(pathList_, nullptr, TRUE);
  shownItems_ = wanted;
}

void PathTabView::ReadFields(MainModel& model, EditorState&) const { model.Edit2 = TextOf(edit2_); }

ViewHandled PathTabView::OnCommand(MainModel& model, EditHistory& history, HWND control, int code) {
  if (control == edit1_ && code == EN_SETFOCUS) history.EndTyping();
  return RunRecorded(model, history, EditStep::PathTyping, [&] { return ApplyCommand(model, control, code); });
}

ViewHandled PathTabView::ApplyCommand(MainModel& model, HWND control, int code) {
  if (control == edit1_) {
    if (code == EN_SETFOCUS) edit1Attached_ = true;    // Edit1Enter
    if (code == EN_KILLFOCUS) edit1Attached_ = false;  // Edit1Exit
    // The handler never acts on the field of a hidden page.
    if (code != EN_CHANGE || !edit1Attached_ || mirroring_ || !::IsWindowVisible(edit1_)) return ViewHandled::Mine;
    model.Edit1Change(TextOf(edit1_));
    return ViewHandled::ModelChanged;
  }
  if (control == edit2_) {
    // The model keeps what the field shows, so that mirroring the model
    // never takes back what the user or an edit command wrote into it.
    if (code != EN_CHANGE || mirroring_) return ViewHandled::Mine;
    model.Edit2 = TextOf(edit2_);
    return ViewHandled::FieldsChanged;
  }
  if (control == pathList_) {
    if (code != LBN_SELCHANGE) return ViewHandled::Mine;
    // The list box counts the items it shows; the Path list's item is the
    // one shown there.
    const int shown = static_cast<int>(::SendMessageW(pathList_, LB_GETCURSEL, 0, 0));
    model.PathListClick(shown >= 0 && shown < static_cast<int>(shownRows_.size())
                            ? shownRows_[static_cast<std::size_t>(shown)]
                            : -1);
    return ViewHandled::ModelChanged;
  }
  return filter_.OnCommand(control, code);
}

std::optional<UpDownButton> PathTabView::ArrowOf(HWND control, const MainModel& model) const {
  if (control != upDown_) return std::nullopt;
  // The control has moved its position already; which way tells the arrow.
  const int position = static_cast<int>(::SendMessageW(upDown_, UDM_GETPOS32, 0, 0));
  if (position == model.UpDownPosition()) return std::nullopt;
  return position > model.UpDownPosition() ? UpDownButton::Up : UpDownButton::Down;
}

}  // namespace tallowin::ui
