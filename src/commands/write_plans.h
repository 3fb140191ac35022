#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/environment_keys.h"
#include "model/path_check.h"
#include "model/path_value_edit.h"
#include "model/save_review.h"
#include "model/variable_entry.h"
#include "commands/key_values.h"
#include "commands/value_write_rules.h"

// What an unattended write does to one key (the command line's verbs and
// the DSC resources decide from the same plans), worked out from what the
// key holds within the writers' turn. A plan is the review's rows of its
// change, so that a dry run shows exactly what a real run writes, and a
// test of the desired state finds exactly what a set would change.
namespace tallowin {

struct WritePlan {
  std::vector<ReviewRow> Rows;  // none: the key is as asked already
  std::optional<NamedValue> ToWrite;
  std::optional<std::u16string> ToDelete;  // the name of the value to delete
  WriteRefusal Refusal = WriteRefusal::None;
};

// The value set to the text, of the type TypeForSet gives it.
WritePlan PlanSet(KeyScope scope, std::u16string_view name, std::u16string_view text,
                  std::optional<std::uint32_t> askedType, const std::optional<RegistryValue>& current);

// The value deleted, when the key holds it; the system Path is refused
// whether it is there or not.
WritePlan PlanUnset(KeyScope scope, std::u16string_view name, const std::optional<RegistryValue>& current);

struct PathEditRequest {
  KeyScope Scope = KeyScope::User;
  std::u16string Name = u"Path";  // the list variable edited
  std::u16string Folder;
  bool Add = true;  // false: remove every item that names the folder
  PathPlace Place = PathPlace::Last;
  std::u16string Anchor;  // for Before and After
};

struct PathPlan : WritePlan {
  bool Named = false;  // an item named the folder before the edit
};

// The key's Path with the folder added (unless an item names it already)
// or removed (every item that names it). An existing Path keeps its name
// and type; a new one is REG_EXPAND_SZ.
PathPlan PlanPathEdit(const KeyLists& lists, const PathEditRequest& request, const VariableLookup& programVariable);

// The key's Path (or the list variable named) as parts: empty for a key
// without one.
StoredPathParts PathPartsOf(const KeyLists& lists, KeyScope scope, std::u16string_view name = u"Path");

// Whether an item of the key's Path (or the list named) names the folder.
bool PathNamesFolder(const KeyLists& lists, KeyScope scope, std::u16string_view folder,
                     const VariableLookup& programVariable, std::u16string_view name = u"Path");

// The items of the key's Path (or the list named) that name a folder, in
// order.
std::vector<std::u16string> ListedPathItems(const KeyLists& lists, KeyScope scope, std::u16string_view name = u"Path");

}  // namespace tallowin
