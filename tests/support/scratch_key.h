#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <optional>
#include <utility>
#include <string>
#include <vector>

#include "model/variable_entry.h"
#include "win32/unique_handle.h"
#include "win32/wide_text.h"

// A key of its own for each test, under HKCU\Software\TallowinTests, made
// when the test starts and deleted with everything in it when it ends.
namespace tallowin::testing {

inline std::u16string Ascii(const std::string& text) { return std::u16string(text.begin(), text.end()); }

// Every value of a key, in enumeration order, with its exact type and bytes.
inline std::vector<std::pair<std::u16string, RegistryValue>> ValuesOf(HKEY root, const std::u16string& subkey) {
  std::vector<std::pair<std::u16string, RegistryValue>> values;
  win32::UniqueKey key;
  EXPECT_EQ(::RegOpenKeyExW(root, win32::Wide(subkey), 0, KEY_READ, key.put()), ERROR_SUCCESS);
  std::vector<wchar_t> name(16384);
  for (DWORD index = 0;; ++index) {
    DWORD nameLength = static_cast<DWORD>(name.size());
    DWORD type = 0;
    DWORD size = 0;
    if (::RegEnumValueW(key.get(), index, name.data(), &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
      break;
    }
    RegistryValue value{type, std::vector<std::uint8_t>(size)};
    nameLength = static_cast<DWORD>(name.size());
    EXPECT_EQ(::RegEnumValueW(key.get(), index, name.data(), &nameLength, nullptr, &type, value.Bytes.data(), &size),
              ERROR_SUCCESS);
    value.Bytes.resize(size);
    values.emplace_back(win32::FromWide(name.data(), nameLength), std::move(value));
  }
  return values;
}

class ScratchKeyTest : public ::testing::Test {
 protected:
  static constexpr std::u16string_view kParent = u"Software\\TallowinTests";

  void SetUp() override { Subkey = MakeKey(u"main"); }

  void TearDown() override {
    const std::u16string parent(kParent);
    win32::UniqueKey key;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, win32::Wide(parent), 0, KEY_ALL_ACCESS, key.put()) == ERROR_SUCCESS) {
      const std::u16string mine = Unique();
      ::RegDeleteTreeW(key.get(), win32::Wide(mine));
      ::RegDeleteKeyW(key.get(), win32::Wide(mine));
    }
  }

  // Creates a further key beside the main one; returns its subkey path
  // under HKEY_CURRENT_USER.
  std::u16string MakeKey(std::u16string_view leaf) {
    const std::u16string path = std::u16string(kParent) + u"\\" + Unique() + u"\\" + std::u16string(leaf);
    win32::UniqueKey key;
    EXPECT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, win32::Wide(path), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(),
                                nullptr),
              ERROR_SUCCESS);
    return path;
  }

  // A path under this test's key that nobody creates.
  std::u16string MissingKey() const { return std::u16string(kParent) + u"\\" + Unique() + u"\\missing"; }

  win32::UniqueKey Open(const std::u16string& path) const {
    win32::UniqueKey key;
    EXPECT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, win32::Wide(path), 0, KEY_ALL_ACCESS, key.put()), ERROR_SUCCESS);
    return key;
  }

  void Set(const std::u16string& path, const std::u16string& name, const RegistryValue& value) const {
    const win32::UniqueKey key = Open(path);
    // Non-zero bytes behind the data: otherwise the registry may count a
    // zero that follows string data in memory as part of it.
    std::vector<std::uint8_t> padded = value.Bytes;
    padded.insert(padded.end(), {0xff, 0xff});
    ASSERT_EQ(::RegSetValueExW(key.get(), win32::Wide(name), 0, value.TypeCode, padded.data(),
                               static_cast<DWORD>(value.Bytes.size())),
              ERROR_SUCCESS);
  }

  // The stored type and bytes of a value, or nothing when it is absent.
  std::optional<RegistryValue> Get(const std::u16string& path, const std::u16string& name) const {
    const win32::UniqueKey key = Open(path);
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExW(key.get(), win32::Wide(name), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    RegistryValue value{type, std::vector<std::uint8_t>(size)};
    EXPECT_EQ(::RegQueryValueExW(key.get(), win32::Wide(name), nullptr, &type, value.Bytes.data(), &size),
              ERROR_SUCCESS);
    value.Bytes.resize(size);
    return value;
  }

  // Every value of a key under HKEY_CURRENT_USER, in enumeration order.
  std::vector<std::pair<std::u16string, RegistryValue>> Values(const std::u16string& path) const {
    return ValuesOf(HKEY_CURRENT_USER, path);
  }

  std::u16string Subkey;

 private:
  // One key per test and process: tests of several runs never meet.
  std::u16string Unique() const {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return Ascii(std::string(info->test_suite_name()) + "." + info->name() + "." +
                 std::to_string(::GetCurrentProcessId()));
  }
};

}  // namespace tallowin::testing
