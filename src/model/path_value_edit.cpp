#include "model/path_value_edit.h"

#include <algorithm>

#include "model/collation.h"
#include "model/text_scan.h"

namespace tallowin {

std::vector<std::u16string> SplitAtSemicolons(std::u16string_view value) {
  std::vector<std::u16string> parts;
  std::size_t start = 0;
  for (std::size_t end = value.find(u';'); end != std::u16string_view::npos; end = value.find(u';', start)) {
    parts.emplace_back(value.substr(start, end - start));
    start = end + 1;
  }
  parts.emplace_back(value.substr(start));
  return parts;
}

std::u16string JoinWithSemicolons(const std::vector<std::u16string>& parts) {
  std::u16string value;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) value += u';';
    value += parts[i];
  }
  return value;
}

bool IsSingleFolder(std::u16string_view folder) {
  if (SkipBlanks(folder).empty()) return false;
  return std::none_of(folder.begin(), folder.end(), [](char16_t c) { return c == u';' || c == u'\r' || c == u'\n'; });
}

std::vector<bool> PartsNamingFolder(const std::vector<std::u16string>& parts, std::u16string_view folder,
                                    const EditList& sysList, const EditList& userList,
                                    const VariableLookup& programVariable) {
  // The check compares items, which end with ';'; the folder is checked as
  // one more item after the parts.
  std::vector<std::u16string> items;
  items.reserve(parts.size() + 1);
  for (const std::u16string& part : parts) items.push_back(part + u';');
  items.push_back(std::u16string(folder) + u';');
  const PathCheckPlan plan = PlanPathCheck(items, sysList, userList, programVariable);
  const CheckedPathItem& wanted = plan.Items.back();
  std::vector<bool> naming(parts.size(), false);
  if (wanted.Empty) return naming;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    naming[i] = !plan.Items[i].Empty && EqualsIgnoringCase(plan.Items[i].Key, wanted.Key);
  }
  return naming;
}

std::optional<std::u16string> WithFolderAdded(const std::vector<std::u16string>& parts, std::u16string_view folder,
                                              PathPlace place, const std::vector<bool>& anchor) {
  // An empty value has one empty part, which the new item replaces.
  if (parts.size() == 1 && parts.front().empty()) {
    if (place == PathPlace::Before || place == PathPlace::After) return std::nullopt;
    return std::u16string(folder);
  }
  std::size_t at = 0;
  switch (place) {
    case PathPlace::First:
      break;
    case PathPlace::Last:
      at = parts.back().empty() ? parts.size() - 1 : parts.size();
      break;
    case PathPlace::Before:
    case PathPlace::After: {
      const auto marked = std::find(anchor.begin(), anchor.end(), true);
      if (marked == anchor.end()) return std::nullopt;
      at = static_cast<std::size_t>(marked - anchor.begin()) + (place == PathPlace::After ? 1 : 0);
      break;
    }
  }
  std::vector<std::u16string> added = parts;
  added.insert(added.begin() + static_cast<std::ptrdiff_t>(at), std::u16string(folder));
  return JoinWithSemicolons(added);
}

std::u16string WithoutParts(const std::vector<std::u16string>& parts, const std::vector<bool>& marked) {
  std::vector<std::u16string> kept;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i >= marked.size() || !marked[i]) kept.push_back(parts[i]);
  }
  return JoinWithSemicolons(kept);
}

}  // namespace tallowin
