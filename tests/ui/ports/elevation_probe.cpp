#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <string_view>

#include "ports/elevation.h"
#include "win32/unique_handle.h"

// A stand-in for both sides of the hand-off, copied by elevation_test.cpp
// into a folder of its own.
//
// Run with no arguments, it runs the command line beside it through the
// elevation port with a window of its own as the owner, and ends with
// 100 * End + the command line's exit code, plus 50 when the window was not
// enabled again with its focus back.
//
// Run as that command line (a copy named tallowin-cli.exe) with
// "owner HWND N", it ends with N when the owner is disabled and answers a
// message meanwhile, with 1 when it is enabled and 2 when it does not answer.
int main(int argc, char** argv) {
  if (argc == 4 && std::string_view(argv[1]) == "owner") {
    const auto owner = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::strtoull(argv[2], nullptr, 16)));
    if (::IsWindowEnabled(owner)) return 1;
    DWORD_PTR answer = 0;
    if (::SendMessageTimeoutW(owner, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer) == 0) return 2;
    return std::atoi(argv[3]);
  }
  const tallowin::win32::UniqueWindow owner(::CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 100,
                                                              100, nullptr, nullptr, nullptr, nullptr));
  if (!owner) return 99;
  ::SetFocus(owner.get());
  wchar_t arguments[64];
  std::swprintf(arguments, 64, L"owner %llx 7",
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(owner.get())));
  tallowin::ports::Win32Elevation elevation(owner.get());
  const tallowin::ElevatedRun run = elevation.RunCommandLineElevated(reinterpret_cast<const char16_t*>(arguments));
  const bool restored = ::IsWindowEnabled(owner.get()) && ::GetFocus() == owner.get();
  return 100 * static_cast<int>(run.How) + static_cast<int>(run.ExitCode) + (restored ? 0 : 50);
}
