#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "commands/ports.h"

// Whole-file reads, replacements and new files, and the folders files go
// in, through the wide-character file API.
namespace tallowin::ports {

class Win32FileSystem final : public FileSystemPort {
 public:
  // Other readers may have the file open at the same time; writers may not.
  FileContents ReadWholeFile(std::u16string_view path) override;
  // Writes a new file beside the target, flushes it to the disk, and only
  // then moves it over the target; on any failure the new file is removed
  // and the target is as it was.
  PortResult ReplaceWholeFile(std::u16string_view path, std::span<const std::uint8_t> bytes) override;
  // Creates the file for writing with no sharing, writes and flushes it;
  // on any failure after it was created the partial file is removed.
  PortResult CreateNewFile(std::u16string_view path, std::span<const std::uint8_t> bytes) override;
  // Through the system's ANSI code page.
  std::u16string DecodeAnsi(std::string_view text) override;

  // In file_system_folders.cpp.
  PortResult CreateFolderWithParents(std::u16string_view path) override;
  FileListing ListFiles(std::u16string_view folder) override;
  PortResult RemoveFile(std::u16string_view path) override;
};

}  // namespace tallowin::ports
