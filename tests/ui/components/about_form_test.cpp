#include "ui/about_form.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "owner_window.h"
#include "support/modal_dialog_driver.h"
#include "ui/resources/resource.h"
#include "ui/window_metrics.h"

namespace tallowin::ui {
namespace {

using testing::Click;
using testing::ClickButton;
using testing::DialogSnapshot;
using testing::DialogStep;
using testing::ModalDialogDriver;
using testing::Press;

std::u16string TextOf(const DialogSnapshot& box, int id) {
  const testing::DialogControl* control = box.Control(id);
  return control != nullptr ? control->Text : u"(missing)";
}

TEST(AboutBox, ShowsTheVersionResourceOfTheProgramEachTimeAfresh) {
  OwnerWindow owner;
  // The second opening starts from the template again: the version is not
  // appended twice.
  ModalDialogDriver driver({Click(IDOK), Click(IDOK)});
  EXPECT_TRUE(HelpAboutExecute(owner.Get()));
  EXPECT_TRUE(HelpAboutExecute(owner.Get()));
  for (std::size_t opening = 0; opening < 2; ++opening) {
    SCOPED_TRACE(opening);
    const DialogSnapshot box = driver.Dialog(opening);
    EXPECT_EQ(box.Caption, u"バージョン情報");
    EXPECT_EQ(TextOf(box, IDC_ABOUT_TITLE), u"Tallowin");
    EXPECT_EQ(TextOf(box, IDC_ABOUT_PRODUCT), u"Tallowin  Version 1.0.0.0");
    EXPECT_EQ(TextOf(box, IDC_ABOUT_NOTE), u"※ 書き込みには管理者権限が必要です。");
    EXPECT_EQ(TextOf(box, IDC_ABOUT_COPYRIGHT), u"Copyright (C) 2026 The Tallowin authors");
    EXPECT_EQ(box.Buttons(), std::vector<std::u16string>{u"OK"});
    EXPECT_EQ(box.DefaultButton, IDOK);
    EXPECT_EQ(box.Owner, owner.Get());
    EXPECT_FALSE(box.OwnerEnabled) << "the box is not modal";
  }
  EXPECT_TRUE(::IsWindowEnabled(owner.Get())) << "the owner stays disabled";
}

TEST(AboutBox, ClosesWithOkEnterAndEscape) {
  const struct {
    const char* Name;
    DialogStep Answer;
  } cases[] = {{"OK button", Click(IDOK)}, {"Enter", Press(VK_RETURN)}, {"Escape", Press(VK_ESCAPE)}};
  OwnerWindow owner;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    ModalDialogDriver driver({c.Answer});
    EXPECT_TRUE(HelpAboutExecute(owner.Get()));
    EXPECT_FALSE(driver.AnswerIgnored());
  }
}

// Where a control is in its dialog's client area: left, top, width, height.
struct Place {
  int Left, Top, Width, Height;
  friend bool operator==(const Place&, const Place&) = default;
  friend void PrintTo(const Place& p, std::ostream* out) {
    *out << p.Left << ", " << p.Top << ", " << p.Width << ", " << p.Height;
  }
};

Place PlaceIn(HWND dialog, HWND control) {
  RECT rect{};
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

LOGFONTW FontOf(HWND control) {
  LOGFONTW font{};
  const auto handle = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
  EXPECT_NE(handle, nullptr);
  if (handle != nullptr) {
    EXPECT_EQ(::GetObjectW(handle, sizeof font, &font), static_cast<int>(sizeof font));
  }
  return font;
}

// The text colour a static control is given for painting.
COLORREF PaintColour(HWND dialog, HWND control) {
  const HDC dc = ::CreateCompatibleDC(nullptr);
  ::SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
  const COLORREF colour = ::GetTextColor(dc);
  ::DeleteDC(dc);
  return colour;
}

// What the layout step read from the open box.
struct SeenLayout {
  RECT Client{};
  RECT Frame{};
  LONG Style = 0;
  LONG ExStyle = 0;
  std::vector<Place> Places;
  std::vector<LOGFONTW> Fonts;
  std::vector<int> LineHeights;
  COLORREF NoteColour = 0;
  COLORREF CopyrightColour = 0;
  HWND FirstTabStop = nullptr;
  HWND OkButton = nullptr;
};

TEST(AboutBox, IsLaidOutInDesignPixelsAt96Dpi) {
  {
    const win32::WindowDC screen(nullptr);
    ASSERT_EQ(::GetDeviceCaps(screen.get(), LOGPIXELSY), 96) << "the design pixels hold at 96 DPI";
  }
  // Title, product, note, copyright, OK: the order of the expectations below.
  const int ids[] = {IDC_ABOUT_TITLE, IDC_ABOUT_PRODUCT, IDC_ABOUT_NOTE, IDC_ABOUT_COPYRIGHT, IDOK};
  OwnerWindow owner;
  SeenLayout seen;
  {
    ModalDialogDriver driver({DialogStep([&](HWND box) {
      ::GetClientRect(box, &seen.Client);
      ::GetWindowRect(box, &seen.Frame);
      seen.Style = ::GetWindowLongW(box, GWL_STYLE);
      seen.ExStyle = ::GetWindowLongW(box, GWL_EXSTYLE);
      for (const int id : ids) {
        seen.Places.push_back(PlaceIn(box, ::GetDlgItem(box, id)));
        seen.Fonts.push_back(FontOf(::GetDlgItem(box, id)));
        const HWND control = ::GetDlgItem(box, id);
        seen.LineHeights.push_back(TextLineHeight(
            control, reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0))));
      }
      seen.NoteColour = PaintColour(box, ::GetDlgItem(box, IDC_ABOUT_NOTE));
      seen.CopyrightColour = PaintColour(box, ::GetDlgItem(box, IDC_ABOUT_COPYRIGHT));
      seen.FirstTabStop = ::GetNextDlgTabItem(box, nullptr, FALSE);
      seen.OkButton = ::GetDlgItem(box, IDOK);
      ClickButton(box, IDOK);
    })});
    EXPECT_TRUE(HelpAboutExecute(owner.Get()));
  }
  EXPECT_EQ(seen.Client.right, 292);
  EXPECT_EQ(seen.Client.bottom, 169);
  ASSERT_EQ(seen.Places.size(), 5u);
  // Labels are as high as a line of their font where the face the system
  // substitutes needs more than the design height.
  const auto high = [&](int index, int design) { return std::max(design, seen.LineHeights[index]); };
  EXPECT_EQ(seen.Places[0], (Place{40, 16, 221, high(0, 24)}));
  EXPECT_EQ(seen.Places[1], (Place{8, 56, 273, high(1, 12)}));
  EXPECT_EQ(seen.Places[2], (Place{16, 104, 260, high(2, 12)}));
  EXPECT_EQ(seen.Places[3], (Place{8, 72, 273, high(3, 12)}));
  EXPECT_EQ(seen.Places[4], (Place{112, 136, 75, 25}));

