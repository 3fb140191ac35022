#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "interop/peers.h"
#include "interop/sample_values.h"
#include "model/main_model.h"
#include "model/type_names.h"
#include "regfile/reg_file.h"
#include "support/scratch_folder.h"
#include "support/scratch_key.h"
#include "support/scripted_dialogs.h"
#include "commands/file_commands.h"
#include "ports/system_ports.h"
#include "win32/wide_text.h"

// Files that Wine's reg.exe and regedit.exe export, read by Import into the
// edit lists and compared with the values the key held.
namespace tallowin::testing {
namespace {

struct Exporter {
  const char* Name;
  const wchar_t* Program;
  // The peer's arguments for a key (under HKEY_CURRENT_USER) and a file.
  std::wstring (*Arguments)(const std::wstring& key, const std::wstring& file);
};

const Exporter kExporters[] = {
    {"reg export", kReg,
     [](const std::wstring& key, const std::wstring& file) {
       return L"export \"HKEY_CURRENT_USER\\" + key + L"\" \"" + file + L"\" /y";
     }},
    {"regedit /e", kRegedit,
     [](const std::wstring& key, const std::wstring& file) {
       return L"/e \"" + file + L"\" \"HKEY_CURRENT_USER\\" + key + L"\"";
     }},
};

class ImportFromPeersTest : public ScratchKeyTest {
 protected:

  // Has the peer export the key, points the file's key header at the user
  // key and imports it.
  void ExportAndImport(const Exporter& exporter, const std::u16string& key, MainModel& model) {
    const std::u16string exported = folder.File(u"exported.reg");
    ASSERT_EQ(RunPeer(exporter.Program, exporter.Arguments(win32::ToWide(key), win32::ToWide(exported))), 0u);
    const std::vector<std::uint8_t> bytes =
        WithLineReplaced(ReadBytes(exported), u"[HKEY_CURRENT_USER\\" + key + u"]", u"[HKEY_CURRENT_USER\\Environment]");
    const std::u16string redirected = folder.File(u"redirected.reg");
    WriteBytes(redirected, bytes);
    pickers.Paths = {redirected};
    dialogs = ScriptedDialogs();
    FileImportExecute(model, ports);
  }

  ScratchFolder folder;
  ScriptedDialogs dialogs;
  FixedWindow window{ScreenRect{0, 0, 600, 400}};
  ports::Win32System system;
  GivenPaths pickers;
  ports::Win32FileSystem files;
  CommandPorts ports{.Dialogs = &dialogs, .Window = &window, .System = &system, .Pickers = &pickers, .Files = &files};
};

TEST_F(ImportFromPeersTest, PeerExportsImportWithTheirNamesTypesAndBytes) {
  std::vector<SampleValue> samples = Samples();
  std::erase_if(samples, [](const SampleValue& sample) { return !sample.PeersExportExactly; });
  for (const SampleValue& sample : samples) Set(Subkey, sample.Name, sample.Value);

  for (const Exporter& exporter : kExporters) {
    SCOPED_TRACE(exporter.Name);
    MainModel model;
    model.SysList.Add(VariableEntry::FromTexts(u"KEPT", u"REG_SZ", u"system list untouched"));
    ExportAndImport(exporter, Subkey, model);

    ASSERT_EQ(dialogs.Shown.size(), 1u);
    EXPECT_EQ(dialogs.Shown[0].Text, u"編集リストへインスポートしました。\nユーザー環境変数 ： " +
                                         Ascii(std::to_string(samples.size())) + u" 項目\n");
    EXPECT_EQ(model.SysList.Count(), 1);
    EXPECT_EQ(model.UserList.Count(), static_cast<int>(samples.size()));
    for (const SampleValue& sample : samples) {
      SCOPED_TRACE(Printable(sample.Name));
      int row = -1;
      for (int i = 0; i < model.UserList.Count(); ++i) {
        if (model.UserList.At(i).Name == sample.Name) row = i;
      }
      ASSERT_GE(row, 0);
      const VariableEntry& entry = model.UserList.At(row);
      EXPECT_EQ(entry.TypeName(), TypeNameOf(sample.Value.TypeCode));
      const RegistryValue written = ValueToWrite(entry);
      EXPECT_EQ(written.TypeCode, sample.Value.TypeCode);
      EXPECT_EQ(written.Bytes, sample.Value.Bytes);
    }
  }
}

// Continuation lines as reg import reads them: value A as it leaves it in a
// key, against A as Import reads the same lines into the User list. (After
// a cut-short value, reg import also skips the header or value line that
// follows; Import reads that line as itself.)
TEST_F(ImportFromPeersTest, ContinuationLinesReadAsRegImportReadsThem) {
  const std::u16string shapes[] = {
      u"\"A\"=hex:01,\\\r\n; comment\r\n  02\r\n", u"\"A\"=hex:01,\\\r\n\r\n  02\r\n",
      u"\"A\"=hex:01,\\\r\n; comment\r\n\r\n  02\r\n", u"\"A\"=hex:01,\\\r\n[HKEY_CURRENT_USER\\Other]\r\n",
      u"\"A\"=hex:01,\\\r\n\"B\"=\"b\"\r\n", u"\"A\"=hex:01,02\r\n"};
  for (const std::u16string& shape : shapes) {
    SCOPED_TRACE(Printable(shape));
    const std::u16string key = MakeKey(u"shape " + Ascii(std::to_string(&shape - shapes)));
    const auto file = [&](std::u16string_view header) {
      return regfile::EncodeFile({u"Windows Registry Editor Version 5.00", u"", u"[" + std::u16string(header) + u"]", shape});
    };
    WriteBytes(folder.File(u"peer.reg"), file(u"HKEY_CURRENT_USER\\" + key));
    ASSERT_EQ(RunPeer(kReg, L"import \"" + win32::ToWide(folder.File(u"peer.reg")) + L"\""), 0u);
    std::optional<RegistryValue> peer;
    for (auto& [name, value] : ValuesOf(HKEY_CURRENT_USER, key)) {
      if (name == u"A") peer = value;
    }
    WriteBytes(folder.File(u"ours.reg"), file(u"HKEY_CURRENT_USER\\Environment"));
    pickers.Paths = {folder.File(u"ours.reg")};
    MainModel model;
    FileImportExecute(model, ports);
    const int row = model.UserList.FindIgnoringCase(u"A");
    EXPECT_EQ(row >= 0 ? std::optional(ValueToWrite(model.UserList.At(row))) : std::nullopt, peer);
  }
}

}  // namespace
}  // namespace tallowin::testing
