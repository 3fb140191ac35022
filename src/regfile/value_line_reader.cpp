#include "regfile/value_line_reader.h"

#include <string>

#include "model/text_scan.h"
#include "model/type_names.h"
#include "model/utf16le.h"
#include "model/value_text.h"
#include "regfile/hex_list_reader.h"

namespace tallowin::regfile {
namespace {

// After a datum, a value line may hold blanks and a comment.
bool OnlyCommentFollows(std::u16string_view rest) {
  rest = SkipBlanks(rest);
  return rest.empty() || rest.front() == u';';
}

// Between continuation lines reg.exe skips comment lines and empty ones
// (blanks only count as empty).
bool IsSkippedBetweenContinuations(std::u16string_view line) {
  line = SkipBlanks(line);
  return line.empty() || line.front() == u';';
}

// No hex list holds a ';', so in hex data the first one starts a comment.
std::u16string_view WithoutComment(std::u16string_view text) { return text.substr(0, text.find(u';')); }

// The first double quote from `from` on that no backslash escapes.
std::size_t ClosingQuote(std::u16string_view text, std::size_t from) {
  std::size_t at = from;
  while (at < text.size() && text[at] != u'"') at += text[at] == u'\\' ? 2 : 1;
  return at < text.size() ? at : std::u16string_view::npos;
}

// Takes `word` (lower-case ASCII) from the front of `text`, ignoring case
// unless `exactCase`.
bool TakeWord(std::u16string_view& text, std::u16string_view word, bool exactCase) {
  if (text.size() < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    char16_t unit = text[i];
    if (!exactCase && unit >= u'A' && unit <= u'Z') unit = static_cast<char16_t>(unit - u'A' + u'a');
    if (unit != word[i]) return false;
  }
  text.remove_prefix(word.size());
  return true;
}

// One to eight hexadecimal digits from the front of `text`.
std::optional<std::uint32_t> TakeHexNumber(std::u16string_view& text) {
  std::uint32_t number = 0;
  std::size_t count = 0;
  while (count < text.size() && HexDigitValue(text[count]) >= 0) {
    if (count == 8) return std::nullopt;
    number = number * 16 + static_cast<std::uint32_t>(HexDigitValue(text[count]));
    ++count;
  }
  if (count == 0) return std::nullopt;
  text.remove_prefix(count);
  return number;
}

// Undoes regedit's escapes: \\, \", \n and \r. Any other backslash stays as
// written, with the character after it: older files wrote backslashes in
// names unescaped. Nothing when the text ends in a lone backslash, or,
// when `strict`, at any other escape (reg.exe drops such a backslash, which
// would turn "C:\tools" written unescaped into "C:tools").
std::optional<std::u16string> Unescape(std::u16string_view text, bool strict) {
  std::u16string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\\') {
      result.push_back(text[i]);
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case u'\\': result.push_back(u'\\'); break;
      case u'"': result.push_back(u'"'); break;
      case u'n': result.push_back(u'\n'); break;
      case u'r': result.push_back(u'\r'); break;
      default:
        if (strict) return std::nullopt;
        result.push_back(u'\\');
        result.push_back(text[i]);
        break;
    }
  }
  return result;
}

// `@` or a quoted name, which ends at its first unescaped double quote. A
// quoted empty name is the default value as well.
std::optional<std::u16string> TakeName(std::u16string_view& text, bool strict) {
  if (text.front() == u'@') {
    text.remove_prefix(1);
    return std::u16string();
  }
  const std::size_t close = ClosingQuote(text, 1);
  if (close == std::u16string_view::npos) return std::nullopt;
  auto name = Unescape(text.substr(1, close - 1), strict);
  text.remove_prefix(close + 1);
  return name;
}

// Quoted data ends at its first unescaped double quote, which only blanks or
// a comment may follow. Failing that, it runs to the line's last double
// quote: older writers left quotes in data unescaped, and a value cut short
// at the first of them would lose data. A strict reading has no such
// fallback: reg.exe skips the line.
std::optional<RegistryValue> ReadQuotedData(std::u16string_view text, bool strict) {
  std::size_t close = ClosingQuote(text, 1);
  if (close == std::u16string_view::npos || !OnlyCommentFollows(text.substr(close + 1))) {
    if (strict) return std::nullopt;
    close = text.rfind(u'"');
    if (close == 0 || !OnlyCommentFollows(text.substr(close + 1))) return std::nullopt;
  }
  auto data = Unescape(text.substr(1, close - 1), strict);
  if (!data) return std::nullopt;
  return TextToValue(kRegSz, *data);
}

std::optional<RegistryValue> ReadDword(std::u16string_view text) {
  const auto number = TakeHexNumber(text);
  if (!number || !OnlyCommentFollows(text)) return std::nullopt;
  RegistryValue value;
  value.TypeCode = kRegDword;
  for (int shift = 0; shift < 32; shift += 8) value.Bytes.push_back(static_cast<std::uint8_t>(*number >> shift));
  return value;
}

