#include "model/expansion_line.h"

#include <string>

#include "model/texts.h"
#include "model/type_names.h"

namespace tallowin {
namespace {

std::u16string LineOf(const Expansion& expansion) {
  if (!expansion.HasReference) return {};
  std::u16string line(texts::kExpandedPrefix);
  if (expansion.Undefined) line += texts::kUndefinedVariables;
  if (expansion.Loop) line += texts::kReferenceLoop;
  if (expansion.Cut) line += texts::kExpansionCut;
  line += expansion.Text;
  return line;
}

}  // namespace

std::u16string VariableExpansionLine(std::u16string_view typeName, std::u16string_view data, const EditList& sysList,
                                     const EditList& userList, const VariableLookup& programVariable,
                                     std::u16string_view name) {
  return LineOf(ExpandValue(name, typeName, data, sysList, userList, programVariable));
}

std::u16string PathItemExpansionLine(std::u16string_view item, const EditList& sysList, const EditList& userList,
                                     const VariableLookup& programVariable) {
  if (!item.empty() && item.back() == u';') item.remove_suffix(1);
  const int path = sysList.FindIgnoringCase(u"Path");
  const std::u16string_view pathType = path >= 0 ? sysList.At(path).TypeName() : kTypeNames[kRegExpandSz];
  return LineOf(ExpandValue(u"Path", pathType, item, sysList, userList, programVariable));
}

}  // namespace tallowin
