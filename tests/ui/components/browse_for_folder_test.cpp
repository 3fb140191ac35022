#include "ui/ports/browse_for_folder.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <string>
#include <vector>

#include "owner_window.h"
#include "support/modal_dialog_driver.h"

namespace tallowin::ui {
namespace {

using testing::Click;
using testing::DialogStep;
using testing::FindControl;
using testing::ModalDialogDriver;
using testing::OnSameDialog;
using testing::Press;

using Options = TBifFlugs;
constexpr TBifFlug kReturnOnlyFSDirs = TBifFlug::bifReturnOnlyFSDirs;

TEST(BrowseForFolderOptions, MapToTheShellFlagsAndBack) {
  // One component from its start through all cases: each set replaces the
  // one before.
  const struct {
    Options Set;
    UINT Flags;
  } cases[] = {
      {{TBifFlug::bifEditBox, TBifFlug::bifStatusText}, 0x0014},
      {{kReturnOnlyFSDirs}, 0x0001},
      {{}, 0x0000},
      {{TBifFlug::bifDontGoBelowDomain, TBifFlug::bifReturnFSAncestors, TBifFlug::bifValidate}, 0x002A},
      {{TBifFlug::bifBrowseForComputer}, 0x1000},
      {{TBifFlug::bifBrowseForPrinter}, 0x2000},
      {{TBifFlug::bifBrowseIncludeFiles}, 0x4000},
      {{kReturnOnlyFSDirs, TBifFlug::bifDontGoBelowDomain, TBifFlug::bifStatusText, TBifFlug::bifReturnFSAncestors,
        TBifFlug::bifEditBox, TBifFlug::bifValidate, TBifFlug::bifBrowseForComputer, TBifFlug::bifBrowseForPrinter,
        TBifFlug::bifBrowseIncludeFiles},
       0x703F},
  };
  TBrowseForFolder browse;
  EXPECT_EQ(browse.Options(), Options{kReturnOnlyFSDirs});
  EXPECT_EQ(browse.DialogFlags(), 0x0001u);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Flags);
    browse.SetOptions(c.Set);
    EXPECT_EQ(browse.DialogFlags(), c.Flags);
    EXPECT_EQ(browse.Options(), c.Set);
    EXPECT_EQ(browse.GetOptions(), c.Set);
  }
}

TEST(BrowseForFolderOptions, RootFolderEndsWithABackslash) {
  const struct {
    const wchar_t* Given;
    const wchar_t* Stored;
  } cases[] = {
      {L"C:", L"C:\\"},
      {L"C:\\", L"C:\\"},
      {L"", L""},
      {L"C:\\Program Files", L"C:\\Program Files\\"},
      {L"\\\\server\\share", L"\\\\server\\share\\"},
      {L"C:\\データ", L"C:\\データ\\"},
  };
  TBrowseForFolder browse;
  for (const auto& c : cases) {
    browse.SetRootFolder(c.Given);
    EXPECT_EQ(browse.RootFolder(), c.Stored);
  }
}

// Folders for the dialog to find: a parent and a child below it, at the root
// of drive C:. Wine's folder browser finds a path in its tree by comparing
// whole item IDs, access and modification times included. The first listing
// of a folder after a change moves its access time, so a folder is only
// found reliably when nothing changes it while the dialog opens: not inside
// the temporary folder, where other test programs keep adding and removing
// folders, and not before its first listing, which the constructor does.
class FolderPair {
 public:
  FolderPair() {
    static int count = 0;
    parent_ = L"C:\\tallowin-browse-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++count);
    child_ = parent_ + L"\\開始フォルダ";
    Create(parent_);
    Create(child_);
    ListOnce(parent_);
    ListOnce(child_);
  }
  FolderPair(const FolderPair&) = delete;
  FolderPair& operator=(const FolderPair&) = delete;
  ~FolderPair() {
    ::RemoveDirectoryW(child_.c_str());
    ::RemoveDirectoryW(parent_.c_str());
  }

