#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/value_text.h"
#include "model/variable_entry.h"

// Values that test every form a registration file can carry: every type,
// the characters the quoted form must escape, line breaks, Japanese text,
// empty data, the default (empty) name and a name long enough to wrap the
// hex form before its first byte.
namespace tallowin::testing {

struct SampleValue {
  SampleValue(std::u16string name, RegistryValue value, std::optional<RegistryValue> storedByPeers = std::nullopt,
              bool peersExportExactly = true)
      : Name(std::move(name)),
        Value(std::move(value)),
        StoredByPeers(std::move(storedByPeers)),
        PeersExportExactly(peersExportExactly) {}

  std::u16string Name;
  RegistryValue Value;
  // What a peer's import stores, where that differs: RegSetValueExW adds a
  // terminator that a string type's data lacks when a zero follows the data
  // in memory, as it does in the peers' buffers.
  std::optional<RegistryValue> StoredByPeers;
  // False where the peers' own export loses bytes: they write every REG_SZ
  // in the quoted form, which ends at its first zero and drops its last
  // unit as if it were the terminator.
  bool PeersExportExactly = true;
};

inline std::vector<std::uint8_t> TextBytes(std::u16string_view text, bool terminated = true) {
  std::vector<std::uint8_t> bytes = Utf16LeBytes(text);
  if (terminated) bytes.insert(bytes.end(), {0, 0});
  return bytes;
}

inline std::vector<SampleValue> Samples() {
  const auto sz = [](std::u16string_view text) { return RegistryValue{REG_SZ, TextBytes(text)}; };
  const auto expandSz = [](std::u16string_view text) { return RegistryValue{REG_EXPAND_SZ, TextBytes(text)}; };
  return {
      {u"plain", sz(u"C:\\Windows")},
      {u"quotes", sz(u"say \"hi\" \"\"")},
      {u"backslashes", sz(u"\\\\server\\share\\")},
      {u"line breaks", sz(u"one\r\ntwo\nthree\r")},
      {u"日本語の名前", sz(u"表示ソフト 日本語")},
      {u"empty", sz(u"")},
      {u"", sz(u"the default value")},
      {u"name with \"quote\" and \\", sz(u"x")},
      {std::u16string(85, u'L') + u"ong", expandSz(u"%SystemRoot%\\system32;%ProgramFiles%\\日本")},
      {u"expand", expandSz(u"%USERPROFILE%\\Temp")},
      {u"expand empty", expandSz(u"")},
      {u"dword", {REG_DWORD, {0x78, 0x56, 0x34, 0x12}}},
      {u"qword", {REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 0x80}}},
      {u"binary", {REG_BINARY, {0x00, 0xff, 0x5c, 0x22}}},
      {u"binary empty", {REG_BINARY, {}}},
      {u"multi", {REG_MULTI_SZ, TextBytes(std::u16string(u"one\0二\0", 6))}},
      {u"none", {REG_NONE, {0xde, 0xad}}},
      {u"none empty", {REG_NONE, {}}},
      {u"big endian", {REG_DWORD_BIG_ENDIAN, {0x12, 0x34, 0x56, 0x78}}},
      {u"sz without terminator", {REG_SZ, TextBytes(u"abc", false)}, RegistryValue{REG_SZ, TextBytes(u"abc")}, false},
      {u"sz with text after its zero", sz(std::u16string(u"ab\0hidden", 9)), std::nullopt, false},
  };
}

inline std::string Printable(const std::u16string& name) {
  std::string text;
  for (const char16_t c : name) text.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return text;
}

}  // namespace tallowin::testing
