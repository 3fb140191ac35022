#include <algorithm>
#include <optional>
#include <string>

#include "model/text_scan.h"
#include "regfile/file_text.h"
#include "regfile/reg_file.h"
#include "regfile/value_line_reader.h"

namespace tallowin::regfile {
namespace {

// Only the two environment keys' header lines, exactly as written, open a
// section. Any other key header, a deletion header "[-...]" included, ends
// the current one: its values belong to that other key.
std::optional<Scope> SectionScope(std::u16string_view line) {
  static const std::u16string systemHeader = MakeKeyLine(RootKey::LocalMachine, kSystemSubkey);
  static const std::u16string userHeader = MakeKeyLine(RootKey::CurrentUser, kUserSubkey);
  if (line == systemHeader) return Scope::System;
  if (line == userHeader) return Scope::User;
  return std::nullopt;
}

// A scope's section replaces any earlier one of the same scope, so that the
// file holds each scope at most once, as the last header of it left it.
ParsedSection& OpenSection(ParsedFile& file, Scope scope) {
  std::erase_if(file.Sections, [scope](const ParsedSection& section) { return section.Target == scope; });
  return file.Sections.emplace_back(ParsedSection{scope, {}});
}

}  // namespace

ParsedFile ParseFile(const std::uint8_t* data, std::size_t size, const AnsiDecoder& decodeAnsi) {
  ParsedFile file;
  const FileText text = DecodeFileText(data, size, decodeAnsi);
  LineCursor lines(text.Text);
  if (lines.AtEnd()) return file;
  const std::u16string_view first = lines.Next();
  if (first != kHeader && first != u"REGEDIT4") return file;
  file.IsRegistrationFile = true;

  const AnsiDecoder* ansiData = text.IsAnsi ? &decodeAnsi : nullptr;
  std::optional<Scope> target;
  while (!lines.AtEnd()) {
    const std::u16string_view line = lines.Next();
    const std::u16string_view body = SkipBlanks(line);
    if (body.empty()) continue;
    if (body.front() == u'[') {
      target = SectionScope(line);
      if (target) OpenSection(file, *target);
    } else if (body.front() == u'"' || body.front() == u'@') {
      // Read even outside a section, so that its continuation lines go with it.
      auto value = ReadValueLine(body, lines, ansiData);
      if (value && target) file.Sections.back().Values.push_back(std::move(*value));
    }
    // Everything else (comments, stray text) is skipped.
  }
  return file;
}

}  // namespace tallowin::regfile
