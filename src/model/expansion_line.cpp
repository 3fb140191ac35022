#include "model/expansion_line.h"

#include <string>

#include "model/texts.h"
#include "model/type_names.h"

namespace tallowin {
namespace {

std::u16string LineOf(std::u16string_view text, const EditList& sysList, const EditList& userList,
                      const VariableLookup& programVariable) {
  const Expansion expansion = ExpandReferences(text, sysList, userList, programVariable);
  if (!expansion.HasReference) return {};
  std::u16string line(texts::kExpandedPrefix);
  line += expansion.Text;
  if (expansion.Undefined) line += texts::kUndefinedVariables;
  return line;
}

}  // namespace

std::u16string VariableExpansionLine(std::u16string_view typeName, std::u16string_view data, const EditList& sysList,
                                     const EditList& userList, const VariableLookup& programVariable) {
  if (TypeIndexOf(typeName) != kRegExpandSz) return {};
  return LineOf(data, sysList, userList, programVariable);
}

std::u16string PathItemExpansionLine(std::u16string_view item, const EditList& sysList, const EditList& userList,
                                     const VariableLookup& programVariable) {
  if (!item.empty() && item.back() == u';') item.remove_suffix(1);
  return LineOf(item, sysList, userList, programVariable);
}

}  // namespace tallowin
