#pragma once

#include <string>
#include <string_view>

#include "model/edit_list.h"
#include "model/expansion.h"

// What a value becomes once the system has expanded it, shown in the line
// under a tab's fields: "展開後: ", the notes, then the value expanded
// (expansion.h). The notes say that a %NAME% stayed as it was because no
// variable of that name exists ("（未定義の変数があります）"), or because it
// leads back into itself ("（循環参照）"), and that the text stops at the
// limit; they come before the text, where a long value cannot push them out
// of sight. The line is empty for a value with no reference, and for a
// variable that is not REG_EXPAND_SZ, whose references the system leaves
// alone.
namespace tallowin {

// name: the variable the fields hold, whose own name is a loop inside it;
// empty when it is not known.
std::u16string VariableExpansionLine(std::u16string_view typeName, std::u16string_view data, const EditList& sysList,
                                     const EditList& userList, const VariableLookup& programVariable,
                                     std::u16string_view name = {});

// The current Path item, without its closing ';'. The Path tab edits the
// System list's Path: its items stay as written when that is a plain string.
std::u16string PathItemExpansionLine(std::u16string_view item, const EditList& sysList, const EditList& userList,
                                     const VariableLookup& programVariable);

}  // namespace tallowin
