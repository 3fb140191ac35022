#include "model/path_value.h"

namespace tallowin {

namespace {

// Hands each item of the value to the sink: its text with the ';' that
// closes it, and whether that ';' is missing (the last item of a value that
// does not end with one).
template <typename Sink>
void ForEachPathItem(std::u16string_view value, Sink sink) {
  std::size_t start = 0;
  for (std::size_t p = 0; p < value.size(); ++p) {
    // A separator right where an item starts would close an empty item; it
    // becomes the first character of the next item instead.
    if (value[p] != u';' || p == start) continue;
    sink(value.substr(start, p + 1 - start), false);
    start = p + 1;
  }
  // What is left is the last item. Ending in ';' it is separators alone
  // (the value's last empty item), closed already: one more ';' would add
  // an empty item to the value each time it is joined again.
  if (start < value.size()) sink(value.substr(start), value.back() != u';');
}

void AppendItem(std::u16string& to, std::u16string_view item, bool addSemicolon) {
  to.append(item);
  if (addSemicolon) to.push_back(u';');
}

// Hands each item of a stored value to the sink as ForEachPathItem does,
// line by line: a CR or LF ends an item as a ';' does. An empty line has no
// items, so every CR and LF may simply end a line.
template <typename Sink>
void ForEachReadPathItem(std::u16string_view data, Sink sink) {
  std::size_t start = 0;
  for (std::size_t p = 0; p <= data.size(); ++p) {
    if (p < data.size() && data[p] != u'\r' && data[p] != u'\n') continue;
    ForEachPathItem(data.substr(start, p - start), sink);
    start = p + 1;
  }
}

}  // namespace

std::u16string SplitPathItems(std::u16string_view value) {
  std::u16string itemText;
  itemText.reserve(value.size() + value.size() / 8 + 4);
  ForEachPathItem(value, [&itemText](std::u16string_view item, bool addSemicolon) {
    AppendItem(itemText, item, addSemicolon);
    itemText.append(u"\r\n");
  });
  return itemText;
}

std::vector<std::u16string> SplitPathValue(std::u16string_view value) {
  std::vector<std::u16string> items;
  ForEachPathItem(value, [&items](std::u16string_view item, bool addSemicolon) {
    std::u16string& added = items.emplace_back();
    added.reserve(item.size() + 1);
    AppendItem(added, item, addSemicolon);
  });
  return items;
}

std::u16string JoinPathItems(const std::vector<std::u16string>& items) {
  std::size_t length = 0;
  for (const std::u16string& item : items) length += item.size();
  std::u16string joined;
  joined.reserve(length);
  for (const std::u16string& item : items) joined.append(item);
  return joined;
}

std::u16string RemoveLineBreaks(std::u16string_view text) {
  std::u16string result;
  result.reserve(text.size());
  for (const char16_t c : text) {
    if (c != u'\r' && c != u'\n') result.push_back(c);
  }
  return result;
}

std::u16string EnsureTrailingSemicolon(std::u16string_view text) {
  if (!text.empty() && text.back() == u';') return std::u16string(text);
  const auto isBlank = [](char16_t c) { return c <= u' '; };
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && isBlank(text[begin])) ++begin;
  while (end > begin && isBlank(text[end - 1])) --end;
  if (begin == end) return std::u16string();
  std::u16string item(text.substr(begin, end - begin));
  item.push_back(u';');
  return item;
}

std::vector<std::u16string> SplitLines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const char16_t c = text[i];
    if (c != u'\r' && c != u'\n') {
      ++i;
      continue;
    }
    lines.emplace_back(text.substr(start, i - start));
    i += (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ? 2 : 1;
    start = i;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::u16string JoinLines(const std::vector<std::u16string>& lines) {
  std::size_t size = 0;
  for (const std::u16string& line : lines) size += line.size() + 2;
  std::u16string text;
  text.reserve(size);
  for (const std::u16string& line : lines) {
    text.append(line);
    text.append(u"\r\n");
  }
  return text;
}

std::vector<std::u16string> ItemsOfReadPath(std::u16string_view data) {
  std::vector<std::u16string> items;
  ForEachReadPathItem(data, [&items](std::u16string_view item, bool addSemicolon) {
    std::u16string& added = items.emplace_back();
    added.reserve(item.size() + 1);
    AppendItem(added, item, addSemicolon);
  });
  return items;
}

bool IsItemsOfReadPath(std::u16string_view data, const std::vector<std::u16string>& items) {
  std::size_t next = 0;
  bool same = true;
  ForEachReadPathItem(data, [&](std::u16string_view item, bool addSemicolon) {
    if (!same) return;
    const std::size_t length = item.size() + (addSemicolon ? 1 : 0);
    same = next < items.size() && items[next].size() == length && items[next].back() == u';' &&
           std::u16string_view(items[next]).starts_with(item);
    ++next;
  });
  return same && next == items.size();
}

bool IsJoinedPathItems(std::u16string_view text, const std::vector<std::u16string>& items) {
  for (const std::u16string& item : items) {
    if (!text.starts_with(item)) return false;
    text.remove_prefix(item.size());
  }
  return text.empty();
}

}  // namespace tallowin
