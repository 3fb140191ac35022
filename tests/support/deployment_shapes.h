#pragma once

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "model/collation.h"
#include "model/save_review.h"
#include "model/type_names.h"
#include "model/value_text.h"
#include "regfile/deployment_file.h"
#include "regfile/reg_file.h"
#include "commands/value_write_rules.h"

// The registration files of tests/deploy/shapes/ with what a deployment must
// make of each, and what Wine's reg import made of it from the keys of
// tests/deploy/start.reg (tests/deploy/reg-import/, recorded by
// scripts/make-deploy-expectations.sh). Where a deployment refuses a file,
// the row says why and at which line; where it reads a file that reg import
// refuses, the row gives the values it must write.
namespace tallowin::testing {

#ifndef TALLOWIN_DEPLOY_DIR
#error "TALLOWIN_DEPLOY_DIR names tests/deploy"
#endif

struct ShapeRefusal {
  regfile::FileRule File = regfile::FileRule::None;
  WriteRefusal Write = WriteRefusal::None;
  std::size_t Line = 0;
};

struct Shape {
  const char* File;
  std::optional<ShapeRefusal> Refused;
  // Keys other than the environment keys that the file names.
  std::size_t OtherKeys = 0;
  // User values a file that reg import refuses sets.
  std::vector<NamedValue> UnlikeRegImport = {};
};

inline const std::vector<Shape>& Shapes() {
  using regfile::FileRule;
  const auto file = [](FileRule rule, std::size_t line) { return ShapeRefusal{rule, WriteRefusal::None, line}; };
  const auto write = [](WriteRefusal refusal, std::size_t line) {
    return ShapeRefusal{FileRule::None, refusal, line};
  };
  static const std::vector<Shape> shapes = {
      {"comments-and-continuations.reg", {}},
      {"default-value.reg", {}},
      {"deletion-lines.reg", {}},
      {"deletion-then-set.reg", {}},
      {"end-of-file-nul.reg", {}},
      {"escapes.reg", {}},
      {"header-after-blanks.reg", {}},
      {"header-lower-case.reg", {}},
      {"header-machine-lower-case.reg", {}},
      {"header-short-roots.reg", {}},
      {"header-text-after-bracket.reg", {}},
      {"header-trailing-backslash.reg", {}},
      {"line-feeds-only.reg", {}},
      {"name-twice.reg", {}},
      {"nothing-changes.reg", {}},
      {"other-keys-too.reg", {}, 2},
      {"other-types.reg", {}},
      {"quoted-empty-name.reg", {}},
      {"regedit4-ansi.reg", {}},
      {"regedit4-ascii.reg", {}},
      {"regedit4-utf16.reg", {}},
      {"two-sections-one-key.reg", {}},
      {"v5-8bit-ansi.reg", {}},
      {"v5-8bit-ascii.reg", {}},
      {"v5-8bit-hex-strings.reg", {}},
      {"v5-8bit-utf8-without-mark.reg", {}},
      {"utf8-with-mark.reg", {}, 0, {{u"U8M", TextToValue(kRegSz, u"caf\u00e9 \u65e5\u672c")}}},
      {"without-byte-order-mark.reg", {}, 0, {{u"NOMARK_A", TextToValue(kRegSz, u"1")}}},
      {"empty.reg", file(FileRule::NotRegistrationFile, 1)},
      {"header-wrong-case.reg", file(FileRule::NotRegistrationFile, 1)},
      {"header-text-after.reg", file(FileRule::NotRegistrationFile, 1)},
      {"header-only.reg", file(FileRule::NoEnvironmentKey, 0)},
      {"only-other-keys.reg", file(FileRule::NoEnvironmentKey, 0), 1},
      {"subkey-of-environment.reg", file(FileRule::NoEnvironmentKey, 0), 1},
      {"header-blank-in-bracket.reg", file(FileRule::NoEnvironmentKey, 0), 1},
      {"delete-user-key.reg", file(FileRule::KeyDeleted, 3)},
      {"delete-machine-key.reg", file(FileRule::KeyDeleted, 3)},
      {"cut-after-continuation.reg", file(FileRule::CutShort, 5)},
      {"cut-inside-quotes.reg", file(FileRule::CutShort, 5)},
      {"cut-on-odd-byte.reg", file(FileRule::CutShort, 4)},
      {"text-after-nul.reg", file(FileRule::TextAfterNul, 4)},
      {"utf8-mark-not-utf8.reg", file(FileRule::NotUtf8, 4)},
      {"unknown-escape.reg", file(FileRule::UnreadableLine, 5)},
      {"unknown-value-form.reg", file(FileRule::UnreadableLine, 5)},
      {"type-word-upper-case.reg", file(FileRule::UnreadableLine, 4)},
      {"quote-in-data.reg", file(FileRule::UnreadableLine, 4)},
      {"dword-too-long.reg", file(FileRule::UnreadableLine, 4)},
      {"stray-text.reg", file(FileRule::UnreadableLine, 4)},
      {"deletion-with-text-after.reg", file(FileRule::UnreadableLine, 4)},
      {"value-before-key.reg", file(FileRule::ValueOutsideKey, 2)},
      {"delete-system-path.reg", write(WriteRefusal::SystemPathKept, 7)},
      {"value-too-long.reg", write(WriteRefusal::ValueTooLong, 5)},
  };
  return shapes;
}

inline std::string DeployPath(const std::string& relative) { return std::string(TALLOWIN_DEPLOY_DIR) + relative; }

inline std::vector<std::uint8_t> DeployFileBytes(const std::string& relative) {
  std::ifstream in(DeployPath(relative), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Both keys' values.
struct Keys {
  std::vector<NamedValue> System;
  std::vector<NamedValue> User;
  std::vector<NamedValue>& Of(KeyScope scope) { return scope == KeyScope::System ? System : User; }
};

// The keys a file of reg export's shape holds (start.reg, reg-import/*).
inline Keys KeysOfExport(const std::string& relative) {
  const std::vector<std::uint8_t> bytes = DeployFileBytes(relative);
  Keys keys;
  for (const regfile::ParsedSection& section : regfile::ParseFile(bytes.data(), bytes.size(), {}).Sections) {
    for (const regfile::ParsedValue& value : section.Values) {
      keys.Of(section.Target == regfile::Scope::System ? KeyScope::System : KeyScope::User)
          .push_back({value.Name, value.Value});
    }
  }
  return keys;
}

// The keys once the rows are carried out as the registry carries them out:
// a value set under another spelling of a name it holds keeps that name.
inline Keys KeysAfter(Keys keys, const std::vector<ReviewRow>& rows) {
  for (const ReviewRow& row : rows) {
    std::vector<NamedValue>& values = keys.Of(row.Scope);
    const auto held = std::find_if(values.begin(), values.end(),
                                   [&row](const NamedValue& value) { return SameRegistryName(value.Name, row.Name); });
    if (row.DeleteOnSave && held != values.end()) values.erase(held);
    if (!row.ToWrite) continue;
    if (held != values.end()) {
      held->Value = *row.ToWrite;
    } else {
      values.push_back({row.Name, *row.ToWrite});
    }
  }
  return keys;
}

// A key's values as text, sorted by name, for comparisons that show what
// differs.
inline std::vector<std::u16string> Listing(std::vector<NamedValue> values) {
  std::vector<std::u16string> lines;
  for (const NamedValue& value : values) {
    std::u16string line = value.Name + u" " + std::u16string(1, static_cast<char16_t>(u'0' + value.Value.TypeCode));
    for (const std::uint8_t byte : value.Value.Bytes) {
      line += u"0123456789abcdef"[byte >> 4];
      line += u"0123456789abcdef"[byte & 15];
    }
    lines.push_back(line);
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

// Windows-1252, the ANSI code page of the prefix the expectations came from.
inline std::u16string DecodeWindows1252(std::string_view bytes) {
  static constexpr char16_t kHigh[32] = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  std::u16string text;
  for (const char byte : bytes) {
    const auto unit = static_cast<std::uint8_t>(byte);
    text.push_back(unit >= 0x80 && unit < 0xA0 ? kHigh[unit - 0x80] : unit);
  }
  return text;
}

}  // namespace tallowin::testing
