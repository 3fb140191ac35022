#include "ports/elevation.h"

#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace tallowin::ports {
namespace {

constexpr wchar_t kCommandLineProgram[] = L"tallowin-cli.exe";

ElevatedRun Ended(ElevatedRun::End how, DWORD errorCode = 0) {
  ElevatedRun run;
  run.How = how;
  run.ErrorCode = errorCode;
  return run;
}

// The running program's full path, in a buffer that grows until the path
// fits: GetModuleFileNameW cuts a longer path off at the buffer's size and
// still returns a length.
std::optional<std::wstring> RunningProgramPath(DWORD& error) {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    error = ::GetLastError();
    if (length == 0) return std::nullopt;
    if (length < buffer.size()) return std::wstring(buffer.data(), length);
    if (buffer.size() >= 0x10000) return std::nullopt;
    buffer.resize(buffer.size() * 2);
  }
}

// Keeps a window disabled for the scope's life. A window that was disabled
// already stays so; the focus, which the system takes from a window when it
// is disabled, goes back where it was.
class DisabledWindow {
 public:
  explicit DisabledWindow(HWND window)
      : window_(window), focus_(::GetFocus()), wasDisabled_(window != nullptr && ::EnableWindow(window, FALSE)) {}
  DisabledWindow(const DisabledWindow&) = delete;
  DisabledWindow& operator=(const DisabledWindow&) = delete;
  ~DisabledWindow() {
    if (window_ == nullptr || wasDisabled_) return;
    ::EnableWindow(window_, TRUE);
    if (::GetFocus() == nullptr && focus_ != nullptr && ::IsWindow(focus_)) ::SetFocus(focus_);
  }

 private:
  HWND window_;
  HWND focus_;
  bool wasDisabled_;
};

// Keyboard and mouse input meant for the disabled window: a modal wait
// drops it, or keys would reach the window's menu (Alt+F4 among them).
bool IsInputFor(const MSG& message, HWND owner) {
  const bool input = (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) ||
                     (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST) ||
                     (message.message >= WM_NCMOUSEMOVE && message.message <= WM_NCXBUTTONDBLCLK);
  return input && owner != nullptr && (message.hwnd == owner || ::IsChild(owner, message.hwnd));
}

// Waits for the process and dispatches the thread's messages meanwhile. A
// quit request is posted again once the wait is over, for the program's
// own message loop to see.
ElevatedRun WaitDispatching(HANDLE process, HWND owner) {
  std::optional<int> quit;
  for (;;) {
    const DWORD woke = ::MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT);
    if (woke == WAIT_OBJECT_0) break;
    if (woke != WAIT_OBJECT_0 + 1) {
      const DWORD error = ::GetLastError();
      if (quit) ::PostQuitMessage(*quit);
      return Ended(ElevatedRun::End::Failed, error);
    }
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        quit = static_cast<int>(message.wParam);
      } else if (!IsInputFor(message, owner)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
      }
    }
  }
  if (quit) ::PostQuitMessage(*quit);
  DWORD exitCode = 0;
  if (!::GetExitCodeProcess(process, &exitCode)) return Ended(ElevatedRun::End::Failed, ::GetLastError());
  ElevatedRun run = Ended(ElevatedRun::End::Ran);
  run.ExitCode = exitCode;
  return run;
}

}  // namespace

ElevatedRun Win32Elevation::RunCommandLineElevated(std::u16string_view arguments) {
  DWORD error = 0;
  const std::optional<std::wstring> self = RunningProgramPath(error);
  if (!self) return Ended(ElevatedRun::End::Failed, error);
  const std::wstring program = self->substr(0, self->find_last_of(L'\\') + 1) + kCommandLineProgram;
  const DWORD attributes = ::GetFileAttributesW(program.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    error = ::GetLastError();
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return Ended(missing ? ElevatedRun::End::NotFound : ElevatedRun::End::Failed, missing ? 0 : error);
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return Ended(ElevatedRun::End::NotFound);

  // Disabled before the start already: the consent dialog is modal to it.
  const DisabledWindow disabled(owner_);
  const std::wstring parameters = win32::ToWide(arguments);
  SHELLEXECUTEINFOW execute{};
  execute.cbSize = sizeof execute;
  // No shell error box: Save reports a failure in its own words.
  execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  execute.hwnd = owner_;
  execute.lpVerb = L"runas";
  execute.lpFile = program.c_str();
  execute.lpParameters = parameters.c_str();
  execute.nShow = SW_HIDE;
  if (!::ShellExecuteExW(&execute)) {
    error = ::GetLastError();
    return Ended(error == ERROR_CANCELLED ? ElevatedRun::End::Declined : ElevatedRun::End::Failed,
                 error == ERROR_CANCELLED ? 0 : error);
  }
  const win32::UniqueKernelHandle process(execute.hProcess);
  // Only a program handed to an already running one (DDE) starts no
  // process; an .exe always has one.
  if (!process) return Ended(ElevatedRun::End::Failed, ERROR_INVALID_HANDLE);
  return WaitDispatching(process.get(), owner_);
}

}  // namespace tallowin::ports
