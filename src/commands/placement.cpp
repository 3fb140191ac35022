#include "commands/placement.h"

#include <algorithm>
#include <string>

#include "commands/dialog_offsets.h"
#include "model/texts.h"

namespace tallowin {

bool HasForbiddenNameCharacter(std::u16string_view name) {
  return std::any_of(name.begin(), name.end(),
                     [](char16_t c) { return c == u'=' || c < 0x20 || (c >= 0x7F && c <= 0x9F); });
}

int CheckPlacement(CClipItem& item, const EditList& list, int mask, const CommandPorts& ports,
                   bool selectedIsPathEntry) {
  int result = item.CheckPlacement(list, mask & ~CI_NAME_CHARS);
  if ((mask & CI_PATH_GUARD) && selectedIsPathEntry) result = CI_PATH_GUARD;
  if (result == CI_PATH_GUARD) {
    ports.Dialogs->Inform(texts::kPathGuard, OffsetFromOwner(ports.Window, kPathGuardX, kDialogY));
    return result;
  }
  if ((mask & CI_NAME_CHARS) && HasForbiddenNameCharacter(item.Name)) {
    result = (result & ~(CI_REPLACE | CI_NAME)) | CI_NAME_CHARS;
  }
  if ((result & (CI_NAME | CI_TYPE | CI_NAME_CHARS)) == 0) return result;

  std::u16string message;
  if (result & CI_NAME_CHARS) message += texts::kForbiddenNameCharacter;
  if (result & CI_NAME) message += texts::kDuplicateName;
  if (result & CI_TYPE) message += texts::kTypeNotAllowed;
  const int x = (result & CI_TYPE) ? kTypeRefusedX : kDuplicateNameX;
  ports.Dialogs->Inform(message, OffsetFromOwner(ports.Window, x, kDialogY));
  return result;
}

}  // namespace tallowin
