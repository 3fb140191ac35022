#include "ui/outside_change_form.h"

#include <array>
#include <string>

#include "model/texts.h"
#include "ui/dialog_layout.h"
#include "ui/resources/resource.h"
#include "ui/window_metrics.h"

namespace tallowin::ui {
namespace {

constexpr SIZE kClientSize{560, 306};

constexpr DialogPlace kPlaces[] = {
    {IDC_OUTSIDE_ICON, 12, 12, 32, 32},        {IDC_OUTSIDE_TEXT, 56, 8, 496, 80},
    {IDC_OUTSIDE_LIST, 8, 94, 544, 168},       {IDC_OUTSIDE_KEEP, 276, 272, 120, 26},
    {IDC_OUTSIDE_OVERWRITE, 402, 272, 72, 26}, {IDCANCEL, 480, 272, 72, 26},
};

}  // namespace

OutsideChangeAnswer TOutsideChangeForm::ShowModal() {
  const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(owner_, GWLP_HINSTANCE));
  switch (RunModal(instance, IDD_OUTSIDE_CHANGES, owner_)) {
    case IDC_OUTSIDE_KEEP:
      return OutsideChangeAnswer::KeepOthers;
    case IDC_OUTSIDE_OVERWRITE:
      return OutsideChangeAnswer::Overwrite;
    default:
      return OutsideChangeAnswer::Cancel;
  }
}

INT_PTR TOutsideChangeForm::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      FormCreate();
      return FALSE;  // the focus was put on the default button
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id == IDC_OUTSIDE_KEEP || id == IDC_OUTSIDE_OVERWRITE || id == IDCANCEL) ::EndDialog(dialog_, id);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

void TOutsideChangeForm::FormCreate() {
  SetDialogText(dialog_, 0, texts::kWarningCaption);
  SetDialogText(dialog_, IDC_OUTSIDE_TEXT, texts::kOutsideChangesText);
  SetDialogText(dialog_, IDC_OUTSIDE_KEEP, texts::kKeepOtherChanges);
  SetDialogText(dialog_, IDC_OUTSIDE_OVERWRITE, texts::kOverwriteOtherChanges);
  SetDialogText(dialog_, IDCANCEL, texts::kCancelButton);
  // The system's own exclamation icon is shared; it is never destroyed.
  ::SendDlgItemMessageW(dialog_, IDC_OUTSIDE_ICON, STM_SETICON,
                        reinterpret_cast<WPARAM>(::LoadIconW(nullptr, IDI_WARNING)), 0);
  const UINT dpi = DpiOf(dialog_);
  const ListColumn columns[] = {{texts::kReviewColumnKey, 70},
                                {texts::kColumnName, 130},
                                {texts::kOutsideColumnChange, 170},
                                {texts::kOutsideColumnEdited, 150}};
  const HWND list = ::GetDlgItem(dialog_, IDC_OUTSIDE_LIST);
  SetUpReportList(list, columns, dpi, false);
  for (const OutsideChange& change : changes_) AppendReportRow(list, OutsideChangeColumnTexts(change));
  LayOut(dpi);
  ::SetWindowPos(dialog_, nullptr, topLeft_.X, topLeft_.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  // Enter answers with the default, as the button's look promises.
  ::SendMessageW(dialog_, DM_SETDEFID, IDC_OUTSIDE_KEEP, 0);
  ::SetFocus(::GetDlgItem(dialog_, IDC_OUTSIDE_KEEP));
}

void TOutsideChangeForm::LayOut(UINT dpi) {
  font_ = CreateProgramFont(12, dpi);
  if (font_) ::SendMessageW(dialog_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  LayOutDialog(dialog_, kPlaces, kClientSize, dpi, font_.get());
}

OutsideChangeAnswer Win32OutsideChangeDialog::AskAboutOutsideChanges(const std::vector<OutsideChange>& changes,
                                                                     ScreenPoint topLeft) {
  TOutsideChangeForm form(owner_, changes, topLeft);
  return form.ShowModal();
}

}  // namespace tallowin::ui
