#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "support/run_program.h"
#include "support/scratch_folder.h"
#include "win32/wide_text.h"

namespace tallowin {
namespace {

std::wstring BesideTests(const wchar_t* name) {
  wchar_t self[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring path(self, length);
  return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

// The probe (elevation_probe.cpp) in a folder of its own: first alone, then
// with a copy of itself as the command line beside it.
TEST(Win32Elevation, RunsTheCommandLineBesideTheProgramWhileTheOwnerWaitsDisabled) {
  const testing::ScratchFolder folder;
  const std::wstring probe = BesideTests(L"tallowin_elevation_probe.exe");
  const std::wstring host = win32::ToWide(folder.File(u"host.exe"));
  const std::wstring commandLine = win32::ToWide(folder.File(u"tallowin-cli.exe"));
  ASSERT_TRUE(::CopyFileW(probe.c_str(), host.c_str(), TRUE)) << ::GetLastError();
  EXPECT_EQ(testing::RunProgram(host, L""), 100u) << "NotFound, and the owner as it was";
  ASSERT_TRUE(::CopyFileW(probe.c_str(), commandLine.c_str(), TRUE)) << ::GetLastError();
  EXPECT_EQ(testing::RunProgram(host, L""), 7u)
      << "Ran with the exit code of a command line that saw its owner disabled and answering";
}

}  // namespace
}  // namespace tallowin
