#pragma once

#include <string>
#include <string_view>

#include "commands/ports.h"

// The program's own process environment and file system, for the folder
// browser's start folder.
namespace tallowin::ports {

class Win32Environment final : public EnvironmentPort {
 public:
  // Through the wide-character expansion, into a buffer that grows to the
  // size the system asks for, however long the expanded text.
  std::u16string ExpandReferences(std::u16string_view text) override;
  bool IsExistingDirectory(std::u16string_view path) override;
};

}  // namespace tallowin::ports
