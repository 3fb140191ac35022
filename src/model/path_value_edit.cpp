#include "model/path_value_edit.h"

#include <algorithm>

#include "model/collation.h"
#include "model/text_scan.h"

namespace tallowin {

namespace {

// The length of the separator at the position: a ';', CR LF, a lone CR or
// a lone LF; 0 for any other character.
std::size_t SeparatorAt(std::u16string_view value, std::size_t position) {
  const char16_t c = value[position];
  if (c == u';' || c == u'\n') return 1;
  if (c != u'\r') return 0;
  return position + 1 < value.size() && value[position + 1] == u'\n' ? 2 : 1;
}

}  // namespace

StoredPathParts SplitStoredPath(std::u16string_view value) {
  StoredPathParts parts;
  std::size_t start = 0;
  for (std::size_t position = 0; position < value.size();) {
    const std::size_t length = SeparatorAt(value, position);
    if (length == 0) {
      ++position;
      continue;
    }
    parts.Texts.emplace_back(value.substr(start, position - start));
    parts.Separators.emplace_back(value.substr(position, length));
    position += length;
    start = position;
  }
  parts.Texts.emplace_back(value.substr(start));
  return parts;
}

std::u16string JoinStoredPath(const StoredPathParts& parts) {
  std::u16string value;
  for (std::size_t i = 0; i < parts.Texts.size(); ++i) {
    if (i > 0) value += parts.Separators[i - 1];
    value += parts.Texts[i];
  }
  return value;
}

bool IsSingleFolder(std::u16string_view folder) {
  if (SkipBlanks(folder).empty()) return false;
  return std::none_of(folder.begin(), folder.end(), [](char16_t c) { return c == u';' || c == u'\r' || c == u'\n'; });
}

std::vector<bool> PartsNamingFolder(const StoredPathParts& stored, std::u16string_view folder,
                                    const EditList& sysList, const EditList& userList,
                                    const VariableLookup& programVariable, std::u16string_view pathTypeName) {
  // The check compares items, which end with ';'. The folder is read on its
  // own, so that a quote a part leaves open cannot take it in; a quoted run
  // that spans parts marks every part of it.
  const std::vector<std::u16string>& parts = stored.Texts;
  std::vector<std::u16string> items;
  items.reserve(parts.size());
  for (const std::u16string& part : parts) items.push_back(part + u';');
  const PathCheckPlan plan = PlanPathCheck(items, sysList, userList, programVariable, pathTypeName);
  const PathCheckPlan wantedPlan =
      PlanPathCheck({std::u16string(folder) + u';'}, sysList, userList, programVariable, pathTypeName);
  std::vector<bool> naming(parts.size(), false);
  if (wantedPlan.Items.size() != 1 || wantedPlan.Items[0].Empty) return naming;
  const CheckedPathItem& wanted = wantedPlan.Items[0];
  for (const CheckedPathItem& item : plan.Items) {
    if (item.Empty || !EqualsIgnoringCase(item.Key, wanted.Key)) continue;
    for (std::size_t part = item.Line; part <= item.LastLine && part < naming.size(); ++part) naming[part] = true;
  }
  return naming;
}

std::optional<std::u16string> WithFolderAdded(const StoredPathParts& parts, std::u16string_view folder,
                                              PathPlace place, const std::vector<bool>& anchor) {
  const std::size_t count = parts.Texts.size();
  // An empty value has one empty part, which the new item replaces.
  if (count == 1 && parts.Texts.front().empty()) {
    if (place == PathPlace::Before || place == PathPlace::After) return std::nullopt;
    return std::u16string(folder);
  }
  std::size_t at = 0;
  switch (place) {
    case PathPlace::First:
      break;
    case PathPlace::Last:
      at = parts.Texts.back().empty() ? count - 1 : count;
      break;
    case PathPlace::Before:
    case PathPlace::After: {
      const auto marked = std::find(anchor.begin(), anchor.end(), true);
      if (marked == anchor.end()) return std::nullopt;
      at = static_cast<std::size_t>(marked - anchor.begin()) + (place == PathPlace::After ? 1 : 0);
      break;
    }
  }
  StoredPathParts added = parts;
  added.Texts.insert(added.Texts.begin() + static_cast<std::ptrdiff_t>(at), std::u16string(folder));
  // The ';' follows the new item, or, at the end, precedes it: the item
  // then goes again with it on removal, whatever separators stand around.
  added.Separators.insert(added.Separators.begin() + static_cast<std::ptrdiff_t>(std::min(at, count - 1)), u";");
  return JoinStoredPath(added);
}

std::u16string WithoutParts(const StoredPathParts& parts, const std::vector<bool>& marked) {
  StoredPathParts kept;
  kept.Texts.clear();
  const std::size_t last = parts.Texts.size() - 1;
  for (std::size_t i = 0; i <= last; ++i) {
    const bool removed = i < marked.size() && marked[i];
    if (!removed) {
      kept.Texts.push_back(parts.Texts[i]);
      if (i < last) kept.Separators.push_back(parts.Separators[i]);
    } else if (i == last && !kept.Separators.empty()) {
      kept.Separators.pop_back();  // the last part takes the separator before it
    }
  }
  if (kept.Texts.empty()) return {};
  return JoinStoredPath(kept);
}

}  // namespace tallowin
