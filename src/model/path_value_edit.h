#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/edit_list.h"
#include "model/path_check.h"
#include "model/type_names.h"

// Edits of a stored Path value that change only the items they name. The
// value is cut at every ';' and at every line break (CR LF, a lone CR or a
// lone LF), which ends an item as it does in the window's Path list, and the
// separators are kept, so that joining the parts again gives back every
// other item, empty items, the separators and a closing ';' exactly as they
// were.
namespace tallowin {

struct StoredPathParts {
  std::vector<std::u16string> Texts;       // never empty: "" is one empty part
  std::vector<std::u16string> Separators;  // the one after each text but the last
};

StoredPathParts SplitStoredPath(std::u16string_view value);
std::u16string JoinStoredPath(const StoredPathParts& parts);

// Whether a text names one folder an item can hold: not blank, no ';' and
// no line break (either would make it several items).
bool IsSingleFolder(std::u16string_view folder);

// For each part, whether it names the same folder as `folder` by the Path
// check's comparison (expanded as a new process would see it, unless the
// Path is a plain REG_SZ string, ignoring case, quotes at both ends and one
// trailing backslash). Empty parts name no folder.
std::vector<bool> PartsNamingFolder(const StoredPathParts& parts, std::u16string_view folder,
                                    const EditList& sysList, const EditList& userList,
                                    const VariableLookup& programVariable,
                                    std::u16string_view pathTypeName = kTypeNames[kRegExpandSz]);

enum class PathPlace { First, Last, Before, After };

// The value with the folder as a new item: first; last (before a closing
// separator, which stays closing); or before or after the first part
// `anchor` marks. A ';' follows the new item (at the very end, precedes
// it), so that removing it gives the value back. Nothing when the place
// needs an anchor and no part is marked.
std::optional<std::u16string> WithFolderAdded(const StoredPathParts& parts, std::u16string_view folder,
                                              PathPlace place, const std::vector<bool>& anchor);

// The value without the marked parts, each with the one separator that
// followed it (or, for the last part, preceded it).
std::u16string WithoutParts(const StoredPathParts& parts, const std::vector<bool>& marked);

}  // namespace tallowin
