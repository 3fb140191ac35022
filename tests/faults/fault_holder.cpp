// Another program of the same Wine session that holds something the program
// under test needs, until told to let go:
//
//   tallowin_fault_holder.exe file PATH READY RELEASE
//       opens the existing file for reading and writing with no sharing
//   tallowin_fault_holder.exe clipboard READY RELEASE
//       opens the clipboard and keeps it open
//
// READY and RELEASE name events the caller made: the holder sets READY once
// it holds, and lets go when RELEASE is set (or after a minute, so that a
// caller that died cannot leave it holding). Exit code 0 after holding, 1
// when it could not take hold, 2 for wrong arguments.
#include <windows.h>

#include <cwchar>

#include "win32/unique_handle.h"

namespace {

using tallowin::win32::UniqueFile;
using tallowin::win32::UniqueKernelHandle;

constexpr DWORD kLongestHoldMs = 60'000;

class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND owner) : open_(::OpenClipboard(owner) != FALSE) {}
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  ~OpenClipboardScope() {
    if (open_) ::CloseClipboard();
  }
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

int HoldUntilReleased(const wchar_t* readyName, const wchar_t* releaseName) {
  const UniqueKernelHandle ready(::OpenEventW(EVENT_MODIFY_STATE, FALSE, readyName));
  const UniqueKernelHandle release(::OpenEventW(SYNCHRONIZE, FALSE, releaseName));
  if (!ready || !release || !::SetEvent(ready.get())) return 1;
  ::WaitForSingleObject(release.get(), kLongestHoldMs);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 5 && std::wcscmp(argv[1], L"file") == 0) {
    const UniqueFile file(::CreateFileW(argv[2], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return 1;
    return HoldUntilReleased(argv[3], argv[4]);
  }
  if (argc == 4 && std::wcscmp(argv[1], L"clipboard") == 0) {
    // The clipboard counts as held by another program when a window of
    // another process opened it.
    const tallowin::win32::UniqueWindow window(
        ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    if (!window) return 1;
    const OpenClipboardScope clipboard(window.get());
    if (!clipboard.IsOpen()) return 1;
    return HoldUntilReleased(argv[2], argv[3]);
  }
  return 2;
}
