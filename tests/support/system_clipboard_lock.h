#pragma once

#include <windows.h>

// The system clipboard is one for every program of the Wine prefix, and
// ctest runs test programs side by side: a test that writes the clipboard
// and reads it back holds this lock (a named mutex, so it spans processes)
// for as long as it uses the clipboard.
namespace tallowin::testing {

class SystemClipboardLock {
 public:
  SystemClipboardLock() : mutex_(::CreateMutexW(nullptr, FALSE, L"Local\\TallowinTestsSystemClipboard")) {
    // A holder that died leaves the mutex abandoned; it is ours then all the
    // same.
    if (mutex_ != nullptr) ::WaitForSingleObject(mutex_, INFINITE);
  }
  SystemClipboardLock(const SystemClipboardLock&) = delete;
  SystemClipboardLock& operator=(const SystemClipboardLock&) = delete;
  ~SystemClipboardLock() {
    if (mutex_ == nullptr) return;
    ::ReleaseMutex(mutex_);
    ::CloseHandle(mutex_);
  }

 private:
  HANDLE mutex_;
};

}  // namespace tallowin::testing