  const std::wstring& Parent() const { return parent_; }
  const std::wstring& Child() const { return child_; }
  std::wstring ParentName() const { return parent_.substr(3); }

 private:
  // A folder of that name is left over from an earlier process with the same
  // identifier: the folder browser of another test program, listing what
  // lies in C:\, can hold a folder open just when its test removes it.
  static void Create(const std::wstring& folder) {
    if (!::CreateDirectoryW(folder.c_str(), nullptr)) {
      EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    }
  }

  static void ListOnce(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE) << ::GetLastError();
    while (::FindNextFileW(search, &found)) {
    }
    ::FindClose(search);
  }

  std::wstring parent_;
  std::wstring child_;
};

// The shell's parsing name of My Computer: an item outside the file system.
constexpr wchar_t kMyComputer[] = L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

std::wstring TreeItemText(HWND tree, HTREEITEM item) {
  if (item == nullptr) return L"(none)";
  wchar_t text[MAX_PATH] = {};
  TVITEMW data{};
  data.mask = TVIF_TEXT;
  data.hItem = item;
  data.pszText = text;
  data.cchTextMax = MAX_PATH;
  if (!::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data))) return L"(unreadable)";
  return text;
}

HTREEITEM TreeItem(HWND tree, UINT which, HTREEITEM from = nullptr) {
  return reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(from)));
}

// What the folder tree of the dialog showed.
struct SeenTree {
  std::wstring Selected;
  std::wstring SelectedParent;
  std::wstring Root;
  bool OkEnabled = false;
};

// A step that reads the tree, then answers as the next step would.
DialogStep ReadTree(SeenTree& seen, DialogStep answer) {
  return DialogStep([&seen, answer](HWND dialog) {
    const HWND tree = FindControl(dialog, L"SysTreeView32");
    ASSERT_NE(tree, nullptr) << "no folder tree";
    const HTREEITEM selected = TreeItem(tree, TVGN_CARET);
    seen.Selected = TreeItemText(tree, selected);
    seen.SelectedParent = selected != nullptr ? TreeItemText(tree, TreeItem(tree, TVGN_PARENT, selected)) : L"";
    seen.Root = TreeItemText(tree, TreeItem(tree, TVGN_ROOT));
    seen.OkEnabled = ::IsWindowEnabled(::GetDlgItem(dialog, IDOK)) != FALSE;
    answer.Act(dialog);
  });
}

// The arrow key that takes the user from a folder to the one above it.
DialogStep PressLeftInTree() {
  return DialogStep([](HWND dialog) {
    ::PostMessageW(FindControl(dialog, L"SysTreeView32"), WM_KEYDOWN, VK_LEFT, 1);
  });
}

// The shell's dialog needs COM on the thread that shows it.
class BrowseForFolderDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    com_ = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ASSERT_TRUE(SUCCEEDED(com_));
  }
  void TearDown() override {
    if (SUCCEEDED(com_)) ::CoUninitialize();
  }

 private:
  HRESULT com_ = E_FAIL;
};

TEST_F(BrowseForFolderDialog, OpensAtTheStartFolderAndOkReturnsIt) {
  FolderPair folders;
  OwnerWindow owner;
  TBrowseForFolder browse(owner.Get());
  browse.SetCaption(L"追加・置換するフォルダを選択してください。");
  browse.SetStartFolder(folders.Child());
  SeenTree seen;
  bool chosen = false;
  {
    ModalDialogDriver driver({ReadTree(seen, Click(IDOK))});
    chosen = browse.Execute();
    EXPECT_EQ(driver.Dialog(0).Owner, owner.Get());
    EXPECT_FALSE(driver.Dialog(0).OwnerEnabled) << "the dialog is not modal to its owner";
    const std::vector<std::u16string> texts = driver.Dialog(0).Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), u"追加・置換するフォルダを選択してください。"), texts.end())
        << "the caption is not shown above the tree";
  }
  EXPECT_EQ(seen.Selected, L"開始フォルダ");
  EXPECT_EQ(seen.SelectedParent, folders.ParentName());
  EXPECT_TRUE(chosen);
  EXPECT_EQ(browse.Folder(), folders.Child());
}

