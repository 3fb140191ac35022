#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <sddl.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "win32/unique_handle.h"

// A standard user's view of the machine under Wine, where every process is
// an administrator: the machine environment key gets the access list it has
// on Windows, and a program runs with the Administrators group deny-only;
// or, for a test that cannot start another process, the key refuses every
// writer.
// Wine keeps a key's access list only while the prefix's server runs: the
// tests need the persistent server that scripts/wine-env.sh starts.
namespace tallowin::testing {

// The machine environment key under another access list while the object
// lives; its former access list goes back at the end, through the handle
// opened before the change. Even a list that grants nobody anything comes
// off again: the key's owner keeps READ_CONTROL and WRITE_DAC whatever the
// list says (seen under Wine, as on Windows).
class MachineKeyAccessList {
 public:
  explicit MachineKeyAccessList(const wchar_t* sddl) {
    EXPECT_EQ(::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSubkey, 0, READ_CONTROL | WRITE_DAC, key_.put()), ERROR_SUCCESS);
    DWORD size = 0;
    ::RegGetKeySecurity(key_.get(), DACL_SECURITY_INFORMATION, nullptr, &size);
    former_.resize(size);
    if (::RegGetKeySecurity(key_.get(), DACL_SECURITY_INFORMATION, former_.data(), &size) != ERROR_SUCCESS) {
      ADD_FAILURE() << "the key's access list could not be read";
      former_.clear();
      return;
    }
    win32::UniqueLocal list;
    EXPECT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(
        sddl, SDDL_REVISION_1, reinterpret_cast<PSECURITY_DESCRIPTOR*>(list.put()), nullptr))
        << ::GetLastError();
    EXPECT_EQ(::RegSetKeySecurity(key_.get(), DACL_SECURITY_INFORMATION, list.get()), ERROR_SUCCESS);
  }
  MachineKeyAccessList(const MachineKeyAccessList&) = delete;
  MachineKeyAccessList& operator=(const MachineKeyAccessList&) = delete;
  ~MachineKeyAccessList() {
    if (!former_.empty()) {
      EXPECT_EQ(::RegSetKeySecurity(key_.get(), DACL_SECURITY_INFORMATION, former_.data()), ERROR_SUCCESS);
    }
  }

 private:
  static constexpr wchar_t kSubkey[] = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
  win32::UniqueKey key_;
  std::vector<std::uint8_t> former_;
};

// Readable by everyone, writable only by Administrators and SYSTEM: the
// access list the key has on Windows.
class StandardUserMachineKey : public MachineKeyAccessList {
 public:
  StandardUserMachineKey() : MachineKeyAccessList(L"D:(A;;KR;;;WD)(A;;KA;;;BA)(A;;KA;;;SY)") {}
};

// Readable by everyone and writable by nobody: the test process itself, an
// administrator like every process under Wine, is then refused as a
// standard user would be.
class MachineKeyReadOnly : public MachineKeyAccessList {
 public:
  MachineKeyReadOnly() : MachineKeyAccessList(L"D:(A;;KR;;;WD)") {}
};

// Runs a program (by its full path) as a standard user would run it: under
// this process's token with the Administrators group deny-only. Returns its
// exit code once it has ended; nothing when it could not be started or
// waited for.
inline std::optional<DWORD> RunAsStandardUser(const std::wstring& path, const std::wstring& arguments) {
  win32::UniqueKernelHandle token;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_DUPLICATE | TOKEN_ASSIGN_PRIMARY | TOKEN_QUERY, token.put())) {
    return std::nullopt;
  }
  BYTE administrators[SECURITY_MAX_SID_SIZE];
  DWORD sidSize = sizeof administrators;
  if (!::CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators, &sidSize)) return std::nullopt;
  SID_AND_ATTRIBUTES denyOnly{administrators, 0};
  win32::UniqueKernelHandle restricted;
  if (!::CreateRestrictedToken(token.get(), 0, 1, &denyOnly, 0, nullptr, 0, nullptr, restricted.put())) {
    return std::nullopt;
  }
  std::wstring commandLine = L"\"" + path + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!::CreateProcessAsUserW(restricted.get(), path.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                              CREATE_NO_WINDOW, nullptr, nullptr, &startup, &started)) {
    return std::nullopt;
  }
  const win32::UniqueKernelHandle process(started.hProcess);
  const win32::UniqueKernelHandle thread(started.hThread);
  if (::WaitForSingleObject(process.get(), INFINITE) != WAIT_OBJECT_0) return std::nullopt;
  DWORD exitCode = 0;
  if (!::GetExitCodeProcess(process.get(), &exitCode)) return std::nullopt;
  return exitCode;
}

}  // namespace tallowin::testing
