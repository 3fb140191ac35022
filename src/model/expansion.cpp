#include "model/expansion.h"

#include <algorithm>

#include "model/text_scan.h"
#include "model/type_names.h"

namespace tallowin {
namespace {

// A worked-out variable's notes hold for every text that refers to it.
void AddNotes(Expansion& to, const Expansion& from) {
  to.Undefined = to.Undefined || from.Undefined;
  to.Loop = to.Loop || from.Loop;
  to.Cut = to.Cut || from.Cut;
}

}  // namespace

bool IsExpandable(std::u16string_view typeName) { return TypeIndexOf(typeName) == kRegExpandSz; }

ReferenceExpander::ReferenceExpander(const EditList& sysList, const EditList& userList,
                                     const VariableLookup& programVariable)
    : sysList_(sysList), userList_(userList), programVariable_(programVariable) {}

void ReferenceExpander::ExpandingValueOf(std::u16string_view name) {
  if (!name.empty()) worked_.insert_or_assign(MakeCaseBlindKey(name), Worked{});
}

Expansion ReferenceExpander::Expand(std::u16string_view text) {
  Expansion expansion;
  std::size_t position = 0;
  // Once the text is cut, what follows could only be cut too.
  while (position < text.size() && !expansion.Cut) {
    const std::size_t open = text.find(u'%', position);
    const std::size_t close = open == std::u16string_view::npos ? open : text.find(u'%', open + 1);
    if (close == std::u16string_view::npos) {
      Append(expansion, text.substr(position));
      break;
    }
    Append(expansion, text.substr(position, open - position));
    AppendReference(expansion, text.substr(open, close - open + 1));
    position = close + 1;
  }
  return expansion;
}

void ReferenceExpander::AppendReference(Expansion& expansion, std::u16string_view reference) {
  const std::u16string_view name = reference.substr(1, reference.size() - 2);
  // A name of blanks alone ("50% %") reads as percent signs in a sentence,
  // not as a variable the user forgot to define.
  const bool named = !SkipBlanks(name).empty();
  expansion.HasReference = expansion.HasReference || named;
  const Worked* worked = name.empty() ? nullptr : &Resolve(name);
  if (worked != nullptr && worked->InProgress) {
    expansion.Loop = true;
    Append(expansion, reference);
  } else if (worked == nullptr || !worked->Defined) {
    expansion.Undefined = expansion.Undefined || named;
    Append(expansion, reference);
  } else {
    Append(expansion, worked->Value.Text);
    AddNotes(expansion, worked->Value);
  }
}

// The map keeps its elements in place as it grows, so `worked` stays valid
// while the value's own references are resolved into the map.
const ReferenceExpander::Worked& ReferenceExpander::Resolve(std::u16string_view name) {
  const auto [found, added] = worked_.try_emplace(MakeCaseBlindKey(name));
  Worked& worked = found->second;
  if (!added) return worked;
  for (const EditList* list : {&userList_, &sysList_}) {
    const int row = list->FindIgnoringCase(name);
    if (row < 0) continue;
    const VariableEntry& entry = list->At(row);
    worked.Defined = true;
    if (IsExpandable(entry.TypeName())) {
      worked.Value = Expand(entry.Data());
    } else {
      Append(worked.Value, entry.Data());
    }
    worked.InProgress = false;
    return worked;
  }
  const std::optional<std::u16string> value = programVariable_ ? programVariable_(name) : std::nullopt;
  worked.Defined = value.has_value();
  if (value) Append(worked.Value, *value);
  worked.InProgress = false;
  return worked;
}

void ReferenceExpander::Append(Expansion& expansion, std::u16string_view text) {
  const std::size_t room = std::min(kExpansionLimit - expansion.Text.size(), budget_);
  const std::size_t taken = std::min(text.size(), room);
  expansion.Text.append(text.substr(0, taken));
  budget_ -= taken;
  expansion.Cut = expansion.Cut || taken < text.size();
}

Expansion ExpandValue(std::u16string_view name, std::u16string_view typeName, std::u16string_view data,
                      const EditList& sysList, const EditList& userList, const VariableLookup& programVariable) {
  if (!IsExpandable(typeName)) return Expansion{std::u16string(data)};
  ReferenceExpander expander(sysList, userList, programVariable);
  expander.ExpandingValueOf(name);
  return expander.Expand(data);
}

Expansion ExpandValue(const VariableEntry& entry, const EditList& sysList, const EditList& userList,
                      const VariableLookup& programVariable) {
  return ExpandValue(entry.Name, entry.TypeName(), entry.Data(), sysList, userList, programVariable);
}

}  // namespace tallowin
