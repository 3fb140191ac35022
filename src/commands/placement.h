#pragma once

#include <string_view>

#include "commands/ports.h"
#include "model/clip_item.h"
#include "model/edit_list.h"

namespace tallowin {

// Mask bit and result bit of the name-characters rule: a name holding '='
// or a control character is refused. Windows cannot read such a variable
// back, and a system variable named with '=' can stop the machine from
// starting. The rule takes the duplicate-name rule's place: a refused name
// is not reported as a duplicate as well.
inline constexpr int CI_NAME_CHARS = 32;

// True when a variable name holds '=' or a control character (U+0000 to
// U+001F, U+007F to U+009F). An empty name is allowed.
bool HasForbiddenNameCharacter(std::u16string_view name);

// The entry buffer's placement check as the user meets it: the result bits
// of CClipItem::CheckPlacement and of the name-characters rule, and for a
// refusal its message, placed against the main window (the Path guard's
// alone, or the name's and the type's lines together). Uses ports Dialogs
// and Window.
// The Path guard also protects the row linked as the Path entry whatever
// the letter case of its name (`selectedIsPathEntry`): Wine's machine key
// names it PATH, and a row the Path tab keeps writing into must not take
// another variable's place.
int CheckPlacement(CClipItem& item, const EditList& list, int mask, const CommandPorts& ports,
                   bool selectedIsPathEntry = false);

}  // namespace tallowin
