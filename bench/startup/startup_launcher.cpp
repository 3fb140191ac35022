// The start-up benchmark's launcher: starts the programs named on its command
// line from inside Wine, one at a time, when the driver (startup_timer.cpp)
// asks for them on standard input:
//   "N"     start program N (counted from 0); answers "started" or
//           "failed CODE" (the system's error code), and then "idle" once
//           the program first waits for input (WaitForInputIdle), having
//           shown and painted its window, or "busy" when it has not within
//           a minute
//   "end"   end the program started last, at once, and wait until it has
//           ended; answers "ended"
// It answers "ready" once it runs. At the end of its input it ends the
// program started last and exits.
//
// The programs inherit the launcher's environment, as programs started from
// the desktop inherit the desktop's. A program started straight from Linux
// would instead build its environment from the registry: with 10,000 user
// variables that alone takes Wine seconds, for every program alike.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void Answer(const char* text) {
  std::fputs(text, stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::vector<std::wstring> programs(argv + 1, argv + argc);
  PROCESS_INFORMATION running{};
  const auto endRunning = [&running] {
    if (running.hProcess == nullptr) return;
    ::TerminateProcess(running.hProcess, 0);
    ::WaitForSingleObject(running.hProcess, INFINITE);
    ::CloseHandle(running.hThread);
    ::CloseHandle(running.hProcess);
    running = {};
  };
  Answer("ready");
  char line[64];
  while (std::fgets(line, sizeof line, stdin) != nullptr) {
    if (std::strncmp(line, "end", 3) == 0) {
      endRunning();
      Answer("ended");
      continue;
    }
    const int index = std::atoi(line);
    if (index < 0 || static_cast<std::size_t>(index) >= programs.size()) {
      Answer("failed 87");
      continue;
    }
    endRunning();
    std::wstring commandLine = L"\"" + programs[static_cast<std::size_t>(index)] + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!::CreateProcessW(programs[static_cast<std::size_t>(index)].c_str(), commandLine.data(), nullptr, nullptr,
                          FALSE, 0, nullptr, nullptr, &startup, &running)) {
      const DWORD error = ::GetLastError();
      running = {};
      char answer[32];
      std::snprintf(answer, sizeof answer, "failed %lu", static_cast<unsigned long>(error));
      Answer(answer);
      continue;
    }
    Answer("started");
    Answer(::WaitForInputIdle(running.hProcess, 60000) == 0 ? "idle" : "busy");
  }
  endRunning();
  return 0;
}
