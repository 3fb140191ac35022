#pragma once

#include <windows.h>

// The two functions of user32.dll that the layers shared by both programs
// call: the environment-change broadcast and the restart. They are looked up
// when first called instead of imported. A program that imports user32
// loads and initialises it before its first line runs, and under Wine that
// costs a run of the command line some 50 ms, a third of its start-up,
// although only a run that writes calls into user32, at its very end.
namespace tallowin::registry::user32 {

// As the system's functions. When user32 or the function cannot be found,
// they fail as the functions themselves fail (0, FALSE) with the loader's
// error as the last error.
LRESULT SendMessageTimeoutW(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags, UINT timeoutMs,
                            PDWORD_PTR result);
BOOL ExitWindowsEx(UINT flags, DWORD reason);

}  // namespace tallowin::registry::user32
