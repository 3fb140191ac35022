#include "ui/ports/focused_edit_port.h"

#include <algorithm>

#include "win32/wide_text.h"
#include "win32/window_text.h"

namespace tallowin::ports {
namespace {

struct Selection {
  DWORD Start = 0;
  DWORD End = 0;
};

Selection SelectionOf(HWND edit) {
  Selection selection;
  ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selection.Start), reinterpret_cast<LPARAM>(&selection.End));
  return selection;
}

}  // namespace

std::u16string Win32FocusedEdit::SelectedText() const {
  const HWND edit = focusedField_();
  if (edit == nullptr) return {};
  const Selection selection = SelectionOf(edit);
  const std::u16string text = win32::FromWide(win32::WindowText(edit));
  if (selection.Start >= selection.End || selection.Start >= text.size()) return {};
  return text.substr(selection.Start, std::min<std::size_t>(selection.End, text.size()) - selection.Start);
}

bool Win32FocusedEdit::HasSelection() const {
  const HWND edit = focusedField_();
  if (edit == nullptr) return false;
  const Selection selection = SelectionOf(edit);
  return selection.Start != selection.End;
}

void Win32FocusedEdit::ReplaceSelection(std::u16string_view text) {
  const HWND edit = focusedField_();
  if (edit == nullptr) return;
  const std::u16string copy(text);
  // Undoable, as the field's own cut and paste are.
  ::SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(win32::Wide(copy)));
}

}  // namespace tallowin::ports
