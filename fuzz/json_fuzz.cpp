// Reads arbitrary bytes as the DSC resources read their standard input
// (UTF-8, then JSON). A document the reader accepts is written again with
// the --json writer and read back, which must give the same value, and
// writing that value must give the same text. A refusal must say where and
// what is wrong.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_texts.h"
#include "cli/json.h"
#include "cli/json_reader.h"

namespace {

using namespace tallowin::cli;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "JSON reader: %s\n", what);
  std::abort();
}

// The UTF-16 text of UTF-8 bytes, a leading byte order mark left out;
// nothing for bytes that are not UTF-8 (overlong forms, surrogates and
// points beyond U+10FFFF included), which the resources refuse before
// reading any JSON.
std::optional<std::u16string> Utf8Text(std::string_view bytes) {
  static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  std::u16string text;
  for (std::size_t at = 0; at < bytes.size();) {
    const unsigned char lead = static_cast<unsigned char>(bytes[at]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xC0 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF8 ? 4 : 0;
    if (length == 0 || bytes.size() - at < length) return std::nullopt;
    char32_t point = length == 1 ? lead : lead & (0x7Fu >> length);
    for (std::size_t i = 1; i < length; ++i) {
      const unsigned char next = static_cast<unsigned char>(bytes[at + i]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      point = point << 6 | (next & 0x3Fu);
    }
    if (point < kLeast[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return std::nullopt;
    if (point >= 0x10000) {
      text += static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
      text += static_cast<char16_t>(0xDC00 + (point & 0x3FF));
    } else {
      text += static_cast<char16_t>(point);
    }
    at += length;
  }
  return text;
}

// The value as --json output writes one, with the writer's own pieces.
std::u16string Written(const JsonValue& value) {
  switch (value.Kind) {
    case JsonKind::Null:
      return u"null";
    case JsonKind::Boolean:
      return value.Boolean ? u"true" : u"false";
    case JsonKind::Number:
      return value.Text;
    case JsonKind::String:
      return JsonQuoted(value.Text);
    case JsonKind::Array: {
      std::vector<std::u16string> elements;
      for (const JsonValue& element : value.Elements) elements.push_back(Written(element));
      return JsonArray(elements);
    }
    case JsonKind::Object: {
      JsonObject object;
      for (const auto& [name, member] : value.Members) object.Raw(name, Written(member));
      return object.Close();
    }
  }
  Fail("a value of no kind");
}

// Equal values: the same kind and content, members in the same order.
// Each object must name each member once, as the reader promises.
bool Same(const JsonValue& a, const JsonValue& b) {
  if (a.Kind != b.Kind || a.Boolean != b.Boolean || a.Text != b.Text || a.Elements.size() != b.Elements.size() ||
      a.Members.size() != b.Members.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.Elements.size(); ++i) {
    if (!Same(a.Elements[i], b.Elements[i])) return false;
  }
  std::set<std::u16string_view> names;
  for (std::size_t i = 0; i < a.Members.size(); ++i) {
    if (!names.insert(a.Members[i].first).second) Fail("an object holds a name twice");
    if (a.Members[i].first != b.Members[i].first || !Same(a.Members[i].second, b.Members[i].second)) return false;
  }
  return true;
}

// Whether every surrogate of the text is one half of a pair in order.
bool WholePairs(std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] >= 0xDC00 && text[i] <= 0xDFFF) return false;
    if (text[i] < 0xD800 || text[i] > 0xDBFF) continue;
    if (++i == text.size() || text[i] < 0xDC00 || text[i] > 0xDFFF) return false;
  }
  return true;
}

// The input's text holds no lone surrogate, so a value read from it holds
// none either: the reader refuses an escape of a lone half.
bool NoLoneSurrogate(const JsonValue& value) {
  if (!WholePairs(value.Text)) return false;
  for (const JsonValue& element : value.Elements) {
    if (!NoLoneSurrogate(element)) return false;
  }
  for (const auto& [name, member] : value.Members) {
    if (!WholePairs(name) || !NoLoneSurrogate(member)) return false;
  }
  return true;
}

// "JSON として読めません (N 文字目): problem", N from 1 to one past the end.
void CheckRefusal(const std::u16string& text, std::u16string_view error) {
  if (!error.starts_with(texts::kJsonUnreadable)) Fail("a refusal without its message");
  error.remove_prefix(texts::kJsonUnreadable.size());
  std::size_t where = 0, digits = 0;
  for (; digits < error.size() && error[digits] >= u'0' && error[digits] <= u'9'; ++digits) {
    where = where * 10 + (error[digits] - u'0');
  }
  if (digits == 0 || where < 1 || where > text.size() + 1) Fail("a refusal at no place of the text");
  error.remove_prefix(digits);
  if (!error.starts_with(texts::kJsonAtCharacter) || error.size() == texts::kJsonAtCharacter.size()) {
    Fail("a refusal that does not say what is wrong");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::optional<std::u16string> text = Utf8Text(std::string_view(reinterpret_cast<const char*>(data), size));
  // Refused before the reader: -1 keeps such input out of the corpus.
  if (!text) return -1;
  std::u16string error;
  const std::optional<JsonValue> value = ParseJson(*text, error);
  if (!value) {
    CheckRefusal(*text, error);
    return 0;
  }
  if (!NoLoneSurrogate(*value)) Fail("a lone surrogate in a value read");
  const std::u16string written = Written(*value);
  const std::optional<JsonValue> again = ParseJson(written, error);
  if (!again) Fail("the written document was refused");
  if (!Same(*value, *again)) Fail("the written document reads as another value");
  if (Written(*again) != written) Fail("the value read back writes another text");
  return 0;
}
