#include "regfile/deployment_file.h"

#include <algorithm>
#include <string_view>

#include "model/collation.h"
#include "model/environment_keys.h"
#include "model/text_scan.h"
#include "regfile/deployment_text.h"
#include "regfile/file_text.h"
#include "regfile/value_line_reader.h"

namespace tallowin::regfile {
namespace {

// The line that holds the text's character at `offset`, counting from 1.
std::size_t LineOfOffset(std::u16string_view text, std::size_t offset) {
  LineCursor lines(text.substr(0, offset));
  while (!lines.AtEnd()) lines.Next();
  return lines.LineNumber() + (lines.TextEndsWithLineEnd() || offset == 0 ? 1 : 0);
}

// Where the reader is: before any header, in an environment section, or in
// another key's section.
enum class Target { None, System, User, Other };

class Reader {
 public:
  Reader(const DeploymentText& text, const AnsiDecoder& decodeAnsi) : text_(text), lines_(text.Text) {
    // Without a decoder, each byte of 8-bit text is the character of its
    // number, in the text and in its hex data alike.
    if (text.Encoding == TextEncoding::Ansi) {
      decodeStrings_ = decodeAnsi ? decodeAnsi : AnsiDecoder(ByteNumbersAsText);
    }
    if (text.Encoding == TextEncoding::Utf8) {
      decodeStrings_ = [this](std::string_view bytes) {
        std::optional<std::u16string> decoded = DecodeUtf8(bytes);
        if (!decoded) stringsNotUtf8_ = true;
        return decoded.value_or(std::u16string());
      };
    }
  }

  // Its string decoder refers to the reader itself.
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;

  DeploymentFile Read() {
    file_.AnsiLooksLikeUtf8 = text_.AnsiLooksLikeUtf8;
    // The text stops at a problem of its encoding, so that problem is told
    // before any line that it cut off.
    if (ReadHeader() && CheckTheEncoding()) {
      while (!lines_.AtEnd() && file_.Refusal == FileRule::None) ReadLine();
    }
    if (file_.Refusal == FileRule::None && !file_.HasSystemSection && !file_.HasUserSection) {
      Refuse(FileRule::NoEnvironmentKey, 0);
    }
    if (file_.Refusal != FileRule::None) {
      file_.System.clear();
      file_.User.clear();
    }
    return std::move(file_);
  }

 private:
  void Refuse(FileRule rule, std::size_t line) {
    file_.Refusal = rule;
    file_.RefusalLine = line;
  }

  // reg.exe allows blanks before the header, nothing after it.
  bool ReadHeader() {
    const std::u16string_view first = lines_.AtEnd() ? std::u16string_view() : SkipBlanks(lines_.Next());
    if (first == kHeader || first == u"REGEDIT4") return true;
    Refuse(FileRule::NotRegistrationFile, 1);
    return false;
  }

  void ReadLine() {
    const std::size_t number = lines_.LineNumber() + 1;
    const std::u16string_view body = SkipBlanks(lines_.Next());
    if (body.empty() || body.front() == u';' || body.front() == u'#') return;
    if (body.front() == u'[') return ReadKeyHeader(body, number);
    if (body.front() == u'"' || body.front() == u'@') return ReadValue(body, number);
    Refuse(FileRule::UnreadableLine, number);
  }

  // "[KEY]" or "[-KEY]"; reg.exe ignores what follows the bracket.
  void ReadKeyHeader(std::u16string_view body, std::size_t number) {
    const std::size_t close = body.find(u']');
    if (close == std::u16string_view::npos) return Refuse(FileRule::UnreadableLine, number);
    std::u16string_view path = body.substr(1, close - 1);
    const bool deletes = !path.empty() && path.front() == u'-';
    if (deletes) path.remove_prefix(1);
    const std::optional<Scope> scope = EnvironmentKeyOf(path);
    if (scope && deletes) return Refuse(FileRule::KeyDeleted, number);
    if (!scope) {
      target_ = Target::Other;
      const std::u16string named(body.substr(0, close + 1));
      if (std::find(file_.OtherKeys.begin(), file_.OtherKeys.end(), named) == file_.OtherKeys.end()) {
        file_.OtherKeys.push_back(named);
      }
      return;
    }
    target_ = *scope == Scope::System ? Target::System : Target::User;
    (*scope == Scope::System ? file_.HasSystemSection : file_.HasUserSection) = true;
  }

  void ReadValue(std::u16string_view body, std::size_t number) {
    stringsNotUtf8_ = false;
    ValueLine read = ReadValueLineWith(body, lines_, LineRules{decodeStrings_ ? &decodeStrings_ : nullptr, true});
    // A line the file stops inside of was cut short, not written wrong.
    const bool stopsInside = lines_.AtEnd() && !lines_.TextEndsWithLineEnd();
    if (read.Meaning == LineMeaning::EndsEarly || (read.Meaning == LineMeaning::Unreadable && stopsInside)) {
      return Refuse(FileRule::CutShort, lines_.LineNumber());
    }
    if (stringsNotUtf8_) return Refuse(FileRule::NotUtf8, number);
    if (read.Meaning == LineMeaning::Unreadable) return Refuse(FileRule::UnreadableLine, number);
    if (target_ == Target::None) return Refuse(FileRule::ValueOutsideKey, number);
    if (target_ == Target::Other) return;
    std::optional<RegistryValue> value;
    if (read.Meaning == LineMeaning::SetsValue) value = std::move(read.Read.Value);
    (target_ == Target::System ? file_.System : file_.User)
        .push_back({std::move(read.Read.Name), std::move(value), number});
  }

  bool CheckTheEncoding() {
    if (text_.EndsOnOddByte) {
      LineCursor all(text_.Text);
      while (!all.AtEnd()) all.Next();
      Refuse(FileRule::CutShort, std::max<std::size_t>(all.LineNumber(), 1));
    } else if (text_.NotUtf8) {
      Refuse(FileRule::NotUtf8, LineOfOffset(text_.Text, text_.ProblemAt));
    } else if (text_.TextAfterNul) {
      Refuse(FileRule::TextAfterNul, LineOfOffset(text_.Text, text_.ProblemAt));
    }
    return file_.Refusal == FileRule::None;
  }

  const DeploymentText& text_;
  LineCursor lines_;
  AnsiDecoder decodeStrings_;
  bool stringsNotUtf8_ = false;
  Target target_ = Target::None;
  DeploymentFile file_;
};

}  // namespace

std::optional<Scope> EnvironmentKeyOf(std::u16string_view keyPath) {
  const std::size_t slash = keyPath.find(u'\\');
  if (slash == std::u16string_view::npos) return std::nullopt;
  const std::u16string_view root = keyPath.substr(0, slash);
  std::u16string_view subkey = keyPath.substr(slash + 1);
  if (!subkey.empty() && subkey.back() == u'\\') subkey.remove_suffix(1);
  if (SameRegistryName(root, u"HKEY_LOCAL_MACHINE") || SameRegistryName(root, u"HKLM")) {
    if (SameRegistryName(subkey, kSystemSubkey)) return Scope::System;
  } else if (SameRegistryName(root, u"HKEY_CURRENT_USER") || SameRegistryName(root, u"HKCU")) {
    if (SameRegistryName(subkey, kUserSubkey)) return Scope::User;
  }
  return std::nullopt;
}

DeploymentFile ReadDeploymentFile(std::span<const std::uint8_t> bytes, const AnsiDecoder& decodeAnsi) {
  const DeploymentText text = DecodeDeploymentText(bytes, decodeAnsi);
  return Reader(text, decodeAnsi).Read();
}

}  // namespace tallowin::regfile
