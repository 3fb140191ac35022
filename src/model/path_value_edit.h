#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/edit_list.h"
#include "model/path_check.h"

// Edits of a stored Path value that change only the items they name. The
// value is split at every ';' and nothing else, so that joining the parts
// again gives back every other item, empty items, the separators and a
// closing ';' exactly as they were.
namespace tallowin {

std::vector<std::u16string> SplitAtSemicolons(std::u16string_view value);
std::u16string JoinWithSemicolons(const std::vector<std::u16string>& parts);

// Whether a text names one folder an item can hold: not blank, no ';' and
// no line break (either would make it several items).
bool IsSingleFolder(std::u16string_view folder);

// For each part, whether it names the same folder as `folder` by the Path
// check's comparison (expanded as a new process would see it, ignoring
// case, quotes at both ends and one trailing backslash). Empty parts name
// no folder.
std::vector<bool> PartsNamingFolder(const std::vector<std::u16string>& parts, std::u16string_view folder,
                                    const EditList& sysList, const EditList& userList,
                                    const VariableLookup& programVariable);

enum class PathPlace { First, Last, Before, After };

// The value with the folder as a new item: first; last (before a closing
// ';', which stays closing); or before or after the first part `anchor`
// marks. Nothing when the place needs an anchor and no part is marked.
std::optional<std::u16string> WithFolderAdded(const std::vector<std::u16string>& parts, std::u16string_view folder,
                                              PathPlace place, const std::vector<bool>& anchor);

// The value without the marked parts, each with the one separator that
// followed it (or, for the last part, preceded it).
std::u16string WithoutParts(const std::vector<std::u16string>& parts, const std::vector<bool>& marked);

}  // namespace tallowin
