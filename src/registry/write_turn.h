#pragma once

#include <windows.h>

#include "win32/unique_handle.h"

// Writers of the environment keys take turns: the window's Save and every
// run of the command line hold one named mutex while they read and write a
// key, so that two writers never interleave a read and the write based on
// it, and twenty runs that each add a folder to Path leave all twenty.
namespace tallowin::registry {

// In the global namespace, so that writers in other sessions (an installer
// running as a service, a remote shell) take turns with the desktop too.
inline constexpr wchar_t kWriteMutexName[] = L"Global\\Tallowin.EnvironmentWrite";

// How long a writer waits for its turn before it gives up: far longer than
// any writer holds it, short enough that a stuck one is noticed.
inline constexpr DWORD kWriteTurnWaitMs = 60 * 1000;

// Releases a mutex the thread owns; the handle itself is closed by its own
// owner.
struct MutexOwnershipTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { ::ReleaseMutex(h); }
};

// The turn, held from Take until destruction. The mutex is recursive for the
// thread that holds it, so code that holds the turn may call code that takes
// it again.
class WriteTurn {
 public:
  // ERROR_SUCCESS once the turn is held; WAIT_TIMEOUT when another writer
  // kept it past the wait; otherwise the system's error of the step that
  // failed. A writer that ended while holding it (WAIT_ABANDONED) left each
  // value whole, as a value is set in one call: the turn is then held.
  LSTATUS Take(DWORD waitMs = kWriteTurnWaitMs);

 private:
  // Declared first so that it is closed after the turn is released.
  win32::UniqueKernelHandle mutex_;
  win32::UniqueHandle<MutexOwnershipTraits> owned_;
};

}  // namespace tallowin::registry
