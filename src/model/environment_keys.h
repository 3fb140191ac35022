#pragma once

#include <string>
#include <string_view>

// The two registry keys the program works on, and the predefined roots a key
// path can start from.
namespace tallowin {

enum class RootKey { ClassesRoot, CurrentUser, LocalMachine, Users };

// The system key (machine-wide variables) lives under HKEY_LOCAL_MACHINE.
inline constexpr std::u16string_view kSystemSubkey = u"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
// The user key (the current user's variables) lives under HKEY_CURRENT_USER.
inline constexpr std::u16string_view kUserSubkey = u"Environment";

// The two keys as the window's tabs tell them apart.
enum class KeyScope { System, User };

// A value of one of the two keys, by name.
struct ScopedName {
  KeyScope Scope = KeyScope::System;
  std::u16string Name;

  bool operator==(const ScopedName&) const = default;
};

}  // namespace tallowin
