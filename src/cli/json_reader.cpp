#include "cli/json_reader.h"

#include <string>

#include "model/text_scan.h"
#include "cli/cli_texts.h"

namespace tallowin::cli {
namespace {

// Deep enough for any object a configuration engine sends, shallow enough
// that a hostile text cannot exhaust the stack.
constexpr int kDeepestNesting = 64;

class Reader {
 public:
  explicit Reader(std::u16string_view text) : text_(text) {}

  std::optional<JsonValue> Document(std::u16string& error) {
    JsonValue value;
    SkipBlanks();
    if (Value(value, 0)) {
      SkipBlanks();
      if (at_ == text_.size()) return value;
      Fail(texts::kJsonTrailingText);
    }
    error = std::u16string(texts::kJsonUnreadable) + DecimalText(at_ + 1) +
            std::u16string(texts::kJsonAtCharacter) + std::u16string(problem_);
    return std::nullopt;
  }

 private:
  bool Fail(std::u16string_view problem) {
    if (problem_.empty()) problem_ = problem;
    return false;
  }

  void SkipBlanks() {
    while (at_ < text_.size() &&
           (text_[at_] == u' ' || text_[at_] == u'\t' || text_[at_] == u'\n' || text_[at_] == u'\r')) {
      ++at_;
    }
  }

  bool Take(char16_t c) {
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }

  bool Word(std::u16string_view word) {
    if (text_.substr(at_, word.size()) != word) return Fail(texts::kJsonBadValue);
    at_ += word.size();
    return true;
  }

  bool Value(JsonValue& value, int depth) {
    if (depth > kDeepestNesting) return Fail(texts::kJsonTooDeep);
    if (at_ >= text_.size()) return Fail(texts::kJsonEndedEarly);
    switch (text_[at_]) {
      case u'{':
        value.Kind = JsonKind::Object;
        return Object(value, depth);
      case u'[':
        value.Kind = JsonKind::Array;
        return Array(value, depth);
      case u'"':
        value.Kind = JsonKind::String;
        return String(value.Text);
      case u't':
        value.Kind = JsonKind::Boolean;
        value.Boolean = true;
        return Word(u"true");
      case u'f':
        value.Kind = JsonKind::Boolean;
        return Word(u"false");
      case u'n':
        return Word(u"null");
      default:
        value.Kind = JsonKind::Number;
        return Number(value.Text);
    }
  }

  bool Object(JsonValue& value, int depth) {
    ++at_;
    SkipBlanks();
    if (Take(u'}')) return true;
    for (;;) {
      SkipBlanks();
      std::u16string name;
      if (at_ >= text_.size() || text_[at_] != u'"') return Fail(texts::kJsonNameExpected);
      if (!String(name)) return false;
      if (value.Member(name) != nullptr) return Fail(texts::kJsonNameTwice);
      SkipBlanks();
      if (!Take(u':')) return Fail(texts::kJsonColonExpected);
      SkipBlanks();
      JsonValue member;
      if (!Value(member, depth + 1)) return false;
      value.Members.emplace_back(std::move(name), std::move(member));
      SkipBlanks();
      if (Take(u'}')) return true;
      if (!Take(u',')) return Fail(texts::kJsonSeparatorExpected);
    }
  }

  bool Array(JsonValue& value, int depth) {
    ++at_;
    SkipBlanks();
    if (Take(u']')) return true;
    for (;;) {
      SkipBlanks();
      JsonValue element;
      if (!Value(element, depth + 1)) return false;
      value.Elements.push_back(std::move(element));
      SkipBlanks();
      if (Take(u']')) return true;
      if (!Take(u',')) return Fail(texts::kJsonSeparatorExpected);
    }
  }

  bool Hex4(char32_t& unit) {
    unit = 0;
    for (int i = 0; i < 4; ++i, ++at_) {
      if (at_ >= text_.size()) return Fail(texts::kJsonEndedEarly);
      const char16_t c = text_[at_];
      const int digit = c >= u'0' && c <= u'9'   ? c - u'0'
                        : c >= u'a' && c <= u'f' ? c - u'a' + 10
                        : c >= u'A' && c <= u'F' ? c - u'A' + 10
                                                 : -1;
      if (digit < 0) return Fail(texts::kJsonBadEscape);
      unit = unit * 16 + static_cast<char32_t>(digit);
    }
    return true;
  }

  bool String(std::u16string& out) {
    ++at_;
    for (;;) {
      if (at_ >= text_.size()) return Fail(texts::kJsonEndedEarly);
      const char16_t c = text_[at_++];
      if (c == u'"') return true;
      if (c < 0x20) return Fail(texts::kJsonControlCharacter);
      if (c != u'\\') {
        out += c;
      } else if (!Escape(out)) {
        return false;
      }
    }
  }

  // What follows a backslash in a string.
  bool Escape(std::u16string& out) {
    if (at_ >= text_.size()) return Fail(texts::kJsonEndedEarly);
    const char16_t escaped = text_[at_++];
    switch (escaped) {
      case u'"':
      case u'\\':
      case u'/':
        out += escaped;
        return true;
      case u'b':
        out += u'\b';
        return true;
      case u'f':
        out += u'\f';
        return true;
      case u'n':
        out += u'\n';
        return true;
      case u'r':
        out += u'\r';
        return true;
      case u't':
        out += u'\t';
        return true;
      case u'u':
        return UnicodeEscape(out);
      default:
        return Fail(texts::kJsonBadEscape);
    }
  }

  // The four digits after "\u", and for the high half of a surrogate pair
  // the "\u" escape of its low half.
  bool UnicodeEscape(std::u16string& out) {
    char32_t unit = 0;
    if (!Hex4(unit)) return false;
    // A surrogate escape must be one half of a pair: a lone half would
    // become a name or value no other program can read back.
    if (unit >= 0xDC00 && unit <= 0xDFFF) return Fail(texts::kJsonBadEscape);
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      char32_t low = 0;
      if (!Take(u'\\') || !Take(u'u') || !Hex4(low) || low < 0xDC00 || low > 0xDFFF) {
        return Fail(texts::kJsonBadEscape);
      }
      out += static_cast<char16_t>(unit);
      out += static_cast<char16_t>(low);
      return true;
    }
    out += static_cast<char16_t>(unit);
    return true;
  }

  bool Digits() {
    const std::size_t start = at_;
    while (at_ < text_.size() && text_[at_] >= u'0' && text_[at_] <= u'9') ++at_;
    return at_ > start || Fail(texts::kJsonBadValue);
  }

  bool Number(std::u16string& out) {
    const std::size_t start = at_;
    Take(u'-');
    if (!Take(u'0') && !Digits()) return false;
    if (Take(u'.') && !Digits()) return false;
    if (Take(u'e') || Take(u'E')) {
      if (!Take(u'+')) Take(u'-');
      if (!Digits()) return false;
    }
    out = text_.substr(start, at_ - start);
    return true;
  }

  std::u16string_view text_;
  std::size_t at_ = 0;
  std::u16string_view problem_;
};

}  // namespace

JsonValue::JsonValue() = default;

const JsonValue* JsonValue::Member(std::u16string_view name) const {
  for (const auto& [key, value] : Members) {
    if (key == name) return &value;
  }
  return nullptr;
}

std::optional<JsonValue> ParseJson(std::u16string_view text, std::u16string& error) {
  return Reader(text).Document(error);
}

}  // namespace tallowin::cli
