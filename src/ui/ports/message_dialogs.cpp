#include "ui/ports/message_dialogs.h"

#include <string>

#include "model/texts.h"
#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace tallowin::ports {

using win32::UniqueHandle;
using win32::Wide;
namespace {

struct HookTraits {
  using Handle = HHOOK;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { ::UnhookWindowsHookEx(h); }
};
using UniqueHook = UniqueHandle<HookTraits>;

// What the hook does to the next message box this thread activates.
struct Placement {
  ScreenPoint TopLeft;
  bool HasCancel = false;
  bool Done = false;
};

// The placement of the message box being shown on this thread; a message
// box opened from inside another (a nested modal loop) saves and restores it.
thread_local Placement* currentPlacement = nullptr;

bool IsDialogWindow(HWND window) {
  wchar_t className[16] = {};
  return ::GetClassNameW(window, className, 16) > 0 && std::wstring_view(className) == L"#32770";
}

void SetButtonText(HWND dialog, int id, std::u16string_view text) {
  if (::GetDlgItem(dialog, id) == nullptr) return;
  const std::u16string label(text);
  ::SetDlgItemTextW(dialog, id, Wide(label));
}

// The message box is created and centred before it is activated, so moving
// it here puts it where it belongs before it is first drawn.
LRESULT CALLBACK PlaceMessageBox(int code, WPARAM wParam, LPARAM lParam) {
  Placement* placement = currentPlacement;
  if (code == HCBT_ACTIVATE && placement != nullptr && !placement->Done) {
    const HWND box = reinterpret_cast<HWND>(wParam);
    if (IsDialogWindow(box)) {
      placement->Done = true;
      ::SetWindowPos(box, nullptr, placement->TopLeft.X, placement->TopLeft.Y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      SetButtonText(box, IDOK, texts::kOkButton);
      if (placement->HasCancel) {
        SetButtonText(box, IDCANCEL, texts::kCancelButton);
      } else if (::GetDlgItem(box, IDOK) == nullptr) {
        // Some systems give a lone OK button the identifier of Cancel, so
        // that Escape closes the box.
        SetButtonText(box, IDCANCEL, texts::kOkButton);
      }
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

class PlacementScope {
 public:
  explicit PlacementScope(Placement& placement) : previous_(currentPlacement) { currentPlacement = &placement; }
  PlacementScope(const PlacementScope&) = delete;
  PlacementScope& operator=(const PlacementScope&) = delete;
  ~PlacementScope() { currentPlacement = previous_; }

 private:
  Placement* previous_;
};

int ShowMessageBox(HWND owner, std::u16string_view text, std::u16string_view caption, UINT style, ScreenPoint topLeft) {
  Placement placement{topLeft, (style & MB_TYPEMASK) == MB_OKCANCEL, false};
  const PlacementScope scope(placement);
  // Without the hook the box still opens, only centred and with the system's
  // labels: the user's answer matters more than the placement.
  const UniqueHook hook(::SetWindowsHookExW(WH_CBT, PlaceMessageBox, nullptr, ::GetCurrentThreadId()));
  const std::u16string body(text);
  const std::u16string title(caption);
  return ::MessageBoxW(owner, Wide(body), Wide(title), style);
}

}  // namespace

bool Win32MessageDialogs::Confirm(std::u16string_view text, ScreenPoint topLeft) {
  return ShowMessageBox(owner_, text, texts::kConfirmCaption, MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON1, topLeft) ==
         IDOK;
}

bool Win32MessageDialogs::Warn(std::u16string_view text, ScreenPoint topLeft) {
  return ShowMessageBox(owner_, text, texts::kWarningCaption, MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON1,
                        topLeft) == IDOK;
}

bool Win32MessageDialogs::ConfirmCancelDefault(std::u16string_view text, ScreenPoint topLeft) {
  return ShowMessageBox(owner_, text, texts::kConfirmCaption, MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2, topLeft) ==
         IDOK;
}

bool Win32MessageDialogs::WarnCancelDefault(std::u16string_view text, ScreenPoint topLeft) {
  return ShowMessageBox(owner_, text, texts::kWarningCaption, MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2,
                        topLeft) == IDOK;
}

void Win32MessageDialogs::Inform(std::u16string_view text, ScreenPoint topLeft) {
  ShowMessageBox(owner_, text, texts::kAppTitle, MB_OK, topLeft);
}

void Win32MessageDialogs::Beep(SystemSound sound) {
  UINT type = MB_ICONHAND;
  switch (sound) {
    case SystemSound::Question:
      type = MB_ICONQUESTION;
      break;
    case SystemSound::Exclamation:
      type = MB_ICONEXCLAMATION;
      break;
    case SystemSound::Hand:
      type = MB_ICONHAND;
      break;
  }
  // A sound that cannot be played changes nothing the user must know.
  ::MessageBeep(type);
}

}  // namespace tallowin::ports