TEST_F(BrowseForFolderDialog, ReturnsTheFolderTheUserMovesTo) {
  FolderPair folders;
  TBrowseForFolder browse;
  browse.SetStartFolder(folders.Child());
  SeenTree seen;
  bool chosen = false;
  {
    ModalDialogDriver driver({PressLeftInTree(), OnSameDialog(ReadTree(seen, Click(IDOK)))});
    chosen = browse.Execute();
  }
  EXPECT_EQ(seen.Selected, folders.ParentName());
  EXPECT_TRUE(chosen);
  EXPECT_EQ(browse.Folder(), folders.Parent());
}

TEST_F(BrowseForFolderDialog, CancelLeavesTheFolderAsItWas) {
  FolderPair folders;
  const struct {
    const char* Name;
    DialogStep Answer;
  } cases[] = {{"Cancel button", Click(IDCANCEL)}, {"Escape", Press(VK_ESCAPE)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TBrowseForFolder browse;
    browse.SetFolder(L"C:\\before");
    browse.SetStartFolder(folders.Child());
    bool chosen = true;
    {
      ModalDialogDriver driver({c.Answer});
      chosen = browse.Execute();
    }
    EXPECT_FALSE(chosen);
    EXPECT_EQ(browse.Folder(), L"C:\\before");
  }
}

TEST_F(BrowseForFolderDialog, AnItemOutsideTheFileSystemIsNoFolder) {
  // The main window's options let the user confirm file-system folders
  // only; without them the dialog hands back the item, which has no path.
  const struct {
    const char* Name;
    Options Set;
    bool OkEnabled;
    int Answer;
  } cases[] = {{"file-system folders only", {kReturnOnlyFSDirs}, false, IDCANCEL}, {"any item", {}, true, IDOK}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TBrowseForFolder browse;
    browse.SetOptions(c.Set);
    browse.SetFolder(L"C:\\before");
    browse.SetStartFolder(kMyComputer);
    SeenTree seen;
    bool chosen = true;
    {
      ModalDialogDriver driver({ReadTree(seen, Click(c.Answer))});
      chosen = browse.Execute();
    }
    EXPECT_NE(seen.Selected, L"(none)");
    EXPECT_EQ(seen.SelectedParent, seen.Root) << "My Computer is not selected";
    EXPECT_EQ(seen.OkEnabled, c.OkEnabled);
    EXPECT_FALSE(chosen);
    EXPECT_EQ(browse.Folder(), L"C:\\before");
  }
}

TEST_F(BrowseForFolderDialog, RootFolderConfinesTheTree) {
  FolderPair folders;
  const struct {
    const char* Name;
    std::wstring Root;
    bool Confined;
  } cases[] = {{"a folder", folders.Parent(), true}, {"no such folder", L"C:\\tallowin no such folder", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TBrowseForFolder browse;
    browse.SetRootFolder(c.Root);
    browse.SetStartFolder(folders.Child());
    SeenTree seen;
    bool chosen = false;
    {
      ModalDialogDriver driver({ReadTree(seen, Click(IDOK))});
      chosen = browse.Execute();
    }
    // A root that does not parse leaves the whole namespace, where the
    // start folder is found all the same.
    EXPECT_EQ(seen.Root == folders.ParentName(), c.Confined) << ::testing::PrintToString(seen.Root);
    EXPECT_EQ(seen.Selected, L"開始フォルダ");
    EXPECT_TRUE(chosen);
    EXPECT_EQ(browse.Folder(), folders.Child());
  }
}

}  // namespace
}  // namespace tallowin::ui
