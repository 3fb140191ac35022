#include "model/list_filter.h"

#include <algorithm>
#include <deque>
#include <map>

#include "model/text_scan.h"
#include "model/texts.h"

namespace tallowin {
namespace {

bool KeyContains(std::u16string_view text, const CollationKey& part) {
  return part.empty() || MakeFindKey(text).find(part) != CollationKey::npos;
}

}  // namespace

std::u16string FilterCountText(int shown, int total) {
  return DecimalText(static_cast<std::uint64_t>(total)) + std::u16string(texts::kFilterCountOf) +
         DecimalText(static_cast<std::uint64_t>(shown)) +
         std::u16string(texts::kFilterCountShown);
}

bool MatchesFilter(std::u16string_view text, std::u16string_view filterText) {
  return KeyContains(text, MakeFindKey(filterText));
}

bool ListFilter::SetText(std::u16string_view text) {
  if (text == text_) return false;
  text_ = std::u16string(text);
  key_ = MakeFindKey(text_);
  kept_.clear();
  return true;
}

const std::vector<int>& ListFilter::Apply(std::span<const FilterRow> rows, int current) {
  shown_.clear();
  shown_.reserve(rows.size());
  for (std::size_t index = 0; index < rows.size(); ++index) {
    const FilterRow& row = rows[index];
    const bool shown = !Active() || static_cast<int>(index) == current || kept_.count(row.Key) != 0 ||
                       KeyContains(row.Name, key_) || KeyContains(row.Data, key_);
    if (!shown) continue;
    shown_.push_back(static_cast<int>(index));
    if (Active()) kept_.insert(row.Key);
  }
  return shown_;
}

const std::vector<RowKey>& PathItemKeys::Follow(const std::vector<std::u16string>& items) {
  if (items == items_) return keys_;
  // The unchanged start and end keep their keys; in the part between, an
  // item finds the first old one of the same text, and the rest pair up in
  // order, as a replaced item takes its predecessor's place.
  const std::size_t oldCount = items_.size();
  const std::size_t newCount = items.size();
  std::size_t head = 0;
  while (head < oldCount && head < newCount && items_[head] == items[head]) ++head;
  std::size_t tail = 0;
  while (tail < oldCount - head && tail < newCount - head &&
         items_[oldCount - 1 - tail] == items[newCount - 1 - tail]) {
    ++tail;
  }
  std::vector<RowKey> keys(newCount, 0);
  std::copy_n(keys_.begin(), head, keys.begin());
  std::copy_n(keys_.end() - static_cast<std::ptrdiff_t>(tail), tail, keys.end() - static_cast<std::ptrdiff_t>(tail));
  std::map<std::u16string_view, std::deque<std::size_t>> oldByText;
  for (std::size_t i = head; i < oldCount - tail; ++i) oldByText[items_[i]].push_back(i);
  std::vector<bool> oldTaken(oldCount, false);
  for (std::size_t i = head; i < newCount - tail; ++i) {
    const auto same = oldByText.find(items[i]);
    if (same == oldByText.end() || same->second.empty()) continue;
    keys[i] = keys_[same->second.front()];
    oldTaken[same->second.front()] = true;
    same->second.pop_front();
  }
  std::size_t oldIndex = head;
  for (std::size_t i = head; i < newCount - tail; ++i) {
    if (keys[i] != 0) continue;
    while (oldIndex < oldCount - tail && oldTaken[oldIndex]) ++oldIndex;
    keys[i] = oldIndex < oldCount - tail ? keys_[oldIndex++] : next_++;
  }
  items_ = items;
  keys_ = std::move(keys);
  return keys_;
}

}  // namespace tallowin
