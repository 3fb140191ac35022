#include "ui/key_watcher.h"

#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "model/environment_keys.h"
#include "win32/wide_text.h"

namespace tallowin::ui {
namespace {

struct WatchedKey {
  win32::UniqueKey Key;
  win32::UniqueKernelHandle Changed;
};

constexpr DWORD kWatchedChanges = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;

// The system ends a notification when the thread that asked for it ends, so
// the watching thread asks itself, and again after every change it hears of.
bool Arm(const WatchedKey& watched) {
  return ::RegNotifyChangeKeyValue(watched.Key.get(), FALSE, kWatchedChanges, watched.Changed.get(), TRUE) ==
         ERROR_SUCCESS;
}

std::vector<WatchedKey> OpenWatchedKeys() {
  const std::pair<HKEY, std::u16string_view> places[] = {{HKEY_LOCAL_MACHINE, kSystemSubkey},
                                                         {HKEY_CURRENT_USER, kUserSubkey}};
  std::vector<WatchedKey> keys;
  for (const auto& [root, subkey] : places) {
    const std::u16string path(subkey);
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root, win32::Wide(path), 0, KEY_NOTIFY, &key) != ERROR_SUCCESS) continue;
    WatchedKey watched{win32::UniqueKey(key), win32::UniqueKernelHandle(::CreateEventW(nullptr, FALSE, FALSE, nullptr))};
    if (watched.Changed && Arm(watched)) keys.push_back(std::move(watched));
  }
  return keys;
}

}  // namespace

bool KeyWatcher::Start(HWND window, UINT message) {
  Stop();
  stop_.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!stop_) return false;
  posted_ = false;
  try {
    thread_ = std::thread([this, window, message] { Watch(window, message); });
  } catch (const std::system_error&) {
    stop_.reset();
    return false;
  }
  return true;
}

void KeyWatcher::Stop() {
  if (!thread_.joinable()) return;
  ::SetEvent(stop_.get());
  thread_.join();
  stop_.reset();
}

void KeyWatcher::Watch(HWND window, UINT message) {
  std::vector<WatchedKey> keys = OpenWatchedKeys();
  for (;;) {
    std::vector<HANDLE> handles{stop_.get()};
    for (const WatchedKey& watched : keys) handles.push_back(watched.Changed.get());
    const DWORD woken = ::WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, INFINITE);
    if (woken <= WAIT_OBJECT_0 || woken >= WAIT_OBJECT_0 + handles.size()) return;  // stopped, or failed
    const std::size_t changed = woken - WAIT_OBJECT_0 - 1;
    // A key that can no longer be watched (deleted, say) drops out.
    if (!Arm(keys[changed])) keys.erase(keys.begin() + static_cast<std::ptrdiff_t>(changed));
    if (!posted_.exchange(true)) ::PostMessageW(window, message, 0, 0);
  }
}

}  // namespace tallowin::ui