bool StartsContinuation(std::u16string_view line) {
  const std::u16string_view body = SkipBlanks(line);
  // A header or a value line after a stray backslash belongs to itself, not
  // to the value before it.
  return !body.empty() && body.front() != u'[' && body.front() != u'"' && body.front() != u'@';
}

// The hex list from the rest of the first line and the continuation lines
// that a trailing backslash announces; a comment may follow the data or the
// backslash, and comment lines and empty lines between continuation lines
// are skipped. The continuation lines are taken even when the list is
// already malformed, so that none of them is read as a line of its own. A
// list whose announced continuation never comes was cut short: the file
// ends (truncated, or still being written), or a key header or a value line
// follows. It is malformed, not a shorter value, as reg.exe drops it too;
// the line that follows is read as what it is (reg.exe takes a key header
// there for a bad continuation and skips it, which would put the values
// after it into the key before it). `endsEarly` tells the two apart.
std::optional<std::vector<std::uint8_t>> ReadHexList(std::u16string_view segment, LineCursor& lines,
                                                     bool& endsEarly) {
  HexListReader reader;
  for (;;) {
    segment = TrimTrailingBlanks(WithoutComment(segment));
    const bool continues = !segment.empty() && segment.back() == u'\\';
    if (continues) segment.remove_suffix(1);
    reader.Feed(segment);
    if (!continues) break;
    while (!lines.AtEnd() && IsSkippedBetweenContinuations(lines.Peek())) lines.Next();
    endsEarly = lines.AtEnd();
    if (lines.AtEnd() || !StartsContinuation(lines.Peek())) return std::nullopt;
    segment = SkipBlanks(lines.Next());
  }
  return reader.Finish();
}

bool IsStringType(std::uint32_t typeCode) {
  return typeCode == kRegSz || typeCode == kRegExpandSz || typeCode == kRegMultiSz;
}

std::vector<std::uint8_t> AnsiBytesAsUtf16Le(const std::vector<std::uint8_t>& bytes, const AnsiDecoder& decodeAnsi) {
  const std::string_view ansi(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (decodeAnsi) return Utf16LeBytes(decodeAnsi(ansi));
  return Utf16LeBytes(std::u16string(bytes.begin(), bytes.end()));
}

ValueLine Unreadable(std::u16string name = {}) { return {LineMeaning::Unreadable, {std::move(name), {}}}; }

// After "name=": the deletion mark, or the data in one of its forms.
ValueLine ReadData(std::u16string name, std::u16string_view rest, LineCursor& lines, const LineRules& rules) {
  if (rest.front() == u'-') {
    if (!OnlyCommentFollows(rest.substr(1))) return Unreadable(std::move(name));
    return {LineMeaning::DeletesValue, {std::move(name), {}}};
  }
  std::optional<RegistryValue> value;
  if (rest.front() == u'"') {
    value = ReadQuotedData(rest, rules.Strict);
  } else if (TakeWord(rest, u"dword:", rules.Strict)) {
    value = ReadDword(rest);
  } else if (TakeWord(rest, u"hex", rules.Strict)) {
    std::uint32_t typeCode = kRegBinary;
    if (!rest.empty() && rest.front() == u'(') {
      rest.remove_prefix(1);
      const auto number = TakeHexNumber(rest);
      if (!number || rest.empty() || rest.front() != u')') return Unreadable(std::move(name));
      rest.remove_prefix(1);
      typeCode = *number;
    }
    if (rest.empty() || rest.front() != u':') return Unreadable(std::move(name));
    bool endsEarly = false;
    auto bytes = ReadHexList(rest.substr(1), lines, endsEarly);
    if (!bytes) return {endsEarly ? LineMeaning::EndsEarly : LineMeaning::Unreadable, {std::move(name), {}}};
    if (rules.DecodeStrings != nullptr && IsStringType(typeCode)) {
      *bytes = AnsiBytesAsUtf16Le(*bytes, *rules.DecodeStrings);
    }
    value = RegistryValue{typeCode, std::move(*bytes)};
  }
  if (!value) return Unreadable(std::move(name));
  return {LineMeaning::SetsValue, {std::move(name), std::move(*value)}};
}

}  // namespace

ValueLine ReadValueLineWith(std::u16string_view line, LineCursor& lines, const LineRules& rules) {
  std::u16string_view rest = line;
  auto name = TakeName(rest, rules.Strict);
  if (!name) return Unreadable();
  rest = SkipBlanks(rest);
  if (rest.empty() || rest.front() != u'=') return Unreadable(std::move(*name));
  rest = SkipBlanks(rest.substr(1));
  if (rest.empty()) return Unreadable(std::move(*name));
  return ReadData(std::move(*name), rest, lines, rules);
}

std::optional<ParsedValue> ReadValueLine(std::u16string_view line, LineCursor& lines, const AnsiDecoder* decodeAnsi) {
  // Deletions ("name"=-) and unknown forms import nothing.
  ValueLine read = ReadValueLineWith(line, lines, LineRules{decodeAnsi, false});
  if (read.Meaning != LineMeaning::SetsValue) return std::nullopt;
  return std::move(read.Read);
}

}  // namespace tallowin::regfile
