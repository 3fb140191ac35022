// Imports arbitrary bytes through the Import command, exports the lists it
// filled through the Export command and imports that file into a new
// window. The first import must hold what the reader read, as the registry
// would hold it (one value for names it takes for one), and the second
// must equal the first row for row: names, type names, data texts, the
// exact bytes Save would write, and the Path items.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "commands/file_commands.h"
#include "model/collation.h"
#include "model/main_model.h"
#include "model/texts.h"
#include "regfile/reg_file.h"
#include "support/command_sequence.h"
#include "support/fake_ports.h"
#include "support/scripted_dialogs.h"

namespace {

using namespace tallowin;
using namespace tallowin::testing;
using Bytes = std::vector<std::uint8_t>;

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "import, export, import: %s\n", what.c_str());
  std::abort();
}

// One window's file commands, on files in memory. The ANSI decoder is
// MemoryFiles' Latin-1.
class FileWindow {
 public:
  // True when Import took the file; a refusal must leave the model alone.
  bool Import(MainModel& model, const Bytes& bytes) {
    files_.Files[u"in.reg"] = bytes;
    pickers_.Answers = {u"in.reg"};
    const MainModel before = model;
    FileImportExecute(model, ports_);
    const std::u16string& report = OnlyReport();
    if (report.starts_with(texts::kImportDone)) return true;
    if (!report.starts_with(texts::kImportFailed)) Fail("Import reported " + Show(report));
    if (model.SysList.Count() != before.SysList.Count() || model.UserList.Count() != before.UserList.Count() ||
        model.PathList != before.PathList || model.Edit1 != before.Edit1) {
      Fail("a refused file changed the window");
    }
    return false;
  }

  Bytes Export(MainModel& model) {
    pickers_.Answers = {u"out.reg"};
    FileExportExecute(model, ports_);
    if (!OnlyReport().starts_with(texts::kExportDone)) Fail("Export failed");
    return files_.Files.at(u"out.reg");
  }

  std::u16string DecodeAnsi(std::string_view text) { return files_.DecodeAnsi(text); }

 private:
  const std::u16string& OnlyReport() {
    if (dialogs_.Shown.size() != 1) Fail(std::to_string(dialogs_.Shown.size()) + " dialogs for one command");
    report_ = std::move(dialogs_.Shown[0].Text);
    dialogs_.Shown.clear();
    return report_;
  }

  MemoryFiles files_;
  ScriptedPickers pickers_;
  ScriptedDialogs dialogs_;
  FakeSystem system_;
  FixedWindow window_{ScreenRect{0, 0, 600, 400}};
  CommandPorts ports_{.Dialogs = &dialogs_, .Window = &window_, .System = &system_, .Pickers = &pickers_,
                      .Files = &files_};
  std::u16string report_;
};

// A row as the window shows it and as Save writes it.
using Row = std::tuple<std::u16string, std::u16string, std::u16string, RegistryValue>;

std::vector<Row> Rows(const MainModel& model, const EditList& list) {
  const std::vector<NamedValue> written = model.ValuesToWrite(list);
  if (static_cast<int>(written.size()) != list.Count()) Fail("Save would write another number of rows");
  std::vector<Row> rows;
  for (int i = 0; i < list.Count(); ++i) {
    const VariableEntry& entry = list.At(i);
    rows.emplace_back(entry.Name, entry.TypeName(), entry.Data(), written[static_cast<std::size_t>(i)].Value);
  }
  return rows;
}

std::string ShowRow(const Row& row) {
  return Show(std::get<0>(row)) + " " + Show(std::get<1>(row)) + " " + Show(std::get<2>(row)) + " writes " +
         Show(std::get<3>(row));
}

void CompareRows(const char* list, const std::vector<Row>& first, const std::vector<Row>& second) {
  for (std::size_t i = 0; i < std::max(first.size(), second.size()); ++i) {
    if (i < first.size() && i < second.size() && first[i] == second[i]) continue;
    Fail(std::string(list) + " list, row " + std::to_string(i) + ": first import " +
         (i < first.size() ? ShowRow(first[i]) : "none") + ", second " + (i < second.size() ? ShowRow(second[i]) : "none"));
  }
}

