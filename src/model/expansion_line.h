#pragma once

#include <string>
#include <string_view>

#include "model/edit_list.h"
#include "model/path_check.h"

// What a value becomes once the system has expanded it, shown in the line
// under a tab's fields: "展開後: " and the value expanded as the Path check
// expands it, then "（未定義の変数があります）" when a %NAME% stayed as it was
// because no variable of that name exists. The line is empty for a value
// with no reference, and for a variable that is not REG_EXPAND_SZ, whose
// references the system leaves alone.
namespace tallowin {

std::u16string VariableExpansionLine(std::u16string_view typeName, std::u16string_view data, const EditList& sysList,
                                     const EditList& userList, const VariableLookup& programVariable);

// The current Path item, without its closing ';'.
std::u16string PathItemExpansionLine(std::u16string_view item, const EditList& sysList, const EditList& userList,
                                     const VariableLookup& programVariable);

}  // namespace tallowin
