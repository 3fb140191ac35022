#include "commands/file_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "commands/load_save_commands.h"
#include "model/odd_path_values.h"
#include "model/type_names.h"
#include "model/value_text.h"
#include "regfile/reg_file.h"
#include "support/fake_editing_ports.h"
#include "support/fake_ports.h"
#include "support/scripted_dialogs.h"

namespace tallowin {
namespace {

using testing::DialogKind;
using testing::FakeRegistry;
using testing::FakeSystem;
using testing::FixedWindow;
using testing::MemoryFiles;
using testing::RecordingBroadcast;
using testing::ScriptedPickers;
using testing::ScriptedDialogs;
using Lines = std::vector<std::u16string>;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kErrorFileNotFound = 2;
constexpr std::uint32_t kErrorAccessDenied = 5;
constexpr std::uint32_t kErrorDiskFull = 112;

RegistryValue Sz(std::u16string_view text) { return TextToValue(kRegSz, text); }
RegistryValue ExpandSz(std::u16string_view text) { return TextToValue(kRegExpandSz, text); }
RegistryValue Dword(std::uint8_t low) { return {kRegDword, {low, 0, 0, 0}}; }

// A registration file as regedit writes it: FF FE, UTF-16LE lines with CR LF.
Bytes RegFile(const Lines& lines) {
  std::u16string text;
  for (const std::u16string& line : lines) text += line + u"\r\n";
  Bytes bytes{0xff, 0xfe};
  const Bytes body = Utf16LeBytes(text);
  bytes.insert(bytes.end(), body.begin(), body.end());
  return bytes;
}

const std::u16string kSystemHeader = u"[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment]";
const std::u16string kUserHeader = u"[HKEY_CURRENT_USER\\Environment]";
const std::u16string kVersion = u"Windows Registry Editor Version 5.00";

struct EntryValue {
  std::u16string Name;
  std::u16string TypeName;
  RegistryValue Value;
  bool operator==(const EntryValue&) const = default;
};

void PrintTo(const EntryValue& value, std::ostream* out) {
  for (const char16_t c : value.Name) *out << (c < 0x80 ? static_cast<char>(c) : '?');
  *out << " type " << value.Value.TypeCode << " bytes";
  for (const std::uint8_t b : value.Value.Bytes) *out << ' ' << std::hex << static_cast<int>(b) << std::dec;
}

// What Save would write for one of the model's lists, with the type names.
std::vector<EntryValue> Values(const MainModel& model, const EditList& list) {
  std::vector<EntryValue> values;
  const std::vector<NamedValue> written = model.ValuesToWrite(list);
  for (int i = 0; i < list.Count(); ++i) {
    values.push_back({list.At(i).Name, std::u16string(list.At(i).TypeName()), written[static_cast<std::size_t>(i)].Value});
  }
  return values;
}

using Section = std::pair<regfile::Scope, FakeRegistry::Values>;

// The file's sections as the reader finds them.
std::vector<Section> SectionsOf(const Bytes& file) {
  const regfile::ParsedFile parsed = regfile::ParseFile(file.data(), file.size(), {});
  EXPECT_TRUE(parsed.IsRegistrationFile);
  std::vector<Section> sections;
  for (const regfile::ParsedSection& section : parsed.Sections) {
    Section& added = sections.emplace_back(section.Target, FakeRegistry::Values{});
    for (const regfile::ParsedValue& value : section.Values) added.second.emplace_back(value.Name, value.Value);
  }
  return sections;
}

FakeRegistry::Values Pairs(const std::vector<EntryValue>& values) {
  FakeRegistry::Values pairs;
  for (const EntryValue& value : values) pairs.emplace_back(value.Name, value.Value);
  return pairs;
}

const EntryValue& Named(const std::vector<EntryValue>& values, std::u16string_view name) {
  const auto found = std::find_if(values.begin(), values.end(), [&](const EntryValue& v) { return v.Name == name; });
  if (found == values.end()) throw std::out_of_range("no such entry");
  return *found;
}

std::vector<EntryValue> Sorted(std::vector<EntryValue> values) {
  std::sort(values.begin(), values.end(), [](const EntryValue& a, const EntryValue& b) { return a.Name < b.Name; });
  return values;
}

std::u16string Decimal(int n) {
  const std::string digits = std::to_string(n);
  return std::u16string(digits.begin(), digits.end());
}

std::u16string Report(std::u16string_view firstLine, std::optional<int> system, std::optional<int> user) {
  std::u16string text(firstLine);
  if (system) text += u"システム環境変数 ： " + Decimal(*system) + u" 項目\n";
  if (user) text += u"ユーザー環境変数 ： " + Decimal(*user) + u" 項目\n";
  return text;
}

class FileCommandsTest : public ::testing::Test {
 protected:
  FileCommandsTest() {
    ResetModel();
    registry.Key(RootKey::LocalMachine, kSystemSubkey) = {{u"windir", ExpandSz(u"%SystemRoot%")},
                                                          {u"Path", ExpandSz(u"C:\\A;C:\\B")},
                                                          {u"NUMBER", Dword(7)}};
    registry.Key(RootKey::CurrentUser, kUserSubkey) = {{u"TMP", Sz(u"C:\\Temp")}};
    environment.Expansions[u"%LOCALAPPDATA%"] = u"C:\\Local";
  }

