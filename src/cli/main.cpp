// tallowin-cli.exe: the window's safe edits of the environment variables,
// for scripts, installers and fleets.
#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "ports/environment_port.h"
#include "ports/file_system.h"
#include "ports/folder_check.h"
#include "ports/system_ports.h"
#include "model/texts.h"
#include "win32/wide_text.h"
#include "cli/win32_console.h"
#include "cli/read_once_registry.h"
#include "cli/verbs.h"

int wmain(int argc, wchar_t** argv) {
  using namespace tallowin;
  cli::Win32Console console;
  try {
    ports::Win32Registry win32Registry;
    cli::ReadOnceRegistry registry(win32Registry);
    ports::Win32FileSystem files;
    ports::Win32Environment environment;
    ports::Win32System system;
    ports::Win32EnvironmentBroadcast broadcast;
    ports::Win32WriteTurn turn;
    ports::Win32FolderCheck folderChecks;
    cli::Context context{console, {}};
    context.Ports.Registry = &registry;
    context.Ports.Files = &files;
    context.Ports.Environment = &environment;
    context.Ports.System = &system;
    context.Ports.Broadcast = &broadcast;
    context.Ports.WriteTurn = &turn;
    context.Ports.FolderChecks = &folderChecks;

    std::vector<std::u16string> words;
    for (int i = 1; i < argc; ++i) words.push_back(win32::FromWide(argv[i]));
    const cli::ExitCode code = cli::RunCommandLine(words, context);
    // Results a script never received are no success.
    if (code == cli::ExitCode::Done && console.OutputFailed()) return static_cast<int>(cli::ExitCode::Failed);
    return static_cast<int>(code);
  } catch (const std::exception&) {
    // Out of memory, mostly: each value is whole, as every write is one call.
    console.Err(std::u16string(texts::kOutOfMemory) + u"\r\n");
    return static_cast<int>(cli::ExitCode::Failed);
  }
}
