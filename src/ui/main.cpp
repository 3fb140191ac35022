// Tallowin: the program's start, its message loop and its end.
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <cwchar>
#include <exception>

#include "ui/main_window.h"
#include "ui/window_base.h"
#include "tallowin_version.h"

namespace {

// The window takes no words on its command line but this one; a program
// without a console answers it in a message box.
bool AskedForVersion() {
  return __wargv != nullptr && __argc == 2 && std::wcscmp(__wargv[1], L"--version") == 0;
}

int Run(HINSTANCE instance, int showCommand) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                                     ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
  ::InitCommonControlsEx(&controls);

  const auto form = tallowin::ui::TMainForm::Create(instance, showCommand, {}, tallowin::ui::StartReading::InBackground);
  if (!form) return 1;
  MSG message{};
  for (;;) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    try {
      if (form->PreTranslateMessage(message)) continue;
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    } catch (const std::exception& error) {
      tallowin::ui::ShowUncaughtException(form->Handle(), &error);
    } catch (...) {
      // Any other thrown object is shown as an exception without a message,
      // and the program goes on.
      tallowin::ui::ShowUncaughtException(form->Handle(), nullptr);
    }
  }
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  try {
    if (AskedForVersion()) {
      ::MessageBoxW(nullptr, L"Tallowin " TALLOWIN_VERSION_TEXT, L"Tallowin", MB_OK | MB_ICONINFORMATION);
      return 0;
    }
    return Run(instance, showCommand);
  } catch (const std::exception& error) {
    tallowin::ui::ShowUncaughtException(nullptr, &error);
  } catch (...) {
    tallowin::ui::ShowUncaughtException(nullptr, nullptr);
  }
  return 0;
}
