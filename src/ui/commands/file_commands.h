#pragma once

#include <string_view>

#include "model/main_model.h"
#include "ui/commands/file_ports.h"
#include "ui/commands/ports.h"

// The registration-file commands of the File menu. Export writes the edit
// lists as they stand; Backup writes what the two registry keys hold now;
// Import replaces each edit list whose section a file holds. None of them
// writes to the registry.
//
// Ports used: Dialogs, Window, Pickers, Files and System; Backup also uses
// Registry.
namespace tallowin {

namespace texts {
// Second line of the import failure report when the chosen file does not
// start with a registration file's header.
inline constexpr std::u16string_view kNotRegistrationFile = u"選択されたファイルは登録ファイルではありません。";
}  // namespace texts

void FileExportExecute(MainModel& model, const CommandPorts& ports);
void FileBuckupExecute(MainModel& model, const CommandPorts& ports);
void FileImportExecute(MainModel& model, const CommandPorts& ports);

}  // namespace tallowin
