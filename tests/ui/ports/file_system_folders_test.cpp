#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/scratch_folder.h"
#include "ports/file_system.h"
#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace tallowin::ports {
namespace {

using testing::ScratchFolder;
using Names = std::vector<std::u16string>;

bool IsFolder(const std::u16string& path) {
  const DWORD attributes = ::GetFileAttributesW(win32::Wide(path));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void MakeFile(const std::u16string& path) {
  const win32::UniqueFile file(
      ::CreateFileW(win32::Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file) << ::GetLastError();
}

TEST(Win32FileSystemFolders, CreatesAFolderWithEveryMissingParent) {
  ScratchFolder scratch;
  MakeFile(scratch.File(u"file.txt"));
  Win32FileSystem files;
  const struct {
    std::u16string Path;
    std::uint32_t Error;  // 0: made, or there already
  } cases[] = {
      {scratch.File(u"a"), 0},
      {scratch.File(u"a"), 0},
      {scratch.File(u"b\\c\\ツール\\\U0001F600"), 0},
      {scratch.File(u"e/f\\"), 0},
      {scratch.File(u"file.txt"), ERROR_ALREADY_EXISTS},  // a file in its place
      {scratch.File(u"file.txt\\sub\\deeper"), ERROR_ALREADY_EXISTS},
      {u"", ERROR_PATH_NOT_FOUND},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.Path.begin(), c.Path.end()));
    const PortResult made = files.CreateFolderWithParents(c.Path);
    EXPECT_EQ(made.Succeeded, c.Error == 0);
    EXPECT_EQ(made.ErrorCode, c.Error);
    EXPECT_EQ(IsFolder(c.Path), c.Error == 0);
  }
}

TEST(Win32FileSystemFolders, ListsTheFilesOfAFolderAndRemovesOne) {
  ScratchFolder scratch;
  Win32FileSystem files;
  FileListing listed = files.ListFiles(scratch.Path());
  EXPECT_TRUE(listed.Result.Succeeded && listed.Files.empty());

  for (const std::u16string_view name : {u"env-20261207-143005.reg", u"メモ.txt", u"x"}) MakeFile(scratch.File(name));
  {
    const win32::UniqueFile file(::CreateFileW(win32::Wide(scratch.File(u"x")), GENERIC_WRITE, 0, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(file.get(), "12345", 5, &written, nullptr));
  }
  ASSERT_TRUE(files.CreateFolderWithParents(scratch.File(u"env-20261207-143006.reg")).Succeeded);
  listed = files.ListFiles(scratch.Path());
  ASSERT_TRUE(listed.Result.Succeeded);
  std::sort(listed.Files.begin(), listed.Files.end(), [](const auto& a, const auto& b) { return a.Name < b.Name; });
  Names names;
  for (const FileEntry& file : listed.Files) names.push_back(file.Name);
  EXPECT_EQ(names, (Names{u"env-20261207-143005.reg", u"x", u"メモ.txt"}));  // no folders
  // Its size, and its last write by the local clock: the same day as now.
  EXPECT_EQ(listed.Files[1].Size, 5u);
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  const LocalTime written = listed.Files[1].Written;
  EXPECT_TRUE((written.Year == now.wYear && written.Month == now.wMonth && written.Day == now.wDay) ||
              (now.wHour == 0 && now.wMinute == 0));

  EXPECT_TRUE(files.RemoveFile(scratch.File(u"x")).Succeeded);
  EXPECT_EQ(scratch.Names(), (Names{u"env-20261207-143005.reg", u"env-20261207-143006.reg", u"メモ.txt"}));
  EXPECT_EQ(files.RemoveFile(scratch.File(u"x")).ErrorCode, static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(files.ListFiles(scratch.File(u"missing")).Result.ErrorCode,
            static_cast<std::uint32_t>(ERROR_PATH_NOT_FOUND));
}

}  // namespace
}  // namespace tallowin::ports
