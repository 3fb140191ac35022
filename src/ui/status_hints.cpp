#include "ui/status_hints.h"

namespace tallowin::ui {

std::u16string_view LongHint(std::u16string_view hint) {
  const std::size_t bar = hint.find(u'|');
  return bar == std::u16string_view::npos ? hint : hint.substr(bar + 1);
}

std::optional<std::u16string> StatusHints::Change(std::u16string_view hint) {
  if (hint == current_) return std::nullopt;
  current_ = std::u16string(hint);
  return std::u16string(LongHint(hint));
}

std::u16string_view StatusHints::HintAt(HWND window, HWND top) const {
  for (HWND w = window; w != nullptr && w != top; w = ::GetParent(w)) {
    const auto hint = controlHints_.find(w);
    if (hint != controlHints_.end()) return hint->second;
  }
  return {};
}

}  // namespace tallowin::ui
