#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "win32/wide_text.h"

// A fresh folder of its own for a test, under the temporary folder (in the
// Wine prefix when run under Wine), removed with everything in it when the
// object goes. Named by process and by a count, so that test programs
// running side by side and several folders in one test never meet.
namespace tallowin::testing {

class ScratchFolder {
 public:
  ScratchFolder() {
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
    EXPECT_TRUE(length > 0 && length <= MAX_PATH) << "no temporary folder: " << ::GetLastError();
    path_ = std::wstring(temp, length) + L"tallowin-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
            std::to_wstring(++count_);
    // A folder of that name can only be left over from an earlier process
    // with the same identifier.
    RemoveTree(path_);
    EXPECT_TRUE(::CreateDirectoryW(path_.c_str(), nullptr)) << ::GetLastError();
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() { RemoveTree(path_); }

  // The folder's own path, without a trailing backslash.
  std::u16string Path() const { return win32::FromWide(path_); }

  // The path of an entry in the folder; nothing is created.
  std::u16string File(std::u16string_view name) const { return Path() + u"\\" + std::u16string(name); }

  // The names of what the folder holds directly, sorted.
  std::vector<std::u16string> Names() const {
    std::vector<std::u16string> names;
    ForEachEntry(path_, [&](const WIN32_FIND_DATAW& found) { names.push_back(win32::FromWide(found.cFileName)); });
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  template <typename Visit>
  static void ForEachEntry(const std::wstring& folder, Visit&& visit) {
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = folder + L"\\*";
    const HANDLE search = ::FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
      const std::wstring_view name = found.cFileName;
      if (name != L"." && name != L"..") visit(found);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
  }

  // Read-only files and folders included: tests make those on purpose.
  // The entries are listed before any goes, so the listing is not read
  // while it changes.
  static void RemoveTree(const std::wstring& folder) {
    std::vector<std::pair<std::wstring, bool>> entries;
    ForEachEntry(folder, [&](const WIN32_FIND_DATAW& found) {
      entries.emplace_back(folder + L"\\" + found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    });
    for (const auto& [entry, isFolder] : entries) {
      ::SetFileAttributesW(entry.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (isFolder) {
        RemoveTree(entry);
      } else {
        ::DeleteFileW(entry.c_str());
      }
    }
    ::SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryW(folder.c_str());
  }

  std::wstring path_;
  static inline int count_ = 0;
};

}  // namespace tallowin::testing