// A section's values as the key holds them after the import: the values of
// names the registry takes for one are one value, under the first name's
// spelling, holding the last one's type and bytes. A plain search of every
// name before, so that it does not share the Import's way of finding them.
NamedValues AsTheKeyHolds(const std::vector<regfile::ParsedValue>& values) {
  NamedValues held;
  for (const regfile::ParsedValue& value : values) {
    const auto same = std::find_if(held.begin(), held.end(),
                                   [&](const auto& earlier) { return SameRegistryName(earlier.first, value.Name); });
    if (same == held.end()) {
      held.emplace_back(value.Name, value.Value);
    } else {
      same->second = value.Value;
    }
  }
  return held;
}

// The first import against the reader: each list whose section the file
// holds writes exactly the section's values as the key holds them (the
// System list besides an empty Path when the section has none); a list
// without one stays empty.
void CheckAgainstReader(const MainModel& model, const regfile::ParsedFile& file) {
  for (const regfile::Scope scope : {regfile::Scope::System, regfile::Scope::User}) {
    const bool system = scope == regfile::Scope::System;
    NamedValues expected, written;
    bool present = false;
    for (const regfile::ParsedSection& section : file.Sections) {
      if (section.Target != scope) continue;
      present = true;
      expected = AsTheKeyHolds(section.Values);
    }
    const bool hasPath = std::any_of(expected.begin(), expected.end(), [](const auto& v) { return IsPathName(v.first); });
    if (system && present && !hasPath) expected.emplace_back(u"Path", TextToValue(kRegExpandSz, u""));
    for (NamedValue& value : model.ValuesToWrite(system ? model.SysList : model.UserList)) {
      written.emplace_back(std::move(value.Name), std::move(value.Value));
    }
    const auto less = [](const auto& a, const auto& b) {
      return std::tie(a.first, a.second.TypeCode, a.second.Bytes) < std::tie(b.first, b.second.TypeCode, b.second.Bytes);
    };
    std::sort(expected.begin(), expected.end(), less);
    std::sort(written.begin(), written.end(), less);
    if (written == expected) continue;
    const auto [w, e] = std::mismatch(written.begin(), written.end(), expected.begin(), expected.end());
    const auto show = [](const auto& at, const auto& end) { return at == end ? "nothing" : Show(NamedValues{*at}); };
    Fail(std::string(system ? "system" : "user") + " list after Import: the first difference writes " +
         show(w, written.end()) + " where the file holds " + show(e, expected.end()));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FileWindow window;
  MainModel first;
  if (!window.Import(first, Bytes(data, data + size))) return 0;
  CheckAgainstReader(first, regfile::ParseFile(data, size, [&](std::string_view text) {
                       return window.DecodeAnsi(text);
                     }));

  const Bytes exported = window.Export(first);
  MainModel second;
  if (!window.Import(second, exported)) Fail("the exported file was refused");

  // Without a system section the first import left the System list empty;
  // the file Export writes holds an empty one, to which Import adds a Path.
  const bool firstHadSystem = first.PathEntryIndex() >= 0;
  const std::vector<Row> firstSystem =
      firstHadSystem ? Rows(first, first.SysList)
                     : std::vector<Row>{{u"Path", u"REG_EXPAND_SZ", u"", TextToValue(kRegExpandSz, u"")}};
  CompareRows("system", firstSystem, Rows(second, second.SysList));
  CompareRows("user", Rows(first, first.UserList), Rows(second, second.UserList));
  if (first.PathEntryIndex() != second.PathEntryIndex() && firstHadSystem) Fail("another row is the Path row");
  if (first.PathList != second.PathList) {
    Fail("Path items " + Show(second.PathList) + " after the second import, " + Show(first.PathList) + " after the first");
  }
  if (first.Edit1 != second.Edit1 || first.Edit2 != second.Edit2) Fail("Edit1 or Edit2 differ");
  // The same lists export the same file.
  if (firstHadSystem && window.Export(second) != exported) Fail("the second export differs from the first");
  return 0;
}
