#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/commands/ports.h"

// The file dialogs and the file access that Export, Backup and Import use.
namespace tallowin {

// The user picks a registration file: the path chosen, or nothing when the
// dialog was cancelled.
class FilePickerPort {
 public:
  virtual ~FilePickerPort() = default;
  // The save-file dialog (asks before an existing file is replaced).
  virtual std::optional<std::u16string> PickFileToSave(std::u16string_view title) = 0;
  // The open-file dialog (only existing files).
  virtual std::optional<std::u16string> PickFileToOpen(std::u16string_view title) = 0;
};

// A file operation's outcome with the system's error code of the step that
// failed, taken when it failed (a later call cannot overwrite it).
struct FileResult {
  bool Succeeded = false;
  std::uint32_t ErrorCode = 0;
};

struct FileContents {
  bool Succeeded = false;
  std::uint32_t ErrorCode = 0;
  std::vector<std::uint8_t> Bytes;
};

class FileSystemPort {
 public:
  virtual ~FileSystemPort() = default;
  // The whole file as it is now.
  virtual FileContents ReadWholeFile(std::u16string_view path) = 0;
  // Makes the file hold exactly these bytes. Either the whole new content is
  // in place, or a file that existed keeps its old content untouched.
  virtual FileResult ReplaceWholeFile(std::u16string_view path, std::span<const std::uint8_t> bytes) = 0;
  // Text in the system's ANSI code page (REGEDIT4 files) as UTF-16.
  virtual std::u16string DecodeAnsi(std::string_view text) = 0;
};

}  // namespace tallowin
