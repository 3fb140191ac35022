#include "model/type_names.h"

#include "model/collation.h"

namespace tallowin {

std::u16string_view TypeNameOf(std::uint32_t code) {
  return code < kTypeNames.size() ? kTypeNames[code] : std::u16string_view();
}

int TypeIndexOf(std::u16string_view typeName) {
  for (std::size_t code = 0; code < kTypeNames.size(); ++code) {
    if (EqualsIgnoringCase(typeName, kTypeNames[code])) return static_cast<int>(code);
  }
  return kUnknownTypeIndex;
}

std::uint32_t TypeCodeForWriting(std::u16string_view typeName) {
  const int index = TypeIndexOf(typeName);
  return index == kUnknownTypeIndex ? kRegNone : static_cast<std::uint32_t>(index);
}

}  // namespace tallowin
