#include "ui/filter_field.h"

#include <commctrl.h>

#include "model/texts.h"
#include "ui/control_text.h"
#include "ui/main_window_layout.h"
#include "win32/wide_text.h"

namespace tallowin::ui {

void FilterField::Create(HWND page, int id, StatusHints& hints) {
  edit_ = CreateChild(page, WS_EX_CLIENTEDGE, WC_EDITW, L"", WS_TABSTOP | ES_AUTOHSCROLL, id);
  hints.SetControlHint(edit_, texts::kHintFilterEdit);
  // An empty field says what it is for; the text is gone once typing starts.
  const std::wstring cue = win32::ToWide(texts::kFilterCue);
  ::SendMessageW(edit_, EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(cue.c_str()));
}

ViewHandled FilterField::OnCommand(HWND control, int code) {
  if (edit_ == nullptr || control != edit_) return ViewHandled::NotMine;
  if (code != EN_CHANGE || !filter_.SetText(TextOf(edit_))) return ViewHandled::Mine;
  return ViewHandled::FilterChanged;
}

void FilterField::Clear() {
  // The field's change notification takes the empty text.
  if (edit_ != nullptr) ::SetWindowTextW(edit_, L"");
}

const std::vector<int>& FilterField::Apply(std::span<const FilterRow> rows, int current) {
  const std::vector<int>& shown = filter_.Apply(rows, current);
  shown_ = static_cast<int>(shown.size());
  total_ = static_cast<int>(rows.size());
  return shown;
}

std::optional<std::u16string> FilterField::CountText() const {
  if (!filter_.Active()) return std::nullopt;
  return FilterCountText(shown_, total_);
}

HWND CreateExpansionLine(HWND page, int id) {
  // A borderless read-only edit: it reads as a line of text, and a long
  // value can still be scrolled through and copied.
  return CreateChild(page, 0, WC_EDITW, L"", ES_READONLY | ES_AUTOHSCROLL, id);
}

}  // namespace tallowin::ui
