#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ports/file_system.h"
#include "support/scratch_folder.h"
#include "support/scratch_key.h"
#include "support/standard_user.h"
#include "win32/wide_text.h"

namespace tallowin {
namespace {

using testing::RunAsStandardUser;
using testing::ValuesOf;

const std::u16string kSystemKey = u"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
const std::u16string kUserKey = u"Environment";
constexpr wchar_t kName[] = L"TallowinStandardUser";

std::wstring CommandLineProgram() {
  wchar_t self[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring path(self, length);
  return path.substr(0, path.find_last_of(L'\\') + 1) + TALLOWIN_CLI_FROM_TESTS;
}

// Puts back the machine key's Path and removes the value the test writes,
// should a run have changed them after all.
class StandardUserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(::RegOpenKeyExW(HKEY_LOCAL_MACHINE, win32::Wide(kSystemKey), 0, KEY_ALL_ACCESS, machine_.put()),
              ERROR_SUCCESS);
    DWORD size = 0;
    ASSERT_EQ(::RegQueryValueExW(machine_.get(), L"PATH", nullptr, &pathType_, nullptr, &size), ERROR_SUCCESS);
    path_.resize(size);
    ASSERT_EQ(::RegQueryValueExW(machine_.get(), L"PATH", nullptr, &pathType_, path_.data(), &size), ERROR_SUCCESS);
    const std::wstring value = L"machine";
    ASSERT_EQ(::RegSetValueExW(machine_.get(), kName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                               static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    if (!machine_) return;
    ::RegSetValueExW(machine_.get(), L"PATH", 0, pathType_, path_.data(), static_cast<DWORD>(path_.size()));
    ::RegDeleteValueW(machine_.get(), kName);
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, win32::Wide(kUserKey), kName);
  }

  win32::UniqueKey machine_;
  DWORD pathType_ = 0;
  std::vector<BYTE> path_;
};

// A registration file in the UTF-16 form regedit writes.
void WriteRegistrationFile(const std::u16string& path, std::u16string_view text) {
  std::vector<std::uint8_t> bytes{0xff, 0xfe};
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xff));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  ASSERT_TRUE(ports::Win32FileSystem().ReplaceWholeFile(path, bytes).Succeeded);
}

// A standard user reads the machine key, but each write to it ends with
// "run it as administrator" and leaves both keys as they were (a file's
// user section included); their own key they write.
TEST_F(StandardUserTest, MachineKeyWritesEndWithRunAsAdministratorAndWriteNothing) {
  const testing::ScratchFolder folder;
  const std::u16string file = folder.File(u"both keys.reg");
  WriteRegistrationFile(file, u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\" + kSystemKey +
                                  u"]\r\n\"TallowinStandardUser\"=\"file\"\r\n\r\n[HKEY_CURRENT_USER\\" + kUserKey +
                                  u"]\r\n\"TallowinStandardUser\"=\"file\"\r\n");
  const auto machineBefore = ValuesOf(HKEY_LOCAL_MACHINE, kSystemKey);
  const auto userBefore = ValuesOf(HKEY_CURRENT_USER, kUserKey);
  const std::wstring program = CommandLineProgram();
  const testing::StandardUserMachineKey standardUser;

  const std::pair<std::wstring, DWORD> cases[] = {
      {L"get TallowinStandardUser --system", 0},
      {L"set TallowinStandardUser v --system --no-backup", 3},
      {L"unset TallowinStandardUser --system --no-backup", 3},
      {L"path add C:\\X --system --no-backup", 3},
      {L"apply \"" + win32::ToWide(file) + L"\" --no-backup", 3},
  };
  for (const auto& [arguments, exitCode] : cases) {
    SCOPED_TRACE(std::string(arguments.begin(), arguments.end()));
    EXPECT_EQ(RunAsStandardUser(program, arguments), exitCode);
    EXPECT_EQ(ValuesOf(HKEY_LOCAL_MACHINE, kSystemKey), machineBefore);
    EXPECT_EQ(ValuesOf(HKEY_CURRENT_USER, kUserKey), userBefore);
  }
  EXPECT_EQ(RunAsStandardUser(program, L"set TallowinStandardUser v --user --no-backup"), 0u);
  EXPECT_EQ(::RegGetValueW(HKEY_CURRENT_USER, win32::Wide(kUserKey), kName, RRF_RT_REG_SZ, nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
}

}  // namespace
}  // namespace tallowin
