#include "ui/restore_form.h"

#include <commctrl.h>

#include "model/texts.h"
#include "ui/dialog_layout.h"
#include "ui/resources/resource.h"
#include "ui/window_metrics.h"

namespace tallowin::ui {
namespace {

constexpr SIZE kClientSize{480, 300};

constexpr DialogPlace kPlaces[] = {
    {IDC_RESTORE_LIST, 8, 8, 464, 246},
    {IDC_RESTORE_EMPTY, 8, 8, 464, 20},
    {IDOK, 304, 266, 80, 26},
    {IDCANCEL, 392, 266, 80, 26},
};

}  // namespace

std::optional<std::u16string> TRestoreForm::ShowModal() {
  const INT_PTR result =
      RunModal(reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(owner_, GWLP_HINSTANCE)), IDD_RESTORE, owner_);
  return result == IDOK ? chosen_ : std::nullopt;
}

INT_PTR TRestoreForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      FormCreate();
      return FALSE;  // the focus was put on the list
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) RestoreSelected();  // 復元 and Enter
      if (LOWORD(wParam) == IDCANCEL) ::EndDialog(dialog_, IDCANCEL);
      return TRUE;
    case WM_NOTIFY: {
      const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (header.idFrom == IDC_RESTORE_LIST && header.code == NM_DBLCLK) RestoreSelected();
      return TRUE;
    }
    default:
      return FALSE;
  }
}

void TRestoreForm::FormCreate() {
  SetDialogText(dialog_, 0, texts::kRestoreCaption);
  SetDialogText(dialog_, IDC_RESTORE_EMPTY, texts::kRestoreNoBackups);
  SetDialogText(dialog_, IDOK, texts::kRestoreButton);
  SetDialogText(dialog_, IDCANCEL, texts::kCancelButton);
  const UINT dpi = DpiOf(dialog_);
  const HWND list = ::GetDlgItem(dialog_, IDC_RESTORE_LIST);
  const ListColumn columns[] = {
      {texts::kRestoreColumnTime, 150}, {texts::kRestoreColumnSize, 100}, {texts::kRestoreColumnFile, 190}};
  SetUpReportList(list, columns, dpi, false);
  LayOut(dpi);
  CentreOverOwner(dialog_, owner_);

  const bool empty = listing_.Backups.empty();
  ::ShowWindow(list, empty ? SW_HIDE : SW_SHOW);
  ::ShowWindow(::GetDlgItem(dialog_, IDC_RESTORE_EMPTY), empty ? SW_SHOW : SW_HIDE);
  ::EnableWindow(::GetDlgItem(dialog_, IDOK), !empty);
  for (const FileEntry& backup : listing_.Backups) {
    const std::u16string cells[] = {BackupTimeText(backup.Written), BackupSizeText(backup.Size), backup.Name};
    AppendReportRow(list, cells);
  }
  if (!empty) {
    ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ::SetFocus(list);
  } else {
    ::SetFocus(::GetDlgItem(dialog_, IDCANCEL));
  }
}

void TRestoreForm::LayOut(UINT dpi) {
  font_ = LayOutDialogInProgramFont(dialog_, kPlaces, kClientSize, dpi);
}

void TRestoreForm::RestoreSelected() {
  const int selected = ListView_GetNextItem(::GetDlgItem(dialog_, IDC_RESTORE_LIST), -1, LVNI_SELECTED);
  if (selected < 0 || selected >= static_cast<int>(listing_.Backups.size())) return;
  chosen_ = listing_.Folder + u"\\" + listing_.Backups[static_cast<std::size_t>(selected)].Name;
  ::EndDialog(dialog_, IDOK);
}

bool RestoreShow(HWND owner, MainModel& model, const CommandPorts& ports) {
  BackupListing listing = ListAutomaticBackups(ports);
  if (!listing.Readable) return false;
  TRestoreForm form(owner, std::move(listing));
  const std::optional<std::u16string> path = form.ShowModal();
  return path && RestoreAutomaticBackup(model, ports, *path);
}

}  // namespace tallowin::ui