  // Both lists, with a linked Path entry whose value holds two items.
  void ResetModel() {
    model = MainModel();
    model.SysList.Add(VariableEntry::FromValue(u"OS", Sz(u"Windows_NT")));
    model.SysList.Add(VariableEntry::FromValue(u"Path", ExpandSz(u"C:\\Old;C:\\Older")));
    model.UserList.Add(VariableEntry::FromValue(u"TEMP", ExpandSz(u"%USERPROFILE%\\Temp")));
    model.LinkPathEntry(model.SysList.FindIgnoringCase(u"Path"));
    model.RefreshPathView();
  }

  ScreenPoint At(int dx, int dy) const { return {window.WindowRect().Left + dx, window.WindowRect().Top + dy}; }

  void Import(const Bytes& file) {
    files.Files[u"in.reg"] = file;
    pickers.Answers = {u"in.reg"};
    FileImportExecute(model, ports);
  }

  // The one dialog shown, with the sounds before it.
  void ExpectOnlyDialog(std::u16string_view text, ScreenPoint at, bool failure) {
    ASSERT_EQ(dialogs.Shown.size(), 1u);
    EXPECT_EQ(dialogs.Shown[0].Kind, DialogKind::Inform);
    EXPECT_EQ(dialogs.Shown[0].Text, text);
    EXPECT_EQ(dialogs.Shown[0].TopLeft, at);
    EXPECT_EQ(dialogs.Sounds, failure ? std::vector<SystemSound>{SystemSound::Hand} : std::vector<SystemSound>{});
  }

