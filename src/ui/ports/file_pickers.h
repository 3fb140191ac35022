#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "commands/ports.h"

// The common save-file and open-file dialogs for registration files.
namespace tallowin::ports {

class Win32FilePickers final : public FilePickerPort {
 public:
  // The owner window may be null (a dialog without an owner).
  explicit Win32FilePickers(HWND owner) : owner_(owner) {}

  // Asks before an existing file is replaced.
  std::optional<std::u16string> PickFileToSave(std::u16string_view title) override;
  // Offers existing files only.
  std::optional<std::u16string> PickFileToOpen(std::u16string_view title) override;

 private:
  std::optional<std::u16string> Pick(std::u16string_view title, bool forSaving);

  HWND owner_;
};

// The dialogs' filter: registration files first, then all files, each as a
// description and a pattern ended by NUL, the whole list ended by one more.
std::wstring RegistrationFileFilter();

}  // namespace tallowin::ports
