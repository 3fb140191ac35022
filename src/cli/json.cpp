#include "cli/json.h"

namespace tallowin::cli {

std::u16string JsonQuoted(std::u16string_view text) {
  static constexpr char16_t kHex[] = u"0123456789abcdef";
  std::u16string quoted = u"\"";
  for (const char16_t c : text) {
    switch (c) {
      case u'"':
        quoted += u"\\\"";
        break;
      case u'\\':
        quoted += u"\\\\";
        break;
      case u'\n':
        quoted += u"\\n";
        break;
      case u'\r':
        quoted += u"\\r";
        break;
      case u'\t':
        quoted += u"\\t";
        break;
      default:
        if (c < 0x20) {
          quoted += u"\\u00";
          quoted += kHex[c >> 4];
          quoted += kHex[c & 0xf];
        } else {
          quoted += c;
        }
    }
  }
  quoted += u'"';
  return quoted;
}

std::u16string JsonArray(const std::vector<std::u16string>& elements) {
  std::u16string array = u"[";
  for (std::size_t i = 0; i < elements.size(); ++i) {
    if (i > 0) array += u',';
    array += elements[i];
  }
  return array + u']';
}

JsonObject& JsonObject::Text(std::u16string_view key, std::u16string_view value) { return Raw(key, JsonQuoted(value)); }

JsonObject& JsonObject::Raw(std::u16string_view key, std::u16string_view json) {
  if (body_.size() > 1) body_ += u',';
  body_ += JsonQuoted(key);
  body_ += u':';
  body_ += json;
  return *this;
}

}  // namespace tallowin::cli