  FixedWindow window{ScreenRect{200, 100, 900, 700}};
  ScriptedDialogs dialogs;
  FakeSystem system;
  FakeRegistry registry;
  ScriptedPickers pickers;
  MemoryFiles files;
  RecordingBroadcast broadcast;
  testing::FakeEnvironment environment;  // Save's automatic backup folder
  CommandPorts ports{.Dialogs = &dialogs, .Window = &window, .Registry = &registry, .System = &system,
                     .Broadcast = &broadcast, .Pickers = &pickers, .Files = &files, .Environment = &environment};
  MainModel model;
};

using Command = std::function<void(MainModel&, const CommandPorts&)>;

TEST_F(FileCommandsTest, CancelledDialogDoesNothing) {
  const struct {
    const char* Name;
    Command Run;
    std::u16string_view Title;
    bool Saves;
  } cases[] = {
      {"export", FileExportExecute, u"レジストリキーのエクスポート", true},
      {"backup", FileBuckupExecute, u"レジストリキーのバックアップ", true},
      {"import", FileImportExecute, u"レジストリキーのインポート", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    pickers.SaveTitles.clear();
    pickers.OpenTitles.clear();
    const std::vector<EntryValue> system = Values(model, model.SysList);
    const Lines pathList = model.PathList;
    c.Run(model, ports);
    EXPECT_EQ(c.Saves ? pickers.SaveTitles : pickers.OpenTitles, (Lines{std::u16string(c.Title)}));
    EXPECT_TRUE(dialogs.Shown.empty());
    EXPECT_TRUE(dialogs.Sounds.empty());
    EXPECT_EQ(files.Replaces, 0);
    EXPECT_EQ(Values(model, model.SysList), system);
    EXPECT_EQ(model.PathList, pathList);
  }
}

TEST_F(FileCommandsTest, ExportWritesTheListsAsTheyStandAndCountsThem) {
  // An unsaved edit, a value of another type read as it was stored, an entry
  // the user made, and one whose type name the table does not know.
  model.SysList.SetData(model.SysList.FindIgnoringCase(u"OS"), u"Edited");
  model.SysList.Add(VariableEntry::FromValue(u"FLAGS", {kRegBinary, {0x00, 0xff, 0x5c}}));
  model.UserList.Add(VariableEntry::FromTexts(u"NEW", u"REG_SZ", u"C:\\x\"y"));
  model.UserList.Add(VariableEntry::FromTexts(u"ODD", u"REG_WHATEVER", u"z"));
  const std::vector<EntryValue> system = Values(model, model.SysList);
  const std::vector<EntryValue> user = Values(model, model.UserList);
  pickers.Answers = {u"C:\\out\\Environment.reg"};

  FileExportExecute(model, ports);

  ExpectOnlyDialog(Report(u"編集リストをエクスポートしました。\n", 3, 3), At(130, 130), false);
  EXPECT_EQ(Values(model, model.SysList), system);  // the lists are left alone
  EXPECT_EQ(SectionsOf(files.Files[u"C:\\out\\Environment.reg"]),
            (std::vector<Section>{{regfile::Scope::System, Pairs(system)}, {regfile::Scope::User, Pairs(user)}}));
  // What Save would write: the edit as text, the binary value unchanged, and
  // an unknown type name as REG_NONE.
  EXPECT_EQ(Named(system, u"OS").Value, Sz(u"Edited"));
  EXPECT_EQ(Named(system, u"FLAGS").Value, (RegistryValue{kRegBinary, {0x00, 0xff, 0x5c}}));
  EXPECT_EQ(Named(user, u"ODD").Value, TextToValue(kRegNone, u"z"));
}

TEST_F(FileCommandsTest, BackupWritesTheKeysAsStoredAndCountsTheEditLists) {
  pickers.Answers = {u"backup.reg"};
  const std::vector<EntryValue> system = Values(model, model.SysList);

  FileBuckupExecute(model, ports);

  // The counts are those of the edit lists (2 and 1), not of the keys (3 and 1).
  ExpectOnlyDialog(Report(u"レジストリキーをバックアップしました。\n", 2, 1), At(130, 130), false);
  EXPECT_EQ(pickers.SaveTitles, (Lines{std::u16string(u"レジストリキーのバックアップ")}));
  EXPECT_EQ(Values(model, model.SysList), system);
  // In enumeration order, with the DWORD's exact bytes.
  EXPECT_EQ(SectionsOf(files.Files[u"backup.reg"]),
            (std::vector<Section>{{regfile::Scope::System, registry.Key(RootKey::LocalMachine, kSystemSubkey)},
                                  {regfile::Scope::User, registry.Key(RootKey::CurrentUser, kUserSubkey)}}));
}

TEST_F(FileCommandsTest, BackupThatCannotReadAKeyWritesNothing) {
  const struct {
    const char* Name;
    std::function<void(FakeRegistry&)> Break;
    std::uint32_t Code;
  } cases[] = {
      {"system key missing", [](FakeRegistry& r) { r.Keys.erase({RootKey::LocalMachine, std::u16string(kSystemSubkey)}); },
       kErrorFileNotFound},
      {"system key fails part-way",
       [](FakeRegistry& r) { r.ReadFailsAfter[{RootKey::LocalMachine, std::u16string(kSystemSubkey)}] = 2; },
       kErrorAccessDenied},
      {"user key fails", [](FakeRegistry& r) { r.ReadFailsAfter[{RootKey::CurrentUser, std::u16string(kUserSubkey)}] = 0; },
       kErrorAccessDenied},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    FakeSystem caseSystem;
    FakeRegistry caseRegistry;
    caseRegistry.Keys = registry.Keys;
    c.Break(caseRegistry);
    ScriptedDialogs caseDialogs;
    MemoryFiles caseFiles;
    caseFiles.Files[u"old.reg"] = {1, 2, 3};
    pickers.Answers = {u"old.reg"};
    CommandPorts casePorts = ports;
    casePorts.Registry = &caseRegistry;
    casePorts.System = &caseSystem;
    casePorts.Dialogs = &caseDialogs;
    casePorts.Files = &caseFiles;

    FileBuckupExecute(model, casePorts);

    EXPECT_EQ(caseFiles.Replaces, 0);
    EXPECT_EQ(caseFiles.Files[u"old.reg"], (Bytes{1, 2, 3}));
    ASSERT_EQ(caseDialogs.Shown.size(), 1u);
    EXPECT_EQ(caseDialogs.Shown[0].Text, u"レジストリキーのバックアップに失敗しました。\n" + caseSystem.DescribeError(c.Code));
    EXPECT_EQ(caseDialogs.Shown[0].TopLeft, At(100, 130));
    EXPECT_EQ(caseDialogs.Sounds, std::vector<SystemSound>{SystemSound::Hand});
  }
}

TEST_F(FileCommandsTest, FailedWriteReportsTheSystemsReasonAndKeepsTheOldFile) {
  const struct {
    const char* Name;
    Command Run;
    std::u16string_view FailedText;
  } cases[] = {
      {"export", FileExportExecute, u"エクスポートに失敗しました。\n"},
      {"backup", FileBuckupExecute, u"レジストリキーのバックアップに失敗しました。\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    dialogs = ScriptedDialogs();
    files.Files[u"C:\\full\\Environment.reg"] = {0xff, 0xfe, 0x41, 0x00};
    files.FailingWrites[u"C:\\full\\Environment.reg"] = kErrorDiskFull;
    pickers.Answers = {u"C:\\full\\Environment.reg"};

    c.Run(model, ports);

    ExpectOnlyDialog(std::u16string(c.FailedText) + system.DescribeError(kErrorDiskFull), At(100, 130), true);
    EXPECT_EQ(files.Files[u"C:\\full\\Environment.reg"], (Bytes{0xff, 0xfe, 0x41, 0x00}));
  }
}

TEST_F(FileCommandsTest, ImportReplacesBothListsAndLinksThePathEntry) {
  Import(RegFile({kVersion, u"", kSystemHeader, u"\"ComSpec\"=\"C:\\\\Windows\\\\cmd.exe\"",
                  u"\"Path\"=hex(2):43,00,3a,00,5c,00,58,00,3b,00,43,00,3a,00,5c,00,59,00,00,00",
                  u"\"NUMBER\"=dword:0000002a", u"", kUserHeader, u"\"A\"=\"1\"", u"\"B\"=\"2\"", u""}));

  ExpectOnlyDialog(Report(u"編集リストへインスポートしました。\n", 3, 2), At(130, 130), false);
  EXPECT_EQ(Values(model, model.SysList),
            (std::vector<EntryValue>{{u"ComSpec", u"REG_SZ", Sz(u"C:\\Windows\\cmd.exe")},
                                     {u"NUMBER", u"REG_DWORD", {kRegDword, {0x2a, 0, 0, 0}}},
                                     {u"Path", u"REG_EXPAND_SZ", ExpandSz(u"C:\\X;C:\\Y")}}));
  EXPECT_EQ(model.UserList.Count(), 2);
  EXPECT_EQ(model.SysList.At(model.PathEntryIndex()).Name, u"Path");
  EXPECT_EQ(model.PathList, (Lines{u"C:\\X;", u"C:\\Y;"}));
  EXPECT_EQ(model.PathIndex, 0);
  EXPECT_EQ(model.Edit1, u"C:\\X;C:\\Y;");
  EXPECT_EQ(model.CountText, u"2 項目");
  // Showing the joined value closes the last item with ';' but is no edit:
  // the value read is still what would be written.
  EXPECT_EQ(model.ValuesToWrite(model.SysList).at(static_cast<std::size_t>(model.PathEntryIndex())).Value, ExpandSz(u"C:\\X;C:\\Y"));
}

TEST_F(FileCommandsTest, ImportPathStepForEachKindOfSystemSection) {
  const struct {
    const char* Name;
    Lines ValueLines;
    int Count;
    std::u16string PathName;
    Lines PathList;
    std::u16string PathData;
  } cases[] = {
      {"PATH in capitals keeps its name",
       {u"\"PATH\"=hex(2):43,00,3a,00,5c,00,5a,00,00,00"}, 1, u"PATH", {u"C:\\Z;"}, u"C:\\Z;"},
      // The Path list keeps its items and the refresh joins them into the new
      // entry, so the Path value is not lost.
      {"no Path adds an empty REG_EXPAND_SZ one",
       {u"\"OS\"=\"Windows_NT\""}, 2, u"Path", {u"C:\\Old;", u"C:\\Older;"}, u"C:\\Old;C:\\Older;"},
      {"an empty section", {}, 1, u"Path", {u"C:\\Old;", u"C:\\Older;"}, u"C:\\Old;C:\\Older;"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    ResetModel();
    model.PathListClick(1);
    dialogs = ScriptedDialogs();
    Lines lines{kVersion, u"", kSystemHeader};
    lines.insert(lines.end(), c.ValueLines.begin(), c.ValueLines.end());
    Import(RegFile(lines));

    ExpectOnlyDialog(Report(u"編集リストへインスポートしました。\n", c.Count, std::nullopt), At(130, 130), false);
    ASSERT_GE(model.PathEntryIndex(), 0);
    const VariableEntry& path = model.SysList.At(model.PathEntryIndex());
    EXPECT_EQ(path.Name, c.PathName);
    EXPECT_EQ(path.TypeName(), u"REG_EXPAND_SZ");
    EXPECT_EQ(path.Data(), c.PathData);
    EXPECT_EQ(model.PathList, c.PathList);
    EXPECT_EQ(model.PathIndex, 0);
    EXPECT_EQ(model.SysList.Count(), c.Count);
    // The user list had no section: untouched.
    EXPECT_EQ(model.UserList.Count(), 1);
  }
}

TEST_F(FileCommandsTest, ImportOfTheUserSectionAloneLeavesSystemAndPathAlone) {
  const std::vector<EntryValue> system = Values(model, model.SysList);
  const std::optional<EntryId> pathEntry = model.PathEntry;
  // Names that differ only in case are one value, as reg import leaves it:
  // the first spelling with the last value.
  Import(RegFile({kVersion, u"", kUserHeader, u"\"X\"=\"0\"", u"\"Y\"=hex(2):00,00", u"\"x\"=\"1\""}));

  ExpectOnlyDialog(Report(u"編集リストへインスポートしました。\n", std::nullopt, 2), At(130, 130), false);
  EXPECT_EQ(Values(model, model.SysList), system);
  EXPECT_EQ(model.PathEntry, pathEntry);
  EXPECT_EQ(model.PathList, (Lines{u"C:\\Old;", u"C:\\Older;"}));
  EXPECT_EQ(Values(model, model.UserList),
            (std::vector<EntryValue>{{u"X", u"REG_SZ", Sz(u"1")}, {u"Y", u"REG_EXPAND_SZ", ExpandSz(u"")}}));
}

TEST_F(FileCommandsTest, ImportThatFindsNothingChangesNothing) {
  const std::u16string notRegistration = u"編集リストへのインスポートに失敗しました。\n選択されたファイルは登録ファイルではありません。";
  const struct {
    const char* Name;
    Bytes File;
    std::u16string Text;
    bool Failure;
  } cases[] = {
      {"UTF-8 text", {'W', 'i', 'n', 'd', 'o', 'w', 's', '\r', '\n'}, notRegistration, true},
      {"empty file", {}, notRegistration, true},
      {"header in lower case", RegFile({u"windows registry editor version 5.00", u"", kUserHeader, u"\"X\"=\"1\""}),
       notRegistration, true},
      // A registration file of other keys is read, and holds nothing for us.
      {"other keys only", RegFile({kVersion, u"", u"[HKEY_CURRENT_USER\\Software\\X]", u"\"X\"=\"1\""}),
       std::u16string(u"編集リストへインスポートしました。\n"), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    dialogs = ScriptedDialogs();
    const std::vector<EntryValue> system = Values(model, model.SysList);
    const std::vector<EntryValue> user = Values(model, model.UserList);
    Import(c.File);
    ExpectOnlyDialog(c.Text, At(c.Failure ? 100 : 130, 130), c.Failure);
    EXPECT_EQ(Values(model, model.SysList), system);
    EXPECT_EQ(Values(model, model.UserList), user);
    EXPECT_EQ(model.PathList, (Lines{u"C:\\Old;", u"C:\\Older;"}));
  }
}

TEST_F(FileCommandsTest, ImportOfAnUnreadableFileReportsTheSystemsReason) {
  pickers.Answers = {u"missing.reg"};
  const std::vector<EntryValue> user = Values(model, model.UserList);
  FileImportExecute(model, ports);
  ExpectOnlyDialog(u"編集リストへのインスポートに失敗しました。\n" + system.DescribeError(kErrorFileNotFound), At(100, 130), true);
  EXPECT_EQ(Values(model, model.UserList), user);
}

TEST_F(FileCommandsTest, ExportThenImportGivesTheSameNamesTypesAndBytes) {
  model.SysList.Clear();
  model.UserList.Clear();
  const std::vector<std::pair<std::u16string, RegistryValue>> values = {
      {u"Path", ExpandSz(u"%SystemRoot%\\system32;C:\\Tools")},
      {u"SZ", Sz(u"quote \" backslash \\ end\\")},
      {u"LINES", Sz(u"one\r\ntwo\nthree")},
      {u"JA", Sz(u"日本語\u8868\u30bd")},  // 表 and ソ: 0x5C second bytes in code page 932
      {u"EMPTY", Sz(u"")},
      {u"", Sz(u"default")},
      {std::u16string(90, u'N'), ExpandSz(u"long name")},
      {u"DWORD", Dword(0x5c)},
      {u"QWORD", {kRegQword, {1, 2, 3, 4, 5, 6, 7, 8}}},
      {u"BINARY", {kRegBinary, {0, 1, 0xfe, 0xff}}},
      {u"MULTI", {kRegMultiSz, Utf16LeBytes(std::u16string(u"a\0b\0\0", 5))}},
      {u"NONE", {kRegNone, {}}},
      {u"SZ_TAIL", {kRegSz, {0x41, 0x00, 0x00, 0x00, 0x42, 0x00}}},  // bytes after the NUL
  };
  for (const auto& [name, value] : values) {
    model.SysList.Add(VariableEntry::FromValue(name, value));
    model.UserList.Add(VariableEntry::FromValue(name, value));
  }
  const std::vector<EntryValue> system = Values(model, model.SysList);
  const std::vector<EntryValue> user = Values(model, model.UserList);
  pickers.Answers = {u"trip.reg", u"trip.reg"};

  FileExportExecute(model, ports);
  MainModel fresh;
  FileImportExecute(fresh, ports);

  ASSERT_EQ(dialogs.Shown.size(), 2u);
  EXPECT_EQ(dialogs.Shown[1].Text, Report(u"編集リストへインスポートしました。\n", 13, 13));
  // Where the row with the empty name stands depends on when it was added.
  EXPECT_EQ(Sorted(Values(fresh, fresh.SysList)), Sorted(system));
  EXPECT_EQ(Sorted(Values(fresh, fresh.UserList)), Sorted(user));
}

// A Path that was only looked at goes from the registry into a file, and
// from a file into the registry, as it was read, whatever it holds.
TEST_F(FileCommandsTest, AnUneditedPathGoesThroughExportAndImportUnchanged) {
  auto& registryPath = registry.Key(RootKey::LocalMachine, kSystemSubkey)[1];
  ASSERT_EQ(registryPath.first, u"Path");
  for (const testing::OddPathValue& c : testing::OddPathValues()) {
    SCOPED_TRACE(c.Name);
    registryPath.second = c.Value;
    MainModel loaded;
    loaded.Loading = true;
    FileLoadExecute(loaded, ports);
    loaded.PathListClick(0);
    pickers.Answers = {u"path.reg", u"path.reg"};
    FileExportExecute(loaded, ports);
    const std::vector<Section> sections = SectionsOf(files.Files[u"path.reg"]);
    ASSERT_FALSE(sections.empty());
    const FakeRegistry::Values& exported = sections[0].second;
    const auto path = std::find_if(exported.begin(), exported.end(), [](const auto& v) { return v.first == u"Path"; });
    ASSERT_NE(path, exported.end());
    EXPECT_EQ(path->second, c.Value);

    MainModel imported;
    FileImportExecute(imported, ports);
    imported.ShowTab(Tab::User);
    registryPath.second = ExpandSz(u"changed meanwhile");
    dialogs.Answers = {true, false};
    FileSaveExecute(imported, ports);
    EXPECT_EQ(registryPath.second, c.Value);
  }
}

}  // namespace
}  // namespace tallowin
