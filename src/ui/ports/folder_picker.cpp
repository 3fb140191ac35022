#include "ui/ports/folder_picker.h"

#include "model/texts.h"
#include "win32/wide_text.h"

namespace tallowin::ports {

Win32FolderPicker::Win32FolderPicker(HWND owner) : browser_(owner) {
  browser_.SetCaption(win32::ToWide(texts::kBrowseForFolderCaption));
  browser_.SetOptions({ui::TBifFlug::bifReturnOnlyFSDirs});
}

std::optional<std::u16string> Win32FolderPicker::PickFolder(std::u16string_view startFolder) {
  // An empty start folder leaves the dialog's own first selection.
  browser_.SetStartFolder(win32::ToWide(startFolder));
  if (!browser_.Execute()) return std::nullopt;
  return win32::FromWide(browser_.Folder());
}

}  // namespace tallowin::ports
