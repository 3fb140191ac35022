#pragma once

#include "commands/ports.h"
#include "model/clip_item.h"
#include "model/edit_list.h"

namespace tallowin {

// The entry buffer's placement check as the user meets it: the result bits
// of CClipItem::CheckPlacement, and for a refusal its message, placed
// against the main window (the Path guard's alone, or the duplicate name's
// and the type's together). Uses ports Dialogs and Window.
int CheckPlacement(CClipItem& item, const EditList& list, int mask, const CommandPorts& ports);

}  // namespace tallowin
