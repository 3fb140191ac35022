#include "commands/placement.h"

#include <string>

#include "commands/dialog_offsets.h"
#include "model/texts.h"

namespace tallowin {

int CheckPlacement(CClipItem& item, const EditList& list, int mask, const CommandPorts& ports) {
  const int result = item.CheckPlacement(list, mask);
  if (result == CI_PATH_GUARD) {
    ports.Dialogs->Inform(texts::kPathGuard, OffsetFromOwner(ports.Window, kPathGuardX, kDialogY));
    return result;
  }
  if ((result & (CI_NAME | CI_TYPE)) == 0) return result;

  std::u16string message;
  if (result & CI_NAME) message += texts::kDuplicateName;
  if (result & CI_TYPE) message += texts::kTypeNotAllowed;
  const int x = (result & CI_TYPE) ? kTypeRefusedX : kDuplicateNameX;
  ports.Dialogs->Inform(message, OffsetFromOwner(ports.Window, x, kDialogY));
  return result;
}

}  // namespace tallowin
