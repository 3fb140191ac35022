#pragma once

#include <string>
#include <vector>

#include "model/type_names.h"
#include "model/value_text.h"
#include "model/variable_entry.h"

// Path values as they can stand in the registry or a file, most of which the
// Path tab shows otherwise than they are stored: their items join to another
// text (a line break ends an item, the last item gets its ';').
namespace tallowin::testing {

struct OddPathValue {
  const char* Name;
  RegistryValue Value;
};

inline std::u16string ManyDirectories(int count) {
  std::u16string value;
  for (int i = 0; i < count; ++i) {
    for (const char c : "C:\\Tools\\" + std::to_string(i) + ";") value.push_back(static_cast<char16_t>(c));
  }
  return value;
}

inline std::vector<OddPathValue> OddPathValues() {
  const auto expandSz = [](std::u16string_view text) { return TextToValue(kRegExpandSz, text); };
  return {
      {"CR", expandSz(u"C:\\A\rC:\\B")},
      {"LF", expandSz(u"C:\\A\nC:\\B")},
      {"CR LF", expandSz(u"C:\\A\r\nC:\\B")},
      {"CR LF after the last ';'", expandSz(u"C:\\A;C:\\B;\r\n")},
      {"a lone ';'", expandSz(u";")},
      {"empty items", expandSz(u";;C:\\A;;;C:\\B;;")},
      {"no trailing ';'", expandSz(u"C:\\A;C:\\B")},
      {"trailing blanks", expandSz(u"C:\\A;C:\\B  ")},
      {"empty", expandSz(u"")},
      {"2,000 items", expandSz(ManyDirectories(2000))},
      {"no terminating zero", RegistryValue{kRegExpandSz, {'C', 0, ':', 0, '\\', 0, 'A', 0}}},
      {"REG_SZ with CR LF", TextToValue(kRegSz, u"C:\\A\r\nC:\\B;")},
  };
}

}  // namespace tallowin::testing
