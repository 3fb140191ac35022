#include "registry/user32_calls.h"

#include "win32/unique_handle.h"

namespace tallowin::registry::user32 {
namespace {

struct ModuleTraits {
  using Handle = HMODULE;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { ::FreeLibrary(h); }
};

struct LoadedUser32 {
  HMODULE Module = nullptr;
  DWORD Error = ERROR_SUCCESS;
};

LoadedUser32 LoadPinned() {
  // user32 is one of the system's known DLLs: the name always loads the
  // system's own copy, whatever lies in the program's folder.
  const win32::UniqueHandle<ModuleTraits> reference(::LoadLibraryW(L"user32.dll"));
  if (!reference) return {nullptr, ::GetLastError()};
  // Once user32 has connected the thread to a desktop, unloading it would
  // pull it from under that connection. Pinned, it stays until the process
  // ends, as an imported DLL does, and the reference above can go.
  HMODULE pinned = nullptr;
  if (!::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN, L"user32.dll", &pinned)) return {nullptr, ::GetLastError()};
  return {pinned, ERROR_SUCCESS};
}

const LoadedUser32& User32() {
  static const LoadedUser32 loaded = LoadPinned();
  return loaded;
}

// The function, or null with the reason as the last error.
template <typename FunctionPointer>
FunctionPointer Find(const char* name) {
  const LoadedUser32& user32 = User32();
  if (user32.Module == nullptr) {
    ::SetLastError(user32.Error);
    return nullptr;
  }
  // GetProcAddress sets the last error itself when it finds nothing. The
  // cast goes through void*: GCC warns about a cast from FARPROC straight
  // to a function type with parameters.
  return reinterpret_cast<FunctionPointer>(reinterpret_cast<void*>(::GetProcAddress(user32.Module, name)));
}

}  // namespace

LRESULT SendMessageTimeoutW(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags, UINT timeoutMs,
                            PDWORD_PTR result) {
  const auto send = Find<decltype(&::SendMessageTimeoutW)>("SendMessageTimeoutW");
  return send ? send(window, message, wParam, lParam, flags, timeoutMs, result) : 0;
}

BOOL ExitWindowsEx(UINT flags, DWORD reason) {
  const auto exitWindows = Find<decltype(&::ExitWindowsEx)>("ExitWindowsEx");
  return exitWindows ? exitWindows(flags, reason) : FALSE;
}

}  // namespace tallowin::registry::user32
