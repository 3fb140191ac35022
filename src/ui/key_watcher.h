#pragma once

#include <windows.h>

#include <atomic>
#include <thread>

#include "win32/unique_handle.h"

// Watches the two environment keys on a thread of its own and posts a
// message to a window when either changes, whoever changed it, so that the
// window can look whether another program did. Posts coalesce: no second
// message is posted until the window acknowledged the first.
namespace tallowin::ui {

class KeyWatcher {
 public:
  KeyWatcher() = default;
  KeyWatcher(const KeyWatcher&) = delete;
  KeyWatcher& operator=(const KeyWatcher&) = delete;
  ~KeyWatcher() { Stop(); }

  // Starts watching; false when there is nothing to watch with (no event,
  // no thread). A key that cannot be opened is not watched.
  bool Start(HWND window, UINT message);
  // Ends the watch; no message is posted once this returns.
  void Stop();
  // The window handled the message: the next change posts another.
  void Acknowledge() { posted_ = false; }

 private:
  void Watch(HWND window, UINT message);

  win32::UniqueKernelHandle stop_;
  std::thread thread_;
  std::atomic<bool> posted_{false};
};

}  // namespace tallowin::ui
