// Reads arbitrary bytes as a registration file; then writes what was read
// and reads that back, which must give the same values.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "regfile/reg_file.h"

namespace {

using namespace tallowin::regfile;

std::u16string Latin1(std::string_view text) {
  std::u16string result;
  result.reserve(text.size());
  for (const char c : text) result.push_back(static_cast<unsigned char>(c));
  return result;
}

const std::vector<ParsedValue>* ValuesOf(const ParsedFile& file, Scope scope) {
  for (const auto& section : file.Sections) {
    if (section.Target == scope) return &section.Values;
  }
  return nullptr;
}

void Fail(const char* what) {
  std::fprintf(stderr, "round trip: %s\n", what);
  std::abort();
}

bool SameValues(const std::vector<ParsedValue>& a, const std::vector<ParsedValue>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].Name != b[i].Name || !(a[i].Value == b[i].Value)) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const AnsiDecoder decoder = Latin1;
  const ParsedFile file = ParseFile(data, size, decoder);
  if (!file.IsRegistrationFile) {
    if (!file.Sections.empty()) Fail("sections in a file that is none");
    return 0;
  }
  if (file.Sections.size() > 2) Fail("a scope read twice");

  std::vector<std::u16string> lines[2];
  const std::vector<ParsedValue> none;
  const std::vector<ParsedValue>* read[2] = {ValuesOf(file, Scope::System), ValuesOf(file, Scope::User)};
  for (int scope = 0; scope < 2; ++scope) {
    if (read[scope] == nullptr) read[scope] = &none;
    for (const auto& value : *read[scope]) lines[scope].push_back(MakeValueLine(value.Name, value.Value));
  }
  const std::vector<std::uint8_t> written = EncodeFile(MakeFileLines(lines[0], lines[1]));
  const ParsedFile again = ParseFile(written.data(), written.size(), decoder);
  const std::vector<ParsedValue>* reread[2] = {ValuesOf(again, Scope::System), ValuesOf(again, Scope::User)};
  if (!again.IsRegistrationFile || reread[0] == nullptr || reread[1] == nullptr) Fail("written file not read");
  if (!SameValues(*read[0], *reread[0])) Fail("system values differ");
  if (!SameValues(*read[1], *reread[1])) Fail("user values differ");
  return 0;
}
