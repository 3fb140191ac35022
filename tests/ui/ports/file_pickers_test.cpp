#include "ui/ports/file_pickers.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <iterator>
#include <string>
#include <vector>

#include "support/modal_dialog_driver.h"
#include "support/scratch_folder.h"
#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace tallowin::ports {

using testing::ChooseFile;
using testing::Click;
using testing::ModalDialogDriver;
using testing::ScratchFolder;
using win32::Wide;
namespace {

void CreateEmptyFile(const std::u16string& path) {
  const win32::UniqueFile file(
      ::CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file) << ::GetLastError();
}

// The file-name field of the dialog a step was handed.
std::u16string FileNameShown(const ModalDialogDriver& driver, std::size_t step) {
  const testing::DialogSnapshot dialog = driver.Dialog(step);
  const testing::DialogControl* field = dialog.Control(testing::kFileNameCombo);
  if (field == nullptr) field = dialog.Control(testing::kFileNameEdit);
  return field != nullptr ? field->Text : std::u16string();
}

TEST(FilePickers, FilterListsRegistrationFilesThenAllFiles) {
  const std::wstring filter = RegistrationFileFilter();
  // The literal's own terminator is the list's closing NUL.
  static constexpr wchar_t kExpected[] = L"登録ファイル (*.reg)\0*.reg\0すべてのファイル (*.*)\0*.*\0";
  EXPECT_EQ(filter, std::wstring(kExpected, std::size(kExpected)));
}

TEST(FilePickers, SaveDialogShowsTitleAndNameAndAddsTheExtension) {
  ScratchFolder folder;
  const std::u16string chosen = folder.File(u"picked.reg");
  Win32FilePickers pickers(nullptr);
  ModalDialogDriver driver({ChooseFile(folder.File(u"picked"))});
  const auto picked = pickers.PickFileToSave(u"レジストリキーのバックアップ");
  ASSERT_TRUE(picked.has_value());
  EXPECT_EQ(*picked, chosen);
  EXPECT_EQ(driver.Dialog(0).Caption, u"レジストリキーのバックアップ");
  EXPECT_EQ(FileNameShown(driver, 0), u"Environment.reg");
}

TEST(FilePickers, SaveDialogAsksBeforeReplacingAFile) {
  ScratchFolder folder;
  const std::u16string existing = folder.File(u"existing.reg");
  CreateEmptyFile(existing);
  Win32FilePickers pickers(nullptr);
  const struct {
    const char* Name;
    int Answer;
    bool Picked;
  } cases[] = {{"replace", IDYES, true}, {"keep", IDNO, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    std::vector<testing::DialogStep> steps = {ChooseFile(existing), Click(c.Answer)};
    // After "no" the file dialog is in charge again: cancel it.
    if (!c.Picked) steps.push_back(Click(IDCANCEL));
    ModalDialogDriver driver(std::move(steps));
    const auto picked = pickers.PickFileToSave(u"レジストリキーのエクスポート");
    EXPECT_EQ(picked.has_value(), c.Picked);
    if (picked) {
      EXPECT_EQ(*picked, existing);
    }
    EXPECT_EQ(driver.Dialog(0).Caption, u"レジストリキーのエクスポート");
  }
}

TEST(FilePickers, OpenDialogReturnsAnExistingFileOrNothingOnCancel) {
  ScratchFolder folder;
  const std::u16string existing = folder.File(u"to-open.reg");
  CreateEmptyFile(existing);
  Win32FilePickers pickers(nullptr);
  {
    ModalDialogDriver driver({ChooseFile(existing)});
    const auto picked = pickers.PickFileToOpen(u"レジストリキーのインポート");
    ASSERT_TRUE(picked.has_value());
    EXPECT_EQ(*picked, existing);
    EXPECT_EQ(driver.Dialog(0).Caption, u"レジストリキーのインポート");
    EXPECT_EQ(FileNameShown(driver, 0), u"Environment.reg");
  }
  {
    ModalDialogDriver driver({Click(IDCANCEL)});
    EXPECT_FALSE(pickers.PickFileToOpen(u"レジストリキーのインポート").has_value());
  }
}

}  // namespace
}  // namespace tallowin::ports
