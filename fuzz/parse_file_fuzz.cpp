// Reads arbitrary bytes as a registration file; then writes what was read
// and reads that back, which must give the same values. The same bytes go
// through the deployment's strict reader, whose every accepted value the
// writer must write in a form that reader accepts again.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "regfile/deployment_file.h"
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

// A refused file gives no lines; an accepted one has a section, and the
// values it sets, written by the writer, read back the same.
void CheckDeploymentReading(const std::uint8_t* data, std::size_t size, const AnsiDecoder& decoder) {
  const DeploymentFile file = ReadDeploymentFile({data, size}, decoder);
  if (file.Refusal != FileRule::None) {
    if (!file.System.empty() || !file.User.empty()) Fail("lines of a refused file");
    return;
  }
  if (!file.HasSystemSection && !file.HasUserSection) Fail("a file without a section accepted");
  std::vector<std::u16string> lines[2];
  std::vector<ParsedValue> sets[2];
  for (int scope = 0; scope < 2; ++scope) {
    for (const ValueLineChange& line : scope == 0 ? file.System : file.User) {
      if (line.Line == 0) Fail("a line without its number");
      if (!line.Value) continue;
      sets[scope].push_back({line.Name, *line.Value});
      lines[scope].push_back(MakeValueLine(line.Name, *line.Value));
    }
  }
  const std::vector<std::uint8_t> written = EncodeFile(MakeFileLines(lines[0], lines[1]));
  const DeploymentFile again = ReadDeploymentFile(written, decoder);
  if (again.Refusal != FileRule::None) Fail("the writer's file refused by the deployment reader");
  for (int scope = 0; scope < 2; ++scope) {
    const std::vector<ValueLineChange>& reread = scope == 0 ? again.System : again.User;
    if (reread.size() != sets[scope].size()) Fail("deployment values lost");
    for (std::size_t i = 0; i < reread.size(); ++i) {
      if (reread[i].Name != sets[scope][i].Name || !(reread[i].Value == sets[scope][i].Value)) {
        Fail("deployment values differ");
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const AnsiDecoder decoder = Latin1;
  CheckDeploymentReading(data, size, decoder);
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
