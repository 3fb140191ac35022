#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "interop/peers.h"
#include "interop/sample_values.h"
#include "model/main_model.h"
#include "regfile/reg_file.h"
#include "ports/system_ports.h"
#include "support/scratch_folder.h"
#include "support/scratch_key.h"
#include "support/scripted_dialogs.h"
#include "commands/file_commands.h"
#include "win32/wide_text.h"

// Files that Export and Backup write, read by Wine's reg.exe and
// regedit.exe into scratch keys and compared with what was written.
namespace tallowin::testing {
namespace {

using Values = std::vector<std::pair<std::u16string, RegistryValue>>;

struct Peer {
  const char* Name;
  const wchar_t* Program;
  const wchar_t* Arguments;  // before the file's path
};

const Peer kImporters[] = {
    {"reg import", kReg, L"import "},
    {"regedit /s", kRegedit, L"/s "},
};

std::u16string HeaderOf(std::u16string_view root, std::u16string_view subkey) {
  return u"[" + std::u16string(root) + u"\\" + std::u16string(subkey) + u"]";
}

const std::u16string kSystemHeader = HeaderOf(u"HKEY_LOCAL_MACHINE", kSystemSubkey);
const std::u16string kUserHeader = HeaderOf(u"HKEY_CURRENT_USER", kUserSubkey);

// Every value of a key with its exact type and bytes, by name.
std::map<std::u16string, RegistryValue> KeyValues(HKEY root, const std::u16string& subkey) {
  std::map<std::u16string, RegistryValue> values;
  for (auto& [name, value] : ValuesOf(root, subkey)) values.emplace(std::move(name), std::move(value));
  return values;
}

class ExportToPeersTest : public ScratchKeyTest {
 protected:

  // Sends the written file to the peer with its two key headers pointing at
  // two scratch keys; the peer must accept it.
  void ImportWithPeer(const Peer& peer, const std::u16string& written, const std::u16string& systemKey,
                      const std::u16string& userKey) {
    std::vector<std::uint8_t> bytes = ReadBytes(written);
    bytes = WithLineReplaced(bytes, kSystemHeader, HeaderOf(u"HKEY_CURRENT_USER", systemKey));
    bytes = WithLineReplaced(bytes, kUserHeader, HeaderOf(u"HKEY_CURRENT_USER", userKey));
    const std::u16string redirected = folder.File(u"redirected.reg");
    WriteBytes(redirected, bytes);
    EXPECT_EQ(RunPeer(peer.Program, peer.Arguments + (L"\"" + win32::ToWide(redirected) + L"\"")), 0u);
  }

  ScratchFolder folder;
  ScriptedDialogs dialogs;
  FixedWindow window{ScreenRect{0, 0, 600, 400}};
  ports::Win32Registry registry;
  ports::Win32System system;
  GivenPaths pickers;
  ports::Win32FileSystem files;
  CommandPorts ports{.Dialogs = &dialogs, .Window = &window, .Registry = &registry, .System = &system, .Pickers = &pickers, .Files = &files};
};

TEST_F(ExportToPeersTest, PeersImportEveryExportedValueByteForByte) {
  const std::vector<SampleValue> samples = Samples();
  for (const Peer& peer : kImporters) {
    SCOPED_TRACE(peer.Name);
    MainModel model;
    // The user list holds the values as the user typed them where the
    // texts allow it, so both ways of producing a value line are covered.
    for (const SampleValue& sample : samples) {
      model.SysList.Add(VariableEntry::FromValue(sample.Name, sample.Value));
      const VariableEntry read = VariableEntry::FromValue(sample.Name, sample.Value);
      const bool typeable = TextToValue(sample.Value.TypeCode, read.Data()) == sample.Value;
      model.UserList.Add(typeable ? VariableEntry::FromTexts(sample.Name, std::u16string(read.TypeName()),
                                                             std::u16string(read.Data()))
                                  : read);
    }
    const std::u16string exported = folder.File(u"Environment.reg");
    pickers.Paths = {exported};
    dialogs = ScriptedDialogs();
    FileExportExecute(model, ports);
    ASSERT_EQ(dialogs.Shown.size(), 1u);
    const std::u16string count = Ascii(std::to_string(samples.size()));
    ASSERT_EQ(dialogs.Shown[0].Text, u"編集リストをエクスポートしました。\nシステム環境変数 ： " + count +
                                         u" 項目\nユーザー環境変数 ： " + count + u" 項目\n");

    const std::u16string systemKey = MakeKey(Ascii(std::string("system for ") + peer.Name));
    const std::u16string userKey = MakeKey(Ascii(std::string("user for ") + peer.Name));
    ImportWithPeer(peer, exported, systemKey, userKey);

    for (const std::u16string* key : {&systemKey, &userKey}) {
      const std::map<std::u16string, RegistryValue> imported = KeyValues(HKEY_CURRENT_USER, *key);
      EXPECT_EQ(imported.size(), samples.size());
      for (const SampleValue& sample : samples) {
        SCOPED_TRACE(Printable(sample.Name));
        const auto found = imported.find(sample.Name);
        ASSERT_NE(found, imported.end());
        const RegistryValue& expected = sample.StoredByPeers ? *sample.StoredByPeers : sample.Value;
        EXPECT_EQ(found->second.TypeCode, expected.TypeCode);
        EXPECT_EQ(found->second.Bytes, expected.Bytes);
      }
    }
  }
}

// Backup writes what the environment keys hold; imported elsewhere, the
// copy holds exactly the same values.
TEST_F(ExportToPeersTest, BackupOfTheEnvironmentKeysImportsAsAnExactCopy) {
  const std::u16string backup = folder.File(u"Backup.reg");
  pickers.Paths = {backup};
  MainModel model;
  FileBuckupExecute(model, ports);
  ASSERT_EQ(dialogs.Shown.size(), 1u);
  // The counts are those of the edit lists, empty here, not of the keys.
  ASSERT_EQ(dialogs.Shown[0].Text,
            u"レジストリキーをバックアップしました。\nシステム環境変数 ： 0 項目\nユーザー環境変数 ： 0 項目\n");

  const std::u16string systemKey = MakeKey(u"system");
  const std::u16string userKey = MakeKey(u"user");
  ImportWithPeer(kImporters[0], backup, systemKey, userKey);

  const auto system = KeyValues(HKEY_LOCAL_MACHINE, std::u16string(kSystemSubkey));
  const auto user = KeyValues(HKEY_CURRENT_USER, std::u16string(kUserSubkey));
  EXPECT_FALSE(system.empty());
  EXPECT_EQ(KeyValues(HKEY_CURRENT_USER, systemKey), system);
  EXPECT_EQ(KeyValues(HKEY_CURRENT_USER, userKey), user);
}

}  // namespace
}  // namespace tallowin::testing
