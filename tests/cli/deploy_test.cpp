// Each file of the deployment shapes applied by the real program to the
// test prefix's keys, from the keys of tests/deploy/start.reg: the keys end
// as Wine's reg import left them, or the file is refused (exit 4) and the
// keys stay as they were.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "model/clip_item.h"
#include "registry/registry_io.h"
#include "commands/key_values.h"
#include "support/deployment_shapes.h"
#include "support/run_program.h"

namespace tallowin {
namespace {

using testing::Keys;
using testing::Listing;

// Values Wine makes again at a process's start, whatever the keys held.
bool IsRemadeByWine(const std::u16string& name) {
  return name.starts_with(u"PROCESSOR_") || name == u"NUMBER_OF_PROCESSORS";
}

std::vector<NamedValue> ReadKey(KeyScope scope) {
  const KeyPlace place = PlaceOf(scope);
  std::vector<CClipItem> items;
  EXPECT_EQ(registry::ReadKeyToItems(place.Root, place.Subkey, items), ERROR_SUCCESS);
  std::vector<NamedValue> values;
  for (const CClipItem& item : items) {
    if (!IsRemadeByWine(item.Name)) values.push_back({item.Name, item.Stored->Value});
  }
  return values;
}

// Makes the key hold exactly these values (besides those Wine makes again).
void PutKey(KeyScope scope, const std::vector<NamedValue>& values) {
  const KeyPlace place = PlaceOf(scope);
  for (const NamedValue& held : ReadKey(scope)) {
    ASSERT_EQ(registry::DeleteValue(place.Root, place.Subkey, held.Name), ERROR_SUCCESS);
  }
  ASSERT_EQ(registry::WriteListToKey(place.Root, place.Subkey, values), ERROR_SUCCESS);
}

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::wstring CliPath() {
  wchar_t self[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring path(self, length);
  return path.substr(0, path.find_last_of(L'\\') + 1) + TALLOWIN_CLI_FROM_TESTS;
}

class DeployShapes : public ::testing::Test {
 protected:
  void SetUp() override { before_ = {ReadKey(KeyScope::System), ReadKey(KeyScope::User)}; }
  void TearDown() override {
    PutKey(KeyScope::System, before_.System);
    PutKey(KeyScope::User, before_.User);
  }

  Keys before_;
};

TEST_F(DeployShapes, ApplyLeavesTheKeysAsRegImportOrRefusesTheFile) {
  const Keys start = testing::KeysOfExport("/start.reg");
  for (const testing::Shape& shape : testing::Shapes()) {
    SCOPED_TRACE(shape.File);
    // reg import's results for 8-bit text beyond ASCII hold for its code page.
    const std::string name = shape.File;
    if (::GetACP() != 1252 && (name.starts_with("v5-8bit-") || name.starts_with("regedit4-ansi"))) continue;
    PutKey(KeyScope::System, start.System);
    PutKey(KeyScope::User, start.User);
    const std::string file = testing::DeployPath(std::string("/shapes/") + shape.File);
    const std::optional<DWORD> exitCode =
        testing::RunProgram(CliPath(), L"apply \"" + Wide(file) + L"\" --no-backup --no-broadcast");
    ASSERT_TRUE(exitCode);
    Keys expected = start;
    if (shape.Refused) {
      EXPECT_EQ(*exitCode, 4u);
    } else if (!shape.UnlikeRegImport.empty()) {
      EXPECT_EQ(*exitCode, 0u);
      expected.User.insert(expected.User.end(), shape.UnlikeRegImport.begin(), shape.UnlikeRegImport.end());
    } else {
      EXPECT_EQ(*exitCode, 0u);
      expected = testing::KeysOfExport(std::string("/reg-import/") + shape.File);
    }
    EXPECT_EQ(Listing(ReadKey(KeyScope::System)), Listing(expected.System));
    EXPECT_EQ(Listing(ReadKey(KeyScope::User)), Listing(expected.User));
  }
}

}  // namespace
}  // namespace tallowin
