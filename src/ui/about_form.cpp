#include "ui/about_form.h"

#include <algorithm>
#include <cwchar>
#include <new>
#include <vector>

#include "ui/dialog_layout.h"
#include "ui/resources/resource.h"
#include "ui/window_metrics.h"
#include "win32/window_text.h"

namespace tallowin::ui {
namespace {

// The box's client area and its controls at 96 DPI.
constexpr SIZE kClientSize{292, 169};

enum class FontOf { Form, Title, Product };

struct Placement {
  int Id;
  int Left, Top, Width, Height;
  FontOf Font;
};

constexpr Placement kPlacements[] = {
    {IDC_ABOUT_TITLE, 40, 16, 221, 24, FontOf::Title},
    {IDC_ABOUT_PRODUCT, 8, 56, 273, 12, FontOf::Product},
    {IDC_ABOUT_NOTE, 16, 104, 260, 12, FontOf::Form},
    {IDC_ABOUT_COPYRIGHT, 8, 72, 273, 12, FontOf::Form},
    {IDOK, 112, 136, 75, 25, FontOf::Form},
};

constexpr COLORREF kNoteColour = RGB(255, 0, 0);

// Four lowercase hexadecimal digits, as the string tables' names spell a
// language or a code page.
std::wstring Hex4(WORD value) {
  static constexpr wchar_t kDigits[] = L"0123456789abcdef";
  std::wstring text(4, L'0');
  for (int i = 3; i >= 0; --i) {
    text[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
    value = static_cast<WORD>(value >> 4);
  }
  return text;
}

std::optional<std::wstring> QueryString(const void* block, const std::wstring& name) {
  void* value = nullptr;
  UINT length = 0;
  if (!::VerQueryValueW(block, name.c_str(), &value, &length) || value == nullptr) return std::nullopt;
  // The length counts characters, the terminating null among them.
  const auto* text = static_cast<const wchar_t*>(value);
  return std::wstring(text, ::wcsnlen(text, length));
}

}  // namespace

VersionStrings ReadVersionStrings(const void* versionBlock) {
  void* value = nullptr;
  UINT length = 0;
  if (!::VerQueryValueW(versionBlock, L"\\VarFileInfo\\Translation", &value, &length) || value == nullptr ||
      length < 2 * sizeof(WORD)) {
    return {};
  }
  const auto* translation = static_cast<const WORD*>(value);
  const std::wstring table = L"\\StringFileInfo\\" + Hex4(translation[0]) + Hex4(translation[1]) + L"\\";
  return VersionStrings{QueryString(versionBlock, table + L"LegalCopyright"),
                        QueryString(versionBlock, table + L"FileVersion")};
}

VersionStrings ReadFileVersionStrings(const std::wstring& path) {
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<unsigned char> block(size);
  if (!::GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return {};
  return ReadVersionStrings(block.data());
}

std::wstring ModuleFileName(HMODULE module) {
  // The function cuts a path that does not fit and says so only by filling
  // the buffer to the last character: grow until the path and its null fit.
  constexpr DWORD kLongestPath = 32768;
  for (DWORD size = MAX_PATH; size <= 2 * kLongestPath; size *= 2) {
    std::wstring path(size, L'\0');
    const DWORD length = ::GetModuleFileNameW(module, path.data(), size);
    if (length == 0) return {};
    if (length < size) {
      path.resize(length);
      return path;
    }
  }
  return {};
}

bool TAboutForm::ShowModal() noexcept {
  const HINSTANCE instance =
      owner_ != nullptr ? reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(owner_, GWLP_HINSTANCE)) : ::GetModuleHandleW(nullptr);
  return RunModal(instance, IDD_ABOUT, owner_) > 0;
}

INT_PTR TAboutForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_INITDIALOG:
      FormCreate();
      LayOut(DpiOf(dialog_));
      CentreOverOwner(dialog_, owner_);
      return TRUE;  // the focus goes to the OK button, the only tab stop
    case WM_COMMAND:
      // Enter reaches here as IDOK; Escape and the close box as IDCANCEL.
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        OKButtonClick();
        return TRUE;
      }
      return FALSE;
    case WM_CTLCOLORSTATIC:
      return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    default:
      return FALSE;
  }
}

void TAboutForm::FormCreate() noexcept {
  try {
    const std::wstring path = ModuleFileName(nullptr);
    if (path.empty()) return;
    const VersionStrings strings = ReadFileVersionStrings(path);
    if (strings.LegalCopyright) ::SetDlgItemTextW(dialog_, IDC_ABOUT_COPYRIGHT, strings.LegalCopyright->c_str());
    if (strings.FileVersion) {
      const HWND product = ::GetDlgItem(dialog_, IDC_ABOUT_PRODUCT);
      const std::wstring text = win32::WindowText(product) + L" Version " + *strings.FileVersion;
      ::SetWindowTextW(product, text.c_str());
    }
  } catch (const std::bad_alloc&) {
    // Short of memory the box shows the texts it was designed with.
  }
}

void TAboutForm::OKButtonClick() noexcept { ::EndDialog(dialog_, IDOK); }

void TAboutForm::LayOut(UINT dpi) noexcept {
  // A font that cannot be made leaves the controls with the one they have.
  win32::UniqueFont formFont = CreateProgramFont(12, dpi);
  win32::UniqueFont titleFont = CreateProgramFont(24, dpi, FW_BOLD);
  win32::UniqueFont productFont = CreateProgramFont(12, dpi, FW_NORMAL, true);
  if (formFont) ::SendMessageW(dialog_, WM_SETFONT, reinterpret_cast<WPARAM>(formFont.get()), FALSE);
  for (const Placement& place : kPlacements) {
    const HWND control = ::GetDlgItem(dialog_, place.Id);
    if (control == nullptr) continue;
    const win32::UniqueFont& font =
        place.Font == FontOf::Title ? titleFont : place.Font == FontOf::Product ? productFont : formFont;
    // A label is as high as a line of its font, so that a face the system
    // substitutes for the program's own is not cut off at the bottom.
    int height = Scale(place.Height, dpi);
    if (place.Id != IDOK && font) height = std::max(height, TextLineHeight(control, font.get()));
    ::SetWindowPos(control, nullptr, Scale(place.Left, dpi), Scale(place.Top, dpi), Scale(place.Width, dpi), height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    if (font) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  }
  if (formFont) formFont_ = std::move(formFont);
  if (titleFont) titleFont_ = std::move(titleFont);
  if (productFont) productFont_ = std::move(productFont);

  SizeToClientArea(dialog_, kClientSize, dpi);
}

INT_PTR TAboutForm::OnCtlColorStatic(HDC dc, HWND control) noexcept {
  if (control == nullptr || control != ::GetDlgItem(dialog_, IDC_ABOUT_NOTE)) return FALSE;
  ::SetTextColor(dc, kNoteColour);
  ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_BTNFACE));
}

bool HelpAboutExecute(HWND owner) noexcept {
  TAboutForm form(owner);
  return form.ShowModal();
}

}  // namespace tallowin::ui
