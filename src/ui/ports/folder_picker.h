#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "commands/ports.h"
#include "ui/ports/browse_for_folder.h"

// The folder picker as the Browse command reaches it: the window's folder
// browser, which keeps its settings from one browse to the next.
namespace tallowin::ports {

class Win32FolderPicker final : public FolderPickerPort {
 public:
  // The browser asks for "追加・置換するフォルダを選択してください。" and
  // accepts only folders of the file system.
  explicit Win32FolderPicker(HWND owner);

  std::optional<std::u16string> PickFolder(std::u16string_view startFolder) override;

 private:
  ui::TBrowseForFolder browser_;
};

}  // namespace tallowin::ports
