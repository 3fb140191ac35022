#include "support/scratch_folder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace tallowin::testing {
namespace {

using win32::Wide;

bool Exists(const std::u16string& path) { return ::GetFileAttributesW(Wide(path)) != INVALID_FILE_ATTRIBUTES; }

void MakeFile(const std::u16string& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
  const win32::UniqueFile file(
      ::CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr));
  ASSERT_TRUE(file) << ::GetLastError();
}

void MakeFolder(const std::u16string& path) { ASSERT_TRUE(::CreateDirectoryW(Wide(path), nullptr)) << ::GetLastError(); }

std::u16string TempFolder() {
  wchar_t temp[MAX_PATH + 1];
  const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
  return win32::FromWide(temp, length);
}

TEST(ScratchFolder, GoesWithEverythingInItEvenWhenItIsTheWorkingFolder) {
  std::u16string path;
  {
    ScratchFolder folder;
    path = folder.Path();
    EXPECT_EQ(path.rfind(TempFolder(), 0), 0u);
    EXPECT_EQ(folder.Names(), std::vector<std::u16string>{});
    MakeFile(folder.File(u"b.reg"));
    MakeFile(folder.File(u"read-only.reg"), FILE_ATTRIBUTE_READONLY);
    MakeFolder(folder.File(u"a"));
    MakeFolder(folder.File(u"a\\inner"));
    MakeFile(folder.File(u"a\\inner\\c.reg"), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(::SetFileAttributesW(Wide(folder.File(u"a")), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(folder.Names(), (std::vector<std::u16string>{u"a", u"b.reg", u"read-only.reg"}));
    // As a file dialog leaves it after a file was picked there.
    ASSERT_TRUE(::SetCurrentDirectoryW(Wide(folder.File(u"a\\inner"))));
  }
  EXPECT_FALSE(Exists(path));
}

TEST(ScratchFolder, FoldersOfOneProcessAreApart) {
  ScratchFolder first;
  ScratchFolder second;
  EXPECT_NE(first.Path(), second.Path());
  MakeFile(first.File(u"x.reg"));
  EXPECT_EQ(second.Names(), std::vector<std::u16string>{});
}

// Another process can hold a scratch folder when its test ends; a later
// scratch folder removes it once that process has ended, and not before.
TEST(ScratchFolder, RemovesWhatProcessesThatHaveEndedLeftBehind) {
  wchar_t system[MAX_PATH];
  const UINT length = ::GetSystemDirectoryW(system, MAX_PATH);
  ASSERT_GT(length, 0u);
  const std::wstring program = std::wstring(system, length) + L"\\cmd.exe";
  std::wstring commandLine = L"cmd.exe /c exit";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  ASSERT_TRUE(::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                               CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr, nullptr, &startup, &started))
      << ::GetLastError();
  const win32::UniqueKernelHandle process(started.hProcess);
  const win32::UniqueKernelHandle thread(started.hThread);
  const std::u16string leftover =
      TempFolder() + u"tallowin-scratch-" + win32::FromWide(std::to_wstring(started.dwProcessId)) + u"-1";
  MakeFolder(leftover);
  MakeFile(leftover + u"\\held.reg", FILE_ATTRIBUTE_READONLY);

  { const ScratchFolder whileRunning; }
  EXPECT_TRUE(Exists(leftover)) << "removed while its process was running";

  ASSERT_TRUE(::TerminateProcess(process.get(), 0));
  ASSERT_EQ(::WaitForSingleObject(process.get(), INFINITE), WAIT_OBJECT_0);
  { const ScratchFolder afterwards; }
  EXPECT_FALSE(Exists(leftover));
}

}  // namespace
}  // namespace tallowin::testing