  // Character heights are negative font heights.
  const struct {
    const char* Control;
    LONG Height;
    LONG Weight;
    bool Italic;
  } fonts[] = {{"title", -24, FW_BOLD, false},
               {"product", -12, FW_NORMAL, true},
               {"note", -12, FW_NORMAL, false},
               {"copyright", -12, FW_NORMAL, false},
               {"OK", -12, FW_NORMAL, false}};
  for (std::size_t i = 0; i < std::size(fonts); ++i) {
    SCOPED_TRACE(fonts[i].Control);
    const LOGFONTW& font = seen.Fonts[i];
    EXPECT_EQ(font.lfHeight, fonts[i].Height);
    EXPECT_EQ(font.lfWeight, fonts[i].Weight);
    EXPECT_EQ(font.lfItalic != 0, fonts[i].Italic);
    EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_STREQ(font.lfFaceName, L"ＭＳ Ｐゴシック");
  }

  EXPECT_EQ(seen.NoteColour, RGB(255, 0, 0));
  EXPECT_NE(seen.CopyrightColour, RGB(255, 0, 0)) << "only the note is red";
  EXPECT_EQ(seen.FirstTabStop, seen.OkButton);

  // A fixed dialog frame with a close box only, kept above other windows.
  EXPECT_EQ(seen.Style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
  EXPECT_EQ(seen.Style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  EXPECT_NE(seen.ExStyle & WS_EX_TOPMOST, 0);

  // Centred over the owner (100, 80, 500 × 400).
  EXPECT_NEAR((seen.Frame.left + seen.Frame.right) / 2, 350, 1);
  EXPECT_NEAR((seen.Frame.top + seen.Frame.bottom) / 2, 280, 1);
}

// A version block held as a resource of this test program; the IDs are
// those of version_samples.rc.
std::vector<unsigned char> SampleBlock(int id) {
  const HRSRC found = ::FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_VERSION);
  EXPECT_NE(found, nullptr) << "no version sample " << id;
  if (found == nullptr) return {};
  const HGLOBAL loaded = ::LoadResource(nullptr, found);
  const auto* bytes = static_cast<const unsigned char*>(::LockResource(loaded));
  EXPECT_NE(bytes, nullptr);
  if (bytes == nullptr) return {};
  return std::vector<unsigned char>(bytes, bytes + ::SizeofResource(nullptr, found));
}

TEST(VersionStringsLookup, ReadsTheFirstTranslationsStrings) {
  const struct {
    const char* Name;
    int Sample;
    std::optional<std::wstring> LegalCopyright;
    std::optional<std::wstring> FileVersion;
  } cases[] = {
      {"LegalCopyright without FileVersion", 2, L"Copyright (C) 1999 著作者", std::nullopt},
      {"strings under another translation", 3, std::nullopt, std::nullopt},
      {"no translation table", 4, std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::vector<unsigned char> block = SampleBlock(c.Sample);
    ASSERT_FALSE(block.empty());
    const VersionStrings strings = ReadVersionStrings(block.data());
    EXPECT_EQ(strings.LegalCopyright, c.LegalCopyright);
    EXPECT_EQ(strings.FileVersion, c.FileVersion);
  }
}

TEST(VersionStringsLookup, ReadsAFilesVersionResourceOrNothing) {
  const std::wstring program = ModuleFileName(nullptr);
  ASSERT_GE(program.size(), 4u);
  EXPECT_EQ(program.substr(program.size() - 4), L".exe");
  const VersionStrings own = ReadFileVersionStrings(program);
  EXPECT_EQ(own.LegalCopyright, L"Copyright (C) 2026 The Tallowin authors");
  EXPECT_EQ(own.FileVersion, L"1.0.0.0");

  // A file that is no program has no version resource.
  wchar_t temp[MAX_PATH + 1] = {};
  ASSERT_NE(::GetTempPathW(MAX_PATH + 1, temp), 0u);
  const std::wstring text = std::wstring(temp) + L"tallowin-version-" + std::to_wstring(::GetCurrentProcessId()) + L".txt";
  const HANDLE file = ::CreateFileW(text.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  ::WriteFile(file, "not a program", 13, &written, nullptr);
  ::CloseHandle(file);
  for (const std::wstring& path : {text, std::wstring(temp) + L"tallowin no such file.exe"}) {
    const VersionStrings none = ReadFileVersionStrings(path);
    EXPECT_FALSE(none.LegalCopyright.has_value());
    EXPECT_FALSE(none.FileVersion.has_value());
  }
  ::DeleteFileW(text.c_str());
}

}  // namespace
}  // namespace tallowin::ui
