#include "ports/system_ports.h"

#include <windows.h>

#include "registry/power_state.h"
#include "registry/registry_io.h"
#include "registry/user32_calls.h"
#include "registry/write_turn.h"
#include "win32/system_errors.h"

namespace tallowin::ports {
namespace {

PortResult FromStatus(LSTATUS status) {
  return status == ERROR_SUCCESS ? PortResult::Success() : PortResult::Failure(static_cast<std::uint32_t>(status));
}

}  // namespace

PortResult Win32Registry::ReadKeyToList(RootKey root, std::u16string_view subkey, EditList& list) {
  return FromStatus(registry::ReadKeyToList(root, subkey, list));
}

PortResult Win32Registry::ReadKeyToItems(RootKey root, std::u16string_view subkey, std::vector<CClipItem>& items) {
  return FromStatus(registry::ReadKeyToItems(root, subkey, items));
}

PortResult Win32Registry::WriteListToKey(RootKey root, std::u16string_view subkey,
                                         const std::vector<NamedValue>& values) {
  registry::WriteTurn turn;
  if (const LSTATUS taken = turn.Take(); taken != ERROR_SUCCESS) return FromStatus(taken);
  return FromStatus(registry::WriteListToKey(root, subkey, values));
}

PortResult Win32Registry::DeleteValue(RootKey root, std::u16string_view subkey, std::u16string_view name) {
  registry::WriteTurn turn;
  if (const LSTATUS taken = turn.Take(); taken != ERROR_SUCCESS) return FromStatus(taken);
  return FromStatus(registry::DeleteValue(root, subkey, name));
}

PortResult Win32Registry::ReadValue(RootKey root, std::u16string_view subkey, std::u16string_view name,
                                    std::optional<RegistryValue>& value) {
  RegistryValue read;
  const LSTATUS status = registry::ReadValue(root, subkey, name, read);
  value.reset();
  if (status == ERROR_FILE_NOT_FOUND) return PortResult::Success();
  if (status == ERROR_SUCCESS) value = std::move(read);
  return FromStatus(status);
}

struct Win32WriteTurn::Held {
  std::optional<registry::WriteTurn> Turn;
};

Win32WriteTurn::Win32WriteTurn() : held_(std::make_unique<Held>()) {}

Win32WriteTurn::~Win32WriteTurn() = default;

PortResult Win32WriteTurn::Take() {
  if (held_->Turn) return PortResult::Success();
  held_->Turn.emplace();
  const LSTATUS taken = held_->Turn->Take();
  if (taken != ERROR_SUCCESS) held_->Turn.reset();
  return FromStatus(taken);
}

void Win32WriteTurn::Release() { held_->Turn.reset(); }

std::u16string Win32System::DescribeError(std::uint32_t code) { return win32::DescribeError(code); }

LocalTime Win32System::LocalNow() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

void Win32EnvironmentBroadcast::AnnounceEnvironmentChange() {
  constexpr UINT kTimeoutPerWindowMs = 1000;
  DWORD_PTR answer = 0;
  // The outcome tells nothing to act on: a window that did not answer in
  // time reads the registry when it next starts a program.
  registry::user32::SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0,
                                        reinterpret_cast<LPARAM>(L"Environment"), SMTO_ABORTIFHUNG | SMTO_NORMAL,
                                        kTimeoutPerWindowMs, &answer);
}

void Win32Power::ChangePowerState(std::uint32_t action) { registry::ChangePowerState(action); }

}  // namespace tallowin::ports
