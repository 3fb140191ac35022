#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "model/collation.h"
#include "model/edit_list.h"
#include "model/variable_entry.h"

// What a value becomes once the system has expanded it, as a new process's
// environment gives it: each %NAME% reference is replaced by the User
// list's variable of that name, else the System list's, else the program's
// environment's, and a variable of either list whose type is REG_EXPAND_SZ
// has its own references expanded in turn. A reference to a name none of
// them has stays as it is. A plain string (REG_SZ) is never expanded: the
// system leaves its '%' signs alone.
//
// The work and the text grow with the values, never with how often they
// refer to each other: each variable is worked out once in a run, a
// reference back into a variable still being worked out is a loop and
// stays as written, and no expansion outgrows a limit.
namespace tallowin {

// A variable of the program's own environment: its value, or nothing when
// the environment has no such variable.
using VariableLookup = std::function<std::optional<std::u16string>(std::u16string_view name)>;

// A process's variable holds at most 32,767 characters, so a longer
// expansion is of use to no program. Four times that still shows an
// over-long value whole (a Path is found stored with 40,000 characters and
// more) with room for its references, and keeps the line under a tab's
// fields quick to show.
inline constexpr std::size_t kExpansionLimit = 4 * 32767;
// All the text one run makes, the variables' worked-out values included: a
// long chain of variables that each add a little to the one before would
// otherwise hold up to the limit each, the chain's length times over.
inline constexpr std::size_t kExpansionRunBudget = 16 * kExpansionLimit;

// An expanded text and the notes the line under the fields shows with it.
struct Expansion {
  std::u16string Text;
  bool HasReference = false;  // the text held a %NAME% at all
  bool Undefined = false;     // a reference stayed because no variable has its name
  bool Loop = false;          // a reference stayed because it leads back into itself
  bool Cut = false;           // the text stops at the limit
};

// Whether the system expands a value of this type when it builds an
// environment: REG_EXPAND_SZ only.
bool IsExpandable(std::u16string_view typeName);

// One expansion run: the variables worked out in it are kept for the rest
// of the run, so a Path of thousands of items works each one out once.
class ReferenceExpander {
 public:
  ReferenceExpander(const EditList& sysList, const EditList& userList, const VariableLookup& programVariable);

  // The variable whose value the run expands: a reference to its own name
  // is a loop. Call before Expand.
  void ExpandingValueOf(std::u16string_view name);

  // A '%' without a closing one, and a reference nothing resolves, stay as
  // they are; scanning goes on after the reference's closing '%'.
  Expansion Expand(std::u16string_view text);

 private:
  struct Worked {
    bool InProgress = true;
    bool Defined = false;
    Expansion Value;
  };

  const Worked& Resolve(std::u16string_view name);
  void AppendReference(Expansion& expansion, std::u16string_view reference);
  void Append(Expansion& expansion, std::u16string_view text);

  const EditList& sysList_;
  const EditList& userList_;
  const VariableLookup& programVariable_;
  // By name as the lists find names (ignoring case).
  std::unordered_map<CollationKey, Worked> worked_;
  std::size_t budget_ = kExpansionRunBudget;
};

// What a value of this name, type and data becomes.
Expansion ExpandValue(std::u16string_view name, std::u16string_view typeName, std::u16string_view data,
                      const EditList& sysList, const EditList& userList, const VariableLookup& programVariable);
Expansion ExpandValue(const VariableEntry& entry, const EditList& sysList, const EditList& userList,
                      const VariableLookup& programVariable);

}  // namespace tallowin
