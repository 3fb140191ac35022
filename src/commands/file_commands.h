#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "model/main_model.h"
#include "commands/ports.h"

// The registration-file commands of the File menu. Export writes the edit
// lists as they stand; Backup writes what the two registry keys hold now;
// Import replaces each edit list whose section a file holds. None of them
// writes to the registry.
//
// Ports used: Dialogs, Window, Pickers, Files and System; Backup also uses
// Registry.
namespace tallowin {

void FileExportExecute(MainModel& model, const CommandPorts& ports);
void FileBuckupExecute(MainModel& model, const CommandPorts& ports);
void FileImportExecute(MainModel& model, const CommandPorts& ports);

// What Export writes: the values Save would write from the two lists, as the
// bytes of a registration file.
std::vector<std::uint8_t> RegistrationFileOfLists(const MainModel& model);
// The same for one list: a file with that key's section only.
std::vector<std::uint8_t> RegistrationFileOfList(const MainModel& model, KeyScope scope);

// The scopes whose edit list an import replaced: those the file has a
// section for.
struct ImportedScopes {
  bool System = false;
  bool User = false;
};

// Import of a file already chosen, as FileImportExecute does it but without
// its report of success: the scopes imported, or nothing when the import
// failed, which has then been reported.
std::optional<ImportedScopes> ImportFileAt(MainModel& model, const CommandPorts& ports, std::u16string_view path);

// What Backup writes: both keys as they hold now, read afresh, as the bytes
// of a registration file. When a key cannot be read, that failure and no
// bytes. Uses port Registry.
FileContents RegistrationFileOfKeys(const CommandPorts& ports);

}  // namespace tallowin
