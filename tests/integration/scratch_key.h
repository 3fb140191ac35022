#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/variable_entry.h"
#include "win32/unique_handle.h"
#include "win32/wide_text.h"

// A registry key under HKEY_CURRENT_USER\Software\TallowinTests that exists
// for one test and is deleted with everything under it afterwards, and the
// raw reads and writes the tests check the program against. The process id
// in its name keeps tests that run side by side apart.
namespace tallowin::testing {

class ScratchKey {
 public:
  explicit ScratchKey(const std::u16string& name) : subkey_(u"Software\\TallowinTests\\" + name + ProcessSuffix()) {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, win32::Wide(subkey_));
    ::RegCreateKeyExW(HKEY_CURRENT_USER, win32::Wide(subkey_), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key_.put(),
                      nullptr);
  }
  ~ScratchKey() {
    key_.reset();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, win32::Wide(subkey_));
  }
  ScratchKey(const ScratchKey&) = delete;
  ScratchKey& operator=(const ScratchKey&) = delete;

  bool IsOpen() const { return static_cast<bool>(key_); }
  const std::u16string& Subkey() const { return subkey_; }

  LSTATUS Set(const std::u16string& name, const RegistryValue& value) {
    return ::RegSetValueExW(key_.get(), win32::Wide(name), 0, value.TypeCode, value.Bytes.data(),
                            static_cast<DWORD>(value.Bytes.size()));
  }

  // Every value, in enumeration order, with its exact type and bytes.
  std::vector<std::pair<std::u16string, RegistryValue>> Values() const {
    std::vector<std::pair<std::u16string, RegistryValue>> values;
    for (DWORD index = 0;; ++index) {
      wchar_t name[16384];
      DWORD nameLength = 16384;
      DWORD type = 0;
      DWORD size = 0;
      if (::RegEnumValueW(key_.get(), index, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        break;
      }
      RegistryValue value{type, std::vector<std::uint8_t>(size)};
      nameLength = 16384;
      ::RegEnumValueW(key_.get(), index, name, &nameLength, nullptr, &type, value.Bytes.data(), &size);
      value.Bytes.resize(size);
      values.emplace_back(win32::FromWide(name, nameLength), std::move(value));
    }
    return values;
  }

 private:
  static std::u16string ProcessSuffix() {
    std::u16string suffix = u"-";
    for (const char c : std::to_string(::GetCurrentProcessId())) suffix.push_back(static_cast<char16_t>(c));
    return suffix;
  }

  std::u16string subkey_;
  win32::UniqueKey key_;
};

}  // namespace tallowin::testing
