#include "ports/file_system.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "support/scratch_folder.h"
#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace tallowin::ports {

using win32::Wide;
using win32::UniqueFile;
using testing::ScratchFolder;
namespace {

using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::u16string>;

void WriteDirectly(const std::u16string& path, const Bytes& bytes) {
  UniqueFile file(::CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file) << ::GetLastError();
  DWORD written = 0;
  ASSERT_TRUE(::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
}

Bytes Content(const std::u16string& path) {
  Win32FileSystem files;
  const FileContents contents = files.ReadWholeFile(path);
  EXPECT_TRUE(contents.Result.Succeeded) << contents.Result.ErrorCode;
  return contents.Bytes;
}

TEST(Win32FileSystem, ReplaceWritesExactlyTheNewContentAndLeavesNothingElse) {
  const Bytes large(70000, 0x41);
  const struct {
    const char* Name;
    std::optional<Bytes> Old;
    Bytes New;
  } cases[] = {
      {"new file", std::nullopt, {0xff, 0xfe, 0x57, 0x00}},
      {"longer old file is cut to the new length", large, {1, 2, 3}},
      {"shorter old file", Bytes{9}, large},
      {"empty content", Bytes{1, 2}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    ScratchFolder folder;
    const std::u16string target = folder.File(u"Environment.reg");
    if (c.Old) WriteDirectly(target, *c.Old);
    Win32FileSystem files;
    const PortResult result = files.ReplaceWholeFile(target, c.New);
    EXPECT_TRUE(result.Succeeded) << result.ErrorCode;
    EXPECT_EQ(Content(target), c.New);
    EXPECT_EQ(folder.Names(), std::vector<std::u16string>{u"Environment.reg"});
  }
}

TEST(Win32FileSystem, FailedReplaceKeepsTheOldFileAndRemovesItsOwn) {
  const Bytes old{0xff, 0xfe, 0x4f, 0x00, 0x4c, 0x00, 0x44, 0x00};
  ScratchFolder folder;

  // A read-only target is refused and stays as it was.
  const std::u16string readOnly = folder.File(u"ReadOnly.reg");
  WriteDirectly(readOnly, old);
  ASSERT_TRUE(::SetFileAttributesW(Wide(readOnly), FILE_ATTRIBUTE_READONLY));
  Win32FileSystem files;
  PortResult result = files.ReplaceWholeFile(readOnly, Bytes{1, 2, 3});
  EXPECT_FALSE(result.Succeeded);
  EXPECT_EQ(result.ErrorCode, static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(Content(readOnly), old);

  // A target another program holds open without sharing: the new content
  // was written beside it, and the move over it fails.
  const std::u16string held = folder.File(u"Held.reg");
  WriteDirectly(held, old);
  {
    UniqueFile holder(::CreateFileW(Wide(held), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);
    result = files.ReplaceWholeFile(held, Bytes{1, 2, 3});
    EXPECT_FALSE(result.Succeeded);
    EXPECT_NE(result.ErrorCode, 0u);
  }
  EXPECT_EQ(Content(held), old);

  // A folder in the target's place cannot be replaced by a file.
  ASSERT_TRUE(::CreateDirectoryW(Wide(folder.File(u"Folder.reg")), nullptr));
  result = files.ReplaceWholeFile(folder.File(u"Folder.reg"), Bytes{1});
  EXPECT_FALSE(result.Succeeded);
  EXPECT_NE(result.ErrorCode, 0u);

  // A target folder that does not exist: nothing can be written at all.
  result = files.ReplaceWholeFile(folder.File(u"Missing\\Environment.reg"), Bytes{1});
  EXPECT_FALSE(result.Succeeded);
  EXPECT_EQ(result.ErrorCode, static_cast<std::uint32_t>(ERROR_PATH_NOT_FOUND));

  // No temporary file is left behind by any of them.
  EXPECT_EQ(folder.Names(), (std::vector<std::u16string>{u"Folder.reg", u"Held.reg", u"ReadOnly.reg"}));
}

// Another run may hold the name already: the call takes a name or leaves
// everything as it was, and never half a file.
TEST(Win32FileSystem, CreateNewMakesTheWholeFileOnlyUnderAFreeName) {
  const struct {
    const char* Name;
    std::u16string_view File;
    void (*Before)(const std::u16string& target);
    std::uint32_t Code;
    bool OldFileKept;
  } cases[] = {
      {"free name", u"env.reg", [](const std::u16string&) {}, ERROR_SUCCESS, false},
      {"a file of that name", u"env.reg", [](const std::u16string& target) { WriteDirectly(target, {7, 7}); },
       ERROR_FILE_EXISTS, true},
      {"a folder of that name", u"env.reg",
       [](const std::u16string& target) { ASSERT_TRUE(::CreateDirectoryW(Wide(target), nullptr)); }, ERROR_FILE_EXISTS,
       false},
      {"no such folder", u"missing\\env.reg", [](const std::u16string&) {}, ERROR_PATH_NOT_FOUND, false},
  };
  for (const auto& c : cases) {
    for (const Bytes& bytes : {Bytes(70000, 0x42), Bytes{}}) {
      SCOPED_TRACE(::testing::Message() << c.Name << ", " << bytes.size() << " bytes");
      ScratchFolder folder;
      const std::u16string path = folder.File(c.File);
      c.Before(path);
      const PortResult result = Win32FileSystem().CreateNewFile(path, bytes);
      EXPECT_EQ(result.Succeeded ? ERROR_SUCCESS : result.ErrorCode, c.Code);
      EXPECT_EQ(folder.Names(), c.Code == ERROR_PATH_NOT_FOUND ? Names{} : Names{u"env.reg"});
      if (c.Code == ERROR_SUCCESS || c.OldFileKept) {
        EXPECT_EQ(Content(path), c.OldFileKept ? Bytes({7, 7}) : bytes);
      }
    }
  }
}

TEST(Win32FileSystem, ReadTakesTheWholeFileOrReportsWhy) {
  ScratchFolder folder;
  Win32FileSystem files;
  const struct {
    const char* Name;
    std::u16string Path;
    std::uint32_t Code;
  } failures[] = {
      {"missing file", folder.File(u"missing.reg"), ERROR_FILE_NOT_FOUND},
      {"missing folder", folder.File(u"missing\\x.reg"), ERROR_PATH_NOT_FOUND},
  };
  for (const auto& c : failures) {
    SCOPED_TRACE(c.Name);
    const FileContents contents = files.ReadWholeFile(c.Path);
    EXPECT_FALSE(contents.Result.Succeeded);
    EXPECT_EQ(contents.Result.ErrorCode, c.Code);
    EXPECT_TRUE(contents.Bytes.empty());
  }

  Bytes bytes(100000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  const std::u16string path = folder.File(u"big.reg");
  WriteDirectly(path, bytes);
  // Another reader holding the file open does not stop the read.
  UniqueFile reader(
      ::CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(reader);
  EXPECT_EQ(Content(path), bytes);
  WriteDirectly(folder.File(u"empty.reg"), {});
  EXPECT_EQ(Content(folder.File(u"empty.reg")), Bytes{});
}

TEST(Win32FileSystem, DecodesAnsiTextThroughTheSystemCodePage) {
  Win32FileSystem files;
  EXPECT_EQ(files.DecodeAnsi(""), u"");
  EXPECT_EQ(files.DecodeAnsi("REGEDIT4\r\n\"A\"=\"x\"\r\n"), u"REGEDIT4\r\n\"A\"=\"x\"\r\n");
  // A byte outside ASCII decodes to what the system's code page says.
  wchar_t expected = 0;
  ASSERT_EQ(::MultiByteToWideChar(CP_ACP, 0, "\xe9", 1, &expected, 1), 1);
  EXPECT_EQ(files.DecodeAnsi("a\xe9"), (std::u16string{u'a', static_cast<char16_t>(expected)}));
}

}  // namespace
}  // namespace tallowin::ports
