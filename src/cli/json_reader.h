#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Reading JSON text (RFC 8259) into values: what the DSC resources are given
// as their desired state. Strings are UTF-16, as everywhere else; numbers
// keep their text, since no property is a number.
namespace tallowin::cli {

enum class JsonKind { Null, Boolean, Number, String, Array, Object };

struct JsonValue {
  JsonKind Kind = JsonKind::Null;
  bool Boolean = false;
  std::u16string Text;  // a string's characters, or a number as written
  std::vector<JsonValue> Elements;
  std::vector<std::pair<std::u16string, JsonValue>> Members;  // in the text's order

  // Defined out of line: clang with GCC's library cannot define it here,
  // where the pairs of Members need JsonValue complete.
  JsonValue();

  // The member of that name, if this is an object that has one.
  const JsonValue* Member(std::u16string_view name) const;
};

// The one value the whole text holds (blanks around it allowed); nothing,
// with a message that says where and what is wrong, for anything else: a
// syntax error, a lone surrogate escape, a name given twice in one object,
// nesting deeper than any desired state needs.
std::optional<JsonValue> ParseJson(std::u16string_view text, std::u16string& error);

}  // namespace tallowin::cli
