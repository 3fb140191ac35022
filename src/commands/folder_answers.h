#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/path_check.h"
#include "commands/ports.h"

namespace tallowin {

// Every folder's answer from the folder check, waited for: the probe and
// the time limit that the window's Path check uses, for a caller with
// nothing to do meanwhile.
std::vector<std::optional<FolderAnswer>> AnswersOfFolders(FolderCheckPort& checks, std::vector<std::u16string> folders);

}  // namespace tallowin
